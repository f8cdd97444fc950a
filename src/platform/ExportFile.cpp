#include "platform/ExportFile.h"

#include <QFile>
#include <QStringEncoder>

namespace {
QString oneLineCell(QString text) {
    for (QChar& c : text)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return text;
}
}  // namespace

bool writeTabSeparatedFile(const QString& path, const QList<QStringList>& rows) {
    QStringEncoder gbk("GBK");
    if (!gbk.isValid()) return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) return false;
    for (const QStringList& row : rows) {
        QStringList cells;
        for (const QString& cell : row) cells << oneLineCell(cell);
        const QByteArray line = gbk.encode(cells.join('\t') + '\n');
        if (file.write(line) != line.size()) return false;
    }
    // Closing can fail too (a full disk, a network share); that is no success.
    if (!file.flush()) return false;
    file.close();
    return file.error() == QFileDevice::NoError;
}
