#include <QComboBox>
#include <QPlainTextEdit>

#include "data/TableInsMgrUnit.h"
#include "service/MenuInsUnit.h"
#include "service/ReckoningUnit.h"
#include "service/ServiceFixture.h"

namespace {
// Runs the action while the checkout dialog shows the instances' bill, and the
// editing while a line editor opened from it is shown; the dialog's result.
bool reckon(std::vector<TPOTableIns>& instances, std::function<void(TReckoningForm*)> action,
            std::function<void(TmenuInsForm*)> editing = {}) {
    DialogScript script;
    script.expect<TReckoningForm>([&](TReckoningForm* d) {
        d->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        action(d);
    });
    if (editing) script.expect<TmenuInsForm>(editing);
    TReckoningForm form;
    return form.showReckoning(instances);
}

// Puts the focus into the edit and takes it away again, as tabbing through does.
void leave(QLineEdit* edit, QWidget* next) {
    edit->setFocus();
    next->setFocus();
}
}  // namespace

class ReckoningTest : public ServiceTest {
protected:
    void SetUp() override {
        ServiceTest::SetUp();
        setNowForTest(encodeDateTime(2024, 5, 10, 12, 30, 15));  // lunch
        currentEmployeeId = 3;
        currentUserName = QStringLiteral("李四");
    }
    void TearDown() override {
        clearNowForTest();
        ServiceTest::TearDown();
    }
    void addTableIns(int id, int tableId, const QString& name) {
        exec(QStringLiteral("insert into table_instance(id,table_id,table_name,start_time,state) "
                            "values(%1,%2,'%3',%4,'TIS001')")
                 .arg(id)
                 .arg(tableId)
                 .arg(name)
                 .arg(encodeDateTime(2024, 5, 10, 11, 0, 0), 0, 'f', 8));
    }
    void addLine(int id, int tableInsId, const QString& dish, double price, double quantity, const QString& state,
                 const QString& serving = QStringLiteral("MI003")) {
        exec(QStringLiteral("insert into menu_instance(id,consult_id,rela_type,menu_id,menu_name,price,quantity,unit,"
                            "state,rebate,serving,printer_code,print_state) values(%1,%2,'MIR003',1,'%3',%4,%5,'份',"
                            "'%6',8,'%7','P001','MIP002')")
                 .arg(id)
                 .arg(tableInsId)
                 .arg(dish)
                 .arg(price)
                 .arg(quantity)
                 .arg(state, serving));
    }
    std::vector<TPOTableIns> instances(std::initializer_list<int> ids) {
        std::vector<TPOTableIns> list;
        for (int id : ids) list.push_back(*TTableInsMgr::getTableInsById(id));
        return list;
    }
    static QStringList billTexts(TReckoningForm* d) {
        return {d->price->text(), d->price1->text(), d->price2->text(), d->giveChange->text()};
    }
};

