#pragma once
#include <QString>

// One entry of the fixed attribute lists (sex, education). The type is only ever
// asked of the database, so the record keeps it without offering it back.
class TPOSysAttrib {
public:
    QString getNumber() const { return number; }
    void setNumber(const QString& v) { number = v; }
    void setType(const QString& v) { type = v; }
    QString getName() const { return name; }
    void setName(const QString& v) { name = v; }

private:
    QString number;
    QString type;
    QString name;
};
