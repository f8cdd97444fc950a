#include "support/TestDatabase.h"

#include <QFileInfo>
#include <sqlite3.h>

#include "data/DatabaseCtrlUnit.h"
#include "platform/AdoConnection.h"
#include "platform/DatabaseFile.h"
#include "platform/DateTime.h"

QString sourcePath(const QString& relative) { return QStringLiteral(HELAN_SOURCE_DIR "/") + relative; }

void DbTest::SetUp() {
    QString root = memoryFolder ? QStringLiteral("/dev/shm") : QString();
    dir = root.isEmpty() || !QFileInfo(root).isWritable() ? std::make_unique<QTemporaryDir>()
                                                          : std::make_unique<QTemporaryDir>(root + "/helan-XXXXXX");
    ASSERT_TRUE(dir->isValid());
    dbPath = dir->filePath("db.mdb");
    QStringList scripts{sourcePath("db/schema.sql"), sourcePath("db/seed.sql")};
    for (const QString& f : fixtures()) scripts << sourcePath("tests/fixtures/" + f);
    QString error = createDatabase(dbPath, scripts);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    Tdata::useDatabaseFile(dbPath);
    answers.install();
    clearNowForTest();
}

QString DbTest::createDatabase(const QString& path, const QStringList& scripts) {
    return createDatabaseFile(path, scripts);
}

void DbTest::TearDown() {
    EXPECT_EQ(answers.shownInsideTransaction, QStringList()) << "message boxes shown while the write lock was held";
    Tdata::reset();
    answers.uninstall();
    clearNowForTest();
    dir.reset();
}

namespace {
struct Handle {
    sqlite3* db = nullptr;
    explicit Handle(const QString& path) {
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(db, 5000);
        registerJetFunctions(db);
    }
    ~Handle() { sqlite3_close(db); }
};
}  // namespace

void DbTest::exec(const QString& sql) {
    Handle h(dbPath);
    char* err = nullptr;
    if (sqlite3_exec(h.db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        ADD_FAILURE() << "SQL failed: " << sql.toStdString() << ": " << (err ? err : "");
        sqlite3_free(err);
    }
}

QStringList DbTest::rows(const QString& sql) {
    Handle h(dbPath);
    QStringList out;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(h.db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << "SQL failed: " << sql.toStdString() << ": " << sqlite3_errmsg(h.db);
        return out;
    }
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        QStringList cols;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            if (sqlite3_column_type(stmt, i) == SQLITE_FLOAT)
                cols << QString::number(sqlite3_column_double(stmt, i), 'g', 15);
            else
                cols << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)));
        }
        out << cols.join('|');
    }
    sqlite3_finalize(stmt);
    return out;
}

QString DbTest::scalar(const QString& sql) {
    QStringList r = rows(sql);
    return r.isEmpty() ? QString() : r.first().section('|', 0, 0);
}

void DbTest::failOn(const QString& event, const QString& table, const QString& when) {
    static int n = 0;
    exec(QStringLiteral("create trigger fail_%1 before %2 on %3 %4 begin select raise(abort,'forced failure'); end;")
             .arg(++n)
             .arg(event, table, when.isEmpty() ? QString() : "when " + when));
}
