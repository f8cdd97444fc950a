#include "data/EmployeeMgrUnit.h"
#include "data/RightMgrUnit.h"
#include "support/TestDatabase.h"

using EmployeeMgrTest = SampleDbTest;

namespace {
std::vector<TPORight> rights(std::initializer_list<const char*> keys) {
    std::vector<TPORight> list;
    for (const char* key : keys) list.emplace_back().setNumber(key);
    return list;
}

// Employee 4 has every column filled; the copy gets its own login and rights.
TPOEmployee newEmployee(const QString& login) {
    TPOEmployee e = TEmployeeMgr().getEmployeeById(4).value();
    e.setLoginName(login);
    e.setUserName("赵'六");
    e.setRights(rights({"sell", "option"}));
    return e;
}

const char* allRights = "select * from employee_right order by employee_id,rowid";
}  // namespace

TEST_F(EmployeeMgrTest, InsertAndUpdateWriteTheRightsWithTheEmployee) {
    TEmployeeMgr mgr;
    EXPECT_EQ(mgr.insert(newEmployee("zhaoliu")), 100);
    const QString columns = "select password,team_id,sex,id_card,birth,status_student,address,telephone,role_name,"
                            "description from employee where id=";
    EXPECT_EQ(rows(columns + "100"), rows(columns + "4"));
    EXPECT_EQ(rows("select right_number from employee_right where employee_id=100 order by rowid"),
              (QStringList{"sell", "option"}));

    // A held key missing from the catalogue is not loaded, so an update drops it too.
    exec("insert into employee_right(employee_id,right_number) values(2,'ghost')");
    auto e = mgr.getEmployeeById(2);
    e->setRights(rights({"option", "sell"}));
    EXPECT_TRUE(mgr.update(*e));
    EXPECT_EQ(rows("select right_number from employee_right where employee_id=2 order by rowid"),
              (QStringList{"option", "sell"}));
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(EmployeeMgrTest, FailedWritesLeaveEmployeesAndRightsAsBefore) {
    TEmployeeMgr mgr;
    const QStringList employees = rows("select * from employee order by id"), held = rows(allRights);
    auto e = mgr.getEmployeeById(2);
    e->setPassword("new");
    e->setRights(rights({"option"}));
    EXPECT_EQ(mgr.insert(newEmployee("ZhangSan")), 0);  // the login is taken, whatever its letter case
    failOn("insert", "employee_right");
    EXPECT_EQ(mgr.insert(newEmployee("zhaoliu")), 0);
    EXPECT_FALSE(mgr.update(*e));
    EXPECT_EQ(answers.texts(), (QStringList{"添加员工出现异常！", "添加员工出现异常！", "修改员工出现异常！"}));
    EXPECT_EQ(rows("select * from employee order by id"), employees);
    EXPECT_EQ(rows(allRights), held);
}

TEST_F(EmployeeMgrTest, RightsAndLoginsMatchOnlyWhatIsHeld) {
    EXPECT_TRUE(TRightMgr::hasRight(3, "tollStation"));
    EXPECT_FALSE(TRightMgr::hasRight(3, "TOLLSTATION"));  // keys match exactly
    EXPECT_FALSE(TRightMgr::hasRight(3, "x' or '1'='1"));
    TEmployeeMgr mgr;
    EXPECT_EQ(mgr.getEmployeeByLoginName("ADMIN").value_or(TPOEmployee()).getRights().size(), 12u);
    EXPECT_FALSE(mgr.getEmployeeByLoginName("x' or '1'='1").has_value());
    // Rights that cannot be read make the whole lookup fail.
    exec("drop table r_right");
    EXPECT_FALSE(mgr.getEmployeeByLoginName("admin").has_value());
    EXPECT_EQ(answers.texts(), QStringList{"通过LoginName查询工员出现异常！"});
}
