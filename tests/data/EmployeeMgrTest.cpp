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
    EXPECT_EQ(rows("select login_name,user_name from employee where id=100"), QStringList{"zhaoliu|赵'六"});
    QString back;
    const TPOEmployee saved = mgr.getEmployeeById(100).value();
    for (const TPORight& r : saved.getRights()) back += r.getNumber() + r.getName() + ";";
    EXPECT_EQ(back, "sell营业管理;option选项;");
    EXPECT_EQ(rows("select right_number from employee_right where employee_id=100 order by rowid"),
              (QStringList{"sell", "option"}));

    // A held key missing from the catalogue is not loaded, so an update drops it too.
    exec("insert into employee_right(employee_id,right_number) values(2,'ghost')");
    auto e = mgr.getEmployeeById(2);
    EXPECT_EQ(e->getRights().size(), 3u);
    e->setPassword("new");
    e->setRights(rights({"option", "sell"}));
    EXPECT_TRUE(mgr.update(*e));
    EXPECT_EQ(scalar("select password from employee where id=2"), "new");
    EXPECT_EQ(rows("select right_number from employee_right where employee_id=2 order by rowid"),
              (QStringList{"option", "sell"}));
    EXPECT_EQ(scalarInt("select count(*) from employee_right where employee_id not in(2,100)"), 25);
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
    failOn("delete", "employee");
    EXPECT_FALSE(mgr.Delete(2));
    exec("delete from sequence where name='employee.id'");
    EXPECT_EQ(mgr.insert(newEmployee("zhaoliu")), 0);  // no id: not even tried
    EXPECT_EQ(answers.texts(), (QStringList{"添加员工出现异常！", "添加员工出现异常！", "修改员工出现异常！",
                                            "删除员工出现异常！", "没有找到(employee.id)！"}));
    EXPECT_EQ(rows("select * from employee order by id"), employees);
    EXPECT_EQ(rows(allRights), held);
}

TEST_F(EmployeeMgrTest, RightsAndLoginsMatchOnlyWhatIsHeld) {
    EXPECT_TRUE(TRightMgr::hasRight(3, "tollStation"));
    EXPECT_FALSE(TRightMgr::hasRight(3, "sell"));
    EXPECT_FALSE(TRightMgr::hasRight(3, "TOLLSTATION"));  // keys match exactly
    EXPECT_FALSE(TRightMgr::hasRight(3, "x' or '1'='1"));
    exec("insert into employee_right(employee_id,right_number) values(3,'ghost')");
    EXPECT_TRUE(TRightMgr::hasRight(3, "ghost"));  // not in r_right, still held

    // Deleting an employee deletes that employee alone and leaves its rights rows in place.
    TEmployeeMgr mgr;
    const int others = scalarInt("select count(*) from employee where id<>3");
    EXPECT_TRUE(mgr.Delete(3));
    EXPECT_FALSE(mgr.getEmployeeById(3).has_value());
    EXPECT_EQ(scalarInt("select count(*) from employee"), others);
    EXPECT_TRUE(TRightMgr::hasRight(3, "tollStation"));
    EXPECT_EQ(answers.count(), 0);

    for (QString login : {"admin", "ADMIN", "Admin"}) {
        auto e = mgr.getEmployeeByLoginName(login);
        ASSERT_TRUE(e.has_value()) << login.toStdString();
        EXPECT_EQ(e->getId(), 1);
        EXPECT_EQ(e->getRights().size(), 12u);
    }
    EXPECT_FALSE(mgr.getEmployeeByLoginName("nobody").has_value());
    EXPECT_FALSE(mgr.getEmployeeByLoginName("x' or '1'='1").has_value());
    QString team;
    for (const TPOEmployee& e : mgr.getEmployeesByTeamId(2)) team += e.getUserName();
    EXPECT_EQ(team, "王五张三");  // wang before zhang
    EXPECT_EQ(answers.count(), 0);
    // Rights that cannot be read make the whole lookup fail.
    exec("drop table r_right");
    EXPECT_FALSE(mgr.getEmployeeByLoginName("admin").has_value());
    EXPECT_TRUE(mgr.getEmployeesByTeamId(2).empty());
    EXPECT_EQ(answers.texts(), (QStringList{"通过LoginName查询工员出现异常！", "通过团队获得工员出现异常！"}));
}
