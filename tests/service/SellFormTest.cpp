// The sell window driven as a waiter would, on the sample restaurant at lunch time.
#include "backoffice/TableAttribUnit.h"
#include "frame/FloorButtonsUnit.h"
#include "service/SellFixture.h"

TEST_F(SellFormTest, OpensAFreeTableOnlyWhileItIsFree) {
    EXPECT_EQ(form->eatLable->text(), "午餐");
    clickTable(t101);
    EXPECT_TRUE(form->startRepastBtn->isEnabled() && !form->switchTable->isEnabled());
    click(form->startRepastBtn);
    EXPECT_EQ(instanceState(t101), "TIS001");
    EXPECT_EQ(item(t101)->imageIndex(), 1);
    EXPECT_EQ(form->tableInforArea->title(), "101");
    EXPECT_EQ(form->startRepastTimeLable->text(), "12点00分");
    EXPECT_FALSE(form->startRepastBtn->isEnabled() || form->clearTableBtn->isEnabled());
    EXPECT_TRUE(form->menuBtn->isEnabled() && form->tableInsDescription->isEnabled() &&
                form->switchTable->isEnabled() && form->cancelTable->isEnabled());

    // 102 still looks free here when another station opens it.
    clickTable(t102);
    addInstance(50, t102, "TIS001");
    click(form->startRepastBtn);
    EXPECT_EQ(answers.last(), "台桌(102)已被占用!");
    EXPECT_EQ(instanceState(t102), "TIS001");
    EXPECT_EQ(item(t102)->imageIndex(), 1);

    // Disabled in the layout editor while shown: not opened, off the map, no command.
    clickTable(t105);
    exec("update table_spec set state='TS002' where id=5");
    click(form->startRepastBtn);
    EXPECT_EQ(instanceState(t105), "");
    EXPECT_EQ(item(t105), nullptr);
    EXPECT_FALSE(form->startRepastBtn->isEnabled() || form->menuBtn->isEnabled() || form->clearTableBtn->isEnabled());
}

TEST_F(SellFormTest, OpeningABookedTableTakesTheBookingOverAndCopiesItsDishesUnlessTheOpenFails) {
    addReserve(10, "R001");
    addBooking(20, 10, t103, lunch, today);
    addBooking(21, 10, t104, lunch, today);
    addLine(60, 20, "MIR002", "宫保鸡丁");
    addLine(61, 10, "MIR001", "米饭");
    addLine(62, 10, "MIR001", "例汤");
    fire(form->MTimer);
    EXPECT_EQ(item(t103)->imageIndex(), 2);
    clickTable(t103);
    EXPECT_EQ(columnCells(form->tableMenuInsGrid, 1), QStringList{"宫保鸡丁"});  // the booking's own line
    failOn("INSERT", "table_instance");
    click(form->startRepastBtn);
    EXPECT_EQ(rows("select state from reserve_table union all select state from reserve"),
              (QStringList{"RT001", "RT001", "R001"}));
    EXPECT_EQ(scalarInt("select count(*) from menu_instance where rela_type='MIR003'"), 0);
    EXPECT_EQ(item(t103)->imageIndex(), 2);
    exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));

    click(form->startRepastBtn);
    EXPECT_EQ(rows("select state from reserve_table where id=20 union all select state from reserve"),
              (QStringList{"RT002", "R001"}));  // 104 still booked
    EXPECT_EQ(rows("select t.reserve_table_id||'/'||m.menu_name from table_instance t join menu_instance m "
                   "on m.consult_id=t.id and m.rela_type='MIR003' where t.table_id=3"),
              QStringList{"20/宫保鸡丁"});
    EXPECT_EQ(columnCells(form->tableMenuInsGrid, 1), QStringList{"宫保鸡丁"});

    // The last booked table: no lines of its own, so the reservation's are copied.
    clickTable(t104);
    click(form->startRepastBtn);
    EXPECT_EQ(scalar("select state from reserve where id=10"), "R002");
    EXPECT_EQ(rows("select m.menu_name from table_instance t join menu_instance m on m.consult_id=t.id "
                   "and m.rela_type='MIR003' where t.table_id=4 order by m.id"),
              (QStringList{"米饭", "例汤"}));
    EXPECT_EQ(columnCells(form->tableMenuInsGrid, 1), (QStringList{"米饭", "例汤"}));
}

