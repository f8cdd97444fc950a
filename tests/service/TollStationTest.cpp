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
    // Runs the command; the checkout dialog it opens, after `looking` at it, writes
    // the bill and closes.
    static void checkingOut(const std::function<void()>& command, std::function<void(TReckoningForm*)> looking = {}) {
        DialogScript script;
        script.expect<TReckoningForm>([=](TReckoningForm* d) {
            if (looking) looking(d);
            click(d->cancelAccountBtn);
            click(d->returnBtn);
        });
        command();
    }

    TtollStationForm* form = nullptr;
};
}  // namespace

TEST_F(TollStationTest, ShowsEachTableByItsStateAndChecksOutOnlyATableInUse) {
    EXPECT_EQ(form->findTableItem(t106), nullptr);  // disabled
    EXPECT_FALSE(form->reckoningMenu->isEnabled());
    EXPECT_EQ(form->eatLable->text(), "午餐");
    EXPECT_EQ(rowCells(form->reserveGrid, 1).mid(1, 2), (QStringList{"客60", "1"}));
    clickRow(form->reserveGrid, 1);
    EXPECT_EQ(rowCells(form->reTableGrid, 1).mid(1, 3), (QStringList{"103", "预订中", "2024-05-10"}));

    clickTable(t101);
    EXPECT_TRUE(form->reckoningMenu->isEnabled());
    EXPECT_EQ(form->tableInforArea->title(), "101");
    EXPECT_EQ(form->tableInsDescription->toPlainText(), "靠窗");
    EXPECT_EQ(form->startRepastTimeLable->text(), "11点05分");
    EXPECT_EQ(dishes(), QStringList({"宫保鸡丁"}));
    clickTable(t102);  // checked out: shown, not offered again
    EXPECT_FALSE(form->reckoningMenu->isEnabled());
    EXPECT_EQ(dishes(), QStringList({"青岛啤酒"}));

    clickTable(t101);
    checkingOut([&] { form->reckoningMenu->trigger(); });
    EXPECT_EQ(answers.last(), "销账成功！");
    EXPECT_EQ(scalar("select state||'/'||order_id from table_instance where id=50"),
              scalar("select 'TIS002/'||id from o_order"));
    EXPECT_EQ(icon(t101), 3);
    EXPECT_FALSE(form->reckoningMenu->isEnabled());

    // The minute's refill shows the batch rows' states as they are now, and follows
    // the meal: at dinner the lunch booking leaves the map.
    clickTable(t104, true);
    exec("update table_instance set state='TIS002' where id=52");  // checked out at another station
    QMetaObject::invokeMethod(form->MTimer, "timeout");
    EXPECT_EQ(columnCells(form->tableBatGrid, 2), QStringList{"结账完成"});
    setNowForTest(encodeDateTime(2024, 5, 10, 18, 0, 0));
    QMetaObject::invokeMethod(form->MTimer, "timeout");
    EXPECT_EQ(form->eatLable->text(), "晚餐");
    EXPECT_EQ(icon(t103), 0);
}

TEST_F(TollStationTest, BatchOfThreeIsOneOrderAndStaysWhenNothingWasWritten) {
    click(form->reckoningBatBtn);
    EXPECT_EQ(answers.last(), "请选择台桌!");
    clickTable(t102, true);
    EXPECT_EQ(answers.last(), "只能选择使用中的台桌!");
    for (int table : {t101, t104, t105, t101}) clickTable(table, true);
    EXPECT_EQ(answers.last(), "台桌(101)已经被选择!");
    EXPECT_EQ(form->tableBatGrid->tableCount(), 3);

    // One table cleared meanwhile: named, nothing checked out.
    exec("update table_instance set state='TIS003' where id=52");
    click(form->reckoningBatBtn);
    EXPECT_EQ(answers.last(), "台桌(104)不是在用状态!");
    EXPECT_EQ(scalarInt("select count(*) from o_order"), 0);
    exec("update table_instance set state='TIS001' where id=52");

    // The write fails: the batch stays for another try.
    failOn("UPDATE", "table_instance", "old.id=53");
    checkingOut([&] { click(form->reckoningBatBtn); });
    EXPECT_EQ(answers.last(), "添加订单出现异常！");
    EXPECT_EQ(form->tableBatGrid->tableCount(), 3);
    exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));

    checkingOut([&] { click(form->reckoningBatBtn); }, [](TReckoningForm* d) {
        EXPECT_EQ(columnCells(d->menuInsGrid, 1), (QStringList{"101", "104", "105"}));
        EXPECT_EQ(d->price->text(), "37.50");
    });
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
    EXPECT_FALSE(form->reckoningMenu->isEnabled());
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

TEST_F(LunchTest, SellAndCashierShowAnotherStationsCheckoutWhenTheProgramComesBackToTheFront) {
    registerFunctionWindow(1, [] { return new TsellForm; });
    registerFunctionWindow(6, [] { return new TtollStationForm; });
    addInstance(50, t101, "TIS001");
    addLine(70, 50, "MIR003", "米饭");
    addInstance(51, t102, "TIS001");
    TmainForm main;
    showLoggedIn(main, "admin", "admin");
    auto* cashier = qobject_cast<TtollStationForm*>(main.openFunction(6));
    auto* sell = qobject_cast<TsellForm*>(main.openFunction(1));
    ASSERT_TRUE(sell && cashier);
    clickOnMap(sell->tableListView, t101);

    // The waiter looks something up in another program; meanwhile 101 is settled
    // at the cashier station.
    anotherProgramInFront();
    checkOutElsewhere(50, 1);
    programBackInFront();
    EXPECT_EQ(sell->findTableItem(t101)->imageIndex(), 3);
    EXPECT_TRUE(sell->clearTableBtn->isEnabled());
    for (QPushButton* b : {sell->menuBtn, sell->menuSendCookBtn, sell->servingBtn, sell->cancelMenuBtn})
        EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();

    // A remark being typed stays, stored by the refresh as when another window
    // gives way.
    clickOnMap(sell->tableListView, t102);
    QTest::keyClicks(sell->tableInsDescription, "VIP");
    anotherProgramInFront();
    programBackInFront();
    EXPECT_EQ(sell->tableInsDescription->toPlainText(), "VIP");
    EXPECT_EQ(scalar("select description from table_instance where id=51"), "VIP");

    // The cashier window likewise.
    main.openFunction(6);
    clickOnMap(cashier->tableListView, t102);
    EXPECT_TRUE(cashier->reckoningMenu->isEnabled());
    anotherProgramInFront();
    checkOutElsewhere(51, 2);
    programBackInFront();
    EXPECT_EQ(cashier->findTableItem(t102)->imageIndex(), 3);
    EXPECT_FALSE(cashier->reckoningMenu->isEnabled());
    EXPECT_EQ(answers.count(), 0);
}
