#include "service/ServiceFixture.h"

namespace {
class CarteTest : public ServiceTest {
protected:
    // Runs the dialog over the list; the action works in it while it is open.
    void run(TMenuInsList& list, std::function<void(TcarteForm*)> action) {
        script.expect<TcarteForm>(std::move(action));
        TcarteForm().selectMenuIns(list);
    }
    static void press(TIdButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    static int shown(const std::vector<TMenuButton*>& buttons) {
        return int(std::count_if(buttons.begin(), buttons.end(), [](auto* b) { return b->isVisible(); }));
    }
    DialogScript script;
};
}  // namespace

TEST_F(CarteTest, CategoryAndDishPagesKeepTheirButtonsInPlace) {
    // 20 categories; the last one holds 40 dishes, its 34th not for sale.
    QString sql = "begin;";
    for (int id = 4; id <= 20; ++id) sql += QString("insert into menu_type (id, name, seq) values (%1, '类别%1', %1);").arg(id);
    for (int n = 1; n <= 40; ++n)
        sql += QString("insert into menu (id, menu_name, menu_type_id, price, unit, state, seq, printer_code) "
                       "values (%1, '菜%2', 20, 10, '份', '%3', %2, 'P003');")
                   .arg(100 + n).arg(n).arg(n == 34 ? "M003" : "M001");
    exec(sql + "commit;");
    TMenuInsList list;
    run(list, [&](TcarteForm* f) {
        const auto& types = f->menuTypeButtons;
        EXPECT_TRUE(f->menuTypeTitlePanel->isVisible() && !f->menuTitlePanel->isVisible());
        EXPECT_EQ(types[15]->getName(), "类别16");
        EXPECT_EQ(types[15]->pos(), QPoint(75, 420));
        EXPECT_EQ(f->nextMenuTypePageBtn->pos(), QPoint(0, 480));
        EXPECT_FALSE(f->priorMenuTypePageBtn->isVisible());

        click(f->nextMenuTypePageBtn);
        EXPECT_FALSE(f->menuTypeTitlePanel->isVisible() || f->nextMenuTypePageBtn->isVisible());
        EXPECT_TRUE(f->priorMenuTypePageBtn->isVisible());
        EXPECT_EQ(types[0]->getName(), "类别17");
        EXPECT_EQ(types[0]->pos(), QPoint(0, 25));
        EXPECT_FALSE(types[4]->isVisible());

        press(types[3]);  // 类别20: its dish page 1
        EXPECT_EQ(shown(f->menuButtons), 32);
        EXPECT_EQ(f->menuButtons[31]->pos(), QPoint(225, 420));
        EXPECT_EQ(f->nextMenuPageBtn->pos(), QPoint(0, 480));
        click(f->nextMenuPageBtn);
        EXPECT_EQ(shown(f->menuButtons), 8);
        EXPECT_EQ(f->menuButtons[0]->getName(), "菜33");
        EXPECT_EQ(f->menuButtons[0]->pos(), QPoint(0, 25));
        EXPECT_FALSE(f->menuButtons[1]->isEnabled());  // 菜34 not for sale
        EXPECT_FALSE(f->nextMenuPageBtn->isVisible());

        // Back on category page 1 the chosen slot shows 类别4: the line keeps 类别20.
        click(f->priorMenuTypePageBtn);
        press(f->menuButtons[0]);
        EXPECT_EQ(f->selectMenuGrid->cell(1, 1), "菜33");
        const int nameWidth = f->selectMenuGrid->columnWidth(1);
        dragColumnBorder(f->selectMenuGrid, 1, 40);  // the user widens the name column
        EXPECT_EQ(f->selectMenuGrid->columnWidth(1), nameWidth + 40);
        EXPECT_EQ(f->selectMenuGrid->row(), 1);
        press(types[0]);  // another category starts at its page 1
        EXPECT_EQ(f->menuButtons[0]->getName(), "宫保鸡丁");
        EXPECT_FALSE(f->priorMenuPageBtn->isVisible());
        click(f->confirmButton);
    });
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->getMenuTypeName(), "类别20");
    EXPECT_EQ(list[0]->getPrintState(), TPOMenuIns::printNone);
    EXPECT_EQ(list[0]->getRebate(), 10);
}