TEST_F(SellFormTest, ClearsATableCheckedOutMeanwhileAndCancelsAnInUseOneAfterTheQuestion) {
    addInstance(50, t101, "TIS001");
    addInstance(51, t102, "TIS001");
    fire(form->MTimer);
    clickTable(t101);
    // Checked out at the cashier: "刷新" shows the table's buttons as they are now.
    exec("update table_instance set state='TIS002' where id=50");
    form->refreshTable->trigger();
    EXPECT_TRUE(form->clearTableBtn->isEnabled() && !form->menuBtn->isEnabled() && !form->cancelTable->isEnabled());
    EXPECT_FALSE(form->startRepastBtn->isEnabled() || form->tableInsDescription->isEnabled() ||
                 form->switchTable->isEnabled() || form->servingBtn->isEnabled() ||
                 form->cancelMenuBtn->isEnabled() || form->menuSendCookBtn->isEnabled());
    click(form->clearTableBtn);
    EXPECT_TRUE(form->startRepastBtn->isEnabled() && !form->clearTableBtn->isEnabled());
    EXPECT_EQ(instanceState(t101), "TIS003");
    EXPECT_DOUBLE_EQ(scalar("select end_time from table_instance where id=50").toDouble(), double(Now()));
    EXPECT_EQ(item(t101)->imageIndex(), 0);

    clickTable(t102);
    form->clearTableBtnClick();  // not checked out: nothing
    answers.push(AnsNo);
    form->cancelTable->trigger();
    EXPECT_EQ(answers.last(), "(102)是否真的要退台?");
    EXPECT_EQ(instanceState(t102), "TIS001");
    form->cancelTable->trigger();
    EXPECT_EQ(answers.last(), "退台成功!");
    EXPECT_EQ(instanceState(t102), "TIS004");
    EXPECT_EQ(item(t102)->imageIndex(), 0);
    EXPECT_FALSE(form->cancelTable->isEnabled());

    // Checked out at the cashier while the window still showed it in use: no question.
    addInstance(52, t103, "TIS001");
    fire(form->MTimer);
    clickTable(t103);
    exec("update table_instance set state='TIS002' where id=52");
    answers.clear();
    form->cancelTable->trigger();
    EXPECT_EQ(answers.count(), 0);
    EXPECT_EQ(instanceState(t103), "TIS002");
}

TEST_F(SellFormTest, AnEditedRemarkSurvivesRefillsAndOnlyAnEditedOneIsWritten) {
    addInstance(50, t101, "TIS001");
    fire(form->MTimer);
    clickTable(t101);
    QTest::keyClicks(form->tableInsDescription, "no chili");
    fire(form->MTimer);
    EXPECT_EQ(scalar("select description from table_instance where id=50"), "no chili");
    EXPECT_EQ(form->tableInsDescription->toPlainText(), "no chili");  // the timer leaves the info area
    EXPECT_EQ(form->tableListView->selectedTableItem(), item(t101));

    // Another station's remark is not overwritten by a refill without an edit.
    exec("update table_instance set description='VIP' where id=50");
    fire(form->MTimer);
    QTest::mouseClick(form->floorButtons->floor2, Qt::LeftButton);
    EXPECT_EQ(scalar("select description from table_instance where id=50"), "VIP");
    EXPECT_EQ(form->tableInforArea->title(), "101");  // a floor change keeps the info area

    // A save that fails keeps the edit for the next refill.
    failOn("UPDATE", "table_instance");
    QTest::keyClicks(form->tableInsDescription, "?");
    fire(form->MTimer);
    EXPECT_EQ(answers.count(), 1);
    EXPECT_EQ(scalar("select description from table_instance where id=50"), "VIP");
    exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));
    fire(form->MTimer);
    EXPECT_EQ(scalar("select description from table_instance where id=50"), "no chili?");

    QTest::keyClicks(form->tableInsDescription, "!");
    form->close();
    form = nullptr;
    flushDeletes();
    EXPECT_EQ(scalar("select description from table_instance where id=50"), "no chili?!");
}

