#pragma once
#include <QString>

// One typed setting (a row of `sys_set`); type "print" rows are the kitchen printers.
class TPOSysSet {
public:
    void setId(int v) { id = v; }
    void setType(const QString& v) { type = v; }
    QString getCode() const { return code; }
    void setCode(const QString& v) { code = v; }
    QString getName() const { return name; }
    void setName(const QString& v) { name = v; }
    // For a printer: the name of the installed printer that gets the ticket.
    QString getValue() const { return value; }
    void setValue(const QString& v) { value = v; }
    void setDescription(const QString& v) { description = v; }

private:
    int id = 0;
    QString type;
    QString code;
    QString name;
    QString value;
    QString description;
};
