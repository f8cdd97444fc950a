#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>

#include "backoffice/MenuAttrUnit.h"
#include "backoffice/MenuManageUnit.h"
#include "backoffice/MenuTypeAttrUnit.h"
#include "frame/FrameFixture.h"
#include "frame/MenuButtonUnit.h"
#include "frame/MenuTypeButtonUnit.h"

namespace {
// Sample data: categories 热菜(1) 凉菜(2) 酒水(3); 热菜 holds dishes 1..5.
class MenuManageTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        form = new TmenuManageForm;
        form->resize(1000, 700);
        form->show();
    }

    // The entries a right-click offers; the popup is dismissed again.
    static QStringList offered(QWidget* widget, QMenu* popup, QPoint at = QPoint()) {
        rightClick(widget, at);
        QStringList shown;
        for (QAction* a : popup->actions())
            if (a->isVisible() && a->isEnabled()) shown << a->text();
        QTest::keyClick(popup, Qt::Key_Escape);
        return shown;
    }
    void onCategory(int slot, const QString& entry) {
        rightClick(form->menuTypeButtons[size_t(slot)]);
        choose(form->menuTypePopupMenu, entry);
    }
    void onDish(int slot, const QString& entry) {
        rightClick(form->menuButtons[size_t(slot)]);
        choose(form->menuPopupMenu, entry);
    }
    void onEmptyCategoryArea(const QString& entry) {
        rightClick(form->menuTypePanel, QPoint(10, form->menuTypePanel->height() - 5));
        choose(form->menuTypePopupMenu, entry);
    }
    // Captions of the shown buttons of a grid, slot by slot.
    template <class Button>
    static QStringList captions(const std::vector<Button*>& buttons) {
        QStringList shown;
        for (Button* b : buttons)
            if (b->isVisible()) shown << b->text();
        return shown;
    }
    bool memoHas(const QString& line) { return form->carteInformationMemo->toPlainText().split('\n').contains(line); }
    void addCategories(int count, int firstId) {
        for (int i = 0; i < count; ++i)
            exec(QStringLiteral("insert into menu_type(id,name,type_code,X,Y,seq,description) "
                                "values(%1,'类%1','001',0,0,%2,'')").arg(firstId + i).arg(scalarInt("select count(*) from menu_type") + 1));
    }

    TmenuManageForm* form = nullptr;
};

TEST_F(MenuManageTest, CategoriesAddedAndMovedKeepTheirSlotsAcrossPages) {
    EXPECT_EQ(captions(form->menuTypeButtons), QStringList({"热菜", "凉菜", "酒水"}));
    EXPECT_TRUE(form->menuTypeTitlePanel->isVisible());
    addCategories(12, 10);  // 15 categories
    onEmptyCategoryArea("添加菜类");
    // The name counts from the largest id, not from the id the insert drew.
    EXPECT_EQ(form->menuTypeButtons[15]->text(), "新增菜类(22)");
    EXPECT_FALSE(form->nextMenuTypePageBtn->isVisible());  // 16 fill exactly one page
    EXPECT_TRUE(memoHas("菜类总页数：1"));

    onEmptyCategoryArea("添加菜类");  // the 17th goes to page 2, which is shown
    EXPECT_EQ(form->getMenuTypePageShown(), 2);
    const QString moved = form->menuTypeButtons[0]->text();
    EXPECT_EQ(captions(form->menuTypeButtons), QStringList({moved}));
    EXPECT_TRUE(form->priorMenuTypePageBtn->isVisible());
    EXPECT_FALSE(form->menuTypeTitlePanel->isVisible());
    EXPECT_EQ(form->menuTypeButtons[0]->y(), form->priorMenuTypePageBtn->height());

    onCategory(0, "左移");  // slot 1 of page 2 lands in slot 16 of page 1
    EXPECT_EQ(form->getMenuTypePageShown(), 1);
    EXPECT_TRUE(memoHas("菜类当前页：1"));
    EXPECT_EQ(form->menuTypeButtons[15]->text(), moved);
    EXPECT_EQ(scalarInt("select seq from menu_type where name='" + form->menuTypeButtons[15]->toolTip() + "'"), 16);
    EXPECT_TRUE(form->nextMenuTypePageBtn->isVisible());

    onCategory(15, "右移");  // and back, the page following it
    EXPECT_EQ(form->getMenuTypePageShown(), 2);
    EXPECT_EQ(form->menuTypeButtons[0]->text(), moved);
    EXPECT_EQ(scalarInt("select seq from menu_type where name='" + form->menuTypeButtons[0]->toolTip() + "'"), 17);
    QTest::mouseClick(form->priorMenuTypePageBtn, Qt::LeftButton);
    onCategory(0, "上移");  // nothing above the first row
    EXPECT_EQ(captions(form->menuTypeButtons).mid(0, 2), QStringList({"热菜", "凉菜"}));
    onCategory(1, "下移");
    EXPECT_EQ(captions(form->menuTypeButtons).mid(0, 4), QStringList({"热菜", "类10", "酒水", "凉菜"}));
    EXPECT_EQ(rows("select name from menu_type where seq in (2, 4) order by seq"), QStringList({"类10", "凉菜"}));
}