TEST_F(SellFormTest, MealLabelFollowsTheClockWithBothEndsIncluded) {
    const std::pair<int, const char*> cases[] = {{36000, "早餐"}, {36001, "非就餐时间"}, {50400, "午餐"}, {77401, "非就餐时间"}};
    for (auto [second, label] : cases) {
        setNowForTest(encodeDateTime(2024, 5, 10, second / 3600, second / 60 % 60, second % 60));
        fire(form->eatTimer);
        EXPECT_EQ(form->eatLable->text(), QString::fromUtf8(label)) << second;
    }
    EXPECT_EQ(form->eatId(), 0);
}

TEST_F(SellFormTest, PropertiesShowTheSelectedTableReadOnly) {
    DialogScript script;
    form->attribTable->trigger();  // no table selected: no dialog
    clickTable(t103);
    script.expect<TtableAttribForm>([](TtableAttribForm* d) {
        EXPECT_EQ(d->nameTable->text(), "103");
        EXPECT_FALSE(d->confirmButton->isEnabled() || d->stateGroupBox->isEnabled() ||
                     d->basicInformationGroupBox->isEnabled());
    });
    form->attribTable->trigger();
}

TEST_F(SellFormTest, SwitchesToAFreeTableOnlyAndKeepsTheInstance) {
    addInstance(50, t101, "TIS001", "靠窗");
    addInstance(51, t102, "TIS001");
    addInstance(52, t104, "TIS002");
    addReserve(10, "R001");
    addBooking(20, 10, t103, lunch, today);
    addLine(70, 50, "MIR003", "宫保鸡丁");
    fire(form->MTimer);
    clickTable(t101);
    // In use, booked for this meal, checked out and not yet cleared: none is free.
    for (int taken : {t102, t103, t104}) {
        answers.clear();
        picking(1, taken, [&] { form->switchTable->trigger(); });
        EXPECT_EQ(answers.texts(), QStringList{"你选择桌台不是处于空闲状态!"}) << taken;
        EXPECT_EQ(scalarInt("select table_id from table_instance where id=50"), t101) << taken;
    }
    EXPECT_EQ(rows("select table_id||state from table_instance order by id"), (QStringList{"1TIS001", "2TIS001", "4TIS002"}));
    EXPECT_EQ(scalar("select state from reserve_table where id=20"), "RT001");

    picking(2, peony, [&] { form->switchTable->trigger(); });
    EXPECT_EQ(answers.last(), "转台成功!");
    EXPECT_EQ(rows("select id,table_id,table_name,state,description from table_instance where table_id in (1,7)"),
              QStringList{"50|7|牡丹厅|TIS001|靠窗"});
    EXPECT_EQ(form->floorButtons->currentFloor(), 2);
    EXPECT_EQ(form->tableInforArea->title(), "牡丹厅");
    EXPECT_EQ(form->tableListView->selectedTableItem(), item(peony));  // on its own floor
    EXPECT_EQ(columnCells(form->tableMenuInsGrid, 1), QStringList{"宫保鸡丁"});
    EXPECT_EQ(tableState(t101), "TS001");
}

