// The sell window's dish lines, batch ordering and the reservations of the meal,
// driven as a waiter would.
#include <QTemporaryDir>

#include "platform/Printers.h"
#include "reservation/ReserveUnit.h"
#include "service/SellFixture.h"

class SellDishLinesTest : public SellFormTest {
protected:
    void SetUp() override {
        SellFormTest::SetUp();
        // The ticket numbered `failingTicket` goes to a folder that does not exist.
        redirectPrintingToPdf({}, [this](const QString&) {
            ++tickets;
            return pdfDir.filePath(QString(tickets == failingTicket ? "missing/%1.pdf" : "%1.pdf").arg(tickets));
        });
    }
    void TearDown() override {
        stopRedirectingPrinting();
        SellFormTest::TearDown();
    }
    // Presses the button and chooses dishes in the dish window: (category slot, dish
    // slot) pairs, the dishes whose slot is negative made gifts; `meanwhile` runs
    // before "确定" (more work in the window, or another station's).
    static void order(QPushButton* button, std::vector<std::pair<int, int>> dishes,
                      std::function<void(TcarteForm*)> meanwhile = {}) {
        DialogScript script;
        script.expect<TcarteForm>([=](TcarteForm* d) {
            for (auto [type, dish] : dishes) {
                QTest::mouseClick(d->menuTypeButtons[size_t(type)], Qt::LeftButton);
                QTest::mouseClick(d->menuButtons[size_t(std::abs(dish))], Qt::LeftButton);
                if (dish < 0) click(d->largessMenu);
            }
            if (meanwhile) meanwhile(d);
            click(d->confirmButton);
        });
        click(button);
    }
    QStringList dishes() { return columnCells(form->tableMenuInsGrid, 1); }
    QString cell(int col, int row) { return form->tableMenuInsGrid->cell(col, row); }
    QStringList lines(int tableInsId) {
        return rows(QString("select menu_name||'/'||state||'/'||serving||'/'||print_state from menu_instance "
                            "where rela_type='MIR003' and consult_id=%1 order by id")
                        .arg(tableInsId));
    }
    // Double-clicks the row and types the quantity in the line editor; `meanwhile`
    // runs before "确定".
    void edit(int row, const QString& quantity, std::function<void()> meanwhile = {}) {
        DialogScript script;
        script.expect<TmenuInsForm>([=](TmenuInsForm* d) {
            type(d->quantity, quantity);
            if (meanwhile) meanwhile();
            click(d->confirmButton);
        });
        doubleClickRow(form->tableMenuInsGrid, row);
    }
    void pressOnRow(int row, QPushButton* button) {
        clickRow(form->tableMenuInsGrid, row);
        click(button);
    }

    QTemporaryDir pdfDir;
    int tickets = 0, failingTicket = 0;
};

TEST_F(SellDishLinesTest, OrdersPrintsServesReturnsAndEditsTheLinesOfATable) {
    addInstance(50, t101, "TIS001");
    fire(form->MTimer);
    clickTable(t101);
    order(form->menuBtn, {{0, 0}, {0, -1}, {2, 0}});  // 宫保鸡丁, 鱼香肉丝 as a gift, 青岛啤酒
    EXPECT_EQ(lines(50), (QStringList{"宫保鸡丁/MI001/MI004/MIP001", "鱼香肉丝/MI002/MI004/MIP001",
                                      "青岛啤酒/MI001/MI004/MIP001"}));
    EXPECT_EQ(dishes(), (QStringList{"宫保鸡丁", "鱼香肉丝", "青岛啤酒"}));
    EXPECT_EQ(columnCells(form->tableMenuInsGrid, 7), (QStringList{"未打印", "未打印", "未打印"}));

    click(form->menuSendCookBtn);
    EXPECT_EQ(tickets, 3);
    EXPECT_EQ(columnCells(form->tableMenuInsGrid, 7), (QStringList{"打印完成", "打印完成", "打印完成"}));
    // Served right after printing, without choosing the table again: the row's
    // record is the printed line, so a second print finds nothing due.
    pressOnRow(3, form->servingBtn);
    EXPECT_EQ(lines(50)[2], "青岛啤酒/MI001/MI003/MIP002");
    EXPECT_EQ(cell(6, 3), "已传");
    click(form->menuSendCookBtn);
    EXPECT_EQ(tickets, 3);
    pressOnRow(3, form->servingBtn);
    EXPECT_EQ(lines(50)[2], "青岛啤酒/MI001/MI004/MIP002");
    EXPECT_EQ(cell(6, 3), "未传");

    pressOnRow(1, form->cancelMenuBtn);
    EXPECT_EQ(lines(50)[0], "宫保鸡丁/MI005/MI004/MIP002");
    EXPECT_EQ(cell(5, 1), "退菜");
    click(form->cancelMenuBtn);  // and back
    EXPECT_EQ(lines(50)[0], "宫保鸡丁/MI001/MI004/MIP002");
    EXPECT_EQ(cell(5, 1), "正常");
    pressOnRow(2, form->cancelMenuBtn);
    EXPECT_EQ(answers.last(), "赠送的菜不能退！");
    edit(3, "6");
    EXPECT_EQ(lines(50), (QStringList{"宫保鸡丁/MI001/MI004/MIP002", "鱼香肉丝/MI002/MI004/MIP002",
                                      "青岛啤酒/MI001/MI004/MIP002"}));
    EXPECT_EQ(scalar("select quantity from menu_instance where menu_name='青岛啤酒'").toDouble(), 6);
    EXPECT_EQ(cell(3, 3), "6.00");
}