TEST_F(MenuManageTest, PopupOffersItemCommandsOnlyOverAShownExistingItem) {
    EXPECT_EQ(offered(form->menuTypeButtons[1], form->menuTypePopupMenu),
              QStringList({"添加菜类", "修改菜类", "删除菜类", "上移", "下移", "左移", "右移"}));
    // A right press chooses the category, as any press does.
    EXPECT_EQ(captions(form->menuButtons), QStringList({"拍黄瓜", "凉拌木耳", "夫妻肺片"}));
    EXPECT_EQ(offered(form->menuTypePanel, form->menuTypePopupMenu, QPoint(10, 600)), QStringList({"添加菜类"}));

    // A category deleted meanwhile is no item to act on, and its dish area offers no
    // new dish: it would go where no window shows it.
    exec("delete from menu where menu_type_id=3; delete from menu_type where id=3");
    EXPECT_EQ(offered(form->menuTypeButtons[2], form->menuTypePopupMenu), QStringList({"添加菜类"}));
    EXPECT_EQ(offered(form->menuPanel, form->menuPopupMenu, QPoint(10, 600)), QStringList());

    addCategories(15, 10);  // a page button is the empty area too
    onEmptyCategoryArea("添加菜类");
    QTest::mouseClick(form->priorMenuTypePageBtn, Qt::LeftButton);
    EXPECT_EQ(offered(form->nextMenuTypePageBtn, form->menuTypePopupMenu), QStringList({"添加菜类"}));
}

TEST_F(MenuManageTest, DeletingCategoriesAndDishesClosesTheirGaps) {
    onCategory(0, "删除菜类");
    EXPECT_EQ(answers.texts(), QStringList({"是否真的要删除?", "删除类型不成功,可能存在菜单!"}));
    EXPECT_EQ(captions(form->menuTypeButtons), QStringList({"热菜", "凉菜", "酒水"}));

    onDish(1, "删除菜单");  // 鱼香肉丝
    EXPECT_EQ(captions(form->menuButtons), QStringList({"宫保鸡丁", "麻婆豆腐", "红烧肉", "清蒸鲈鱼"}));
    EXPECT_EQ(rows("select seq from menu where menu_type_id=1 order by seq"), QStringList({"1", "2", "3", "4"}));
    EXPECT_TRUE(memoHas("菜单合计：4"));

    onEmptyCategoryArea("添加菜类");
    answers.push(AnsNo);
    onCategory(3, "删除菜类");
    EXPECT_EQ(captions(form->menuTypeButtons).size(), 4);
    onCategory(1, "删除菜类");  // answered Yes: 凉菜 keeps its dishes, so it stays
    EXPECT_EQ(captions(form->menuTypeButtons).size(), 4);
    onCategory(3, "删除菜类");
    EXPECT_EQ(captions(form->menuTypeButtons), QStringList({"热菜", "凉菜", "酒水"}));
}

