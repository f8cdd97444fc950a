// makedb [path]: creates a new database file (default db/db.mdb) from
// db/schema.sql and db/seed.sql. Never overwrites an existing file.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "platform/DatabaseFile.h"

static QString findDbFolder() {
    // The scripts are looked for in the working directory first, then beside the
    // source tree the tool was built from (build/ one level below it).
    QStringList candidates{QDir::currentPath() + "/db",
                           QCoreApplication::applicationDirPath() + "/../db",
                           QCoreApplication::applicationDirPath() + "/../../db"};
    for (const QString& c : candidates)
        if (QFileInfo::exists(c + "/schema.sql") && QFileInfo::exists(c + "/seed.sql")) return QDir::cleanPath(c);
    return QString();
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() > 1 || (args.size() == 1 && args[0].startsWith('-'))) {
        std::fprintf(stderr, "usage: makedb [path]   (default db/db.mdb)\n");
        return 2;
    }
    QString path = args.isEmpty() ? QStringLiteral("db/db.mdb") : args[0];
    QString folder = findDbFolder();
    if (folder.isEmpty()) {
        std::fprintf(stderr, "makedb: db/schema.sql and db/seed.sql not found\n");
        return 1;
    }
    QString error = createDatabaseFile(path, {folder + "/schema.sql", folder + "/seed.sql"});
    if (!error.isEmpty()) {
        std::fprintf(stderr, "makedb: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    std::printf("makedb: created %s\n", path.toLocal8Bit().constData());
    return 0;
}