TEST_F(SellDishLinesTest, APrinterFailingHalfwayLeavesTheRestDueAndShowsWhatWasPrinted) {
    addInstance(50, t101, "TIS001");
    for (int id : {70, 71, 72}) addLine(id, 50, "MIR003", "米饭");
    fire(form->MTimer);
    clickTable(t101);
    failingTicket = 2;
    click(form->menuSendCookBtn);
    EXPECT_EQ(answers.count(), 1);
    EXPECT_EQ(columnCells(form->tableMenuInsGrid, 7), (QStringList{"打印完成", "未打印", "未打印"}));
    // Printed again, the first dish gets no second ticket.
    click(form->menuSendCookBtn);
    EXPECT_EQ(tickets, 4);
    EXPECT_EQ(rows("select distinct print_state from menu_instance"), QStringList{"MIP002"});
}

TEST_F(SellDishLinesTest, AStaleRowNeverUndoesAChangeMadeElsewhere) {
    addInstance(50, t101, "TIS001");
    addLine(70, 50, "MIR003", "宫保鸡丁");
    addLine(71, 50, "MIR003", "米饭");
    fire(form->MTimer);
    clickTable(t101);

    exec("update menu_instance set serving='MI003' where id=70");  // served by scanning its ticket
    exec("update menu_instance set quantity=3 where id=71");        // changed at the cashier
    pressOnRow(1, form->servingBtn);
    EXPECT_EQ(scalar("select serving from menu_instance where id=70"), "MI003");
    EXPECT_EQ(cell(6, 1), "已传");  // both rows shown as stored
    EXPECT_EQ(cell(3, 2), "3.00");

    exec("update menu_instance set quantity=5 where id=71");  // changed at the cashier again
    pressOnRow(2, form->cancelMenuBtn);
    EXPECT_EQ(scalar("select state||quantity from menu_instance where id=71"), "MI0015.0");
    EXPECT_EQ(cell(3, 2), "5.00");

    // Served while the editor was open: the edit is not written over it.
    edit(2, "4", [this] { exec("update menu_instance set serving='MI003' where id=71"); });
    EXPECT_EQ(scalar("select serving||quantity from menu_instance where id=71"), "MI0035.0");
    EXPECT_EQ(cell(6, 2), "已传");

    // A save that fails leaves the cell and the record as stored.
    failOn("UPDATE", "menu_instance");
    pressOnRow(2, form->servingBtn);
    EXPECT_EQ(cell(6, 2), "已传");
    EXPECT_EQ(form->tableMenuInsGrid->object<TPOMenuIns>(2)->getServing(), "MI003");
}

