#include <tuple>

#include "data/TableInsMgrUnit.h"
#include "service/ReckoningUnit.h"
#include "service/ServiceFixture.h"

namespace {
class ReckoningTest : public LunchTest {
protected:
    void SetUp() override {
        LunchTest::SetUp();
        setNowForTest(encodeDateTime(2024, 5, 10, 12, 30, 15));
        currentEmployeeId = 3;
        currentUserName = QStringLiteral("李四");
    }
    // A served line of the table instance.
    void addLine(int id, int tableInsId, const QString& dish, double price, double quantity, const QString& state,
                 const QString& serving = "MI003") {
        LunchTest::addLine(id, tableInsId, "MIR003", dish, price, quantity, state, serving);
    }
    static std::vector<TPOTableIns> instances(std::initializer_list<int> ids) {
        std::vector<TPOTableIns> list;
        for (int id : ids) list.push_back(*TTableInsMgr::getTableInsById(id));
        return list;
    }
    static bool reckon(std::initializer_list<int> ids, std::function<void(TReckoningForm*)> action,
                       std::function<void(TmenuInsForm*)> editing = {}) {
        std::vector<TPOTableIns> list = instances(ids);
        return reckon(list, std::move(action), std::move(editing));
    }
    // Runs the action while the checkout dialog shows the instances' bill, and the
    // editing while a line editor opened from it is shown; the dialog's result.
    static bool reckon(std::vector<TPOTableIns>& list, std::function<void(TReckoningForm*)> action,
                       std::function<void(TmenuInsForm*)> editing = {}) {
        DialogScript script;
        script.expect<TReckoningForm>([&](TReckoningForm* d) {
            d->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(d));
            action(d);
        });
        if (editing) script.expect<TmenuInsForm>(editing);
        return TReckoningForm().showReckoning(list);
    }
    static QStringList bill(TReckoningForm* d) {
        return {d->price->text(), d->price1->text(), d->price2->text(), d->giveChange->text()};
    }
    // Puts the focus into the edit and takes it away again, as tabbing through does.
    static void leave(QLineEdit* edit, QWidget* next) {
        edit->setFocus();
        next->setFocus();
    }
};
}  // namespace

TEST_F(ReckoningTest, DiscountedBillIsComputedAndStoredAsShown) {
    addInstance(50, peony, "TIS001");
    addLine(1, 50, "宫保鸡丁", 11.11, 3, "MI001");
    addLine(2, 50, "清蒸鲈鱼", 38, 1, "MI002");  // gift
    addLine(3, 50, "红烧肉", 20, 1, "MI005");    // returned
    auto list = instances({50});
    EXPECT_TRUE(reckon(list, [&](TReckoningForm* d) {
        EXPECT_EQ(columnCells(d->menuInsGrid, 1), QStringList(3, "牡丹厅"));
        EXPECT_EQ(columnCells(d->menuInsGrid, 6), QStringList({"正常", "赠送", "退菜"}));
        EXPECT_EQ(bill(d), QStringList({"33.33", "33.33", "33.33", "0.00"}));
        choose(d->rebateType, "打折");
        type(d->rebateValue, "7");
        EXPECT_EQ(bill(d), QStringList({"33.33", "23.33", "33.33", "10.00"}));
        EXPECT_FALSE(d->associatorCode->isEnabled());
        choose(d->guestType, "会员");
        EXPECT_TRUE(d->associatorCode->isEnabled());
        type(d->associatorCode, "VIP008");
        choose(d->invoice, "有");
        d->description->setPlainText("开发票");
        click(d->cancelAccountBtn);
        EXPECT_EQ(answers.texts(), QStringList({"销账成功！"}));
        EXPECT_FALSE(d->cancelAccountBtn->isEnabled());
        click(d->BitBtn3);
        EXPECT_EQ(answers.last(), "该功能未实现！");
        EXPECT_TRUE(d->isVisible());
        click(d->returnBtn);
    }));
    EXPECT_EQ(rows("select guest_type,associator_num,rebate_type,rebate_value,price,price1,price2,give_change,invoice,"
                   "state,operator_id,operator_name,description from o_order"),
              QStringList({"会员|VIP008|打折|7|33.33|23.33|33.33|10|有|ORD001|3|李四|开发票"}));
    EXPECT_EQ(scalar("select create_time from o_order"), scalar("select " + QString::number(Now(), 'f', 10)));
    EXPECT_EQ(rows("select t.state from table_instance t join o_order o on o.id=t.order_id"), QStringList({"TIS002"}));
    EXPECT_EQ(list[0].getState(), "TIS002");
}