TEST_F(MenuManageTest, DishesAddedAndMovedTurnThePageWithThem) {
    // No category chosen: nothing to add to.
    EXPECT_EQ(offered(form->menuPanel, form->menuPopupMenu, QPoint(10, 600)), QStringList());

    QTest::mouseClick(form->menuTypeButtons[0], Qt::LeftButton);
    for (int i = 0; i < 27; ++i)
        exec(QStringLiteral("insert into menu(id,menu_name,menu_type_id,price,rebate,unit,state,X,Y,seq,printer_code,description) "
                            "values(%1,'菜%1',1,1,0,'份','M001',0,0,%2,'P001','')").arg(1000 + i).arg(6 + i));
    rightClick(form->menuPanel, QPoint(10, 600));
    choose(form->menuPopupMenu, "新建菜单");  // the 33rd dish: page 2 is shown
    EXPECT_EQ(form->getMenuPageShown(), 2);
    EXPECT_EQ(captions(form->menuButtons), QStringList({"新增菜(1027)"}));
    EXPECT_EQ(rows("select menu_type_id, seq, state from menu where menu_name='新增菜(1027)'"), QStringList({"1|33|M001"}));
    EXPECT_TRUE(form->priorMenuPageBtn->isVisible());
    EXPECT_FALSE(form->menuTitlePanel->isVisible());

    onDish(0, "上移");  // seq 33 -> 29, back on page 1
    EXPECT_EQ(form->getMenuPageShown(), 1);
    EXPECT_EQ(form->menuButtons[28]->text(), "新增菜(1027)");
    EXPECT_EQ(form->menuButtons[31]->text(), "菜1026");
    onDish(28, "下移");  // seq 29 -> 33, page 2 again
    EXPECT_EQ(form->getMenuPageShown(), 2);
    EXPECT_EQ(captions(form->menuButtons), QStringList({"新增菜(1027)"}));
    EXPECT_EQ(rows("select menu_name from menu where menu_type_id=1 and seq in (29, 33) order by seq"),
              QStringList({"菜1023", "新增菜(1027)"}));
    onDish(0, "左移");
    EXPECT_EQ(form->menuButtons[31]->text(), "新增菜(1027)");
    EXPECT_TRUE(form->nextMenuPageBtn->isVisible());
    QTest::mouseClick(form->nextMenuPageBtn, Qt::LeftButton);
    EXPECT_EQ(captions(form->menuButtons), QStringList({"菜1026"}));
    EXPECT_TRUE(memoHas("菜单当前页：2"));
    EXPECT_TRUE(memoHas("菜单总页数：2"));
}