TEST_F(CarteTest, DishLinesCountAddReduceGiftAndTotal) {
    exec("update menu set state='M002' where id=4");  // 红烧肉 comes as a gift
    auto served = std::make_shared<TPOMenuIns>();
    served->setMenuName("拍黄瓜");
    served->setPrice(12);
    served->setQuantity(1);
    served->setState(TPOMenuIns::stateNormal);
    served->setServing(TPOMenuIns::servingDone);
    TMenuInsList list{served};
    run(list, [&](TcarteForm* f) {
        EXPECT_EQ(f->price->text(), "12.00");
        EXPECT_EQ(f->selectMenuGrid->fixedRows(), 0);  // one line: the title row not fixed yet
        EXPECT_FALSE(f->appleButton->isEnabled());
        press(f->menuTypeButtons[0]);
        press(f->menuButtons[0]);
        press(f->menuButtons[0]);  // twice: two lines, not one of 2
        press(f->menuButtons[3]);
        EXPECT_EQ(columnCells(f->selectMenuGrid, 1), QStringList({"拍黄瓜", "宫保鸡丁", "宫保鸡丁", "红烧肉"}));
        EXPECT_EQ(columnCells(f->selectMenuGrid, 5), QStringList({"正常", "正常", "正常", "赠送"}));
        EXPECT_EQ(f->selectMenuGrid->fixedRows(), 1);
        EXPECT_EQ(f->selectMenuGrid->row(), 4);
        EXPECT_EQ(f->price->text(), "88.00");
        EXPECT_TRUE(f->appleButton->isEnabled());
        click(f->largessMenu);  // the gift counts once it is no gift
        EXPECT_EQ(f->price->text(), "136.00");

        // Dishes deleted or taken off sale since the page was shown make no line.
        exec("update menu set state='M003' where id=2");
        exec("delete from menu where id=3");
        press(f->menuButtons[1]);
        press(f->menuButtons[2]);
        EXPECT_EQ(f->selectMenuGrid->rowCount(), 5);

        // A served line is neither raised nor reduced.
        clickRow(f->selectMenuGrid, 1);
        click(f->addMenuIns);
        EXPECT_EQ(answers.last(), "菜已上不能增加！");
        click(f->minusMenu);
        EXPECT_EQ(answers.last(), "菜已上不能删除！");
        EXPECT_EQ(f->selectMenuGrid->cell(3, 1), "1.00");

        clickRow(f->selectMenuGrid, 2);
        click(f->addMenuIns);
        EXPECT_EQ(f->selectMenuGrid->cell(3, 2), "2.00");
        click(f->appleButton);
        EXPECT_FALSE(f->appleButton->isEnabled());
        EXPECT_EQ(list.size(), 4u);
        click(f->minusMenu);
        click(f->minusMenu);  // reaches 0: the row goes, the rows below move up
        EXPECT_EQ(columnCells(f->selectMenuGrid, 0), QStringList({"1", "2", "3"}));
        EXPECT_EQ(columnCells(f->selectMenuGrid, 1), QStringList({"拍黄瓜", "宫保鸡丁", "红烧肉"}));
        EXPECT_EQ(f->price->text(), "98.00");

        // A line made fractional in the editor goes when it steps past 0.
        clickRow(f->selectMenuGrid, 3);
        script.expect<TmenuInsForm>([&](TmenuInsForm* d) {
            EXPECT_EQ(d->windowTitle(), "红烧肉");
            type(d->quantity, "0.5");
            click(d->confirmButton);
        });
        doubleClickRow(f->selectMenuGrid, 3);
        EXPECT_EQ(f->selectMenuGrid->cell(3, 3), "0.50");
        EXPECT_EQ(f->price->text(), "74.00");
        click(f->minusMenu);
        EXPECT_EQ(f->selectMenuGrid->rowCount(), 3);
        EXPECT_EQ(f->selectMenuGrid->row(), 2);  // the new last row
        EXPECT_EQ(f->price->text(), "50.00");
        click(f->exitButton);
    });
    // Only "应用" changed which lines the list holds; changes to its lines stay.
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0], served);
    EXPECT_EQ(list[1]->getQuantity(), 0);
    EXPECT_EQ(list[3]->getQuantity(), 0);  // never below 0
}
