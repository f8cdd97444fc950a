// The whole persistence layer against a killed process and a second station on
// the same file. Each test prints its seed and its counts.
#include <QProcess>
#include <QRegularExpression>
#include <chrono>
#include <random>
#include <thread>
#include <utility>

#include "data/MenuInsMgrUnit.h"
#include "data/OrderMgrUnit.h"
#include "data/PrickMgrUnit.h"
#include "data/TableInsMgrUnit.h"
#include "data/GuardedWrites.h"
#include "platform/AdoConnection.h"
#include "support/TestDatabase.h"

namespace {
class SystemReliabilityTest : public SampleDbTest {
protected:
    void SetUp() override {
        memoryFolder = true;
        SampleDbTest::SetUp();
    }
    // Every rule the file must keep whatever happened to the programs writing it.
    void expectConsistent(const QString& when) {
        SCOPED_TRACE(when.toStdString());
        ASSERT_EQ(scalar("pragma integrity_check"), "ok");
        EXPECT_EQ(scalarInt("select count(*) from (select table_id from table_instance where state='TIS001' "
                            "group by table_id having count(*)>1)"), 0) << "a table in use twice";
        EXPECT_EQ(scalarInt("select count(*) from o_order o where not exists(select 1 from table_instance t where "
                            "t.order_id=o.id)"), 0) << "an order without its tables";
        EXPECT_EQ(scalarInt("select count(*) from table_instance where order_id<>0 and state not in('TIS002','TIS003')"),
                  0) << "a settled instance in another state";
        EXPECT_EQ(scalarInt("select count(*) from table_instance t where state in('TIS002','TIS003') and not "
                            "exists(select 1 from o_order o where o.id=t.order_id)"), 0) << "settled by no order";
        EXPECT_EQ(scalarInt("select count(*) from prick p where abs(m_money-(select ifnull(sum(o.price1),0) from o_order "
                            "o,prick_order_rela r where o.id=r.order_id and r.prick_id=p.id))>0.000001 or exists(select 1 "
                            "from o_order o,prick_order_rela r where o.id=r.order_id and r.prick_id=p.id and "
                            "o.state<>'ORD003')"), 0) << "a closing that does not add up";
        // Each save tags its new lines with their number: a group short of it is half saved.
        for (const QString& g : rows("select description,count(*) from menu_instance where rela_type='MIR003' "
                                     "group by consult_id,description"))
            EXPECT_EQ(g.section('/', 1).section('|', 0, 0), g.section('|', 1)) << g.toStdString();
    }
    static std::mt19937 seeded(const char* name, unsigned& seed) {
        seed = 20240510;
        std::printf("[ %s ] seed %u\n", name, seed);
        return std::mt19937(seed);
    }
};
}  // namespace

TEST_F(SystemReliabilityTest, AProcessKilledAtRandomMomentsLosesNothingHalfWritten) {
    unsigned seed;
    std::mt19937 rng = seeded("kill", seed);
    int kills = 0, opsBeforeKills = 0;
    for (int round = 0; round < 50; ++round) {
        QProcess station;
        station.start(HELAN_STATION, {dbPath, "loop", QString::number(seed + round), QString::number(3 + round % 2)});
        ASSERT_TRUE(station.waitForStarted());
        // Killed after a few operations, at a moment within the next one.
        int wanted = 1 + int(rng() % 6), seen = 0;
        while (seen < wanted && station.waitForReadyRead(10000)) seen += int(station.readAll().count('\n'));
        ASSERT_EQ(station.state(), QProcess::Running) << station.readAllStandardError().toStdString();
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 3000));  // where in it: at random
        station.kill();
        station.waitForFinished();
        ++kills;
        opsBeforeKills += seen;
        expectConsistent(QString("after kill %1").arg(kills));
        if (HasFatalFailure()) return;
    }
    std::printf("[ kill ] kills survived %d, operations finished between them %d, orders %d, closings %d\n", kills,
                opsBeforeKills, scalarInt("select count(*) from o_order"), scalarInt("select count(*) from prick"));
    EXPECT_GE(kills, 50);
    EXPECT_GT(scalarInt("select count(*) from o_order"), 0);
}