TEST_F(SellFormTest, MergesTheBatchOntoAFreeTableOrOneOfItsOwn) {
    addInstance(50, t101, "TIS001", "生日");
    addInstance(51, t102, "TIS001");
    addInstance(52, t105, "TIS001");
    addLine(70, 50, "MIR003", "宫保鸡丁");
    addLine(71, 51, "MIR003", "米饭");
    fire(form->MTimer);
    doubleClickTable(t104);
    EXPECT_EQ(answers.last(), "只能选择使用中的台桌!");
    doubleClickTable(t101);
    doubleClickTable(t102);
    EXPECT_EQ(columnCells(form->tableBatGrid, 2), (QStringList{"使用中", "使用中"}));
    const auto mergeOnto = [&](int tableId) { picking(1, tableId, [&] { click(form->mergeBtn); }); };
    mergeOnto(t105);  // in use and not in the batch
    EXPECT_EQ(answers.last(), "您选择的台桌不是处于空闲状态!");
    mergeOnto(t103);
    const int merged = scalarInt("select id from table_instance where table_id=3 and state='TIS001'");
    EXPECT_EQ(rows("select id||state from table_instance where id in (50,51)"), (QStringList{"50TIS005", "51TIS005"}));
    EXPECT_EQ(scalarInt(QString("select count(*) from menu_instance where consult_id=%1").arg(merged)), 2);
    EXPECT_EQ(form->tableBatGrid->tableCount(), 0);
    EXPECT_EQ(form->tableInforArea->title(), "103");
    EXPECT_EQ(form->tableMenuInsGrid->rowCount(), 3);  // 103 selected with both lines

    // A batch table checked out meanwhile stops the merge before any choice.
    doubleClickTable(t103);
    doubleClickTable(t105);
    exec("update table_instance set state='TIS002' where id=52");
    click(form->mergeBtn);
    EXPECT_EQ(answers.last(), "台桌(105)不是在用状态!");
    EXPECT_EQ(instanceState(t105), "TIS002");

    // A target in the batch is taken whatever its state; an empty batch only opens the target.
    click(form->clearTableBatBtn);  // 105's row goes, 103's stays
    mergeOnto(t103);
    EXPECT_EQ(scalarInt("select count(*) from table_instance where table_id=3 and state='TIS001'"), 1);
    EXPECT_EQ(scalar(QString("select state from table_instance where id=%1").arg(merged)), "TIS005");
    mergeOnto(t104);
    EXPECT_EQ(instanceState(t104), "TIS001");
}

TEST_F(SellFormTest, DishLinesAndReservationStatesShowWholeInAWindowMaximisedOnACommonScreen) {
    addInstance(900, t102, "TIS001");
    addLine(900, 900, "MIR003", "宫保鸡丁");
    const QString longName = QString("宫保鸡丁配花生米").repeated(5);  // 40 characters
    addLine(901, 900, "MIR003", longName);
    exec("update menu_instance set print_state='MIP002' where id=900");
    addReserve(10, "R002");
    addBooking(20, 10, t103, lunch, today, "RT002");
    addReserve(11, "R003");
    addBooking(21, 11, t104, lunch, today);
    form->resize(1366 - 185, 768 - 120);  // the main window's function tree, menu and bars taken off
    fire(form->MTimer);
    clickTable(t102);
    // Each column as wide as its texts need, so none ends in "…", the last one in sight.
    TMenuInsGrid* lines = form->tableMenuInsGrid;
    TStringGrid* reserves = form->reserveGrid;
    ASSERT_EQ(lines->cell(7, 1), "打印完成");
    const auto whole = [](TStringGrid* grid, int col, int row) {
        return grid->columnWidth(col) >= grid->sizeHintForIndex(grid->model()->index(row, col)).width();
    };
    for (int col = 0; col < lines->colCount(); ++col) EXPECT_TRUE(whole(lines, col, 1)) << col;
    ASSERT_EQ(columnCells(reserves, 3), (QStringList{"正常完成", "用户没来"}));
    EXPECT_TRUE(whole(reserves, 3, 1) && whole(reserves, 3, 2));
    EXPECT_LE(lines->columnViewportPosition(7) + lines->columnWidth(7), lines->viewport()->width());
    EXPECT_LE(reserves->columnViewportPosition(3) + reserves->columnWidth(3), reserves->viewport()->width());
    // The long name is cut, the other columns stay in sight; the tooltip has it whole.
    ASSERT_EQ(lines->cell(1, 2), longName);
    EXPECT_EQ(lines->item(2, 1)->toolTip(), longName);
    EXPECT_EQ(lines->item(1, 1)->toolTip(), QString());  // shown whole already
    // All five columns of the booked tables fit the narrow panel, each text whole.
    TStringGrid* booked = form->reTableGrid;
    ASSERT_EQ(gridRows(booked), QStringList{"1|103|完成|2024-05-10|午餐"});
    for (int col = 0; col < booked->colCount(); ++col) EXPECT_TRUE(whole(booked, col, 1)) << col;
    EXPECT_LE(booked->columnViewportPosition(4) + booked->columnWidth(4), booked->viewport()->width());
}