TEST_F(ReckoningTest, CashRebateNoRebateAndThePaidAmountChecks) {
    addInstance(50, t101, "TIS001");
    addLine(1, 50, "宫保鸡丁", 25, 2, "MI001", "MI004");  // not served yet
    addLine(2, 50, "青岛啤酒", 10, 5, "MI001");
    EXPECT_TRUE(reckon({50}, [&](TReckoningForm* d) {
        EXPECT_EQ(answers.texts(), QStringList({"存在还没有传的菜单！"}));
        // A member's card typed, then the guest made a walk-in again: no card is kept.
        choose(d->guestType, "会员");
        type(d->associatorCode, "VIP008");
        choose(d->guestType, "散客");
        choose(d->rebateType, "现金");
        type(d->rebateValue, "15");
        EXPECT_EQ(bill(d), QStringList({"100.00", "85.00", "100.00", "15.00"}));
        type(d->price2, "200");
        EXPECT_EQ(d->giveChange->text(), "115.00");
        choose(d->rebateType, "无");  // the rebate value no longer counts
        EXPECT_EQ(bill(d), QStringList({"100.00", "100.00", "200", "100.00"}));
        choose(d->rebateType, "现金");
        // Leaving an amount empty or below the amount due takes the focus back.
        for (auto [paid, message] : {std::pair{"", "输入的值不能为空!"}, std::pair{"80", "付款金额不能小于实收金额!"}}) {
            type(d->price2, paid);
            leave(d->price2, d->invoice);
            EXPECT_EQ(answers.last(), message);
            EXPECT_TRUE(d->price2->hasFocus());
        }

        // A rebate changed after the amounts were checked: "销帐" refuses too.
        type(d->price2, "95");
        type(d->rebateValue, "12");
        leave(d->rebateValue, d->invoice);
        choose(d->rebateType, "无");
        EXPECT_EQ(d->giveChange->text(), "-5.00");
        answers.clear();
        click(d->cancelAccountBtn);
        EXPECT_EQ(answers.texts(), QStringList({"付款金额不能小于实收金额!"}));
        EXPECT_EQ(scalarInt("select count(*) from o_order"), 0);
        EXPECT_TRUE(d->cancelAccountBtn->isEnabled());
        choose(d->rebateType, "现金");
        click(d->cancelAccountBtn);
        EXPECT_EQ(answers.last(), "销账成功！");
    }));
    EXPECT_EQ(rows("select rebate_type,rebate_value,price,price1,price2,give_change,invoice,guest_type,associator_num "
                   "from o_order"),
              QStringList({"现金|12|100|88|95|7|无|散客|"}));
}

TEST_F(ReckoningTest, RebatesOutsideTheirRangeAreRefusedUntilAValidOneIsWritten) {
    addInstance(50, t101, "TIS001");
    addLine(1, 50, "青岛啤酒", 12, 1, "MI001");
    EXPECT_TRUE(reckon({50}, [&](TReckoningForm* d) {
        for (auto [kind, value, message] : {std::tuple{"现金", "500", "现金折扣必须在0到总价之间!"},
                                            std::tuple{"现金", "12.01", "现金折扣必须在0到总价之间!"},
                                            std::tuple{"打折", "10.5", "折扣值必须在0到10之间!"}}) {
            type(d->rebateValue, "0");
            choose(d->rebateType, "无");
            type(d->rebateValue, value);
            leave(d->rebateValue, d->invoice);  // no rebate, so nothing to refuse yet
            choose(d->rebateType, kind);
            answers.clear();
            click(d->cancelAccountBtn);
            EXPECT_TRUE(d->rebateValue->hasFocus());
            leave(d->rebateValue, d->invoice);
            EXPECT_EQ(answers.texts(), QStringList(2, message)) << value;
            EXPECT_TRUE(d->rebateValue->hasFocus());
            EXPECT_EQ(scalarInt("select count(*) from o_order"), 0);
        }
        EXPECT_EQ(scalar("select state from table_instance"), "TIS001");
        type(d->rebateValue, "8");
        leave(d->rebateValue, d->invoice);
        click(d->cancelAccountBtn);
        EXPECT_EQ(answers.last(), "销账成功！");
    }));
    EXPECT_EQ(rows("select rebate_type,rebate_value,price,price1,price2,give_change from o_order"),
              QStringList({"打折|8|12|9.6|12|2.4"}));
}