TEST_F(SellDishLinesTest, AWaiterAtAnotherStationLosesNoDishAndNoServing) {
    addInstance(50, t101, "TIS001");
    addLine(70, 50, "MIR003", "米饭");
    fire(form->MTimer);
    clickTable(t101);
    // Both waiters order for 101 at once: the other one's beer stays beside this one's dish.
    order(form->menuBtn, {{0, 0}}, [&](TcarteForm*) { addLine(71, 50, "MIR003", "青岛啤酒"); });
    const QStringList ordered{"米饭/MI001/MI004/MIP001", "青岛啤酒/MI001/MI004/MIP001", "宫保鸡丁/MI001/MI004/MIP001"};
    EXPECT_EQ(lines(50), ordered);
    EXPECT_EQ(dishes(), (QStringList{"米饭", "青岛啤酒", "宫保鸡丁"}));
    EXPECT_EQ(answers.count(), 0);

    // The rice is served by scanning its ticket while this waiter asks for one
    // more of it and a new dish: nothing is written, and the rice shows served.
    order(form->menuBtn, {{0, 0}}, [&](TcarteForm* d) {
        clickRow(d->selectMenuGrid, 1);
        click(d->addMenuIns);
        exec("update menu_instance set serving='MI003' where id=70");
    });
    EXPECT_EQ(answers.texts(), QStringList{"菜单已变化，请刷新后重试！"});
    EXPECT_EQ(lines(50), QStringList{"米饭/MI001/MI003/MIP001"} + ordered.mid(1));
    EXPECT_EQ(scalar("select quantity from menu_instance where id=70").toDouble(), 1);
    EXPECT_EQ(dishes(), (QStringList{"米饭", "青岛啤酒", "宫保鸡丁"}));
    EXPECT_EQ(cell(6, 1), "已传");
}

TEST_F(SellDishLinesTest, ARunnersScanAndACashiersCorrectionMeanwhileKeepTheWaitersNewDishes) {
    addInstance(50, t101, "TIS001");
    addLine(70, 50, "MIR003", "米饭");
    addLine(71, 50, "MIR003", "青岛啤酒", 8, 2);
    fire(form->MTimer);
    clickTable(t101);
    // While the waiter picks two dishes, the rice is served by scanning its ticket
    // and the beer set to 5 at the cashier.
    order(form->menuBtn, {{0, 0}, {1, 0}}, [&](TcarteForm*) {
        exec("update menu_instance set serving='MI003' where id=70");
        exec("update menu_instance set quantity=5 where id=71");
    });
    EXPECT_EQ(answers.count(), 0);
    EXPECT_EQ(lines(50), (QStringList{"米饭/MI001/MI003/MIP001", "青岛啤酒/MI001/MI004/MIP001",
                                      "宫保鸡丁/MI001/MI004/MIP001", "拍黄瓜/MI001/MI004/MIP001"}));
    EXPECT_EQ(scalar("select quantity from menu_instance where id=71").toDouble(), 5);
    EXPECT_EQ(dishes(), (QStringList{"米饭", "青岛啤酒", "宫保鸡丁", "拍黄瓜"}));
    EXPECT_EQ(cell(6, 1), "已传");
    EXPECT_EQ(cell(3, 2), "5.00");
}

TEST_F(SellDishLinesTest, OrderingAndPrintingNeedATableStillInUseAndShowWhatIsStored) {
    addInstance(50, t101, "TIS001");
    addLine(70, 50, "MIR003", "米饭");
    addInstance(51, t102, "TIS001");
    fire(form->MTimer);
    clickTable(t101);
    // The saving transaction fails: the lines as stored are shown, the old one kept.
    failOn("INSERT", "menu_instance");
    order(form->menuBtn, {{0, 0}});
    EXPECT_EQ(dishes(), QStringList{"米饭"});
    EXPECT_EQ(lines(50), QStringList{"米饭/MI001/MI004/MIP001"});
    exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));

    // Checked out at the cashier while the dishes were chosen.
    order(form->menuBtn, {{0, 0}}, [&](TcarteForm*) { exec("update table_instance set state='TIS002' where id=50"); });
    EXPECT_EQ(answers.last(), "台桌状态已变化，请刷新后重试！");
    EXPECT_TRUE(!form->menuBtn->isEnabled() && form->clearTableBtn->isEnabled());
    EXPECT_EQ(item(t101)->imageIndex(), 3);
    EXPECT_EQ(dishes(), QStringList{"米饭"});

    // Checked out before "点菜": no dish window (the empty script fails on any), no line.
    exec("update table_instance set state='TIS001' where id=50");
    form->refreshTable->trigger();
    ASSERT_TRUE(form->menuBtn->isEnabled());
    exec("update table_instance set state='TIS002' where id=50");
    {
        DialogScript none;
        click(form->menuBtn);
    }
    EXPECT_EQ(answers.last(), "台桌(101)不是在用状态!");
    EXPECT_TRUE(form->clearTableBtn->isEnabled() && !form->menuBtn->isEnabled());
    EXPECT_EQ(lines(50), QStringList{"米饭/MI001/MI004/MIP001"});

    // Cancelled by another waiter meanwhile: no ticket, and the table shown free.
    clickTable(t102);
    exec("update table_instance set state='TIS004' where id=51");
    click(form->menuSendCookBtn);
    EXPECT_EQ(answers.last(), "台桌(102)不是在用状态!");
    EXPECT_EQ(tickets, 0);
    EXPECT_TRUE(form->startRepastBtn->isEnabled());
}

