#include "platform/IniFileUnit.h"

#include <QFile>
#include <limits>
#include <optional>

namespace {
// Section and key names compare without letter case, as ini files on the desktop do.
// The first matching key wins. Values keep commas, quotes and backslashes as written,
// except that one pair of surrounding quotes is removed.
std::optional<QString> findValue(const QString& path, const QString& section, const QString& key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    bool inSection = false;
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(QChar(0xFEFF)))
            line = line.mid(1).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const int close = line.indexOf(QLatin1Char(']'));
            const QString name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (!inSection || eq < 0 || line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0)
            continue;
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
            && value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        return value;
    }
    return std::nullopt;
}

std::optional<qlonglong> toInteger(const QString& text) {
    bool ok = false;
    qlonglong n = text.toLongLong(&ok, 10);
    if (!ok && (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)))
        n = text.mid(2).toLongLong(&ok, 16);
    if (!ok)
        return std::nullopt;
    return n;
}
}  // namespace

TIniFile::TIniFile(const QString& filePath) : path(filePath) {}

bool TIniFile::readBool(const QString& section, const QString& key, bool defaultValue) const {
    const auto value = findValue(path, section, key);
    if (!value)
        return defaultValue;
    if (value->compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (value->compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    const auto n = toInteger(*value);
    return n ? *n != 0 : defaultValue;
}

int TIniFile::readInteger(const QString& section, const QString& key, int defaultValue) const {
    const auto value = findValue(path, section, key);
    if (!value)
        return defaultValue;
    const auto n = toInteger(*value);
    if (!n || *n < std::numeric_limits<int>::min() || *n > std::numeric_limits<int>::max())
        return defaultValue;
    return int(*n);
}

QString TIniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const {
    return findValue(path, section, key).value_or(defaultValue);
}