TEST_F(ReckoningTest, DiscountedBillIsComputedAndStoredAsShown) {
    addTableIns(50, 7, QStringLiteral("牡丹厅"));
    addLine(1, 50, QStringLiteral("宫保鸡丁"), 11.11, 3, "MI001");
    addLine(2, 50, QStringLiteral("清蒸鲈鱼"), 38, 1, "MI002");  // gift
    addLine(3, 50, QStringLiteral("红烧肉"), 20, 1, "MI005");    // returned
    auto list = instances({50});
    bool written = reckon(list, [&](TReckoningForm* d) {
        EXPECT_EQ(d->menuInsGrid->rowCount(), 4);
        EXPECT_EQ(d->menuInsGrid->cell(1, 2), "牡丹厅");
        EXPECT_EQ(d->menuInsGrid->cell(6, 2), "赠送");
        EXPECT_EQ(billTexts(d), QStringList({"33.33", "33.33", "33.33", "0.00"}));
        EXPECT_FALSE(d->associatorCode->isEnabled());
        choose(d->rebateType, "打折");
        type(d->rebateValue, "7");
        EXPECT_EQ(billTexts(d), QStringList({"33.33", "23.33", "33.33", "10.00"}));
        choose(d->guestType, "会员");
        EXPECT_TRUE(d->associatorCode->isEnabled());
        type(d->associatorCode, "VIP008");
        choose(d->invoice, "有");
        d->description->setPlainText("开发票");
        click(d->BitBtn3);
        EXPECT_EQ(answers.last(), "该功能未实现！");
        click(d->cancelAccountBtn);
        EXPECT_EQ(answers.last(), "销账成功！");
        EXPECT_FALSE(d->cancelAccountBtn->isEnabled());
        EXPECT_TRUE(d->isVisible());
        click(d->returnBtn);
    });
    EXPECT_TRUE(written);
    EXPECT_FALSE(answers.contains("存在还没有传的菜单！"));
    EXPECT_EQ(rows("select guest_type,associator_num,rebate_type,rebate_value,price,price1,price2,give_change,invoice,"
                   "state,operator_id,operator_name,description from o_order"),
              QStringList({"会员|VIP008|打折|7|33.33|23.33|33.33|10|有|ORD001|3|李四|开发票"}));
    EXPECT_EQ(scalar("select create_time from o_order"), scalar("select " + QString::number(Now(), 'f', 10)));
    EXPECT_EQ(rows("select t.state from table_instance t join o_order o on o.id=t.order_id"), QStringList({"TIS002"}));
    EXPECT_EQ(list[0].getState(), "TIS002");
}

TEST_F(ReckoningTest, CashRebateNoRebateAndThePaidAmountChecks) {
    addTableIns(50, 1, QStringLiteral("101"));
    addLine(1, 50, QStringLiteral("宫保鸡丁"), 25, 2, "MI001", "MI004");  // not served yet
    addLine(2, 50, QStringLiteral("青岛啤酒"), 10, 5, "MI001");
    auto list = instances({50});
    bool written = reckon(list, [&](TReckoningForm* d) {
        EXPECT_EQ(answers.texts(), QStringList({"存在还没有传的菜单！"}));
        choose(d->rebateType, "现金");
        type(d->rebateValue, "15");
        EXPECT_EQ(billTexts(d), QStringList({"100.00", "85.00", "100.00", "15.00"}));
        type(d->price2, "200");
        EXPECT_EQ(d->giveChange->text(), "115.00");
        choose(d->rebateType, "无");  // the rebate value no longer counts
        EXPECT_EQ(billTexts(d), QStringList({"100.00", "100.00", "200", "100.00"}));

        // Leaving an amount empty or below the amount due takes the focus back.
        d->price2->clear();
        leave(d->price2, d->invoice);
        EXPECT_EQ(answers.last(), "输入的值不能为空!");
        EXPECT_TRUE(d->price2->hasFocus());
        type(d->price2, "90");
        leave(d->price2, d->invoice);
        EXPECT_EQ(answers.last(), "付款金额不能小于实收金额!");
        EXPECT_TRUE(d->price2->hasFocus());

        // A rebate changed after the amounts were checked: "销帐" refuses too.
        type(d->price2, "100");
        type(d->rebateValue, "12");
        leave(d->rebateValue, d->invoice);
        choose(d->rebateType, "打折");
        EXPECT_EQ(d->giveChange->text(), "-20.00");
        answers.clear();
        click(d->cancelAccountBtn);
        EXPECT_EQ(answers.texts(), QStringList({"付款金额不能小于实收金额!"}));
        EXPECT_EQ(scalarInt("select count(*) from o_order"), 0);
        EXPECT_TRUE(d->cancelAccountBtn->isEnabled());

        // A cash rebate above the total: a negative amount due goes through.
        choose(d->rebateType, "现金");
        type(d->rebateValue, "150");
        EXPECT_EQ(billTexts(d), QStringList({"100.00", "-50.00", "100", "150.00"}));
        click(d->cancelAccountBtn);
        EXPECT_EQ(answers.last(), "销账成功！");
    });
    EXPECT_TRUE(written);
    EXPECT_EQ(rows("select rebate_type,rebate_value,price,price1,price2,give_change,invoice,guest_type,associator_num "
                   "from o_order"),
              QStringList({"现金|150|100|-50|100|150|无|散客|"}));
}

