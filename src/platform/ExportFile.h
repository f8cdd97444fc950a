#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// Writes rows as tab-separated text in GBK, each row ended by LF, replacing an
// existing file. A TAB, CR or LF inside a cell becomes a blank, so a cell never
// splits its row. Lines go to the file as they are made, so after a failure the
// lines before it stay. False when the file cannot be created, written or closed.
bool writeTabSeparatedFile(const QString& path, const QList<QStringList>& rows);
