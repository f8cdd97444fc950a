// The cashier window driven as a cashier would, on the sample restaurant at lunch time.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "data/ReserveTestData.h"
#include "frame/DialogScript.h"
#include "frame/GlobalsUnit.h"
#include "frame/ReservePanelUnit.h"
#include "frame/TableBatchGridUnit.h"
#include "frame/TableMapUnit.h"
#include "service/ReckoningUnit.h"
#include "service/TollStationUnit.h"

namespace {
constexpr int t101 = 1, t102 = 2, t103 = 3, t104 = 4, t105 = 5, t106 = 6;
const TDateTime today = encodeDateTime(2024, 5, 10);

void click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

// Writes the bill in the checkout dialog (or only looks at it) and closes it.
void checkOut(DialogScript& script, bool write = true) {
    script.expect<TReckoningForm>([write](TReckoningForm* d) {
        if (write) click(d->cancelAccountBtn);
        click(d->returnBtn);
    });
}
}  // namespace

class TollStationTest : public ReserveDbTest {
protected:
    void SetUp() override {
        ReserveDbTest::SetUp();
        setNowForTest(encodeDateTime(2024, 5, 10, 12, 0, 0));  // lunch
        currentEmployeeId = 3;
        currentUserName = QStringLiteral("李四");
        addInstance(50, t101, "TIS001", "靠窗");
        addInstance(51, t102, "TIS002");
        addInstance(52, t104, "TIS001");
        addInstance(53, t105, "TIS001");
        addLine(1, 50, "MIR003", "宫保鸡丁");
        addLine(2, 51, "MIR003", "青岛啤酒");
        addLine(3, 52, "MIR003", "拍黄瓜");
        addLine(4, 53, "MIR003", "红烧肉");
        addReserve(60, "R001");
        addBooking(61, 60, t103, lunch, today);
        addLine(5, 60, "MIR001", "清蒸鲈鱼");  // for the whole reservation
        form = new TtollStationForm;
        form->show();
    }
    void TearDown() override {
        delete form;
        clearNowForTest();
        currentEmployeeId = 0;
        ReserveDbTest::TearDown();
    }
    void addInstance(int id, int tableId, const QString& state, const QString& remark = QString()) {
        exec(QString("insert into table_instance(id,table_id,table_name,start_time,state,description) "
                     "select %1,id,table_name,%2,'%3','%4' from table_spec where id=%5")
                 .arg(id).arg(double(encodeDateTime(2024, 5, 10, 11, 5, 0)), 0, 'g', 17).arg(state, remark).arg(tableId));
    }
    void addLine(int id, int consultId, const QString& relaType, const QString& name) {
        exec(QString("insert into menu_instance(id,consult_id,rela_type,menu_name,price,quantity,state,serving,print_state) "
                     "values(%1,%2,'%3','%4',12.5,1,'MI001','MI003','MIP002')")
                 .arg(id).arg(consultId).arg(relaType, name));
    }
    void clickTable(int tableId, bool twice = false) {
        TTableListView* map = form->tableListView;
        QPoint p = map->mapFromContents(map->itemRect(map->findTableItem(tableId)).center());
        QTest::mouseClick(map->viewport(), Qt::LeftButton, {}, p);
        if (twice) QTest::mouseDClick(map->viewport(), Qt::LeftButton, {}, p);
    }
    QStringList dishNames() {
        QStringList names;
        for (int row = 1; row < form->tableMenuInsGrid->rowCount(); ++row) names << form->tableMenuInsGrid->cell(1, row);
        return names;
    }
    int icon(int tableId) { return form->findTableItem(tableId)->imageIndex(); }

    TtollStationForm* form = nullptr;
};

