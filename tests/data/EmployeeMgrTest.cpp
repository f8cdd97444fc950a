#include "data/EmployeeMgrUnit.h"
#include "data/RightMgrUnit.h"
#include "support/TestDatabase.h"

using EmployeeMgrTest = SampleDbTest;

namespace {
std::vector<TPORight> rights(std::initializer_list<const char*> numbers) {
    std::vector<TPORight> list(numbers.size());
    for (size_t i = 0; i < list.size(); ++i) list[i].setNumber(numbers.begin()[i]);
    return list;
}

QStringList numbersOf(const std::vector<TPORight>& list) {
    QStringList out;
    for (const TPORight& r : list) out << r.getNumber();
    return out;
}

TPOEmployee newEmployee(const QString& login) {
    TPOEmployee e;
    e.setLoginName(login);
    e.setPassword("Pw'1");
    e.setUserName("赵'六");
    e.setTeamId(3);
    e.setSex("S002");
    e.setIdCard("110101200001010044");
    e.setBirth(encodeDateTime(2000, 1, 1));
    e.setStatusStudent("D002");
    e.setAddress("北京路1号");
    e.setTelephone("13800000005");
    e.setRoleName("收银员");
    e.setDescription("夜班");
    return e;
}
}  // namespace

TEST_F(EmployeeMgrTest, InsertSavesTheEmployeeAndItsRightsTogether) {
    TEmployeeMgr mgr;
    TPOEmployee e = newEmployee("zhaoliu");
    e.setRights(rights({"sell", "option"}));
    int id = mgr.insert(e);
    EXPECT_EQ(id, 100);
    EXPECT_EQ(e.getId(), 0);  // the caller sets it
    EXPECT_EQ(scalarInt("select seq_value from sequence where name='employee.id'"), 101);
    EXPECT_EQ(rows("select id,login_name,password,user_name,team_id,sex,id_card,status_student,address,"
                   "telephone,role_name,description from employee where id=100"),
              QStringList{"100|zhaoliu|Pw'1|赵'六|3|S002|110101200001010044|D002|北京路1号|13800000005|收银员|夜班"});
    EXPECT_DOUBLE_EQ(scalar("select birth from employee where id=100").toDouble(), encodeDateTime(2000, 1, 1));
    EXPECT_EQ(rows("select right_number from employee_right where employee_id=100 order by rowid"),
              (QStringList{"sell", "option"}));

    auto back = mgr.getEmployeeById(id);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->getBirth(), encodeDateTime(2000, 1, 1));
    EXPECT_EQ(numbersOf(back->getRights()), (QStringList{"sell", "option"}));
    EXPECT_EQ(back->getRights()[1].getName(), "选项");
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(EmployeeMgrTest, FailedInsertLeavesNothingBehind) {
    TEmployeeMgr mgr;
    QStringList before = rows("select * from employee_right order by rowid");
    TPOEmployee e = newEmployee("zhaoliu");
    e.setRights(rights({"sell", "option"}));

    failOn("insert", "employee_right");
    EXPECT_EQ(mgr.insert(e), 0);
    EXPECT_EQ(answers.texts(), QStringList{"添加员工出现异常！"});
    EXPECT_EQ(scalarInt("select count(*) from employee where login_name='zhaoliu'"), 0);
    EXPECT_EQ(rows("select * from employee_right order by rowid"), before);

    // A login name that differs only in letter case is taken already.
    exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));
    answers.clear();
    EXPECT_EQ(mgr.insert(newEmployee("ZhangSan")), 0);
    EXPECT_EQ(answers.texts(), QStringList{"添加员工出现异常！"});
    EXPECT_EQ(scalarInt("select count(*) from employee"), 4);

    // Without an id nothing is written; the issuer has said why.
    answers.clear();
    exec("delete from sequence where name='employee.id'");
    EXPECT_EQ(mgr.insert(e), 0);
    EXPECT_EQ(answers.texts(), QStringList{"没有找到(employee.id)！"});
    EXPECT_EQ(scalarInt("select count(*) from employee"), 4);
    EXPECT_EQ(rows("select * from employee_right order by rowid"), before);
}

