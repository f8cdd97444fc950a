#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

#include "platform/DateTime.h"

struct sqlite3;

// The database connection: an SQLite file opened read-write (never created), with
// the Jet functions and the Chinese name collation registered.
class AdoConnection {
public:
    AdoConnection();
    ~AdoConnection();
    AdoConnection(const AdoConnection&) = delete;
    AdoConnection& operator=(const AdoConnection&) = delete;

    // "Data Source" of the string, backslashes as folder separators.
    static QString dataSourceOf(const QString& connectionString);

    QString connectionString;
    void open();  // throws DatabaseError; a missing file is an error
    void close();
    bool connected() const { return db != nullptr; }
    // Any number of statements; results discarded. The rows changed by the last one.
    int execute(const QString& sql);
    void beginTrans();
    void commitTrans();
    void rollbackTrans();
    bool inTransaction() const;
    sqlite3* handle() const { return db; }

    // How long a statement waits for another program's write lock before failing.
    static int busyTimeoutMs;

private:
    sqlite3* db = nullptr;
};

// Registers DateValue, TimeValue, cdate and the collation "zh" on a handle.
void registerJetFunctions(sqlite3* db);
// A number that changes whenever the "zh" collation may order names differently
// (another Qt, ICU or Unicode version); a file made under another one is reindexed.
int collationVersion();
// Whether the file lies on a network file system, where the write-ahead log
// cannot be shared safely between machines.
bool onNetworkFileSystem(const QString& path);

class AdoField {
public:
    explicit AdoField(QVariant v = QVariant()) : value(std::move(v)) {}
    int asInteger() const;
    double asFloat() const;
    TDateTime asDateTime() const { return TDateTime(asFloat()); }
    QString asString() const;
    bool isNull() const { return value.isNull() || !value.isValid(); }

private:
    QVariant value;
};

// A query bound to the connection. Opening reads the whole result at once, so no
// statement stays open on the file between steps.
class AdoQuery {
public:
    explicit AdoQuery(AdoConnection* connection) : conn(connection) {}
    QStringList sql;  // the statement lines; opening joins them
    void open();
    int execSQL();  // rows affected by the last statement
    void close();
    bool active() const { return isOpen; }
    bool eof() const { return !isOpen || pos >= rows.size(); }
    void next();
    AdoField fieldByName(const QString& name) const;
    AdoField field(int index) const;
    int fieldCount() const { return int(columns.size()); }

private:
    int run(bool keepRows);
    AdoConnection* conn;
    bool isOpen = false;
    QStringList columns;
    std::vector<std::vector<QVariant>> rows;
    size_t pos = 0;
};
