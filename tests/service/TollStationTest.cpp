// The cashier window driven as a cashier would, on the sample restaurant at lunch time.
#include "service/ReckoningUnit.h"
#include "service/SellUnit.h"
#include "service/ServiceFixture.h"
#include "service/TollStationUnit.h"

namespace {
class TollStationTest : public LunchTest {
protected:
    void SetUp() override {
        LunchTest::SetUp();
        currentEmployeeId = 3;
        currentUserName = QStringLiteral("李四");
        addInstance(50, t101, "TIS001", "靠窗");
        addInstance(51, t102, "TIS002");
        addInstance(52, t104, "TIS001");
        addInstance(53, t105, "TIS001");
        for (auto [id, owner, dish] : {std::tuple{1, 50, "宫保鸡丁"}, std::tuple{2, 51, "青岛啤酒"},
                                       std::tuple{3, 52, "拍黄瓜"}, std::tuple{4, 53, "红烧肉"}})
            addLine(id, owner, "MIR003", dish);
        addReserve(60, "R001");
        addBooking(61, 60, t103, lunch, today);
        addLine(5, 60, "MIR001", "清蒸鲈鱼");  // for the whole reservation
        form = new TtollStationForm;
        form->show();
    }
    void TearDown() override {
        delete form;
        LunchTest::TearDown();
    }
    void clickTable(int tableId, bool twice = false) { clickOnMap(form->tableListView, tableId, twice); }
    QStringList dishes() { return columnCells(form->tableMenuInsGrid, 1); }
    int icon(int tableId) { return form->findTableItem(tableId)->imageIndex(); }
    // Runs the command; the checkout dialog it opens writes the bill and closes.
    static void checkingOut(const std::function<void()>& command) {
        DialogScript script;
        script.expect<TReckoningForm>([](TReckoningForm* d) {
            click(d->cancelAccountBtn);
            click(d->returnBtn);
        });
        command();
    }

    TtollStationForm* form = nullptr;
};
}  // namespace

TEST_F(TollStationTest, BatchOfThreeIsOneOrderAndStaysWhenNothingWasWritten) {
    clickTable(t102, true);
    EXPECT_EQ(answers.last(), "只能选择使用中的台桌!");
    for (int table : {t101, t104, t105}) clickTable(table, true);

    // The write fails: the batch stays for another try.
    failOn("UPDATE", "table_instance", "old.id=53");
    checkingOut([&] { click(form->reckoningBatBtn); });
    EXPECT_EQ(answers.last(), "添加订单出现异常！");
    EXPECT_EQ(form->tableBatGrid->tableCount(), 3);
    exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));

    checkingOut([&] { click(form->reckoningBatBtn); });
    EXPECT_EQ(form->tableBatGrid->tableCount(), 0);
    EXPECT_EQ(rows("select price from o_order"), QStringList{"37.5"});
    EXPECT_EQ(rows("select table_id from table_instance where state='TIS002' and order_id=(select id from o_order) order by 1"),
              QStringList({"1", "4", "5"}));
    for (int table : {t101, t104, t105}) EXPECT_EQ(icon(table), 3);
}

TEST_F(TollStationTest, CheckoutsOfTablesThatLeftUseMeanwhileAreRefusedAndShowTheTablesAsTheyAreNow) {
    clickTable(t103);  // booked without dishes of its own: the reservation's
    EXPECT_FALSE(form->reckoningMenu->isEnabled());
    EXPECT_EQ(dishes(), QStringList({"清蒸鲈鱼"}));

    // Checked out at another station after it was selected here: no dialog.
    clickTable(t104);
    exec("update table_instance set state='TIS002' where id=52");
    form->reckoningMenu->trigger();
    EXPECT_EQ(answers.last(), "台桌(104)不是在用状态!");
    EXPECT_EQ(icon(t104), 3);
    clickTable(t105, true);
    clickTable(t101, true);  // selected and in the batch
    exec("update table_instance set state='TIS002' where id=50");
    click(form->reckoningBatBtn);
    EXPECT_EQ(answers.last(), "台桌(101)不是在用状态!");
    EXPECT_EQ(columnCells(form->tableBatGrid, 2), (QStringList{"使用中", "结账完成"}));  // still listed, no longer in use
    EXPECT_EQ(scalarInt("select count(*) from o_order"), 0);

    // "刷新" shows the selected table's info and "结帐" as they are now, and the batch's states.
    clickTable(t105);
    exec("update table_instance set state='TIS003' where id=52");
    exec("update table_instance set state='TIS004' where id=53");
    form->refreshTable->trigger();
    EXPECT_FALSE(form->reckoningMenu->isEnabled());
    EXPECT_EQ(icon(t104), 0);
    EXPECT_EQ(icon(t105), 0);
    EXPECT_EQ(columnCells(form->tableBatGrid, 2), (QStringList{"空闲", "结账完成"}));
}

TEST_F(TollStationTest, ClearTakesTheSelectedTableOutOfTheBatchAndItsCheckout) {
    for (int table : {t101, t104, t105}) clickTable(table, true);
    clickRow(form->tableBatGrid, 2);
    click(form->clearTableBatBtn);
    // The rows below move up and keep their numbers 1..n, each with its own table.
    EXPECT_EQ(gridRows(form->tableBatGrid), (QStringList{"1|101|使用中", "2|105|使用中"}));
    checkingOut([&] { click(form->reckoningBatBtn); });
    EXPECT_EQ(rows("select table_id||state from table_instance where id in (50,52,53) order by id"),
              (QStringList{"1TIS002", "4TIS001", "5TIS002"}));
    EXPECT_EQ(rows("select price from o_order"), QStringList{"25"});  // 101's and 105's lines, not 104's
}

TEST_F(LunchTest, SellAndCashierShowABookingMadeMeanwhileWhenBroughtToTheFront) {
    registerFunctionWindow(1, [] { return new TsellForm; });
    registerFunctionWindow(6, [] { return new TtollStationForm; });
    TmainForm main;
    showLoggedIn(main, "admin", "admin");
    TtableServiceForm* windows[] = {qobject_cast<TsellForm*>(main.openFunction(1)),
                                    qobject_cast<TtollStationForm*>(main.openFunction(6))};
    ASSERT_TRUE(windows[0] && windows[1]);
    // Booked in the reservation windows while the cashier window is in front.
    addReserve(10, "R001");
    addBooking(20, 10, t103, lunch, today);
    for (int id : {1, 6}) {
        TtableServiceForm* form = windows[id == 1 ? 0 : 1];
        EXPECT_EQ(form->findTableItem(t103)->imageIndex(), 0) << id;  // drawn before the booking
        main.openFunction(id);
        EXPECT_EQ(form->findTableItem(t103)->imageIndex(), 2) << id;
        EXPECT_EQ(gridRows(form->reserveGrid), QStringList{"1|客10|1|预订中"}) << id;
    }
}
