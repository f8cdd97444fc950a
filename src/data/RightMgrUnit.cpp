#include "data/RightMgrUnit.h"

#include "data/DatabaseCtrlUnit.h"

namespace {
std::vector<TPORight> readRights(TDatabaseCtrl& ctrl) {
    std::vector<TPORight> list;
    ctrl.readAll(list, [](const TDatabaseCtrl& row) {
        TPORight right;
        right.setNumber(row.fieldByName("number").asString());
        right.setName(row.fieldByName("name").asString());
        return right;
    });
    return list;
}
}  // namespace

std::vector<TPORight> TRightMgr::getAllRights() {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from r_right order by name");
    return readRights(ctrl);
}

std::vector<TPORight> TRightMgr::getRightsByEmployeeId(int employeeId) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select r_right.* from employee_right,r_right where employee_right.right_number=r_right.number"
                " and employee_right.employee_id=:employee_id");
    ctrl.setParameter("employee_id", employeeId);
    return readRights(ctrl);
}

bool TRightMgr::hasRight(int employeeId, const QString& rightNumber) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from employee_right where employee_id=:employee_id and right_number=:right_number");
    ctrl.setParameter("employee_id", employeeId);
    ctrl.setParameter("right_number", rightNumber);
    ctrl.open();
    bool found = !ctrl.eof();
    ctrl.close();
    return found;
}