TEST_F(SellDishLinesTest, AddsTheChosenDishesToEveryBatchTable) {
    click(form->addMenuBtn);
    EXPECT_EQ(answers.last(), "请选择台桌！");
    for (int t : {t101, t102, t103}) addInstance(49 + t, t, "TIS001");
    fire(form->MTimer);
    for (int t : {t101, t102, t103}) doubleClickTable(t);
    clickTable(t102);

    // A batch table checked out meanwhile is named before any dish window opens (the
    // empty script fails on one), and its row shows it.
    exec("update table_instance set state='TIS002' where id=51");
    {
        DialogScript none;
        click(form->addMenuBtn);
    }
    EXPECT_EQ(answers.last(), "台桌(102)不是在用状态!");
    EXPECT_EQ(columnCells(form->tableBatGrid, 2), (QStringList{"使用中", "结账完成", "使用中"}));
    EXPECT_EQ(item(t102)->imageIndex(), 3);
    EXPECT_EQ(scalarInt("select count(*) from menu_instance"), 0);

    exec("update table_instance set state='TIS001' where id=51");
    fire(form->MTimer);
    clickTable(t102);
    order(form->addMenuBtn, {{0, 0}, {2, 0}});
    for (int ins : {50, 51, 52}) EXPECT_EQ(lines(ins), (QStringList{"宫保鸡丁/MI001/MI004/MIP001", "青岛啤酒/MI001/MI004/MIP001"}));
    EXPECT_EQ(scalarInt("select count(distinct id) from menu_instance"), 6);
    EXPECT_EQ(dishes(), (QStringList{"宫保鸡丁", "青岛啤酒"}));  // the selected table, refilled
    EXPECT_EQ(form->tableBatGrid->tableCount(), 3);

    // One table's lines fail: the others still get theirs.
    failOn("INSERT", "menu_instance", "new.consult_id=51");
    order(form->addMenuBtn, {{1, 0}});
    EXPECT_EQ(scalar("select group_concat(consult_id) from menu_instance where menu_name='拍黄瓜'"), "50,52");

    // One table checked out while the dishes were chosen: named, the others get theirs.
    order(form->addMenuBtn, {{0, 0}}, [&](TcarteForm*) { exec("update table_instance set state='TIS002' where id=52"); });
    EXPECT_EQ(answers.last(), "台桌(103)不是在用状态!");
    EXPECT_EQ(scalar("select group_concat(consult_id) from menu_instance where menu_name='宫保鸡丁'"), "50,51,52,50");
    EXPECT_EQ(columnCells(form->tableBatGrid, 2), (QStringList{"使用中", "使用中", "结账完成"}));
}

