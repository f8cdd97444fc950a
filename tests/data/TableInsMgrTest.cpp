#include "data/TableInsMgrUnit.h"
#include "data/TableMgrUnit.h"
#include "support/TestDatabase.h"

namespace {
class TableInsMgrTest : public SampleDbTest {
protected:
    void SetUp() override { SampleDbTest::SetUp(); setNowForTest(encodeDateTime(2024, 5, 10, 12, 5, 9)); }
    // An in-use instance numbered like its table n (named 10n).
    TPOTableIns open(int n, QString description = QString()) {
        exec(QString("insert into table_instance(id,table_id,table_name,state,description) values(%1,%1,'10%1','TIS001','%2')")
                 .arg(n).arg(description.replace("'", "''")));
        return *TTableInsMgr::getTableInsById(n);
    }
    QStringList instancesAndDishes() {
        return rows("select id,order_id,table_id,table_name,state,end_time,description from table_instance order by id") +
               rows("select id,consult_id,rela_type from menu_instance order by id");
    }
};
}  // namespace

TEST_F(TableInsMgrTest, InsertUpdateAndLookups) {
    TPOTableIns r;
    r.setTableId(1); r.setTableName("101"); r.setStartTime(Now()); r.setState("TIS001"); r.setDescription("靠窗 'VIP'");
    EXPECT_EQ(TTableInsMgr::insert(r), 100);
    // Changing only the state writes every other column back unchanged.
    auto read = TTableInsMgr::getTableInsByTableId(1, TPOTableIns::stateInUse);
    ASSERT_TRUE(read);
    read->setState(TPOTableIns::stateGivenBack);
    EXPECT_TRUE(TTableInsMgr::update(*read));
    EXPECT_EQ(instancesAndDishes(), QStringList{"100|0|1|101|TIS004|0|靠窗 'VIP'"});

    // A failed insert gives 0 and leaves the record without an id.
    r.setId(0);
    failOn("insert", "table_instance");
    EXPECT_EQ(TTableInsMgr::insert(r), 0);
    EXPECT_EQ(r.getId(), 0);
    failOn("update", "table_instance");
    read = TTableInsMgr::getTableInsById(100);
    read->setDescription("x");
    EXPECT_FALSE(TTableInsMgr::update(*read));
    EXPECT_EQ(answers.texts(), (QStringList{"添加菜单实例时出错!", "更新菜单实例时出错!"}));
    EXPECT_EQ(instancesAndDishes(), QStringList{"100|0|1|101|TIS004|0|靠窗 'VIP'"});

    // Instances that cannot be read show the message and find nothing.
    exec("alter table table_instance rename to table_instance_gone");
    EXPECT_FALSE(TTableInsMgr::getTableInsById(100));
    EXPECT_FALSE(TTableInsMgr::getTableInsByTableId(1, TPOTableIns::stateGivenBack));
    EXPECT_EQ(answers.texts().mid(2),
              (QStringList{"通过台桌实例ID查询台桌实例时出现异常!", "通过台桌ID查询台桌实例时出现异常!"}));
}

TEST_F(TableInsMgrTest, MergeMovesTableDishLinesAndWritesNotes) {
    std::vector<TPOTableIns> list{open(1, "VIP"), open(2, " \t\r\n "), open(3, "第一行\r\n第二行")};
    // Line 3 is a booking's dish line that happens to carry an instance's number.
    exec("insert into menu_instance(id,consult_id,rela_type) values(1,1,'MIR003'),(2,2,'MIR003'),(3,1,'MIR001'),"
         "(4,2,'MIR002'),(5,3,'MIR003')");
    ASSERT_TRUE(TTableInsMgr::mergeTables(list, *TTableMgr::getTableById(3)));
    EXPECT_EQ(answers.count(), 0);
    QString note = "|TIS005|0|并到(100):103";
    EXPECT_EQ(instancesAndDishes(),
              (QStringList{"1|0|1|101" + note, "2|0|2|102" + note, "3|0|3|103" + note,
                           "100|0|3|103|TIS001|0|原(101):VIP\r原(103):第一行\r\n第二行\r",
                           "1|100|MIR003", "2|100|MIR003", "3|1|MIR001", "4|2|MIR002", "5|100|MIR003"}));
    EXPECT_EQ(double(TTableInsMgr::getTableInsById(100)->getStartTime()), double(Now()));
}

