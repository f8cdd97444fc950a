#pragma once
#include <QString>

// One right of the catalogue: the key the main window tests and its display name.
class TPORight {
public:
    QString getNumber() const { return number; }
    void setNumber(const QString& v) { number = v; }
    QString getName() const { return name; }
    void setName(const QString& v) { name = v; }

private:
    QString number;
    QString name;
};
