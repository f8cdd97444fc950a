#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "data/DatabaseCtrlUnit.h"
#include "platform/DatabaseFile.h"
#include "platform/Errors.h"
#include "platform/Formats.h"
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
    EXPECT_EQ(substituted("select * from team where parent_id=:parent_id order by name",
                          [](TDatabaseCtrl& c) { c.setParameter("parent_id", 7); }),
              "select * from team where parent_id=7 order by name");
    const QString sql = "update employee set id_card=:id_card where id=:id";
    const QString want = "update employee set id_card='x' where id=5";
    EXPECT_EQ(substituted(sql, [](TDatabaseCtrl& c) { c.setParameter("id", 5); c.setParameter("id_card", "x"); }), want);
    EXPECT_EQ(substituted(sql, [](TDatabaseCtrl& c) { c.setParameter("id_card", "x"); c.setParameter("id", 5); }), want);
    EXPECT_EQ(substituted("values(:a,:b,:c,:d)", [](TDatabaseCtrl& c) {
                  c.setParameter("a", 2.50);
                  c.setParameter("b", 0);
                  c.setParameter("c", QString());
                  c.setParameter("d", true);
              }),
              "values(2.5,0,'',)");
    EXPECT_EQ(substituted("x=:t", [](TDatabaseCtrl& c) { c.setParameter("t", encodeDateTime(2024, 5, 1)); }),
              "x=DateValue('2024-05-01')+TimeValue('00:00:00')");
    EXPECT_EQ(substituted("x=:t", [](TDatabaseCtrl& c) { c.setParameter("t", encodeDateTime(2024, 5, 1, 13, 5, 9)); }),
              "x=DateValue('2024-05-01')+TimeValue('13:05:09')");
    // Case-sensitive tokens, colon-joined names, unset placeholders, a second set.
    EXPECT_EQ(substituted("a=:ID and b=:id:x and c=:id and d=:other", [](TDatabaseCtrl& c) {
                  c.setParameter("id", 1);
                  c.setParameter("id", 2);
              }),
              "a=:ID and b=:id:x and c=1 and d=:other");
}

TEST_F(DatabaseCtrlTest, QuotesInValuesNeverChangeTheStatement) {
    // A quote is doubled; a placeholder inside a literal (typed by a user) stays as typed.
    TDatabaseCtrl c;
    c.setSQL("insert into team(id,parent_id,name,description)values(:id,0,:name,:description)");
    c.setParameter("name", "O'Hara");
    c.setParameter("description", "改到:id桌 x' or '1'='1");
    c.setParameter("id", 9);
    EXPECT_EQ(c.getSQL(), "insert into team(id,parent_id,name,description)values(9,0,'O''Hara','改到:id桌 x'' or ''1''=''1')");
    EXPECT_EQ(c.execSQL(), 1);
    EXPECT_EQ(rows("select name, description from team where id=9"), QStringList{"O'Hara|改到:id桌 x' or '1'='1"});
    EXPECT_EQ(scalarInt("select count(*) from team"), 2);
}

TEST_F(DatabaseCtrlTest, DateTimeLiteralsMatchStoredValuesToTheSecond) {
    exec("create table t(id integer, v real)");
    const TDateTime values[] = {encodeDateTime(2024, 5, 1), encodeDateTime(2024, 5, 1, 23, 59, 59),
                                encodeDateTime(2024, 5, 1, 13, 5, 9), encodeTime(17, 0, 0)};
    int id = 0;
    for (TDateTime v : values) {
        TDatabaseCtrl w;
        w.setSQL("insert into t values(:id,:v)");
        w.setParameter("id", ++id);
        w.setParameter("v", v);
        w.execSQL();
        TDatabaseCtrl r;
        r.setSQL("select id, v from t where v=:v");
        r.setParameter("v", v);
        r.open();
        ASSERT_FALSE(r.eof()) << formatDateTime("yyyy-MM-dd hh:nn:ss", v).toStdString();
        EXPECT_EQ(r.fieldByName("id").asInteger(), id);
        EXPECT_EQ(r.fields(1).asDateTime().val, v.val);
    }
    // Day filters compare whole days; a time of day never equals its date.
    TDatabaseCtrl d;
    d.setSQL("select count(*) from t where DateValue(cdate(v))=:day");
    d.setParameter("day", encodeDateTime(2024, 5, 1));
    d.open();
    EXPECT_EQ(d.fields(0).asInteger(), 3);
    EXPECT_EQ(scalar("select DateValue(null) is null and TimeValue(null) is null and cdate(null) is null"), "1");
    EXPECT_EQ(scalar("select cdate('2024-05-01 13:05:09') = DateValue('2024-05-01')+TimeValue('13:05:09')"), "1");
}