TEST_F(SellDishLinesTest, OpensTheBookedTablesOfAReservationOfThisMeal) {
    addReserve(10, "R001");
    addReserve(11, "R004");
    addBooking(20, 10, t103, lunch, today);
    addBooking(21, 10, t104, lunch, today);
    addBooking(22, 10, t105, dinner, today);
    addBooking(23, 10, t103, lunch, today + 1);
    addBooking(24, 11, t101, lunch, today);
    addLine(60, 10, "MIR001", "米饭");
    addInstance(50, t104, "TIS002");  // last guests checked out, not yet cleared
    addInstance(51, t102, "TIS001");
    fire(form->MTimer);
    TReservePanel* panel = form->reservePanel;
    ASSERT_EQ(panel->reserveGrid->rowCount(), 3);
    EXPECT_EQ(rowCells(panel->reserveGrid, 1).mid(1, 3), (QStringList{"客10", "2", "预订中"}));
    clickRow(panel->reserveGrid, 1);
    ASSERT_EQ(panel->reTableGrid->rowCount(), 5);  // every date and meal
    EXPECT_EQ(rowCells(panel->reTableGrid, 4).mid(2, 2), (QStringList{"预订中", "2024-05-11"}));

    // Outside meal time the panel keeps its rows and opens nothing.
    setNowForTest(encodeDateTime(2024, 5, 10, 15, 0, 0));
    fire(form->eatTimer);
    fire(form->MTimer);
    click(form->startRepastsBtn);
    EXPECT_EQ(panel->reserveGrid->rowCount(), 3);
    EXPECT_EQ(scalarInt("select count(*) from table_instance"), 2);

    // The remark typed for the table shown does not go to the opened ones.
    setNowForTest(encodeDateTime(2024, 5, 10, 12, 0, 0));
    fire(form->eatTimer);
    clickTable(t102);
    QTest::keyClicks(form->tableInsDescription, "VIP");
    clickRow(panel->reserveGrid, 1);
    click(form->startRepastsBtn);
    EXPECT_EQ(rows("select table_id||'/'||reserve_table_id||'/'||description from table_instance "
                   "where state='TIS001' and id<>51 order by table_id"),
              (QStringList{"3/20/", "4/21/"}));
    EXPECT_EQ(rows("select state from reserve_table where reserve_id=10 order by id"),
              (QStringList{"RT002", "RT002", "RT001", "RT001"}));
    EXPECT_EQ(scalarInt("select count(*) from menu_instance where rela_type='MIR003' and menu_name='米饭'"), 2);
    EXPECT_EQ(panel->reTableGrid->cell(2, 1), "完成");

    // A cancelled reservation is listed, but its booking is never taken over.
    EXPECT_EQ(panel->reserveGrid->cell(3, 2), "退订");
    clickRow(panel->reserveGrid, 2);
    click(form->startRepastsBtn);
    EXPECT_EQ(scalar("select state from reserve_table where id=24"), "RT001");
    EXPECT_EQ(instanceState(t101), "");

    // Viewed read-only, and still the chosen one after the panel's refill.
    exec("update reserve set state='R003' where id=11");  // and now listed first
    exec("update reserve set state='R004' where id=10");
    DialogScript script;
    script.expect<TreserveForm>([](TreserveForm* d) {
        EXPECT_EQ(d->guestName->text(), "客11");
        EXPECT_FALSE(d->guestInforArea->isEnabled() || d->tableListView->isEnabled());
        click(d->cancelButton);
    });
    click(form->viewReserveBtn);
    EXPECT_EQ(panel->reserveGrid->cell(1, 1) + panel->reserveGrid->cell(3, 1), "客11用户没来");
    EXPECT_EQ(panel->reserveGrid->row(), 1);
}

TEST_F(SellDishLinesTest, OpeningAReservationLeavesItsTablesAlreadyTakenOver) {
    addReserve(12, "R001");
    addBooking(30, 12, t103, lunch, today, "RT002");  // its guests came first
    addBooking(31, 12, t104, lunch, today);
    addInstance(50, t103, "TIS001");
    exec("update table_instance set reserve_table_id=30 where id=50");
    fire(form->MTimer);
    clickRow(form->reservePanel->reserveGrid, 1);
    click(form->startRepastsBtn);
    EXPECT_EQ(answers.count(), 0);
    EXPECT_EQ(rows("select table_id||'/'||reserve_table_id||'/'||state from table_instance order by table_id"),
              (QStringList{"3/30/TIS001", "4/31/TIS001"}));
}

