#pragma once
#include <QString>
#include <QStringList>

// Creates a new database file from SQL script files, run in order in one
// transaction. Refuses an existing file; on any failure leaves no file behind.
// Returns an empty text on success, else what went wrong.
QString createDatabaseFile(const QString& path, const QStringList& scriptFiles);