TEST_F(TollStationTest, ShowsEachTableByItsStateAndOffersCheckoutOnlyForATableInUse) {
    EXPECT_EQ(form->eatLable->text(), "午餐");
    EXPECT_EQ(form->findTableItem(t106), nullptr);  // disabled
    EXPECT_FALSE(form->reckoningMenu->isEnabled());
    EXPECT_EQ(form->reserveGrid->cell(1, 1), "客60");
    EXPECT_EQ(form->reserveGrid->cell(2, 1), "1");

    clickTable(t101);
    EXPECT_TRUE(form->reckoningMenu->isEnabled());
    EXPECT_EQ(form->tableInforArea->title(), "101");
    EXPECT_EQ(form->tableInsDescription->toPlainText(), "靠窗");
    EXPECT_EQ(form->startRepastTimeLable->text(), "11点05分");
    EXPECT_EQ(dishNames(), QStringList({"宫保鸡丁"}));
    clickTable(t102);  // checked out: shown, not offered again
    EXPECT_FALSE(form->reckoningMenu->isEnabled());
    EXPECT_EQ(dishNames(), QStringList({"青岛啤酒"}));
    clickTable(t103);  // booked without dishes of its own: the reservation's
    EXPECT_FALSE(form->reckoningMenu->isEnabled());
    EXPECT_EQ(dishNames(), QStringList({"清蒸鲈鱼"}));

    QTest::mouseClick(form->reserveGrid->viewport(), Qt::LeftButton, {},
                      form->reserveGrid->visualRect(form->reserveGrid->model()->index(1, 1)).center());
    EXPECT_EQ(form->reTableGrid->cell(1, 1), "103");
    EXPECT_EQ(form->reTableGrid->cell(3, 1), "2024-05-10");
}

TEST_F(TollStationTest, ChecksOutTheSelectedTableUnlessItLeftUseMeanwhile) {
    clickTable(t101);
    {
        DialogScript script;
        checkOut(script);
        form->reckoningMenu->trigger();
    }
    EXPECT_EQ(answers.last(), "销账成功！");
    EXPECT_EQ(scalar("select state||'/'||order_id from table_instance where id=50"),
              scalar("select 'TIS002/'||id from o_order"));
    EXPECT_EQ(icon(t101), 3);
    EXPECT_FALSE(form->reckoningMenu->isEnabled());

    // Checked out at another station after it was selected here: no dialog.
    clickTable(t104);
    exec("update table_instance set state='TIS002' where id=52");
    form->reckoningMenu->trigger();
    EXPECT_EQ(answers.last(), "台桌(104)不是在用状态!");
    EXPECT_EQ(scalarInt("select count(*) from o_order"), 1);
}

TEST_F(TollStationTest, BatchOfThreeIsOneOrderAndStaysWhenNothingWasWritten) {
    click(form->reckoningBatBtn);
    EXPECT_EQ(answers.last(), "请选择台桌!");
    clickTable(t102, true);
    EXPECT_EQ(answers.last(), "只能选择使用中的台桌!");
    for (int table : {t101, t104, t105}) clickTable(table, true);
    clickTable(t101, true);
    EXPECT_EQ(answers.last(), "台桌(101)已经被选择!");
    EXPECT_EQ(form->tableBatGrid->tableCount(), 3);

    // One table cleared meanwhile: named, nothing checked out.
    exec("update table_instance set state='TIS003' where id=52");
    click(form->reckoningBatBtn);
    EXPECT_EQ(answers.last(), "台桌(104)不是在用状态!");
    exec("update table_instance set state='TIS001' where id=52");

    // The write fails: the batch stays for another try.
    failOn("UPDATE", "table_instance", "old.id=53");
    {
        DialogScript script;
        checkOut(script);
        click(form->reckoningBatBtn);
    }
    EXPECT_EQ(answers.last(), "添加订单出现异常！");
    EXPECT_EQ(form->tableBatGrid->tableCount(), 3);
    exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));

    {
        DialogScript script;
        script.expect<TReckoningForm>([](TReckoningForm* d) {
            EXPECT_EQ(d->menuInsGrid->rowCount(), 4);
            EXPECT_EQ(d->price->text(), "37.50");
            click(d->cancelAccountBtn);
            click(d->returnBtn);
        });
        click(form->reckoningBatBtn);
    }
    EXPECT_EQ(form->tableBatGrid->tableCount(), 0);
    EXPECT_EQ(scalarInt("select count(*) from o_order"), 1);
    EXPECT_EQ(rows("select t.table_id from table_instance t join o_order o on o.id=t.order_id "
                   "where t.state='TIS002' order by t.table_id"),
              QStringList({"1", "4", "5"}));
    for (int table : {t101, t104, t105}) EXPECT_EQ(icon(table), 3);
}