TEST_F(TableInsMgrTest, FailedOrRefusedMergesLeaveTheDatabaseAsItWas) {
    std::vector<TPOTableIns> list{open(1, "VIP"), open(2)};
    open(4);
    exec("insert into menu_instance(id,consult_id,rela_type) values(1,1,'MIR003'),(2,2,'MIR003')");
    auto mergeOnto = [&](int table, std::vector<TPOTableIns> batch) {
        return TTableInsMgr::mergeTables(batch, *TTableMgr::getTableById(table));
    };
    const QStringList before = instancesAndDishes();
    failOn("update", "table_instance", "new.id=2");  // after the rest has run
    std::vector<TPOTableIns> failed = list;
    EXPECT_FALSE(TTableInsMgr::mergeTables(failed, *TTableMgr::getTableById(5)));
    EXPECT_EQ(instancesAndDishes(), before);
    // The listed records keep their merge notes and state from the failed save.
    EXPECT_EQ(failed[1].getDescription() + "|" + failed[1].getState(), "并到(100):105|TIS005");
    exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));
    exec("delete from sequence where name='table_instance.id'");
    EXPECT_FALSE(mergeOnto(5, list));
    EXPECT_EQ(instancesAndDishes(), before);
    EXPECT_EQ(answers.texts(), (QStringList{"并台时出现异常!", "没有找到(table_instance.id)！"}));
    exec("insert into sequence(name,seq_value) values('table_instance.id',101)");
    answers.clear();

    EXPECT_FALSE(mergeOnto(4, list));  // opened by another station meanwhile
    exec("update table_instance set description='生日' where id=1");
    EXPECT_FALSE(mergeOnto(5, list));  // its remark would be lost from the note
    exec("update table_instance set description='VIP' where id=1; update table_instance set state='TIS002',order_id=9 where id=2");
    EXPECT_FALSE(mergeOnto(5, list));  // checked out meanwhile
    exec("update table_instance set state='TIS001',order_id=0 where id=2");
    EXPECT_FALSE(mergeOnto(5, {list[0], list[0]}));  // listed twice
    EXPECT_FALSE(mergeOnto(5, {list[0], list[1], TPOTableIns()}));  // no such instance
    EXPECT_EQ(answers.texts(), QStringList(5, "台桌状态已变化，请刷新后重试！"));
    EXPECT_EQ(instancesAndDishes(), before);
    // Onto a table of the batch itself, whatever its state, it goes through.
    EXPECT_TRUE(mergeOnto(2, list));
    EXPECT_EQ(scalar("select group_concat(table_id||state) from table_instance where id>=100"), "2TIS001");
}

TEST_F(TableInsMgrTest, TwoStationsCannotBothChangeOneInstance) {
    // Opening: one in-use instance per table, beside a checked-out one it may stand.
    TPOTableIns first = open(1);
    TPOTableIns again;
    again.setTableId(1); again.setTableName("101"); again.setState(TPOTableIns::stateInUse);
    EXPECT_EQ(TTableInsMgr::insert(again), 0);
    EXPECT_EQ(again.getId(), 0);
    exec("update table_instance set state='TIS002',order_id=9 where id=1");
    EXPECT_EQ(TTableInsMgr::insert(again), 101);  // id 100 was used up by the refusal

    // A switch onto a table another station has just opened is refused; so is a
    // stale remark that would move the instance back after a switch.
    TPOTableIns onTwo = open(2, "靠窗"), staleTwo = onTwo;
    onTwo.setTableId(1); onTwo.setTableName("101");
    EXPECT_FALSE(TTableInsMgr::update(onTwo));
    onTwo.setTableId(5); onTwo.setTableName("105");
    EXPECT_TRUE(TTableInsMgr::update(onTwo));
    staleTwo.setDescription("生日");
    EXPECT_TRUE(TTableInsMgr::update(staleTwo));
    EXPECT_EQ(rows("select table_id,table_name,description from table_instance where id=2"), QStringList{"5|105|生日"});

    // Cancelling and clearing go only from the state they start in.
    TPOTableIns cancel = *TTableInsMgr::getTableInsById(2), clear = *TTableInsMgr::getTableInsById(1);
    cancel.setState(TPOTableIns::stateGivenBack);
    EXPECT_TRUE(TTableInsMgr::update(cancel));
    EXPECT_FALSE(TTableInsMgr::update(cancel));  // the second station's cancel
    clear.setState(TPOTableIns::stateCleared); clear.setEndTime(Now());
    EXPECT_TRUE(TTableInsMgr::update(clear));
    EXPECT_FALSE(TTableInsMgr::update(clear));
    TPOTableIns missing;
    missing.setId(77); missing.setDescription("x");
    EXPECT_FALSE(TTableInsMgr::update(missing));
    EXPECT_EQ(answers.texts(), (QStringList{"台桌(101)已被占用!", "你选择桌台不是处于空闲状态!", "台桌状态已变化，请刷新后重试！",
                                            "台桌状态已变化，请刷新后重试！", "台桌状态已变化，请刷新后重试！"}));
}