TEST_F(ReckoningTest, BatchOfThreeIsOneOrderAndAFailedWriteCanBeRetried) {
    addTableIns(50, 1, QStringLiteral("101"));
    addTableIns(51, 2, QStringLiteral("102"));
    addTableIns(52, 3, QStringLiteral("103"));
    addLine(1, 50, QStringLiteral("宫保鸡丁"), 30, 1, "MI001");
    addLine(2, 51, QStringLiteral("青岛啤酒"), 8, 2, "MI001");
    addLine(3, 51, QStringLiteral("拍黄瓜"), 12, 1, "MI001");
    addLine(4, 52, QStringLiteral("红烧肉"), 48, 1, "MI002");
    failOn("UPDATE", "table_instance", "old.id=52");
    auto list = instances({50, 51, 52});
    bool written = reckon(list, [&](TReckoningForm* d) {
        QStringList numbers, tables;
        for (int row = 1; row < d->menuInsGrid->rowCount(); ++row) {
            numbers << d->menuInsGrid->cell(0, row);
            tables << d->menuInsGrid->cell(1, row);
        }
        EXPECT_EQ(numbers, QStringList({"1", "2", "3", "4"}));
        EXPECT_EQ(tables, QStringList({"101", "102", "102", "103"}));
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
    });
    EXPECT_TRUE(written);
    EXPECT_EQ(scalarInt("select count(*) from o_order"), 1);
    EXPECT_EQ(rows("select t.id from table_instance t join o_order o on o.id=t.order_id where t.state='TIS002'"),
              QStringList({"50", "51", "52"}));
}

TEST_F(ReckoningTest, EditedLineIsSavedAndRecountedEmptyAndGiftOnlyBills) {
    addTableIns(50, 1, QStringLiteral("101"));
    addLine(1, 50, QStringLiteral("宫保鸡丁"), 30, 1, "MI001");
    addLine(2, 50, QStringLiteral("青岛啤酒"), 8, 2, "MI001");
    auto list = instances({50});
    auto editing = [](TmenuInsForm* e) {
        EXPECT_EQ(e->windowTitle(), "宫保鸡丁");
        choose(e->menuState, "赠送");
        click(e->confirmButton);
    };
    bool written = reckon(list, [&](TReckoningForm* d) {
        type(d->price2, "100");
        doubleClickRow(d->menuInsGrid, 1);
        EXPECT_EQ(d->menuInsGrid->cell(6, 1), "赠送");
        EXPECT_EQ(d->menuInsGrid->cell(1, 1), "101");
        // The paid amount typed stays; only the opening presets it.
        EXPECT_EQ(billTexts(d), QStringList({"16.00", "16.00", "100", "84.00"}));
        click(d->returnBtn);
    }, editing);
    EXPECT_FALSE(written);
    EXPECT_EQ(scalar("select state from menu_instance where id=1"), "MI002");
    EXPECT_EQ(scalarInt("select count(*) from o_order"), 0);

    // Nothing to bill: "销帐" is off. Only gifts: a 0.00 bill can be written.
    addTableIns(51, 2, QStringLiteral("102"));
    auto empty = instances({51});
    reckon(empty, [](TReckoningForm* d) { EXPECT_FALSE(d->cancelAccountBtn->isEnabled()); });
    exec("update menu_instance set state='MI002'");
    EXPECT_TRUE(reckon(list, [&](TReckoningForm* d) {
        EXPECT_EQ(billTexts(d), QStringList({"0.00", "0.00", "0.00", "0.00"}));
        click(d->cancelAccountBtn);
        click(d->returnBtn);
    }));
    EXPECT_EQ(rows("select price,price1 from o_order"), QStringList({"0|0"}));
}
