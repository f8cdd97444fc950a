#include "platform/AdoConnection.h"

#include <QDir>
#include <QStorageInfo>
#include <QFileInfo>
#include <cmath>
#include <sqlite3.h>

#include "platform/Errors.h"

namespace {

QString lastError(sqlite3* db) { return QString::fromUtf8(sqlite3_errmsg(db)); }

int firstInteger(sqlite3* db, const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) throw DatabaseError(lastError(db));
    int value = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : 0;
    sqlite3_finalize(stmt);
    return value;
}

}  // namespace

bool onNetworkFileSystem(const QString& path) {
    static const QStringList network{"nfs", "nfs4", "cifs", "smb3", "smbfs", "smb2", "ncpfs", "ncp", "afs",
                                     "coda", "ceph", "glusterfs", "fuse.glusterfs", "lustre", "fuse.sshfs",
                                     "davfs", "fuse.davfs2", "gfs2", "ocfs2", "fuse.s3fs", "fuse.rclone"};
    QStorageInfo storage(QFileInfo(path).absolutePath());
    return storage.isValid() && network.contains(QString::fromLatin1(storage.fileSystemType()).toLower());
}

int AdoConnection::busyTimeoutMs = 10000;

AdoConnection::AdoConnection() = default;

AdoConnection::~AdoConnection() { close(); }

QString AdoConnection::dataSourceOf(const QString& connectionString) {
    for (const QString& part : connectionString.split(';')) {
        int eq = part.indexOf('=');
        if (eq < 0) continue;
        if (part.left(eq).trimmed().compare("Data Source", Qt::CaseInsensitive) == 0)
            return part.mid(eq + 1).trimmed().replace('\\', '/');
    }
    return QString();
}

void AdoConnection::open() {
    close();
    QString path = dataSourceOf(connectionString);
    if (path.isEmpty()) throw DatabaseError(QStringLiteral("连接字符串中没有数据源"));
    if (!QFileInfo(path).isFile())
        throw DatabaseError(QStringLiteral("找不到数据库文件 %1").arg(QDir::cleanPath(QFileInfo(path).absoluteFilePath())));
    // Write-ahead logging shares its index through memory of one machine only.
    if (onNetworkFileSystem(path))
        throw DatabaseError(QStringLiteral("数据库文件 %1 位于网络文件系统上，不能安全使用：请把它放在运行本程序的计算机的本地磁盘上")
                                .arg(QDir::cleanPath(QFileInfo(path).absoluteFilePath())));
    sqlite3* h = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        QString err = h ? lastError(h) : QStringLiteral("无法打开数据库");
        sqlite3_close(h);
        throw DatabaseError(QStringLiteral("无法打开数据库 %1: %2").arg(path, err));
    }
    sqlite3_busy_timeout(h, busyTimeoutMs);
    registerJetFunctions(h);
    db = h;
    try {
        // Checked with a read, so a file that is not a database fails here, not later.
        execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=OFF; select count(*) from sqlite_master;");
        // Name indexes sorted under other collation tables would be out of order.
        int version = collationVersion();
        if (firstInteger(db, "PRAGMA user_version") != version)
            execute(QStringLiteral("BEGIN IMMEDIATE; REINDEX zh; PRAGMA user_version=%1; COMMIT;").arg(version));
    } catch (...) {
        if (inTransaction()) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        close();
        throw;
    }
}

void AdoConnection::close() {
    dropStatements();
    if (db) sqlite3_close_v2(db);
    db = nullptr;
}

void AdoConnection::dropStatements() {
    for (sqlite3_stmt* stmt : std::as_const(statements)) sqlite3_finalize(stmt);
    statements.clear();
}