TEST_F(EmployeeMgrTest, UpdateReplacesTheRightsOrChangesNothing) {
    TEmployeeMgr mgr;
    exec("insert into employee_right(employee_id,right_number) values(2,'ghost')");
    auto e = mgr.getEmployeeById(2);
    ASSERT_TRUE(e.has_value());
    // Rows with keys missing from the catalogue are not loaded...
    EXPECT_EQ(numbersOf(e->getRights()), (QStringList{"sell", "celerityServing", "reserveManage"}));

    QStringList employeeBefore = rows("select * from employee order by id");
    QStringList rightsBefore = rows("select * from employee_right order by employee_id, right_number");
    e->setPassword("new");
    e->setRights(rights({"option", "sell"}));
    failOn("insert", "employee_right");
    EXPECT_FALSE(mgr.update(*e));
    EXPECT_EQ(answers.texts(), QStringList{"修改员工出现异常！"});
    EXPECT_EQ(rows("select * from employee order by id"), employeeBefore);
    EXPECT_EQ(rows("select * from employee_right order by employee_id, right_number"), rightsBefore);

    exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));
    answers.clear();
    EXPECT_TRUE(mgr.update(*e));
    EXPECT_EQ(scalar("select password from employee where id=2"), "new");
    // ...so an update drops them along with the rights the record no longer holds.
    EXPECT_EQ(rows("select right_number from employee_right where employee_id=2 order by rowid"),
              (QStringList{"option", "sell"}));
    EXPECT_EQ(scalarInt("select count(*) from employee_right where employee_id<>2"), 25);

    e->setRights({});
    EXPECT_TRUE(mgr.update(*e));
    EXPECT_EQ(scalarInt("select count(*) from employee_right where employee_id=2"), 0);
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(EmployeeMgrTest, HasRightAnswersFromTheHeldRowsAlone) {
    TEmployeeMgr mgr;
    EXPECT_TRUE(TRightMgr::hasRight(3, "tollStation"));
    EXPECT_FALSE(TRightMgr::hasRight(3, "sell"));
    EXPECT_FALSE(TRightMgr::hasRight(3, "TOLLSTATION"));  // keys match exactly
    EXPECT_FALSE(TRightMgr::hasRight(3, "x' or '1'='1"));
    exec("insert into employee_right(employee_id,right_number) values(3,'ghost')");
    EXPECT_TRUE(TRightMgr::hasRight(3, "ghost"));

    // Deleting an employee leaves its rights rows in place.
    EXPECT_TRUE(mgr.Delete(3));
    EXPECT_FALSE(mgr.getEmployeeById(3).has_value());
    EXPECT_EQ(scalarInt("select count(*) from employee_right where employee_id=3"), 4);
    EXPECT_TRUE(TRightMgr::hasRight(3, "tollStation"));
    EXPECT_EQ(TRightMgr::getAllRights().size(), 12u);
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(EmployeeMgrTest, LoginNameLookupIgnoresLetterCase) {
    TEmployeeMgr mgr;
    for (QString login : {"admin", "ADMIN", "Admin"}) {
        auto e = mgr.getEmployeeByLoginName(login);
        ASSERT_TRUE(e.has_value()) << login.toStdString();
        EXPECT_EQ(e->getId(), 1);
        EXPECT_EQ(e->getRights().size(), 12u);
    }
    EXPECT_FALSE(mgr.getEmployeeByLoginName("nobody").has_value());
    EXPECT_FALSE(mgr.getEmployeeByLoginName("x' or '1'='1").has_value());
    EXPECT_EQ(answers.count(), 0);

    // Rights that cannot be read make the whole lookup fail.
    exec("drop table r_right");
    EXPECT_FALSE(mgr.getEmployeeByLoginName("admin").has_value());
    EXPECT_EQ(answers.texts(), QStringList{"通过LoginName查询工员出现异常！"});
    EXPECT_TRUE(mgr.getEmployeesByTeamId(2).empty());
    EXPECT_EQ(answers.last(), "通过团队获得工员出现异常！");
}

TEST_F(EmployeeMgrTest, TeamMembersComeSortedByName) {
    auto team = TEmployeeMgr().getEmployeesByTeamId(2);
    ASSERT_EQ(team.size(), 2u);
    EXPECT_EQ(team[0].getUserName(), "王五");  // wang before zhang
    EXPECT_EQ(team[1].getUserName(), "张三");
    EXPECT_EQ(team[0].getRights().size(), 10u);
    EXPECT_TRUE(TEmployeeMgr().getEmployeesByTeamId(77).empty());
    EXPECT_EQ(answers.count(), 0);
}