TEST_F(DatabaseCtrlTest, ReadingRowsFieldsAndNulls) {
    exec("create table t(id integer, name text, price real); insert into t values(1,'甲',2.5),(2,null,null)");
    TDatabaseCtrl c;
    c.setSQL("select * from t order by id");
    c.open();
    QStringList seen;
    while (!c.eof()) {
        seen << QString("%1:%2:%3").arg(c.fieldByName("ID").asInteger()).arg(c.fieldByName("name").asString())
                    .arg(c.fields(2).asFloat());
        c.next();
    }
    EXPECT_EQ(seen, (QStringList{"1:甲:2.5", "2::0"}));
    c.close();
    c.clearSQL();
    c.setSQL("select * from t where id=99");
    c.open();
    EXPECT_TRUE(c.eof());
    EXPECT_THROW(c.fieldByName("name"), DatabaseError);
    c.clearSQL();
    c.setSQL("select nosuch from t");
    EXPECT_THROW(c.open(), DatabaseError);
}

TEST_F(DatabaseCtrlTest, BatchWithAFailingStatementLeavesNothing) {
    failOn("update", "team");
    TDatabaseCtrl c;
    QStringList batch{"insert into team(id,parent_id,name,description)values(50,0,'新团队','')",
                      "update team set name='x' where id=1"};
    c.beginTrans();
    try {
        for (const QString& s : batch) c.execute(s);
        c.commitTrans();
        FAIL() << "the update should have failed";
    } catch (const DatabaseError& e) {
        c.rollbackTrans();
        EXPECT_TRUE(e.text().contains("forced failure"));
    }
    EXPECT_EQ(scalarInt("select count(*) from team where id=50"), 0);
    EXPECT_EQ(scalar("select name from team where id=1"), "全体员工");
}

TEST_F(DatabaseCtrlTest, CtrlCountFollowsHelpersWhateverThePath) {
    int before = ctrlCount;
    {
        TDatabaseCtrl a;
        EXPECT_EQ(ctrlCount, before + 1);
        TDatabaseCtrl b;
        EXPECT_EQ(ctrlCount, before + 2);
        b.release();
        EXPECT_EQ(ctrlCount, before + 1);
    }  // b released twice (explicitly, then by scope) counts once
    EXPECT_EQ(ctrlCount, before);
    try {
        TDatabaseCtrl c;
        c.setSQL("select * from nosuch");
        c.open();
    } catch (const DatabaseError&) {
    }
    EXPECT_EQ(ctrlCount, before);
}

TEST_F(DatabaseCtrlTest, NamesCompareWithoutLetterCase) {
    exec("insert into team values(20,1,'Kitchen',''),(21,1,'bar','')");
    EXPECT_EQ(scalar("select id from team where name='KITCHEN'"), "20");
    EXPECT_EQ(rows("select name from team where parent_id=1 order by name"), (QStringList{"bar", "Kitchen"}));
}

TEST(DatabaseConnection, MissingFileGivesTheErrorBoxAndCreatesNothing) {
    QTemporaryDir dir;
    QString path = dir.filePath("db/db.mdb");
    ScriptedAnswerer answers;
    answers.install();
    Tdata::useDatabaseFile(path);
    {
        TDatabaseCtrl c;
        c.setSQL("select * from team");
        EXPECT_THROW(c.open(), DatabaseError);
    }
    ASSERT_EQ(answers.count(), 1);
    EXPECT_EQ(answers.seen[0].kind, MsgError);
    EXPECT_TRUE(answers.last().contains("db.mdb"));
    EXPECT_FALSE(QFile::exists(path));
    // The next helper tries again and succeeds once the file is there.
    QDir().mkpath(dir.filePath("db"));
    ASSERT_EQ(createDatabaseFile(path, {sourcePath("db/schema.sql"), sourcePath("db/seed.sql")}), QString());
    {
        TDatabaseCtrl c;
        c.setSQL("select name from team where id=1");
        c.open();
        EXPECT_EQ(c.fieldByName("name").asString(), "全体员工");
    }
    EXPECT_EQ(answers.count(), 1);
    EXPECT_EQ(Tdata::instance()->adoConnection.connectionString.contains("Data Source="), true);
    Tdata::reset();
    answers.uninstall();
}

TEST(DatabaseConnection, ConnectionStringPathIsRelativeWithBackslashes) {
    EXPECT_EQ(AdoConnection::dataSourceOf(Tdata::defaultConnectionString), "db/db.mdb");
}

TEST(DatabaseFile, MakesTheTablesInOrderAndRefusesToOverwrite) {
    QTemporaryDir dir;
    QString path = dir.filePath("new.mdb");
    QStringList scripts{sourcePath("db/schema.sql"), sourcePath("db/seed.sql")};
    ASSERT_EQ(createDatabaseFile(path, scripts), QString());
    EXPECT_FALSE(createDatabaseFile(path, scripts).isEmpty());
    // A failing script leaves no file behind.
    QString bad = dir.filePath("bad.sql");
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("create table x(a); this is not sql;");
    f.close();
    EXPECT_FALSE(createDatabaseFile(dir.filePath("half.mdb"), {sourcePath("db/schema.sql"), bad}).isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("half.mdb")));
    EXPECT_FALSE(QFile::exists(dir.filePath("half.mdb.new")));
}
