// The fast paths must answer exactly as the plain ones: a floor's states in one
// statement, values bound instead of written into the text, ids drawn in blocks.
#include <cmath>
#include <random>
#include <sqlite3.h>

#include "bench/RestaurantGenerator.h"
#include "data/DatabaseCtrlUnit.h"
#include "data/MenuInsMgrUnit.h"
#include "data/OrderMgrUnit.h"
#include "data/PrickMgrUnit.h"
#include "data/TableInsMgrUnit.h"
#include "data/TableMgrUnit.h"
#include "support/TestDatabase.h"

namespace {
class HotPathTest : public DbTest {
protected:
    void TearDown() override {
        clearNowForTest();
        DbTest::TearDown();
    }
    sqlite3* handle() {
        TDatabaseCtrl open;
        return dataInstance->adoConnection.handle();
    }
    void dropTriggers() {
        for (const QString& name : rows("select name from sqlite_master where type='trigger'")) exec("drop trigger " + name);
    }
    int seq(const QString& key) { return scalarInt("select seq_value from sequence where name='" + key + "'"); }
};

int commits = 0;
int countCommit(void*) {
    ++commits;
    return 0;
}
}  // namespace

TEST_F(HotPathTest, FloorStatesInOneStatementMatchEachTablesState) {
    const TDateTime generatedAt = encodeDateTime(2024, 5, 1, 12, 30, 0);
    // 4 days, 2 floors of 26 tables (two disabled on each), 3 categories, 12 dishes, 12 instances
    // of 6 lines, 8 reservations and 1 guest a day, 2 operators.
    const RestaurantSize size{4, 2, 26, 3, 12, 12, 6, 8, 1, 2};
    const QList<int> eats = QList<int>{0} + generateRestaurant(handle(), size, generatedAt).eatIds;
    QSet<QString> seen;
    // Before, at both ends of and between meals, today and on other days.
    for (double dayOffset : {0.0, 1.0})
        for (QTime t : {QTime(6, 0), QTime(11, 0), QTime(12, 30), QTime(14, 0, 1), QTime(21, 0)}) {
            setNowForTest(TDateTime(dateOf(generatedAt) + dayOffset + fromQTime(t)));
            const TDateTime dates[] = {Date(), TDateTime(Date() + 1), TDateTime(Date() - 1), TDateTime(Date() + 0.5)};
            for (int eat : eats)
                for (TDateTime date : dates)
                    for (int floor = 1; floor <= size.floors; ++floor) {
                        const QHash<int, QString> states = TTableMgr::getFloorTableStates(floor, eat, date);
                        ASSERT_EQ(states.size(), size.tablesPerFloor);
                        for (auto it = states.begin(); it != states.end(); ++it) {
                            ASSERT_EQ(it.value(), TTableMgr::getTableState(it.key(), eat, date))
                                << "table " << it.key() << " meal " << eat << " at " << t.toString().toStdString();
                            seen << it.value();
                        }
                    }
        }
    EXPECT_EQ(seen, (QSet<QString>{"TS001", "TS002", "TIS001", "TIS002", "RT001"}));
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(HotPathTest, ActionsCommitTwiceAndFailedOnesLeaveTheirIdsUsedUp) {
    std::vector<TPOTableIns> tables;
    for (int id = 1; id <= 3; ++id) {
        exec(QString("insert into table_spec(id,table_name,floor,state) values(%1,'A%1',1,'TS001');"
                     "insert into table_instance(id,table_id,table_name,state) values(%1,%1,'A%1','TIS001')").arg(id));
        tables.push_back(*TTableInsMgr::getTableInsById(id));
    }
    sqlite3_commit_hook(handle(), countCommit, nullptr);

    TPOOrder order;
    order.setState(TPOOrder::stateCheckedOut); order.setPrice1(30); order.setOperatorId(1);
    order.setCreateTime(encodeDateTime(2024, 5, 1, 12, 0, 0));
    // A checkout that fails draws its id, in a commit of its own, and never gets it again.
    failOn("update", "table_instance", "new.id=3");
    commits = 0;
    EXPECT_EQ(TOrderMgr::insert(order, tables), 0);
    EXPECT_EQ(seq("order.id"), 101);
    dropTriggers();
    for (int id = 1; id <= 3; ++id) tables[size_t(id - 1)] = *TTableInsMgr::getTableInsById(id);
    commits = 0;
    EXPECT_EQ(TOrderMgr::insert(order, tables), 101);
    EXPECT_EQ(commits, 2);

    // Six new dish lines: their ids in one draw, consecutive; a failed save keeps them used up.
    exec("insert into table_instance(id,table_id,table_name,state) values(4,1,'A1','TIS001')");
    auto sixLines = [] {
        TMenuInsList lines;
        for (int k = 0; k < 6; ++k) {
            auto line = lines.emplace_back(std::make_shared<TPOMenuIns>());
            line->setConsultId(4); line->setRelaType(TPOMenuIns::relaTableIns); line->setPrice(12.5); line->setQuantity(1);
            line->setMenuName(QString("菜%1").arg(k));
        }
        return lines;
    };
    failOn("insert", "menu_instance", "new.menu_name='菜5'");
    TMenuInsList lines = sixLines();
    commits = 0;
    EXPECT_TRUE(TMenuInsMgr::saveMenuInsList(4, TPOMenuIns::relaTableIns, lines, {}).empty());
    EXPECT_EQ(commits, 1);
    EXPECT_EQ(seq("menu_instance.id"), 106);
    dropTriggers();
    lines = sixLines();
    commits = 0;
    TMenuInsMgr::saveMenuInsList(4, TPOMenuIns::relaTableIns, lines, {});
    EXPECT_EQ(commits, 2);
    EXPECT_EQ(rows("select group_concat(id) from menu_instance where consult_id=4"), QStringList{"106,107,108,109,110,111"});

    // The closing of a day.
    TPOPrick closing;
    closing.setEmployeeId(1); closing.setToDate(encodeDateTime(2024, 5, 1)); closing.setMoney(30);
    commits = 0;
    EXPECT_EQ(TPrickMgr::prick(closing), 100);
    EXPECT_EQ(commits, 2);
    EXPECT_EQ(answers.texts(), (QStringList{"添加订单出现异常！", "批量修改菜实例时出现异常!"}));
    sqlite3_commit_hook(handle(), nullptr, nullptr);
}

TEST_F(HotPathTest, BoundValuesAreWhatTheLiteralsWouldHaveStored) {
    exec("create table t(k integer, via text, v, r real, s text)");
    std::mt19937 rng(7);
    std::vector<double> floats{2.5, 3.0, -2.5, 0.1, 1.0 / 3, 1e20, 1.5e-7, 123456789012345.0, 99999.995, -0.0};
    for (int i = 0; i < 2000; ++i) floats.push_back(double(rng() % 10000000) / 100.0);
    for (int i = 0; i < 500; ++i) floats.push_back(std::ldexp(double(rng()), -int(rng() % 40)));
    std::vector<TDateTime> times{encodeDateTime(2024, 5, 1), encodeDateTime(2024, 5, 1, 23, 59, 59),
                                 TDateTime(encodeDateTime(2024, 5, 1, 23, 59, 59) + 0.6 / 86400), encodeTime(17, 0, 0),
                                 TDateTime(-700.25)};
    for (int i = 0; i < 500; ++i) times.push_back(TDateTime(40000 + double(rng() % 100000000) / 7777.0));
    auto write = [&](int k, const std::function<void(TDatabaseCtrl&)>& set) {
        for (const char* via : {"bound", "text"}) {
            TDatabaseCtrl c;
            c.setSQL("insert into t(k,via,v,r,s) values(:k,:via,:v,:v,:v)");
            c.setParameter("k", k);
            c.setParameter("via", QString(via));
            set(c);
            QByteArray(via) == "bound" ? c.execSQL() : c.execute(c.getSQL());
        }
    };
    int k = 0;
    TDatabaseCtrl batch;  // one commit for all, or the test waits on the disk
    batch.beginTrans();
    for (double f : floats) write(++k, [f](TDatabaseCtrl& c) { c.setParameter("v", f); });
    for (TDateTime d : times) write(++k, [d](TDatabaseCtrl& c) { c.setParameter("v", d); });
    for (const char* s : {"O'Hara", "", "改到:id桌", "12"})
        write(++k, [s](TDatabaseCtrl& c) { c.setParameter("v", QString::fromUtf8(s)); });
    write(++k, [](TDatabaseCtrl& c) { c.setParameter("v", -7); });
    batch.commitTrans();
    EXPECT_EQ(scalarInt("select count(*) from t where via='bound'"), k);
    EXPECT_EQ(rows("select a.k from t a join t b on a.k=b.k and a.via='bound' and b.via='text' where a.v is not b.v"
                   " or typeof(a.v)<>typeof(b.v) or a.r is not b.r or a.s is not b.s"),
              QStringList());
    // Where only the text will do, the text is what runs: an unset placeholder reaches
    // the database as written, a value of another kind removes it.
    TDatabaseCtrl c;
    c.setSQL("insert into t(k,v) values(:k,:unset)");
    c.setParameter("k", -1);
    c.execSQL();
    c.setSQL("insert into t(k,v) values(:k,1:gone)");
    c.setParameter("k", -2);
    c.setParameter("gone", true);
    c.execSQL();
    EXPECT_EQ(rows("select k, typeof(v), v from t where k<0 order by k desc"), (QStringList{"-1|null|", "-2|integer|1"}));
}

TEST_F(HotPathTest, ListsComeInTheOrderATableScanGave) {
    // Ids and times in opposite orders: the time index must not reorder the list.
    exec("insert into o_order(id,create_time,price1,state,operator_id) values(7,45413.6,1,'ORD001',1),"
         "(8,45413.4,2,'ORD001',1),(9,45413.5,3,'ORD001',1)");
    QStringList ids;
    for (const TPOOrder& o : TOrderMgr::getOrdersByTime(TDateTime(45413), TDateTime(45414))) ids << QString::number(o.getPrice1());
    EXPECT_EQ(ids, (QStringList{"1", "2", "3"}));
}
