#pragma once
#include <QString>
#include <vector>

#include "data/PORightUnit.h"

// Reads the rights catalogue and the rights each employee holds. Nothing is caught
// here: a failure ends the caller's action in the default error box.
class TRightMgr {
public:
    static std::vector<TPORight> getAllRights();
    // Rights whose key is in the catalogue; rows with unknown keys are left out.
    static std::vector<TPORight> getRightsByEmployeeId(int employeeId);
    // Answers from employee_right alone, whether or not the key is catalogued.
    static bool hasRight(int employeeId, const QString& rightNumber);
};