TEST_F(SellDishLinesTest, TheEditorWorksOnBookedLinesAndNotOnACheckedOutTablesLines) {
    addReserve(10, "R001");
    addBooking(20, 10, t103, lunch, today);
    addLine(60, 20, "MIR002", "宫保鸡丁");
    addInstance(50, t104, "TIS002");
    addLine(70, 50, "MIR003", "米饭");
    fire(form->MTimer);
    clickTable(t103);
    edit(1, "2");
    EXPECT_EQ(scalar("select quantity from menu_instance where id=60").toDouble(), 2);
    // The grid of a settled table still shows its lines, but they keep what was billed.
    clickTable(t104);
    {
        DialogScript noEditor;
        doubleClickRow(form->tableMenuInsGrid, 1);
    }
    EXPECT_EQ(answers.texts(), QStringList{"台桌(104)不是在用状态!"});
    EXPECT_EQ(scalar("select quantity from menu_instance where id=70").toDouble(), 1);
}

TEST_F(SellDishLinesTest, DishCommandsOnATableMergedElsewhereShowTheTablesAsTheyAreNow) {
    addInstance(51, t102, "TIS001");
    addLine(71, 51, "MIR003", "宫保鸡丁");
    fire(form->MTimer);
    // Merged onto 103 at another station: "传菜" finds the line moved.
    clickTable(t102);
    exec("update table_instance set state='TIS005' where id=51");
    addInstance(60, t103, "TIS001");
    exec("update menu_instance set consult_id=60 where id=71");
    pressOnRow(1, form->servingBtn);
    EXPECT_EQ(scalar("select serving from menu_instance where id=71"), "MI004");
    EXPECT_TRUE(form->startRepastBtn->isEnabled() && dishes().isEmpty());
    EXPECT_EQ(item(t103)->imageIndex(), 1);
}

TEST_F(SellDishLinesTest, ALineOfATableCheckedOutAtAnotherStationKeepsWhatItWasBilledWith) {
    addInstance(50, t101, "TIS001");
    addLine(70, 50, "MIR003", "米饭");
    addLine(71, 50, "MIR003", "青岛啤酒", 8, 2);
    addInstance(51, t102, "TIS001");
    addLine(72, 51, "MIR003", "宫保鸡丁", 38);
    fire(form->MTimer);
    clickTable(t101);
    checkOutElsewhere(50, 1);  // this window still shows 101 in use

    // Serving changes no amount: still marked on a settled table.
    pressOnRow(1, form->servingBtn);
    EXPECT_EQ(lines(50)[0], "米饭/MI001/MI003/MIP001");
    EXPECT_EQ(answers.count(), 0);
    // Returning the rice would take it off a bill already paid.
    pressOnRow(1, form->cancelMenuBtn);
    EXPECT_EQ(answers.texts(), QStringList{"台桌(101)不是在用状态!"});
    EXPECT_EQ(lines(50)[0], "米饭/MI001/MI003/MIP001");
    EXPECT_EQ(item(t101)->imageIndex(), 3);
    EXPECT_TRUE(form->clearTableBtn->isEnabled());
    for (QPushButton* b : {form->menuBtn, form->menuSendCookBtn, form->servingBtn, form->cancelMenuBtn})
        EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
    {
        DialogScript noEditor;  // the line editor does not open on a settled line
        doubleClickRow(form->tableMenuInsGrid, 2);
    }
    EXPECT_EQ(answers.texts().mid(1), QStringList{"台桌(101)不是在用状态!"});

    // 102 checked out while its line is in the editor: the edit is not written.
    clickTable(t102);
    edit(1, "3", [this] { checkOutElsewhere(51, 2); });
    EXPECT_EQ(answers.texts().mid(2), QStringList{"台桌(102)不是在用状态!"});
    EXPECT_EQ(lines(51), QStringList{"宫保鸡丁/MI001/MI004/MIP001"});
    EXPECT_EQ(scalar("select quantity from menu_instance where id=72"), "1");
    EXPECT_FALSE(form->menuBtn->isEnabled());
    EXPECT_EQ(billsAgainstLines(), (QStringList{"1: 28.5 / 28.5", "2: 38.0 / 38.0"}));

    // A booked line of a reserved table is still edited as before.
    addReserve(10, "R001");
    addBooking(20, 10, t103, lunch, today);
    addLine(60, 20, "MIR002", "例汤");
    fire(form->MTimer);
    clickTable(t103);
    edit(1, "4");
    EXPECT_EQ(scalar("select quantity from menu_instance where id=60"), "4");
    EXPECT_EQ(answers.count(), 3);
}
