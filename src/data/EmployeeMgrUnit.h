#pragma once
#include <QString>
#include <optional>
#include <vector>

#include "data/POEmployeeUnit.h"
#include "data/RightMgrUnit.h"

class TDatabaseCtrl;

// Reads and writes employees together with their rights. Unlike the other managers
// it is created before use: it owns the rights reader it loads rights with.
class TEmployeeMgr {
public:
    TEmployeeMgr() = default;

    // Saves the employee and its rights in one transaction; the new id, or 0.
    // The record's own id is not changed: a caller that keeps the record sets it.
    int insert(const TPOEmployee& employee);
    // Rewrites every column and replaces the whole set of rights; an employee that
    // is gone is a failure, and nothing is written.
    bool update(const TPOEmployee& employee);
    // The employee's employee_right rows stay.
    bool Delete(int id);
    std::optional<TPOEmployee> getEmployeeById(int id);
    // Letter case does not matter: the column compares case-insensitively.
    std::optional<TPOEmployee> getEmployeeByLoginName(const QString& loginName);
    std::vector<TPOEmployee> getEmployeesByTeamId(int teamId);

private:
    TPOEmployee loadEmployee(const TDatabaseCtrl& ctrl);
    QStringList rightInserts(const TPOEmployee& employee, int employeeId);
    // Opens the prepared query and loads its first row, rights included.
    std::optional<TPOEmployee> getFirstEmployee(TDatabaseCtrl& ctrl, const QString& failureText);

    TRightMgr rightMgr;
};
