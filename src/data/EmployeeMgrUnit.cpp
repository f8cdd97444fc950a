#include "data/EmployeeMgrUnit.h"

#include <QStringList>

#include "data/DatabaseCtrlUnit.h"
#include "data/GuardedWrites.h"
#include "data/SequenceMgrUnit.h"
#include "platform/Messages.h"

namespace {
void setEmployeeColumns(TDatabaseCtrl& ctrl, const TPOEmployee& e) {
    ctrl.setParameter("login_name", e.getLoginName());
    ctrl.setParameter("password", e.getPassword());
    ctrl.setParameter("user_name", e.getUserName());
    ctrl.setParameter("team_id", e.getTeamId());
    ctrl.setParameter("sex", e.getSex());
    ctrl.setParameter("id_card", e.getIdCard());
    ctrl.setParameter("birth", e.getBirth());
    ctrl.setParameter("status_student", e.getStatusStudent());
    ctrl.setParameter("address", e.getAddress());
    ctrl.setParameter("telephone", e.getTelephone());
    ctrl.setParameter("role_name", e.getRoleName());
    ctrl.setParameter("description", e.getDescription());
}
}  // namespace

QStringList TEmployeeMgr::rightInserts(const TPOEmployee& employee, int employeeId) {
    QStringList texts;
    TDatabaseCtrl ctrl;
    for (const TPORight& right : employee.getRights()) {
        ctrl.clearSQL();
        ctrl.setSQL("insert into employee_right(right_number,employee_id)values(:right_number,:employee_id)");
        ctrl.setParameter("right_number", right.getNumber());
        ctrl.setParameter("employee_id", employeeId);
        texts << ctrl.getSQL();
    }
    return texts;
}

int TEmployeeMgr::insert(const TPOEmployee& employee) {
    int id = TSequenceMgr().getNextValue("employee.id");
    // The issuer has shown why there is no id; a row under id 0 would be a ghost.
    if (id == 0) return 0;
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(QStringLiteral("insert into employee(id,login_name,password,user_name,team_id,sex,") +
                "id_card,birth,status_student,address,telephone,role_name,description)" +
                "values(:id,:login_name,:password,:user_name,:team_id,:sex," +
                ":id_card,:birth,:status_student,:address,:telephone,:role_name,:description)");
    ctrl.setParameter("id", id);
    setEmployeeColumns(ctrl, employee);
    QStringList texts{ctrl.getSQL()};
    texts << rightInserts(employee, id);
    return executeInTransaction(ctrl, texts, "添加员工出现异常！") ? id : 0;
}

bool TEmployeeMgr::update(const TPOEmployee& employee) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(QStringLiteral("update employee set login_name=:login_name,password=:password,user_name=:user_name,") +
                "team_id=:team_id,sex=:sex,id_card=:id_card,birth=:birth,status_student=:status_student," +
                "address=:address,telephone=:telephone,role_name=:role_name,description=:description" +
                " where id=:id");
    setEmployeeColumns(ctrl, employee);
    ctrl.setParameter("id", employee.getId());
    // An employee deleted meanwhile changes no row: its rights must not be written
    // for a row that no longer exists.
    QList<CheckedSQL> statements{withValues(ctrl, 1)};
    statements << CheckedSQL{"delete from employee_right where employee_id=" + QString::number(employee.getId())};
    for (const QString& text : rightInserts(employee, employee.getId())) statements << CheckedSQL{text};
    const QString failed = QStringLiteral("修改员工出现异常！");
    return executeChecked(ctrl, statements, failed, failed);
}

bool TEmployeeMgr::Delete(int id) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("delete from employee where id=:id");
    ctrl.setParameter("id", id);
    return execOrShow(ctrl, "删除员工出现异常！");
}

TPOEmployee TEmployeeMgr::loadEmployee(const TDatabaseCtrl& ctrl) {
    TPOEmployee e;
    e.setId(ctrl.fieldByName("id").asInteger());
    e.setLoginName(ctrl.fieldByName("login_name").asString());
    e.setPassword(ctrl.fieldByName("password").asString());
    e.setUserName(ctrl.fieldByName("user_name").asString());
    e.setTeamId(ctrl.fieldByName("team_id").asInteger());
    e.setSex(ctrl.fieldByName("sex").asString());
    e.setIdCard(ctrl.fieldByName("id_card").asString());
    e.setBirth(ctrl.fieldByName("birth").asDateTime());
    e.setStatusStudent(ctrl.fieldByName("status_student").asString());
    e.setAddress(ctrl.fieldByName("address").asString());
    e.setTelephone(ctrl.fieldByName("telephone").asString());
    e.setRoleName(ctrl.fieldByName("role_name").asString());
    e.setDescription(ctrl.fieldByName("description").asString());
    e.setRights(rightMgr.getRightsByEmployeeId(e.getId()));
    return e;
}

std::optional<TPOEmployee> TEmployeeMgr::getFirstEmployee(TDatabaseCtrl& ctrl, const QString& failureText) {
    try {
        return ctrl.readFirst([this](const TDatabaseCtrl& row) { return loadEmployee(row); });
    } catch (const std::exception&) {
        showMessage(failureText);
        return std::nullopt;
    }
}

std::optional<TPOEmployee> TEmployeeMgr::getEmployeeById(int id) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from employee where id=:id");
    ctrl.setParameter("id", id);
    return getFirstEmployee(ctrl, "通过ID查询工员出现异常！");
}

std::optional<TPOEmployee> TEmployeeMgr::getEmployeeByLoginName(const QString& loginName) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from employee where login_name=:login_name");
    ctrl.setParameter("login_name", loginName);
    return getFirstEmployee(ctrl, "通过LoginName查询工员出现异常！");
}

std::vector<TPOEmployee> TEmployeeMgr::getEmployeesByTeamId(int teamId) {
    std::vector<TPOEmployee> list;
    TDatabaseCtrl ctrl;
    try {
        ctrl.clearSQL();
        ctrl.setSQL("select * from employee where team_id=:team_id order by user_name");
        ctrl.setParameter("team_id", teamId);
        ctrl.readAll(list, [this](const TDatabaseCtrl& row) { return loadEmployee(row); });
    } catch (const std::exception&) {
        showMessage("通过团队获得工员出现异常！");
    }
    return list;
}