TEST_F(MenuManageTest, DishDialogKeepsTheStoredNameOnTheButton) {
    QTest::mouseClick(form->menuTypeButtons[0], Qt::LeftButton);
    exec("update menu set printer_code='P999' where id=2");
    DialogScript script;
    script.expect<TmenuAttrForm>([&](TmenuAttrForm* d) {
        EXPECT_FALSE(d->Image1->pixmap().isNull());  // the compiled-in picture decoded
        EXPECT_EQ(d->printName->currentText(), "厨房");  // unmatched code: first printer
        EXPECT_FALSE(d->applyButton->isEnabled());
        type(d->menuName, "  ");
        click(d->confirmButton);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(answers.last(), "菜单名称不能为空！");
        type(d->menuName, "宫保鸡丁");  // a name another dish has
        click(d->confirmButton);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(answers.last(), "菜单名称可能已经存在！");
        click(d->cancelButton);
    });
    onDish(1, "修改菜单");
    EXPECT_EQ(form->menuButtons[1]->text(), "鱼香肉丝");

    script.expect<TmenuAttrForm>([&](TmenuAttrForm* d) {
        type(d->menuName, "鱼香肉丝盖浇饭加蛋");
        type(d->menuPrice, "12.5");
        click(d->applyButton);
        EXPECT_EQ(d->windowTitle(), "鱼香肉丝盖浇饭加蛋");
        EXPECT_FALSE(d->applyButton->isEnabled());
        QTest::keyClick(d->menuPrice, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(d->menuPrice, Qt::Key_Delete);
        click(d->confirmButton);  // no number: the error box, and the dialog stays
        EXPECT_TRUE(d->isVisible());
        type(d->menuPrice, "12.5");
        click(d->confirmButton);
        EXPECT_FALSE(d->isVisible());
    });
    onDish(1, "修改菜单");
    EXPECT_EQ(form->menuButtons[1]->text(), "鱼香肉丝盖..");
    EXPECT_EQ(form->menuButtons[1]->toolTip(), "鱼香肉丝盖浇饭加蛋");
    EXPECT_EQ(rows("select price, printer_code from menu where id=2"), QStringList({"12.5|P001"}));

    failOn("UPDATE", "menu");  // a confirm without edits writes nothing
    script.expect<TmenuAttrForm>([&](TmenuAttrForm* d) {
        EXPECT_EQ(d->menuPrice->text(), "12.50");
        click(d->confirmButton);
        EXPECT_FALSE(d->isVisible());
    });
    answers.clear();
    onDish(1, "修改菜单");
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(MenuManageTest, DishDialogWritesNothingWithoutADishOrItsCategory) {
    TMenuButton button;
    button.setMaxLength(12);
    exec("update menu set menu_type_id=77 where id=5");
    DialogScript script;
    for (int id : {5, 999}) {  // its category gone, or no such dish
        button.setId(id);
        button.setName("旧名");
        script.expect<TmenuAttrForm>([&](TmenuAttrForm* d) {
            if (id == 5) EXPECT_EQ(d->menuTypeName->currentIndex(), -1);
            type(d->menuName, "新名");
            click(d->confirmButton);
            EXPECT_TRUE(d->isVisible());
            click(d->cancelButton);
        });
        TmenuAttrForm dialog;
        dialog.setMenuButton(&button);
        dialog.showExclusive();
        // The name as stored goes onto the button; no dish, no name to show.
        EXPECT_EQ(button.text(), id == 5 ? "清蒸鲈鱼" : "旧名");
    }
    EXPECT_EQ(scalar("select menu_name from menu where id=5"), "清蒸鲈鱼");
    EXPECT_EQ(scalarInt("select count(*) from menu where menu_name='新名'"), 0);
    EXPECT_EQ(answers.texts().count("没有传入菜单"), 2);
}

TEST_F(MenuManageTest, CategoryDialogStaysOpenOnlyForARefusedName) {
    DialogScript script;
    script.expect<TMenuTypeAttrForm>([&](TMenuTypeAttrForm* d) {
        EXPECT_FALSE(d->Image1->pixmap().isNull());
        type(d->menuTypeName, "酒水");  // taken
        click(d->confirmButton);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(d->menuTypeName->text(), "酒水");
        type(d->menuTypeName, " ");  // blank: the message, and the dialog closes
        click(d->confirmButton);
        EXPECT_FALSE(d->isVisible());
    });
    onCategory(0, "修改菜类");
    EXPECT_EQ(answers.texts(), (QStringList{"类型名称以经存在!", "菜单类型不能为空！"}));
    EXPECT_EQ(form->menuTypeButtons[0]->text(), "热菜");
    EXPECT_EQ(scalar("select name from menu_type where id=1"), "热菜");

    script.expect<TMenuTypeAttrForm>([&](TMenuTypeAttrForm* d) {
        answers.clear();
        QTest::keyClick(d->menuTypeName, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(d->menuTypeName, Qt::Key_Delete);
        EXPECT_TRUE(d->applyButton->isEnabled());
        click(d->applyButton);  // refused, yet "应用" goes off
        EXPECT_EQ(answers.texts(), QStringList{"菜单类型不能为空！"});
        EXPECT_FALSE(d->applyButton->isEnabled());
        type(d->menuTypeName, "时令热菜");
        click(d->confirmButton);
    });
    onCategory(0, "修改菜类");
    EXPECT_EQ(form->menuTypeButtons[0]->text(), "时令热菜");
    EXPECT_EQ(scalar("select name from menu_type where id=1"), "时令热菜");
    EXPECT_TRUE(memoHas("当前菜类：时令热菜"));

    // A category gone before its dialog shows: the dialog closes by itself, also out
    // of a real modal loop, and the button stays.
    TMenuTypeButton gone;
    gone.setMaxLength(12);
    gone.setId(999);
    gone.setName("旧名");
    TexclusiveForm::setDialogDriver(nullptr);
    TMenuTypeAttrForm dialog;
    dialog.setMenuTypeButton(&gone);
    EXPECT_EQ(dialog.showExclusive(), QDialog::Rejected);
    EXPECT_EQ(answers.last(), "没有找到菜类");
    EXPECT_EQ(gone.text(), "旧名");
}
}  // namespace
