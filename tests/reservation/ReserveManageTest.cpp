#include "backoffice/TableAttribUnit.h"
#include "reservation/ReserveManageUnit.h"
#include "reservation/ReserveUnit.h"
#include "service/ServiceFixture.h"

namespace {
class ReserveManageTest : public WithReserveRows<ServiceTest> {
protected:
    void SetUp() override {
        WithReserveRows<ServiceTest>::SetUp();
        setNowForTest(encodeDateTime(2024, 5, 20, 12, 0, 0));  // lunch
    }
    void TearDown() override {
        delete form;
        WithReserveRows<ServiceTest>::TearDown();
    }
    static TDateTime may(int day) { return encodeDateTime(2024, 5, day); }
    void openAlone() {
        form = new TreserveManageForm;
        form->show();
    }
    QStringList listRows() const { return gridRows(form->reserveStringGrid); }
    QList<int> icons() const { return mapIcons(form->tableListView); }
    void pick(int tableId) { clickOnMap(form->tableListView, tableId); }
    void clickAt(const QPoint& contentPos) {
        TTableListView* map = form->tableListView;
        QTest::mouseClick(map->viewport(), Qt::LeftButton, {}, map->mapFromContents(contentPos));
    }
    // Which of "预定", "预定信息", "属性" the popup offers.
    QString popupItems() const {
        QString shown;
        for (QAction* a : {form->reserveMenu, form->reserveInforMenu, form->tableAttribMenu}) shown += a->isVisible() ? "1" : "0";
        return shown;
    }
    void chooseDate(int day) { form->Calendar->setSelectedDate(QDate(2024, 5, day)); }
    TreserveManageForm* form = nullptr;
};
}  // namespace