sqlite3_stmt* AdoConnection::cachedStatement(const QByteArray& sql) {
    if (!db) return nullptr;
    auto found = statements.constFind(sql);
    if (found != statements.constEnd()) return found.value();
    // The program has a few hundred texts with placeholders; this bound only guards
    // against a caller that builds endless new ones.
    if (statements.size() >= 512) dropStatements();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v3(db, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &stmt, &tail) !=
        SQLITE_OK) {
        // Not kept: the text may compile later (a table made meanwhile), and the
        // caller's own path reports the failure with the text it runs.
        sqlite3_finalize(stmt);
        return nullptr;
    }
    while (stmt && tail && *tail && QChar::isSpace(uchar(*tail))) ++tail;
    if (stmt && tail && *tail) {  // more than one statement: never run this way
        sqlite3_finalize(stmt);
        stmt = nullptr;
    }
    statements.insert(sql, stmt);
    return stmt;
}

double AdoConnection::realOfText(const QByteArray& text) {
    sqlite3_stmt* stmt = cachedStatement("select ?1");
    if (!stmt) throw DatabaseError(lastError(db));
    sqlite3_bind_text(stmt, 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    double value = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_double(stmt, 0) : 0.0;
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    return value;
}

int AdoConnection::execute(const QString& sql) {
    if (!db) throw DatabaseError(QStringLiteral("数据库未连接"));
    char* err = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        QString text = err ? QString::fromUtf8(err) : lastError(db);
        sqlite3_free(err);
        throw DatabaseError(text);
    }
    return sqlite3_changes(db);
}

bool AdoConnection::inTransaction() const { return db && !sqlite3_get_autocommit(db); }

void AdoConnection::executeCached(const QByteArray& sql) {
    sqlite3_stmt* stmt = cachedStatement(sql);
    if (!stmt) {
        execute(QString::fromLatin1(sql));
        return;
    }
    int rc = sqlite3_step(stmt);
    QString err = rc == SQLITE_DONE ? QString() : lastError(db);
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE) throw DatabaseError(err);
}

// IMMEDIATE takes the write lock at once, so a second process waits at the start
// of the batch rather than failing in its middle.
void AdoConnection::beginTrans() { executeCached("BEGIN IMMEDIATE"); }

void AdoConnection::commitTrans() { executeCached("COMMIT"); }

void AdoConnection::rollbackTrans() {
    if (inTransaction()) execute("ROLLBACK");
}

int AdoField::asInteger() const {
    if (isNull()) return 0;
    if (value.typeId() == QMetaType::Double) return int(std::llround(value.toDouble()));
    return value.toInt();
}

double AdoField::asFloat() const { return isNull() ? 0.0 : value.toDouble(); }

QString AdoField::asString() const {
    if (isNull()) return QString();
    if (value.typeId() == QMetaType::Double) return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

// Steps the statement to its end, keeping the rows when it has columns and they
// are wanted. SQLITE_DONE, or the failing code; the statement is left as it is.
int AdoQuery::stepAll(sqlite3_stmt* stmt, bool keepRows) {
    int ncol = sqlite3_column_count(stmt);
    bool collect = keepRows && ncol > 0;
    if (collect) {
        columns.clear();
        rows.clear();
        for (int i = 0; i < ncol; ++i) columns << QString::fromUtf8(sqlite3_column_name(stmt, i));
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        if (!collect) continue;
        std::vector<QVariant> row(ncol);
        for (int i = 0; i < ncol; ++i) {
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_INTEGER: row[i] = QVariant(qint64(sqlite3_column_int64(stmt, i))); break;
            case SQLITE_FLOAT: row[i] = QVariant(sqlite3_column_double(stmt, i)); break;
            case SQLITE_NULL: row[i] = QVariant(); break;
            default:
                row[i] = QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                                    sqlite3_column_bytes(stmt, i)));
            }
        }
        rows.push_back(std::move(row));
    }
    return rc;
}