TEST_F(SellFormTest, ATableDeselectedBeforeTheMinuteRefillIsSelectedAgainByAClick) {
    addInstance(50, t101, "TIS001");
    fire(form->MTimer);
    clickTable(t101);
    QTest::mouseClick(form->tableListView->viewport(), Qt::LeftButton, {}, QPoint(5, 5));  // an empty spot
    EXPECT_FALSE(form->switchTable->isEnabled() || form->cancelTable->isEnabled());
    fire(form->MTimer);
    clickTable(t101);
    EXPECT_TRUE(form->switchTable->isEnabled() && form->cancelTable->isEnabled());
    fire(form->MTimer);  // a selected table stays selected through the refill
    EXPECT_EQ(form->tableListView->selectedItem(), item(t101));
}

TEST_F(SellFormTest, TableCommandsOnTablesChangedElsewhereShowTheTablesAsTheyAreNow) {
    addInstance(50, t101, "TIS001");
    addInstance(51, t102, "TIS001");
    addInstance(52, t104, "TIS002");
    addInstance(53, t105, "TIS001");
    fire(form->MTimer);
    doubleClickTable(t101);
    doubleClickTable(t102);
    clickTable(t101);

    // "刷新": the selected table's buttons follow its state, the batch rows theirs.
    exec("update table_instance set state='TIS002' where id=50");  // checked out at the cashier
    exec("update table_instance set state='TIS004' where id=51");  // cancelled by another waiter
    form->refreshTable->trigger();
    EXPECT_TRUE(form->clearTableBtn->isEnabled() && !form->menuBtn->isEnabled() && !form->cancelTable->isEnabled());
    EXPECT_EQ(item(t102)->imageIndex(), 0);
    EXPECT_EQ(columnCells(form->tableBatGrid, 2), (QStringList{"结账完成", "空闲"}));

    // "清除" of a table cleared first at another station.
    clickTable(t104);
    exec("update table_instance set state='TIS003' where id=52");
    click(form->clearTableBtn);
    EXPECT_TRUE(form->startRepastBtn->isEnabled() && !form->clearTableBtn->isEnabled());
    EXPECT_EQ(item(t104)->imageIndex(), 0);

    // "转台" onto a table opened at another station while the selector was open.
    clickTable(t105);
    {
        DialogScript script;
        script.expect<TtableSelecterForm>([&](TtableSelecterForm* d) {
            clickOnMap(d->tableListView, t104, true);
            addInstance(54, t104, "TIS001");
            click(d->confirmBtn);
        });
        form->switchTable->trigger();
    }
    EXPECT_EQ(answers.last(), "你选择桌台不是处于空闲状态!");
    EXPECT_EQ(item(t104)->imageIndex(), 1);

    // "退台" and a remark edit of a table checked out meanwhile.
    exec("update table_instance set state='TIS002' where id=53");
    form->cancelTable->trigger();
    EXPECT_TRUE(form->clearTableBtn->isEnabled() && !form->cancelTable->isEnabled());
    clickTable(t104);
    QTest::keyClicks(form->tableInsDescription, "no chili");
    exec("update table_instance set state='TIS002' where id=54");
    QTest::mouseClick(form->tableListView->viewport(), Qt::LeftButton, {},
                      form->tableListView->viewport()->rect().bottomRight() - QPoint(5, 5));  // off every table
    EXPECT_EQ(item(t104)->imageIndex(), 3);
    EXPECT_EQ(scalar("select description from table_instance where id=54"), "");
}