TEST_F(ReserveManageTest, ListsOpenReservationsByDateAndMealAndReloadsAfterAChange) {
    addReserve(201, "R001", may(1));
    addBooking(1, 201, 5, dinner, may(21));
    addReserve(202, "R001", may(2));
    addBooking(2, 202, 6, lunch, may(20), "RT002");  // taken over: nothing left booked
    addReserve(203, "R001", may(3));
    addBooking(3, 203, 1, lunch, may(22));
    addBooking(4, 203, 2, lunch, may(22));
    addBooking(5, 203, 3, dinner, may(21));
    addReserve(204, "R004", may(4));
    addBooking(6, 204, 4, lunch, may(22));
    openAlone();
    // Lunch before dinner, whatever their dates; the second reservation shows no row.
    EXPECT_EQ(listRows(), (QStringList{"1|客201|2024-05-21|晚餐|1", "3|客203|2024-05-22|午餐|2",
                                       "||2024-05-21|晚餐|1"}));
    EXPECT_EQ(form->reserveStringGrid->fixedRows(), 1);

    // The map keeps its 601 px beside a wide list; at the least width the window can
    // have, every column of the list is still in sight.
    auto lastColumnEnd = [&] {
        TStringGrid* grid = form->reserveStringGrid;
        return grid->columnViewportPosition(4) + grid->columnWidth(4);
    };
    form->resize(1180, 680);
    EXPECT_EQ(form->viewArea->width(), 601);
    EXPECT_GT(form->reserveStringGrid->width(), 500);
    form->resize(form->minimumSizeHint().width(), 680);
    EXPECT_LE(lastColumnEnd(), form->reserveStringGrid->viewport()->width());
    EXPECT_LT(form->viewArea->width(), 601);

    // A continuation row stands for its reservation.
    DialogScript script;
    script.expect<TreserveForm>([](TreserveForm* d) {
        EXPECT_EQ(d->guestName->text(), "客203");
        EXPECT_EQ(d->selectStringGrid->rowCount(), 4);
        click(d->cancelButton);
    });
    script.expect<TreserveForm>([](TreserveForm* d) {
        EXPECT_EQ(d->guestName->text(), "客201");
        choose(d->reserveState, "退订");
        click(d->confirmButton);
    });
    clickRow(form->reserveStringGrid, 3);
    click(form->changeReserveBtn);
    clickRow(form->reserveStringGrid, 1);
    click(form->changeReserveBtn);
    EXPECT_EQ(scalar("select state from reserve where id=201"), "R004");
    EXPECT_EQ(listRows(), (QStringList{"2|客203|2024-05-22|午餐|2", "||2024-05-21|晚餐|1"}));
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(ReserveManageTest, MapAndPopupFollowTheLiveStateOfTheChosenDateAndMeal) {
    addReserve(201, "R001");
    addBooking(1, 201, 1, lunch, may(22));
    addBooking(2, 201, 3, dinner, may(22));
    exec("insert into table_instance(table_id,state) values(5,'TIS001'),(2,'TIS002')");
    openAlone();
    EXPECT_EQ(form->eatComboBox->currentText() + form->yearComboBox->itemText(0) + form->yearComboBox->currentText() +
                  form->monthComboBox->currentText(),
              "午餐20142024五月");
    EXPECT_EQ(icons(), (QList<int>{10, 23, 30, 40, 51}));  // today's lunch; 106 is disabled
    EXPECT_EQ(popupItems(), "111");
    for (auto [table, items] : {std::pair{5, "001"}, std::pair{2, "001"}, std::pair{4, "101"}}) {
        pick(table);
        EXPECT_EQ(popupItems(), items) << table;
    }

    chooseDate(22);  // in use and checked out count only for today
    EXPECT_EQ(icons(), (QList<int>{12, 20, 30, 40, 50}));
    for (auto [table, items] : {std::pair{1, "011"}, std::pair{5, "101"}}) {  // booked; free
        pick(table);
        EXPECT_EQ(popupItems(), items) << table;
    }
    clickAt(QPoint(500, 400));  // nothing there
    EXPECT_EQ(popupItems(), "000");
    rightClick(form->tableListView->viewport(), form->tableListView->mapFromContents(QPoint(500, 400)));
    EXPECT_FALSE(form->PopupMenu->isVisible());  // an empty popup does not open

    // "属性" shows the table as it is stored, and nothing in it can be changed.
    pick(1);
    rightClick(form->tableListView->viewport(), form->tableListView->mapFromContents(
                                                    form->tableListView->itemRect(form->tableListView->findTableItem(1)).center()));
    EXPECT_TRUE(form->PopupMenu->isVisible());
    DialogScript script;
    script.expect<TtableAttribForm>([](TtableAttribForm* d) {
        EXPECT_EQ(d->nameTable->text(), "101");
        EXPECT_FALSE(d->nameTable->isEnabled() || d->confirmButton->isEnabled());
        d->close();
    });
    form->tableAttribMenu->trigger();
    form->PopupMenu->close();
    choose(form->eatComboBox, "晚餐");
    EXPECT_EQ(icons(), (QList<int>{10, 20, 32, 40, 50}));

    // The timer redraws the map; the list waits for the next dialog.
    addBooking(3, 201, 4, dinner, may(22));
    const QStringList list = listRows();
    ASSERT_TRUE(QMetaObject::invokeMethod(form->MTimer, "timeout"));
    EXPECT_EQ(icons(), (QList<int>{10, 20, 32, 42, 50}));
    EXPECT_EQ(listRows(), list);
    EXPECT_EQ(form->MTimer->interval(), 60000);
}

TEST_F(ReserveManageTest, BooksAFreeTableFromThePopupForTheChosenDateAndMeal) {
    registerFunctionWindow(2, [] { return new TreserveManageForm; });
    {
        TmainForm main;
        showLoggedIn(main, "lisi", "123");
        EXPECT_EQ(main.openFunction(2), nullptr);  // no right
    }
    TmainForm main;
    showLoggedIn(main, "zhangsan", "123");
    form = qobject_cast<TreserveManageForm*>(main.openFunction(2));
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(listRows().isEmpty());
    click(form->changeReserveBtn);  // nothing to change: no dialog

    chooseDate(22);
    DialogScript script;
    script.expect<TreserveForm>([](TreserveForm* d) {  // "预订": the overview's date and meal
        EXPECT_EQ(d->Calendar->selectedDate(), QDate(2024, 5, 22));
        EXPECT_EQ(d->eatComboBox->currentText() + d->yearComboBox->currentText(), "午餐2024");
        click(d->cancelButton);
    });
    script.expect<TreserveForm>([](TreserveForm* d) {
        EXPECT_EQ(gridRows(d->selectStringGrid), QStringList{"1|104|预订中|2024-05-22|午餐|"});
        type(d->guestName, "Mr Zhou");
        type(d->telephone, "13800001111");
        click(d->confirmButton);
    });
    click(form->reserveBtn);
    EXPECT_EQ(scalarInt("select count(*) from reserve"), 0);
    pick(4);
    form->reserveMenu->trigger();
    EXPECT_EQ(rows("select r.guest_name,t.table_id,t.eat_id,t.eat_date,t.state from reserve r,reserve_table t "
                   "where t.reserve_id=r.id"),
              QStringList{QString("Mr Zhou|4|2|%1|RT001").arg(double(may(22)), 0, 'g', 15)});
    EXPECT_EQ(listRows(), QStringList{"1|Mr Zhou|2024-05-22|午餐|1"});
    EXPECT_EQ(icons(), (QList<int>{10, 20, 30, 42, 50}));
    pick(4);
    EXPECT_EQ(popupItems(), "011");
    EXPECT_EQ(answers.count(), 0);
    delete form;  // before the main window that holds it
    form = nullptr;
}

TEST_F(ReserveManageTest, WithoutMealPeriodsTheMapShowsNoBookingAndTheDialogRefusesTables) {
    addReserve(201, "R001");
    addBooking(1, 201, 1, lunch, may(20));
    exec("delete from eat");
    openAlone();
    EXPECT_EQ(form->eatComboBox->count(), 0);
    EXPECT_EQ(icons(), (QList<int>{10, 20, 30, 40, 50}));
    pick(1);
    EXPECT_EQ(popupItems(), "101");
    DialogScript script;
    script.expect<TreserveForm>([](TreserveForm* d) { EXPECT_EQ(d->selectStringGrid->rowCount(), 1); });
    form->reserveMenu->trigger();
    EXPECT_EQ(answers.texts(), QStringList{"没有餐次信息!"});
}
