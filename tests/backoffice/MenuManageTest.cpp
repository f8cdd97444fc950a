#include <QComboBox>
#include <QLabel>
#include <QMenu>

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
    void addCategories(int count, int firstId) {
        for (int i = 0; i < count; ++i)
            exec(QStringLiteral("insert into menu_type(id,name,type_code,X,Y,seq,description) "
                                "values(%1,'类%1','001',0,0,%2,'')").arg(firstId + i).arg(scalarInt("select count(*) from menu_type") + 1));
    }

    TmenuManageForm* form = nullptr;
};

TEST_F(MenuManageTest, CategoriesAddedAndMovedKeepTheirSlotsAcrossPages) {
    addCategories(12, 10);  // 15 categories
    onEmptyCategoryArea("添加菜类");
    // The name counts from the largest id, not from the id the insert drew.
    EXPECT_EQ(form->menuTypeButtons[15]->text(), "新增菜类(22)");

    onEmptyCategoryArea("添加菜类");  // the 17th goes to page 2, which is shown
    EXPECT_EQ(form->getMenuTypePageShown(), 2);
    const QString moved = form->menuTypeButtons[0]->text();
    EXPECT_EQ(captions(form->menuTypeButtons), QStringList({moved}));

    onCategory(0, "左移");  // slot 1 of page 2 lands in slot 16 of page 1
    EXPECT_EQ(form->getMenuTypePageShown(), 1);
    EXPECT_EQ(form->menuTypeButtons[15]->text(), moved);
    EXPECT_EQ(scalarInt("select seq from menu_type where name='" + form->menuTypeButtons[15]->toolTip() + "'"), 16);
    onCategory(0, "上移");  // nothing above the first row
    onCategory(1, "下移");
    EXPECT_EQ(captions(form->menuTypeButtons).mid(0, 4), QStringList({"热菜", "类10", "酒水", "凉菜"}));
}

TEST_F(MenuManageTest, PopupOffersItemCommandsOnlyOverAShownExistingItem) {
    // A category deleted meanwhile is no item to act on, and its dish area offers no
    // new dish: it would go where no window shows it.
    exec("delete from menu where menu_type_id=3; delete from menu_type where id=3");
    EXPECT_EQ(offered(form->menuTypeButtons[2], form->menuTypePopupMenu), QStringList({"添加菜类"}));
    EXPECT_EQ(offered(form->menuPanel, form->menuPopupMenu, QPoint(10, 600)), QStringList());
}

TEST_F(MenuManageTest, DeletingCategoriesAndDishesClosesTheirGaps) {
    onCategory(0, "删除菜类");
    EXPECT_EQ(answers.texts(), QStringList({"是否真的要删除?", "删除类型不成功,可能存在菜单!"}));

    onDish(1, "删除菜单");  // 鱼香肉丝
    EXPECT_EQ(captions(form->menuButtons), QStringList({"宫保鸡丁", "麻婆豆腐", "红烧肉", "清蒸鲈鱼"}));
    EXPECT_EQ(rows("select seq from menu where menu_type_id=1 order by seq"), QStringList({"1", "2", "3", "4"}));

    onEmptyCategoryArea("添加菜类");
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

    onDish(0, "上移");  // seq 33 -> 29, back on page 1
    EXPECT_EQ(form->getMenuPageShown(), 1);
    EXPECT_EQ(form->menuButtons[28]->text(), "新增菜(1027)");
    EXPECT_EQ(form->menuButtons[31]->text(), "菜1026");
}

TEST_F(MenuManageTest, DishDialogKeepsTheStoredNameOnTheButton) {
    QTest::mouseClick(form->menuTypeButtons[0], Qt::LeftButton);
    DialogScript script;
    script.expect<TmenuAttrForm>([&](TmenuAttrForm* d) {
        EXPECT_FALSE(d->Image1->pixmap().isNull());  // the compiled-in picture decoded
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
        type(d->menuPrice, "");
        click(d->confirmButton);  // no number: the error box, and the dialog stays
        EXPECT_TRUE(d->isVisible());
        type(d->menuPrice, "12.5");
        click(d->confirmButton);
        EXPECT_FALSE(d->isVisible());
    });
    onDish(1, "修改菜单");
    EXPECT_EQ(form->menuButtons[1]->text(), "鱼香肉丝盖..");
    EXPECT_EQ(form->menuButtons[1]->toolTip(), "鱼香肉丝盖浇饭加蛋");
    EXPECT_EQ(scalar("select price from menu where id=2"), "12.5");
}

TEST_F(MenuManageTest, DishDialogWritesNothingWithoutADishOrItsCategory) {
    TMenuButton button;
    button.setMaxLength(12);
    exec("update menu set menu_type_id=77 where id=5");
    DialogScript script;
    for (int id : {5, 999}) {  // its category gone, or no such dish
        button.setId(id);
        script.expect<TmenuAttrForm>([&](TmenuAttrForm* d) {
            type(d->menuName, "新名");
            click(d->confirmButton);
            EXPECT_TRUE(d->isVisible());
            click(d->cancelButton);
        });
        TmenuAttrForm dialog;
        dialog.setMenuButton(&button);
        dialog.showExclusive();
    }
    EXPECT_EQ(scalarInt("select count(*) from menu where menu_name='新名'"), 0);
    EXPECT_EQ(button.text(), "清蒸鲈鱼");  // the name as stored goes onto the button
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
