#include "data/TableInsMgrUnit.h"
#include "data/TableMgrUnit.h"
#include "support/TestDatabase.h"

namespace {
class TableInsMgrTest : public SampleDbTest {
protected:
    void SetUp() override {
        SampleDbTest::SetUp();
        setNowForTest(encodeDateTime(2024, 5, 10, 12, 5, 9));
    }
    TPOTableIns open(int tableId, const QString& description = QString()) {
        TPOTableIns r;
        r.setTableId(tableId);
        r.setTableName(TTableMgr::getTableById(tableId)->getTableName());
        r.setStartTime(Now());
        r.setState(TPOTableIns::stateInUse);
        r.setDescription(description);
        EXPECT_GT(TTableInsMgr::insert(r), 0);
        return r;
    }
    void addDishLine(int id, int consultId, const QString& relaType) {
        exec(QString("insert into menu_instance(id,consult_id,rela_type) values(%1,%2,'%3')").arg(id).arg(consultId).arg(relaType));
    }
    QStringList dishOwners() { return rows("select id,consult_id,rela_type from menu_instance order by id"); }
    QStringList instances() {
        return rows("select id,order_id,table_id,table_name,state,end_time,description from table_instance order by id");
    }
};
}  // namespace

TEST_F(TableInsMgrTest, InsertUpdateAndLookups) {
    open(1, "靠窗 'VIP'");
    auto read = TTableInsMgr::getTableInsById(100);
    ASSERT_TRUE(read);
    EXPECT_EQ(toQDateTime(read->getStartTime()), QDateTime(QDate(2024, 5, 10), QTime(12, 5, 9)));
    // Changing only the state writes every other column back unchanged.
    read->setState(TPOTableIns::stateGivenBack);
    EXPECT_TRUE(TTableInsMgr::update(*read));
    EXPECT_EQ(instances(), QStringList{"100|0|1|101|TIS004|0|靠窗 'VIP'"});
    EXPECT_FALSE(TTableInsMgr::getTableInsByTableId(1, TPOTableIns::stateInUse));
    EXPECT_EQ(TTableInsMgr::getTableInsByTableId(1, TPOTableIns::stateGivenBack)->getId(), 100);

    // A failed insert gives 0 and the record no id; the drawn id stays used.
    failOn("insert", "table_instance");
    TPOTableIns b;
    b.setId(77);
    EXPECT_EQ(TTableInsMgr::insert(b), 0);
    EXPECT_EQ(b.getId(), 0);
    failOn("update", "table_instance");
    EXPECT_FALSE(TTableInsMgr::update(*read));
    EXPECT_EQ(answers.texts(), (QStringList{"添加菜单实例时出错!", "更新菜单实例时出错!"}));
    EXPECT_EQ(scalarInt("select seq_value from sequence where name='table_instance.id'"), 102);
}

TEST_F(TableInsMgrTest, MergeMovesTableDishLinesAndWritesNotes) {
    TPOTableIns a = open(1, "VIP");
    TPOTableIns b = open(2, " \t\r\n ");
    TPOTableIns c = open(3, "第一行\r\n第二行");
    addDishLine(1, a.getId(), "MIR003");
    addDishLine(2, b.getId(), "MIR003");
    addDishLine(3, a.getId(), "MIR001");  // a booking's dish line with the same number
    addDishLine(4, b.getId(), "MIR002");
    addDishLine(5, c.getId(), "MIR003");

    std::vector<TPOTableIns> list{a, b, c};
    ASSERT_TRUE(TTableInsMgr::mergeTables(list, *TTableMgr::getTableById(3)));
    EXPECT_EQ(answers.count(), 0);
    auto merged = TTableInsMgr::getTableInsByTableId(3, TPOTableIns::stateInUse);
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->getId(), 103);
    EXPECT_EQ(merged->getDescription(), QString("原(101):VIP\r原(103):第一行\r\n第二行\r"));
    EXPECT_EQ(double(merged->getStartTime()), double(Now()));
    QString note = "并到(103):103";
    EXPECT_EQ(instances(), (QStringList{"100|0|1|101|TIS005|0|" + note, "101|0|2|102|TIS005|0|" + note,
                                        "102|0|3|103|TIS005|0|" + note,
                                        "103|0|3|103|TIS001|0|" + merged->getDescription()}));
    EXPECT_EQ(dishOwners(), (QStringList{"1|103|MIR003", "2|103|MIR003", "3|100|MIR001", "4|101|MIR002", "5|103|MIR003"}));

    std::vector<TPOTableIns> none;  // just a new instance on the table
    EXPECT_TRUE(TTableInsMgr::mergeTables(none, *TTableMgr::getTableById(4)));
    EXPECT_EQ(TTableInsMgr::getTableInsByTableId(4, TPOTableIns::stateInUse)->getDescription(), "");
}

TEST_F(TableInsMgrTest, FailedMergeLeavesTheDatabaseAsItWas) {
    TPOTableIns a = open(1, "VIP");
    TPOTableIns b = open(2);
    addDishLine(1, a.getId(), "MIR003");
    addDishLine(2, b.getId(), "MIR003");
    QStringList before = instances();
    QStringList dishesBefore = dishOwners();

    // The second old instance's update fails after the rest has run.
    failOn("update", "table_instance", QString("new.id=%1").arg(b.getId()));
    std::vector<TPOTableIns> list{a, b};
    EXPECT_FALSE(TTableInsMgr::mergeTables(list, *TTableMgr::getTableById(5)));
    EXPECT_EQ(answers.texts(), QStringList{"并台时出现异常!"});
    EXPECT_EQ(instances(), before);
    EXPECT_EQ(dishOwners(), dishesBefore);
    EXPECT_EQ(list[0].getState(), TPOTableIns::stateMerged);  // kept in memory

    answers.clear();
    exec("delete from sequence where name='table_instance.id'");
    EXPECT_FALSE(TTableInsMgr::mergeTables(list, *TTableMgr::getTableById(5)));
    EXPECT_EQ(answers.texts(), QStringList{"没有找到(table_instance.id)！"});
    EXPECT_EQ(instances(), before);
}
