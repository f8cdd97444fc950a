#pragma once
#include <QString>
#include <QStringList>
#include <QHash>
#include <QVariant>
#include <memory>
#include <vector>

#include "platform/DateTime.h"
#include "platform/JetFunctions.h"

struct sqlite3;
struct sqlite3_stmt;

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

    // A statement compiled once and kept while the connection is open, handed out
    // reset and without bindings; nullptr when the text is not exactly one statement.
    sqlite3_stmt* cachedStatement(const QByteArray& sql);
    // The number SQLite reads from a numeric text, exactly as it reads that text
    // written as a literal into a statement.
    double realOfText(const QByteArray& text);

    // How long a statement waits for another program's write lock before failing.
    static int busyTimeoutMs;

private:
    // Runs one statement without values or rows, compiled once.
    void executeCached(const QByteArray& sql);
    void dropStatements();
    sqlite3* db = nullptr;
    QHash<QByteArray, sqlite3_stmt*> statements;
};

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

// A value bound to the placeholder `name` (":" and the name) of a statement.
struct AdoParameter {
    QByteArray name;
    QVariant value;  // qint64, double or QString
};

// A query bound to the connection. Opening reads the whole result at once, so no
// statement stays open on the file between steps.
class AdoQuery {
public:
    explicit AdoQuery(AdoConnection* connection) : conn(connection) {}
    QStringList sql;  // the statement lines; opening joins them
    void open();
    int execSQL();  // rows affected by the last statement
    // Runs `text`, one statement, compiled once per connection, with the values bound
    // to its placeholders. Runs nothing and gives false when the text is not one
    // statement or its placeholders are not exactly the names given.
    bool runBound(const QByteArray& text, const std::vector<AdoParameter>& parameters, bool keepRows, int& changes);
    void close();
    bool active() const { return isOpen; }
    bool eof() const { return !isOpen || pos >= rows.size(); }
    void next();
    AdoField fieldByName(const QString& name) const;
    AdoField field(int index) const;
    int fieldCount() const { return int(columns.size()); }

private:
    int run(bool keepRows);
    int stepAll(sqlite3_stmt* stmt, bool keepRows);
    AdoConnection* conn;
    bool isOpen = false;
    QStringList columns;
    std::vector<std::vector<QVariant>> rows;
    size_t pos = 0;
};