TEST_F(ReckoningTest, ZeroBillsAreWrittenAndASettledBillKeepsItsLines) {
    addInstance(50, t101, "TIS001");
    addInstance(51, t102, "TIS001");
    addLine(1, 50, "红烧肉", 20, 2, "MI001");
    addLine(2, 51, "青岛啤酒", 12, 1, "MI001");
    for (auto [id, kind, value] : {std::tuple{50, "现金", "40"}, std::tuple{51, "打折", "0"}}) {
        EXPECT_TRUE(reckon({id}, [&](TReckoningForm* d) {
            choose(d->rebateType, kind);
            type(d->rebateValue, value);
            leave(d->rebateValue, d->invoice);
            click(d->cancelAccountBtn);
            EXPECT_EQ(answers.texts(), QStringList({"销账成功！"}));
            // No line editor opens on the settled bill, and the amounts stay as written.
            const QStringList settled = bill(d);
            doubleClickRow(d->menuInsGrid, 1);
            QTest::keyClicks(d->rebateValue, "5");
            QTest::keyClicks(d->price2, "100");
            EXPECT_EQ(bill(d), settled);
            answers.clear();
        }));
    }
    EXPECT_EQ(rows("select rebate_type,rebate_value,price,price1,price2,give_change from o_order order by id"),
              QStringList({"现金|40|40|0|40|40", "打折|0|12|0|12|12"}));
    EXPECT_EQ(rows("select o.price, sum(m.price*m.quantity) from o_order o join table_instance t on t.order_id=o.id "
                   "join menu_instance m on m.consult_id=t.id group by o.id order by o.id"),
              QStringList({"40|40", "12|12"}));
}

TEST_F(ReckoningTest, GuestTypeInvoiceAndRemarkTakeNoInputOnceTheBillIsWritten) {
    addInstance(50, t101, "TIS001");
    addLine(1, 50, "青岛啤酒", 12, 1, "MI001");
    QStringList before;
    EXPECT_TRUE(reckon({50}, [&](TReckoningForm* d) {
        auto shown = [d] {
            return QStringList{d->guestType->currentText(), d->associatorCode->text(), d->invoice->currentText(),
                               d->description->toPlainText()};
        };
        QTest::keyClick(d->guestType, Qt::Key_Down);
        QTest::keyClicks(d->associatorCode, "VIP008");
        QTest::keyClick(d->invoice, Qt::Key_Down);
        QTest::keyClicks(d->description, "by the window");
        before = shown();
        EXPECT_EQ(before, QStringList({"会员", "VIP008", "有", "by the window"}));
        click(d->cancelAccountBtn);
        EXPECT_EQ(answers.texts(), QStringList({"销账成功！"}));
        QTest::keyClick(d->guestType, Qt::Key_Down);
        QTest::keyClicks(d->associatorCode, "9");
        QTest::keyClick(d->invoice, Qt::Key_Up);
        QTest::keyClicks(d->description, ", no ice");
        EXPECT_EQ(shown(), before);
    }));
    EXPECT_EQ(rows("select guest_type,associator_num,invoice,description from o_order"), QStringList(before.join('|')));
}

