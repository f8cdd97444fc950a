#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstring>
#include <sqlite3.h>

#include "data/DatabaseCtrlUnit.h"
#include "data/GuardedWrites.h"
#include "data/SequenceMgrUnit.h"
#include "platform/DatabaseFile.h"
#include "platform/Errors.h"
#include "support/TestDatabase.h"

namespace {
QString substituted(const QString& sql, const std::function<void(TDatabaseCtrl&)>& params) {
    TDatabaseCtrl c;
    c.setSQL(sql);
    params(c);
    return c.getSQL();
}
}  // namespace

using DatabaseCtrlTest = DbTest;

TEST_F(DatabaseCtrlTest, LiteralsAndWholeTokenSubstitution) {
    // :id must not eat the start of :id_card, whichever is set first; tokens at the end of the text too.
    const QString sql = "update employee set id_card=:id_card where id=:id";
    const QString want = "update employee set id_card='x' where id=5";
    EXPECT_EQ(substituted(sql, [](TDatabaseCtrl& c) { c.setParameter("id", 5); c.setParameter("id_card", "x"); }), want);
    EXPECT_EQ(substituted(sql, [](TDatabaseCtrl& c) { c.setParameter("id_card", "x"); c.setParameter("id", 5); }), want);
    EXPECT_EQ(substituted("values(:a,:b,:c,:d,:e,:f)", [](TDatabaseCtrl& c) {
                  c.setParameter("a", 2.50); c.setParameter("b", 0); c.setParameter("c", QString());
                  c.setParameter("d", true); c.setParameter("e", encodeDateTime(2024, 5, 1));
                  c.setParameter("f", encodeDateTime(2024, 5, 1, 13, 5, 9));
              }),
              "values(2.5,0,'',,DateValue('2024-05-01')+TimeValue('00:00:00'),"
              "DateValue('2024-05-01')+TimeValue('13:05:09'))");
    // Case-sensitive tokens, colon-joined names and unset placeholders stay; a second set finds nothing.
    EXPECT_EQ(substituted("a=:ID and b=:id:x and c=:id and d=:other",
                          [](TDatabaseCtrl& c) { c.setParameter("id", 1); c.setParameter("id", 2); }),
              "a=:ID and b=:id:x and c=1 and d=:other");
}

TEST_F(DatabaseCtrlTest, QuotesInValuesNeverChangeTheStatement) {
    // A quote is doubled; a placeholder inside a literal (typed by a user) stays as typed.
    TDatabaseCtrl c;
    c.setSQL("insert into team(id,parent_id,name,description)values(:id,0,:name,:description)");
    c.setParameter("name", "O'Hara");
    c.setParameter("description", "改到:id桌 x' or '1'='1");
    c.setParameter("id", 9);
    EXPECT_EQ(c.execSQL(), 1);
    EXPECT_EQ(rows("select id, name, description from team where id>1"), QStringList{"9|O'Hara|改到:id桌 x' or '1'='1"});
}

TEST_F(DatabaseCtrlTest, DateTimeLiteralsMatchStoredValuesToTheSecond) {
    exec("create table t(id integer, v real)");
    // Stored as the program computes them; the literals must find them exactly.
    const TDateTime values[] = {encodeDateTime(2024, 5, 1), encodeDateTime(2024, 5, 1, 23, 59, 59),
                                encodeDateTime(2024, 5, 1, 13, 5, 9), encodeTime(17, 0, 0)};
    for (int i = 0; i < 4; ++i) exec(QString("insert into t values(%1,%2)").arg(i).arg(double(values[i]), 0, 'g', 17));
    QString in = substituted("select group_concat(id) from t where v in (:a,:b,:c,:d)", [&](TDatabaseCtrl& c) {
        for (int i = 0; i < 4; ++i) c.setParameter(QString(QChar('a' + i)), values[i]);
    });
    EXPECT_EQ(scalar(in), "0,1,2,3");
    // Day filters compare whole days.
    EXPECT_EQ(scalarInt("select count(*) from t where DateValue(cdate(v))=DateValue('2024-05-01')"), 3);
    // A stored value's time of day, a time-only text, and NULL as Jet reads them.
    EXPECT_EQ(scalarInt("select round(TimeValue(v)*86400)=13*3600+5*60+9 and cdate('13:05:09')=TimeValue('13:05:09') "
                        "from t where id=2"),
              1);
    EXPECT_EQ(scalar("select ifnull(DateValue(null),'-')||ifnull(TimeValue(null),'-')||ifnull(cdate(null),'-')"), "---");
}