int AdoQuery::run(bool keepRows) {
    close();
    if (!conn || !conn->connected()) throw DatabaseError(QStringLiteral("数据库未连接"));
    sqlite3* db = conn->handle();
    QByteArray text = sql.join('\n').toUtf8();
    const char* tail = text.constData();
    const char* end = tail + text.size();
    int changes = 0;
    bool gotColumns = false;
    while (tail < end) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, tail, int(end - tail), &stmt, &tail) != SQLITE_OK)
            throw DatabaseError(lastError(db));
        if (!stmt) continue;  // blanks or a comment
        if (keepRows && sqlite3_column_count(stmt) > 0) gotColumns = true;
        if (stepAll(stmt, keepRows) != SQLITE_DONE) {
            QString err = lastError(db);
            sqlite3_finalize(stmt);
            throw DatabaseError(err);
        }
        changes = sqlite3_changes(db);
        sqlite3_finalize(stmt);
    }
    if (keepRows && !gotColumns) throw DatabaseError(QStringLiteral("命令没有返回结果集"));
    isOpen = keepRows;
    pos = 0;
    return changes;
}

bool AdoQuery::runBound(const QByteArray& text, const std::vector<AdoParameter>& parameters, bool keepRows,
                        int& changes) {
    close();
    if (!conn || !conn->connected()) return false;
    sqlite3_stmt* stmt = conn->cachedStatement(text);
    if (!stmt || sqlite3_bind_parameter_count(stmt) != int(parameters.size())) return false;
    if (keepRows && sqlite3_column_count(stmt) == 0) return false;
    // The texts bound stay here until the statement has run.
    std::vector<QByteArray> texts;
    texts.reserve(parameters.size());
    for (size_t k = 0; k < parameters.size(); ++k) {
        const AdoParameter& p = parameters[k];
        // Names given in the order the text has them are found at once.
        const char* named = sqlite3_bind_parameter_name(stmt, int(k) + 1);
        int index = named && p.name == named ? int(k) + 1 : sqlite3_bind_parameter_index(stmt, p.name.constData());
        int rc = SQLITE_OK;
        if (index == 0) {
            rc = SQLITE_MISMATCH;
        } else if (p.value.typeId() == QMetaType::Double) {
            rc = sqlite3_bind_double(stmt, index, p.value.toDouble());
        } else if (p.value.typeId() == QMetaType::QString) {
            const QByteArray& utf8 = texts.emplace_back(p.value.toString().toUtf8());
            rc = sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_STATIC);
        } else {
            rc = sqlite3_bind_int64(stmt, index, p.value.toLongLong());
        }
        if (rc != SQLITE_OK) {
            sqlite3_clear_bindings(stmt);
            return false;
        }
    }
    sqlite3* db = conn->handle();
    int rc = stepAll(stmt, keepRows);
    QString err = rc == SQLITE_DONE ? QString() : lastError(db);
    changes = sqlite3_changes(db);
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    if (rc != SQLITE_DONE) {
        columns.clear();
        rows.clear();
        throw DatabaseError(err);
    }
    isOpen = keepRows;
    pos = 0;
    return true;
}

void AdoQuery::open() { run(true); }

int AdoQuery::execSQL() { return run(false); }

void AdoQuery::close() {
    isOpen = false;
    columns.clear();
    rows.clear();
    pos = 0;
}

void AdoQuery::next() {
    if (!isOpen) throw DatabaseError(QStringLiteral("数据集未打开"));
    if (pos < rows.size()) ++pos;
}

AdoField AdoQuery::fieldByName(const QString& name) const {
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].compare(name, Qt::CaseInsensitive) == 0) return field(i);
    throw DatabaseError(QStringLiteral("字段 '%1' 没有找到").arg(name));
}

AdoField AdoQuery::field(int index) const {
    if (!isOpen || pos >= rows.size()) throw DatabaseError(QStringLiteral("数据集没有当前记录"));
    if (index < 0 || index >= int(columns.size())) throw DatabaseError(QStringLiteral("字段序号 %1 越界").arg(index));
    return AdoField(rows[pos][index]);
}