TEST_F(ReckoningTest, BatchOfThreeIsOneOrderAndAFailedWriteCanBeRetried) {
    for (int t : {t101, t102, t103}) addInstance(49 + t, t, "TIS001");
    addLine(1, 50, "宫保鸡丁", 30, 1, "MI001");
    addLine(2, 51, "青岛啤酒", 8, 2, "MI001");
    addLine(3, 51, "拍黄瓜", 12, 1, "MI001");
    addLine(4, 52, "红烧肉", 48, 1, "MI002");
    failOn("UPDATE", "table_instance", "old.id=52");
    EXPECT_TRUE(reckon({50, 51, 52}, [&](TReckoningForm* d) {
        EXPECT_EQ(columnCells(d->menuInsGrid, 0), QStringList({"1", "2", "3", "4"}));
        EXPECT_EQ(columnCells(d->menuInsGrid, 1), QStringList({"101", "102", "102", "103"}));
        EXPECT_EQ(d->price->text(), "58.00");
        click(d->cancelAccountBtn);
        EXPECT_EQ(answers.last(), "添加订单出现异常！");
        EXPECT_EQ(scalarInt("select count(*) from o_order"), 0);
        EXPECT_EQ(rows("select distinct state||order_id from table_instance"), QStringList({"TIS0010"}));
        EXPECT_TRUE(d->cancelAccountBtn->isEnabled());
        exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));
        click(d->cancelAccountBtn);
        EXPECT_EQ(answers.last(), "销账成功！");
        click(d->returnBtn);
    }));
    EXPECT_EQ(rows("select t.id from table_instance t join o_order o on o.id=t.order_id where t.state='TIS002'"),
              QStringList({"50", "51", "52"}));
    EXPECT_EQ(scalarInt("select count(*) from o_order"), 1);
}

TEST_F(ReckoningTest, EditedLineIsSavedAndRecountedEmptyAndGiftOnlyBills) {
    addInstance(50, t101, "TIS001");
    addLine(1, 50, "宫保鸡丁", 30, 1, "MI001");
    addLine(2, 50, "青岛啤酒", 8, 2, "MI001");
    const auto gift = [](TmenuInsForm* e) {
        EXPECT_EQ(e->windowTitle(), "宫保鸡丁");
        choose(e->menuState, "赠送");
        click(e->confirmButton);
    };
    EXPECT_FALSE(reckon({50}, [&](TReckoningForm* d) {
        type(d->price2, "100");
        doubleClickRow(d->menuInsGrid, 1);
        EXPECT_EQ(d->menuInsGrid->cell(6, 1), "赠送");
        // The paid amount typed stays; only the opening presets it.
        EXPECT_EQ(bill(d), QStringList({"16.00", "16.00", "100", "84.00"}));
        click(d->returnBtn);
    }, gift));
    EXPECT_EQ(scalar("select state from menu_instance where id=1"), "MI002");
    EXPECT_EQ(scalarInt("select count(*) from o_order"), 0);

    // Nothing to bill: "销帐" is off. Only gifts: a 0.00 bill can be written.
    addInstance(51, t102, "TIS001");
    reckon({51}, [](TReckoningForm* d) { EXPECT_FALSE(d->cancelAccountBtn->isEnabled()); });
    exec("update menu_instance set state='MI002'");
    EXPECT_TRUE(reckon({50}, [&](TReckoningForm* d) {
        EXPECT_EQ(bill(d), QStringList({"0.00", "0.00", "0.00", "0.00"}));
        click(d->cancelAccountBtn);
        click(d->returnBtn);
    }));
    EXPECT_EQ(rows("select price,price1 from o_order"), QStringList({"0|0"}));
}