TEST_F(DatabaseCtrlTest, ReadsRowsAndNullsAndCountsHelpersWhateverThePath) {
    exec("create table t(id integer, name text, price real); insert into t values(1,'甲',2.5),(2,null,null)");
    const int before = ctrlCount;
    {
        TDatabaseCtrl c, spare;
        spare.release();  // released again by its scope: counted once
        c.setSQL("select * from t order by id");
        c.open();
        QStringList seen;
        for (; !c.eof(); c.next())
            seen << QString("%1:%2:%3").arg(c.fieldByName("ID").asInteger()).arg(c.fieldByName("name").asString())
                        .arg(c.fields(2).asFloat());
        EXPECT_EQ(seen, (QStringList{"1:甲:2.5", "2::0"}));
        EXPECT_THROW(c.fieldByName("name"), DatabaseError);  // past the last row
        EXPECT_EQ(ctrlCount, before + 1);
        c.setSQL("select id from t");
        c.open();
        EXPECT_THROW(c.fieldByName("nosuch"), DatabaseError);
    }
    EXPECT_THROW({ TDatabaseCtrl c; c.setSQL("select * from nosuch"); c.open(); }, DatabaseError);
    EXPECT_EQ(ctrlCount, before);
}

TEST_F(DatabaseCtrlTest, AFailedBatchLeavesNothing) {
    failOn("update", "team");
    TDatabaseCtrl c;
    c.beginTrans();
    c.execute("insert into team(id,parent_id,name,description)values(50,0,'新团队','')");
    EXPECT_THROW(c.execute("update team set name='x' where id=1"), DatabaseError);
    c.rollbackTrans();
    EXPECT_EQ(rows("select id, name from team"), QStringList{"1|全体员工"});
}

TEST(DatabaseConnection, MissingFileGivesTheErrorBoxAndCreatesNothing) {
    EXPECT_EQ(AdoConnection::dataSourceOf(Tdata::defaultConnectionString), "db/db.mdb");
    QTemporaryDir dir;
    QString path = dir.filePath("db.mdb");  // its folder exists: nothing may be made in it
    ScriptedAnswerer answers;
    answers.install();
    Tdata::useDatabaseFile(path);
    auto rootTeam = [] { return firstInteger("select count(*) from team where name='全体员工'"); };
    EXPECT_THROW(rootTeam(), DatabaseError);
    ASSERT_EQ(answers.count(), 1);
    EXPECT_TRUE(answers.seen[0].kind == MsgError && answers.last().contains("db.mdb"));
    EXPECT_FALSE(QFile::exists(path));
    // The next helper tries again and succeeds once the file is there.
    QStringList scripts{sourcePath("db/schema.sql"), sourcePath("db/seed.sql")};
    ASSERT_EQ(createDatabaseFile(path, scripts), QString());
    EXPECT_EQ(rootTeam(), 1);
    EXPECT_EQ(answers.count(), 1);
    Tdata::reset();
    answers.uninstall();

    // Making a file never overwrites one, and a failing script leaves none behind.
    EXPECT_FALSE(createDatabaseFile(path, scripts).isEmpty());
    QFile bad(dir.filePath("bad.sql"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly) && bad.write("create table x(a); this is not sql;") > 0);
    bad.close();
    EXPECT_FALSE(createDatabaseFile(dir.filePath("half.mdb"), {scripts[0], bad.fileName()}).isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"bad.sql", "db.mdb"}));  // no half.mdb(.new)
}

TEST(DatabaseConnection, OpensOnlyADatabaseFileTheStringNames) {
    QTemporaryDir dir;
    AdoConnection c;
    c.connectionString = "Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False";
    EXPECT_THROW(c.open(), DatabaseError);
    // A file that is no database fails at once, not at some later read, and stays as it was.
    QFile notes(dir.filePath("notes.mdb"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly) && notes.write(QByteArray(4096, 'x')) > 0);
    notes.close();
    c.connectionString = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + notes.fileName();
    EXPECT_THROW(c.open(), DatabaseError);
    EXPECT_FALSE(c.connected());
    ASSERT_TRUE(notes.open(QIODevice::ReadOnly));
    EXPECT_EQ(notes.readAll(), QByteArray(4096, 'x'));
}

