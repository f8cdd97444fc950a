#include "data/SysAttribMgrUnit.h"
#include "data/TeamMgrUnit.h"
#include "platform/Errors.h"
#include "support/TestDatabase.h"

using TeamMgrTest = SampleDbTest;

namespace {
int addTeam(int parentId, const QString& name) {
    TPOTeam t;
    t.setParentId(parentId);
    t.setName(name);
    t.setDescription("说明'一");
    int id = TTeamMgr::insert(t);
    EXPECT_EQ(t.getId(), id);  // the record learns its id
    return id;
}

QStringList namesOf(const std::vector<TPOTeam>& teams) {
    QStringList out;
    for (const TPOTeam& t : teams) out << t.getName();
    return out;
}
}  // namespace

TEST_F(TeamMgrTest, TheTreeIsReadLevelByLevelSortedByName) {
    EXPECT_EQ(addTeam(0, "后厨"), 100);
    EXPECT_EQ(rows("select * from team where id=100"), QStringList{"100|0|后厨|说明'一"});
    addTeam(1, "保洁");
    addTeam(100, "b组");
    addTeam(100, "A组");
    EXPECT_EQ(namesOf(TTeamMgr::getRootTeams()), (QStringList{"后厨", "全体员工"}));
    EXPECT_EQ(namesOf(TTeamMgr::getTeamsByParentId(1)), (QStringList{"保洁", "前厅", "收银"}));
    EXPECT_EQ(namesOf(TTeamMgr::getTeamsByParentId(100)), (QStringList{"A组", "b组"}));

    // Moving a team under another changes the level it is listed on.
    TPOTeam cleaning = TTeamMgr::getTeamsByParentId(1)[0];
    cleaning.setParentId(100);
    cleaning.setName("C组");
    EXPECT_TRUE(TTeamMgr::update(cleaning));
    EXPECT_EQ(namesOf(TTeamMgr::getTeamsByParentId(100)), (QStringList{"A组", "b组", "C组"}));
    EXPECT_EQ(answers.count(), 0);

    // A failed write or an insert without an id writes nothing.
    failOn("insert", "team");
    failOn("update", "team");
    EXPECT_EQ(addTeam(1, "x"), 0);
    EXPECT_FALSE(TTeamMgr::update(cleaning));
    exec("delete from sequence where name='team.id'");
    EXPECT_EQ(addTeam(1, "x"), 0);
    EXPECT_EQ(answers.texts(), (QStringList{"新增团队时出现异常！", "更新团队时出现异常！", "没有找到(team.id)！"}));
    EXPECT_EQ(scalarInt("select count(*) from team"), 7);
}

TEST_F(TeamMgrTest, TeamsWithSubTeamsOrEmployeesAreNotDeleted) {
    const QString refused = "删除团队出现异常,该团队可能存在子团队或员工！";
    QStringList before = rows("select * from team order by id");
    EXPECT_FALSE(TTeamMgr::Delete(1));  // sub-teams
    EXPECT_FALSE(TTeamMgr::Delete(3));  // one employee
    EXPECT_EQ(answers.texts(), (QStringList{refused, refused}));
    EXPECT_EQ(rows("select * from team order by id"), before);

    exec("update employee set team_id=2 where id=3");
    EXPECT_TRUE(TTeamMgr::Delete(3));
    EXPECT_EQ(scalarInt("select count(*) from team where id=3"), 0);
    EXPECT_EQ(answers.count(), 2);

    // Members that cannot be counted stop the delete; a tree that cannot be read lists nothing.
    exec("alter table employee rename to employee_gone");
    EXPECT_FALSE(TTeamMgr::Delete(2));
    exec("alter table team rename to team_gone");
    EXPECT_TRUE(TTeamMgr::getRootTeams().empty());
    EXPECT_TRUE(TTeamMgr::getTeamsByParentId(1).empty());
    EXPECT_EQ(answers.texts().mid(2),
              (QStringList{refused, "获得所有根团队出现异常！", "通过parent_id获得团队列表出现异常！"}));
    EXPECT_EQ(scalarInt("select count(*) from team_gone where id=2"), 1);
}

TEST_F(TeamMgrTest, AttributesAreReadByTypeAndByCode) {
    auto sexes = TSysAttribMgr::getSysAttribsByType("SEX");
    EXPECT_EQ(sexes.size(), 2u);
    EXPECT_EQ(TSysAttribMgr::getSysAttribByNumber("D005").value().getName(), "本科");
    EXPECT_FALSE(TSysAttribMgr::getSysAttribByNumber("D999").has_value());
    exec("drop table sys_attrib");
    EXPECT_THROW(TSysAttribMgr::getSysAttribByNumber("D005"), DatabaseError);  // for the caller's error box
}
