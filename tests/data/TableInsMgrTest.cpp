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
    failOn("insert", "table_instance");
    EXPECT_EQ(TTableInsMgr::insert(r), 0);
    EXPECT_EQ(r.getId(), 0);
    failOn("update", "table_instance");
    read = TTableInsMgr::getTableInsById(100);
    read->setDescription("x");
    EXPECT_FALSE(TTableInsMgr::update(*read));
    EXPECT_EQ(answers.texts(), (QStringList{"添加菜单实例时出错!", "更新菜单实例时出错!"}));
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

TEST_F(TableInsMgrTest, FailedMergeLeavesTheDatabaseAsItWas) {
    std::vector<TPOTableIns> list{open(1, "VIP"), open(2)};
    exec("insert into menu_instance(id,consult_id,rela_type) values(1,1,'MIR003'),(2,2,'MIR003')");
    QStringList before = instancesAndDishes();
    // The second old instance's update fails after the rest has run.
    failOn("update", "table_instance", "new.id=2");
    EXPECT_FALSE(TTableInsMgr::mergeTables(list, *TTableMgr::getTableById(5)));
    EXPECT_EQ(instancesAndDishes(), before);
    exec("delete from sequence where name='table_instance.id'");
    EXPECT_FALSE(TTableInsMgr::mergeTables(list, *TTableMgr::getTableById(5)));
    EXPECT_EQ(answers.texts(), (QStringList{"并台时出现异常!", "没有找到(table_instance.id)！"}));
    EXPECT_EQ(instancesAndDishes(), before);
    // The listed records keep their merge notes and state from the failed save.
    EXPECT_EQ(list[1].getDescription() + "|" + list[1].getState(), "并到(100):105|TIS005");
}