TEST_F(SystemReliabilityTest, TwoStationsOnOneFileNeverCountATableTwice) {
    unsigned seed;
    seeded("two stations", seed);
    const int count = 2000;
    QProcess a, b;
    a.start(HELAN_STATION, {dbPath, "ops", QString::number(seed), QString::number(count), "3"});
    b.start(HELAN_STATION, {dbPath, "ops", QString::number(seed + 1), QString::number(count), "4"});
    ASSERT_TRUE(a.waitForFinished(240000) && b.waitForFinished(240000));
    static const QRegularExpression re(
        R"(ops=(\d+) refused=(\d+) unreported=(\d+) reportedAsFailed=(\d+) checkouts=(\d+) money=([\d.]+) lines=(-?\d+))");
    int ops = 0, refused = 0, checkouts = 0, dishLines = 0;
    double money = 0;
    for (QProcess* p : {&a, &b}) {
        QString out = QString::fromUtf8(p->readAllStandardOutput());
        auto m = re.match(out);
        ASSERT_TRUE(m.hasMatch()) << out.toStdString() << p->readAllStandardError().toStdString();
        std::printf("[ two stations ] %s", qPrintable(out));
        EXPECT_EQ(m.captured(1).toInt(), count);
        EXPECT_EQ(m.captured(3).toInt(), 0) << "a refused operation its station was not told of";
        EXPECT_EQ(m.captured(4).toInt(), 0) << "a success reported as a failure";
        ops += m.captured(1).toInt();
        refused += m.captured(2).toInt();
        checkouts += m.captured(5).toInt();
        money += m.captured(6).toDouble();
        dishLines += m.captured(7).toInt();
    }
    std::printf("[ two stations ] operations %d, refused %d, checkouts %d\n", ops, refused, checkouts);
    expectConsistent("after both stations");
    // Every checkout a station was told of is there once, with its money.
    EXPECT_EQ(scalarInt("select count(*) from o_order"), checkouts);
    EXPECT_NEAR(scalar("select ifnull(sum(price1),0) from o_order").toDouble(), money, 0.005);
    // No station's save took away a dish line another station had stored.
    EXPECT_EQ(scalarInt("select count(*) from menu_instance where rela_type='MIR003'"), dishLines);
    EXPECT_GE(ops, 2 * count);
    EXPECT_GT(refused, 0);  // the stations did get in each other's way
}

TEST_F(SystemReliabilityTest, WritesWaitingTooLongForAnotherProgramsLockWriteNothing) {
    struct Timeout {
        int saved = std::exchange(AdoConnection::busyTimeoutMs, 200);
        ~Timeout() { AdoConnection::busyTimeoutMs = saved; }
    } shortWait;
    exec("insert into table_instance(id,table_id,table_name,state) values(1,1,'101','TIS001');"
         "insert into menu_instance(id,consult_id,rela_type,price,quantity) values(1,1,'MIR003',10,1);"
         "insert into o_order(id,create_time,price1,state,operator_id,operator_name) values(1,45000,30,'ORD001',3,'张三');"
         "insert into table_instance(id,table_id,state,order_id) values(2,2,'TIS002',1)");
    firstInteger("select 1");  // the connection is open before the other program locks the file
    auto everything = [&] {
        return rows("select * from table_instance") + rows("select * from menu_instance") + rows("select * from o_order") +
               rows("select * from prick") + rows("select * from prick_order_rela") + rows("select * from sequence");
    };
    const QStringList before = everything();

    QProcess locker;
    locker.start(HELAN_STATION, {dbPath, "lock"});
    ASSERT_TRUE(locker.waitForReadyRead(10000));
    ASSERT_EQ(locker.readAll().trimmed(), "locked");
    // The dish lines are saved before the checkout settles the table.
    auto attempt = [&](bool expectDone) {
        TMenuInsList lines = TMenuInsMgr::getTableInsMenuIns(1);
        const std::vector<TPOMenuIns> asRead = TMenuInsMgr::copiesOf(lines);
        lines[0]->setQuantity(2);
        EXPECT_EQ(TMenuInsMgr::saveMenuInsList(1, "MIR003", lines, asRead).size(), expectDone ? 1u : 0u);
        std::vector<TPOTableIns> tables{*TTableInsMgr::getTableInsById(1)};
        TPOOrder order;
        order.setState(TPOOrder::stateCheckedOut);
        EXPECT_EQ(TOrderMgr::insert(order, tables) != 0, expectDone);
        std::vector<TPOPrick> days = TPrickMgr::getNotPrickList();
        ASSERT_FALSE(days.empty());
        EXPECT_EQ(TPrickMgr::prick(days[0]) != 0, expectDone);
    };
    attempt(false);
    EXPECT_EQ(answers.texts(), (QStringList{"批量修改菜实例时出现异常!", "获得(order.id)值出现异常！", "获得(prick.id)值出现异常！"}));
    EXPECT_EQ(everything(), before);

    locker.write("\n");
    ASSERT_TRUE(locker.waitForFinished(10000));
    answers.clear();
    attempt(true);
    EXPECT_EQ(answers.count(), 0);
}