TEST_F(DatabaseCtrlTest, RefusesWhatWouldCorruptAStatementOrAFile) {
    // No statement may carry nan or inf: the user's action ends with a clear error.
    for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        TDatabaseCtrl c;
        c.setSQL("update team set parent_id=:v where id=1");
        EXPECT_THROW(c.setParameter("v", bad), DatabaseError);
        EXPECT_THROW(c.setParameter("v", TDateTime(bad)), DatabaseError);
    }
    // A second statement on the same helper never runs the first one again.
    TDatabaseCtrl c;
    c.setSQL("insert into team(id,parent_id,name,description)values(7,0,'a','')");
    c.execSQL();
    c.setSQL("select count(*) from team");
    c.open();
    EXPECT_EQ(c.fields(0).asInteger(), 2);
    // Times out of range are refused, not rolled over into the next days.
    EXPECT_EQ(scalar("select cdate('2024-05-01 23:59:59')"),
              QString::number(double(encodeDateTime(2024, 5, 1, 23, 59, 59)), 'g', 15));
    for (const char* bad : {"99:00", "24:00:00", "2024-05-01 99:00", "12:60"}) {
        TDatabaseCtrl q;
        q.setSQL(QString("select TimeValue('%1'), cdate('%1')").arg(bad));
        EXPECT_THROW(q.open(), DatabaseError) << bad;
    }
    // A NULL counter hands out no id.
    exec("update sequence set seq_value=null where name='order.id'");
    EXPECT_EQ(TSequenceMgr().getNextValue("order.id"), 0);
    EXPECT_EQ(answers.texts(), QStringList{"获得(order.id)值出现异常！"});
}

TEST_F(DatabaseCtrlTest, ABatchInsideTheCallersTransactionUndoesOnlyItself) {
    failOn("insert", "team", "new.id=9");
    TDatabaseCtrl outer;
    outer.beginTrans();
    outer.execute("insert into team(id,parent_id,name,description)values(7,0,'a','')");
    EXPECT_FALSE(executeInTransaction({"insert into team(id,parent_id,name,description)values(8,0,'b','')",
                                       "insert into team(id,parent_id,name,description)values(9,0,'c','')"},
                                      "失败"));
    EXPECT_TRUE(outer.inTransaction());  // still the caller's, to commit or undo
    EXPECT_TRUE(executeInTransaction({"insert into team(id,parent_id,name,description)values(10,0,'d','')"}, "失败"));
    outer.execute("insert into team(id,parent_id,name,description)values(11,0,'e','')");
    outer.commitTrans();
    EXPECT_EQ(rows("select id from team order by id"), (QStringList{"1", "7", "10", "11"}));
    EXPECT_EQ(answers.texts(), QStringList{"失败"});
    answers.shownInsideTransaction.clear();  // inside the caller's transaction, which is the caller's to end
}

TEST_F(DatabaseCtrlTest, AFileMadeUnderOtherCollationTablesIsReindexed) {
    firstInteger("select 1");  // opens: the file now records this build's collation
    EXPECT_EQ(scalarInt("pragma user_version"), collationVersion());
    Tdata::reset();
    // Names indexed by a program whose tables ordered them the other way round.
    {
        sqlite3* db = nullptr;
        sqlite3_open_v2(dbPath.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        auto reversed = [](void*, int la, const void* a, int lb, const void* b) {
            return -std::memcmp(a, b, size_t(std::min(la, lb))) - (la - lb);
        };
        sqlite3_create_collation(db, "zh", SQLITE_UTF8, nullptr, reversed);
        sqlite3_exec(db, "insert into table_spec(id,table_name) values(1,'b'),(2,'a'),(3,'c'); pragma user_version=1;",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    ASSERT_NE(scalar("pragma integrity_check"), "ok");
    firstInteger("select 1");
    EXPECT_EQ(scalar("pragma integrity_check"), "ok");
    EXPECT_EQ(scalarInt("pragma user_version"), collationVersion());
    EXPECT_FALSE(onNetworkFileSystem(dbPath));
}

TEST_F(DatabaseCtrlTest, AStoredNumberFindsItsRowAgainBoundOrAsFinishedText) {
    exec("insert into menu_instance(id,price) values(1,0.1+0.2)");
    auto found = [](const std::function<void(TDatabaseCtrl&)>& bind, bool asText) {
        TDatabaseCtrl c;
        c.setSQL("select count(*) from menu_instance where price=:p");
        bind(c);
        if (asText) c.setSQL(c.getSQL());
        c.open();
        return c.fields(0).asInteger();
    };
    const double stored = 0.1 + 0.2;
    for (bool asText : {false, true})
        EXPECT_EQ(found([&](TDatabaseCtrl& c) { c.setStoredFloat("p", stored); }, asText), 1) << asText;
    // The ordinary value goes through its 15-digit literal, which misses the row.
    EXPECT_EQ(found([&](TDatabaseCtrl& c) { c.setParameter("p", stored); }, false), 0);
    TDatabaseCtrl c;
    EXPECT_THROW(c.setStoredFloat("p", std::nan("")), DatabaseError);
}
