#pragma once
#include <QString>

// Read-only ini file access; a missing file, section or key gives the default.
class TIniFile {
public:
    explicit TIniFile(const QString& path);
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;

private:
    QString path;
};