TEST_F(ReckoningTest, DishesChangedByAnotherStationAreBilledBeforeTheCheckout) {
    addInstance(50, t101, "TIS001");
    addInstance(51, t102, "TIS001");
    addLine(1, 50, "宫保鸡丁", 30, 1, "MI001");
    addLine(2, 51, "青岛啤酒", 8, 2, "MI001");
    EXPECT_TRUE(reckon({50, 51}, [&](TReckoningForm* d) {
        EXPECT_EQ(bill(d), QStringList({"46.00", "46.00", "46.00", "0.00"}));
        // Meanwhile a waiter adds a dish to 101 and changes the beer's quantity.
        addLine(3, 50, "红烧肉", 48, 1, "MI001");
        exec("update menu_instance set quantity=3 where id=2");
        click(d->cancelAccountBtn);
        EXPECT_EQ(answers.last(), "菜单已变化，请核对后重新销帐！");
        EXPECT_EQ(scalarInt("select count(*) from o_order"), 0);
        EXPECT_EQ(rows("select distinct state from table_instance"), QStringList({"TIS001"}));
        EXPECT_EQ(columnCells(d->menuInsGrid, 2), QStringList({"宫保鸡丁", "红烧肉", "青岛啤酒"}));
        // The paid amount is not preset again, so it no longer covers the bill.
        EXPECT_EQ(bill(d), QStringList({"102.00", "102.00", "46.00", "-56.00"}));
        click(d->cancelAccountBtn);
        EXPECT_EQ(answers.last(), "付款金额不能小于实收金额!");

        // A dish returned, then one made a gift, at the other station after the refill:
        // each is caught as well, and the bill shown again without it.
        type(d->price2, "102");
        exec("update menu_instance set state='MI005' where id=3");
        click(d->cancelAccountBtn);
        EXPECT_EQ(answers.last(), "菜单已变化，请核对后重新销帐！");
        EXPECT_EQ(bill(d), QStringList({"54.00", "54.00", "102", "48.00"}));
        exec("update menu_instance set state='MI002' where id=2");
        answers.clear();
        click(d->cancelAccountBtn);
        EXPECT_EQ(answers.texts(), QStringList({"菜单已变化，请核对后重新销帐！"}));
        EXPECT_EQ(bill(d), QStringList({"30.00", "30.00", "102", "72.00"}));
        EXPECT_EQ(scalarInt("select count(*) from o_order"), 0);
        click(d->cancelAccountBtn);
        EXPECT_EQ(answers.last(), "销账成功！");
        click(d->returnBtn);
    }));
    EXPECT_EQ(rows("select price,price1,price2,give_change from o_order"), QStringList({"30|30|102|72"}));
    EXPECT_EQ(rows("select distinct state from table_instance"), QStringList({"TIS002"}));
}

TEST_F(ReckoningTest, ALineChangedElsewhereIsNotWrittenOverByAnEditAtTheCheckout) {
    addInstance(50, t101, "TIS001");
    addLine(1, 50, "宫保鸡丁", 30, 1, "MI001");
    addLine(2, 50, "青岛啤酒", 8, 2, "MI001");
    const auto giftWhileBeerIsRaised = [&](TmenuInsForm* e) {
        exec("update menu_instance set quantity=4 where id=2");
        choose(e->menuState, "赠送");
        click(e->confirmButton);
    };
    reckon({50}, [&](TReckoningForm* d) {
        exec("update menu_instance set quantity=2 where id=1");
        doubleClickRow(d->menuInsGrid, 1);  // no editor: the line is stale
        EXPECT_EQ(answers.texts(), QStringList({"菜单已变化，请核对后重新销帐！"}));
        EXPECT_EQ(d->price->text(), "76.00");
        doubleClickRow(d->menuInsGrid, 2);
        EXPECT_EQ(answers.texts(), QStringList(2, "菜单已变化，请核对后重新销帐！"));
        EXPECT_EQ(columnCells(d->menuInsGrid, 4), QStringList({"2.00", "4.00"}));
        EXPECT_EQ(d->price->text(), "92.00");
        click(d->returnBtn);
    }, giftWhileBeerIsRaised);
    EXPECT_EQ(rows("select cast(quantity as int)||state from menu_instance order by id"), QStringList({"2MI001", "4MI001"}));
}

TEST_F(ReckoningTest, AnEditAtTheCheckoutIsNotWrittenOnABillSettledAtAnotherStation) {
    addInstance(50, t101, "TIS001");
    addLine(1, 50, "宫保鸡丁", 30, 1, "MI001");
    const auto giftWhileSettledElsewhere = [&](TmenuInsForm* e) {
        exec("update table_instance set state='TIS002' where id=50");
        choose(e->menuState, "赠送");
        click(e->confirmButton);
    };
    reckon({50}, [&](TReckoningForm* d) {
        doubleClickRow(d->menuInsGrid, 1);
        EXPECT_EQ(answers.last(), "台桌(101)不是在用状态!");
        // The grid and the bill show the line as stored, not the gift.
        EXPECT_EQ(d->price->text(), "30.00");
        click(d->returnBtn);
    }, giftWhileSettledElsewhere);
    EXPECT_EQ(rows("select state from menu_instance"), QStringList({"MI001"}));
}
