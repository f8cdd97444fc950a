#include "platform/DatabaseFile.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

#include "platform/AdoConnection.h"

namespace {
QString runScripts(sqlite3* db, const QStringList& scriptFiles) {
    if (sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) return QString::fromUtf8(sqlite3_errmsg(db));
    for (const QString& script : scriptFiles) {
        QFile f(script);
        if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("无法读取 %1").arg(script);
        char* err = nullptr;
        if (sqlite3_exec(db, f.readAll().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
            QString text = QStringLiteral("%1: %2").arg(script, QString::fromUtf8(err ? err : sqlite3_errmsg(db)));
            sqlite3_free(err);
            return text;
        }
    }
    // The name indexes were just sorted by this build's collation: say so.
    QByteArray version = "PRAGMA user_version=" + QByteArray::number(collationVersion()) + "; COMMIT";
    if (sqlite3_exec(db, version.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        return QString::fromUtf8(sqlite3_errmsg(db));
    return QString();
}
}  // namespace

QString createDatabaseFile(const QString& path, const QStringList& scriptFiles) {
    if (QFileInfo::exists(path)) return QStringLiteral("%1 已存在，不会覆盖").arg(path);
    // Built under a temporary name and renamed at the end, so that a failure
    // never leaves a half-made database where the program looks for one.
    QString temp = path + ".new";
    QFile::remove(temp);
    sqlite3* db = nullptr;
    QString error;
    if (sqlite3_open_v2(QFile::encodeName(temp).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        error = QStringLiteral("无法创建 %1: %2").arg(temp, db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString());
    } else {
        registerJetFunctions(db);
        error = runScripts(db, scriptFiles);
    }
    sqlite3_close(db);
    if (error.isEmpty() && !QFile::rename(temp, path)) error = QStringLiteral("无法创建 %1").arg(path);
    if (!error.isEmpty()) QFile::remove(temp);
    return error;
}
