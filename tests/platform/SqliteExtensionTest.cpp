#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "platform/DateTime.h"
#include "support/TestDatabase.h"

namespace {

// A connection as the sqlite3 shell has it: plain SQLite, nothing of the program's
// registered, only what the extension brings.
struct PlainConnection {
    sqlite3* db = nullptr;
    explicit PlainConnection(const QString& path) {
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~PlainConnection() { sqlite3_close(db); }
    QString exec(const char* sql) {
        char* err = nullptr;
        int rc = sqlite3_exec(db, sql, nullptr, nullptr, &err);
        QString text = rc == SQLITE_OK ? QString() : QString::fromUtf8(err ? err : sqlite3_errmsg(db));
        sqlite3_free(err);
        return text;
    }
    QStringList column(const char* sql) {
        QStringList out;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) return {sqlite3_errmsg(db)};
        while (sqlite3_step(stmt) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
        return out;
    }
};

}  // namespace

using SqliteExtension = DbTest;

TEST_F(SqliteExtension, PlainConnectionWritesSortsAndDatesAsTheProgram) {
    PlainConnection shell(dbPath);
    const char* insert = "insert into employee(id,login_name,user_name) values"
                         "(10,'Zhao','赵六'),(11,'li','李四'),(12,'chen','陈二'),(13,'a-ming','阿明')";
    EXPECT_TRUE(shell.exec(insert).contains("no such collation sequence: zh"));

    // Loading is allowed in this connection alone, never in the program's.
    sqlite3_enable_load_extension(shell.db, 1);
    char* err = nullptr;
    ASSERT_EQ(sqlite3_load_extension(shell.db, HELAN_SQLITE_EXTENSION_FILE, nullptr, &err), SQLITE_OK)
        << (err ? err : "");
    EXPECT_EQ(shell.exec(insert), "");
    // The unique login index compares without regard to case, as the program's does.
    EXPECT_TRUE(shell.exec("insert into employee(id,login_name) values(14,'ZHAO')").contains("UNIQUE"));

    // Pinyin order, not the order of the code points (李 < 赵 < 阿 < 陈).
    const QStringList pinyin{"阿明", "陈二", "李四", "赵六"};
    EXPECT_EQ(shell.column("select user_name from employee where id>=10 order by user_name"), pinyin);
    EXPECT_EQ(rows("select user_name from employee where id>=10 order by user_name"), pinyin);
    EXPECT_EQ(shell.column("select login_name from employee order by login_name desc"),
              rows("select login_name from employee order by login_name desc"));
    // The index the shell wrote is one the program finds its rows in.
    EXPECT_EQ(rows("select user_name from employee where login_name='ZHAO'"), QStringList{"赵六"});

    const QByteArray dates = "select DateValue('2024-05-10')+TimeValue('12:30:05') = " +
                             QByteArray::number(double(encodeDateTime(2024, 5, 10, 12, 30, 5)), 'g', 17) +
                             " and DateValue(cdate('2024-05-10 08:00:00')) = " +
                             QByteArray::number(double(encodeDateTime(2024, 5, 10)), 'g', 17);
    EXPECT_EQ(shell.column(dates.constData()), QStringList{"1"});
}

// What the README tells a new user: a file from makedb, then the sample restaurant fed
// to the sqlite3 shell with the extension loaded.
TEST_F(SqliteExtension, SampleRestaurantLoadsIntoANewFileThroughTheExtension) {
    QFile sample(sourcePath("tests/fixtures/sample.sql"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray script = sample.readAll();
    PlainConnection shell(dbPath);
    sqlite3_enable_load_extension(shell.db, 1);
    char* err = nullptr;
    ASSERT_EQ(sqlite3_load_extension(shell.db, HELAN_SQLITE_EXTENSION_FILE, nullptr, &err), SQLITE_OK)
        << (err ? err : "");
    EXPECT_EQ(shell.exec(script.constData()), "");

    EXPECT_EQ(scalarInt("select count(*) from table_spec"), script.count("INSERT INTO table_spec "));
    EXPECT_EQ(scalarInt("select count(*) from menu"), script.count("INSERT INTO menu "));
    EXPECT_GT(scalarInt("select count(*) from menu"), 0);
    // The logins the README gives for trying the sample.
    EXPECT_EQ(rows("select login_name,password from employee order by id"),
              QStringList({"admin|admin", "zhangsan|123", "lisi|123", "wangwu|123"}));
}
