#pragma once
#include <QString>

#include "platform/DateTime.h"

// A closing of one employee's day, or (id 0) a summary row of a day not yet closed.
class TPOPrick {
public:
    int getId() const { return id; }
    void setId(int v) { id = v; }
    int getOperatorId() const { return operatorId; }
    void setOperatorId(int v) { operatorId = v; }
    QString getOperatorName() const { return operatorName; }
    void setOperatorName(const QString& v) { operatorName = v; }
    int getEmployeeId() const { return employeeId; }
    void setEmployeeId(int v) { employeeId = v; }
    QString getEmployeeName() const { return employeeName; }
    void setEmployeeName(const QString& v) { employeeName = v; }
    TDateTime getToDate() const { return toDate; }
    void setToDate(TDateTime v) { toDate = v; }
    TDateTime getCreateTime() const { return createTime; }
    void setCreateTime(TDateTime v) { createTime = v; }
    double getMoney() const { return money; }
    void setMoney(double v) { money = v; }

private:
    int id = 0;
    int operatorId = 0;
    QString operatorName;
    int employeeId = 0;
    QString employeeName;
    TDateTime toDate;
    TDateTime createTime;
    double money = 0.0;
};
