#include "data/SysAttribMgrUnit.h"
#include "data/TeamMgrUnit.h"
#include "platform/Errors.h"
#include "support/TestDatabase.h"

using TeamMgrTest = SampleDbTest;

namespace {
TPOTeam team(int parentId, const QString& name) {
    TPOTeam t;
    t.setParentId(parentId);
    t.setName(name);
    t.setDescription("说明'一");
    return t;
}

QStringList namesOf(const std::vector<TPOTeam>& teams) {
    QStringList out;
    for (const TPOTeam& t : teams) out << t.getName();
    return out;
}
}  // namespace

TEST_F(TeamMgrTest, TheTreeIsReadLevelByLevelSortedByName) {
    TPOTeam kitchen = team(0, "后厨");
    EXPECT_EQ(TTeamMgr::insert(kitchen), 100);
    EXPECT_EQ(kitchen.getId(), 100);
    EXPECT_EQ(rows("select * from team where id=100"), QStringList{"100|0|后厨|说明'一"});
    TPOTeam cleaning = team(1, "保洁");
    EXPECT_EQ(TTeamMgr::insert(cleaning), 101);
    TPOTeam b = team(100, "b组"), a = team(100, "A组");
    TTeamMgr::insert(b);
    TTeamMgr::insert(a);

    EXPECT_EQ(namesOf(TTeamMgr::getRootTeams()), (QStringList{"后厨", "全体员工"}));
    EXPECT_EQ(namesOf(TTeamMgr::getTeamsByParentId(1)), (QStringList{"保洁", "前厅", "收银"}));
    EXPECT_EQ(namesOf(TTeamMgr::getTeamsByParentId(100)), (QStringList{"A组", "b组"}));
    EXPECT_TRUE(TTeamMgr::getTeamsByParentId(2).empty());

    // Moving a team under another changes the level it is listed on.
    cleaning.setParentId(100);
    cleaning.setName("C组");
    EXPECT_TRUE(TTeamMgr::update(cleaning));
    EXPECT_EQ(namesOf(TTeamMgr::getTeamsByParentId(100)), (QStringList{"A组", "b组", "C组"}));
    EXPECT_EQ(answers.count(), 0);

    exec("drop table team");
    EXPECT_TRUE(TTeamMgr::getRootTeams().empty());
    EXPECT_TRUE(TTeamMgr::getTeamsByParentId(1).empty());
    EXPECT_EQ(answers.texts(), (QStringList{"获得所有根团队出现异常！", "通过parent_id获得团队列表出现异常！"}));
}

TEST_F(TeamMgrTest, TeamsWithSubTeamsOrEmployeesAreNotDeleted) {
    const QString refused = "删除团队出现异常,该团队可能存在子团队或员工！";
    QStringList before = rows("select * from team order by id");
    EXPECT_FALSE(TTeamMgr::Delete(1));  // sub-teams
    EXPECT_FALSE(TTeamMgr::Delete(3));  // one employee
    EXPECT_EQ(answers.texts(), (QStringList{refused, refused}));
    EXPECT_EQ(rows("select * from team order by id"), before);

    exec("update employee set team_id=2 where id=3");
    answers.clear();
    EXPECT_TRUE(TTeamMgr::Delete(3));
    EXPECT_EQ(scalarInt("select count(*) from team where id=3"), 0);
    EXPECT_EQ(answers.count(), 0);

    failOn("delete", "team");
    exec("update employee set team_id=1 where team_id=2");
    EXPECT_FALSE(TTeamMgr::Delete(2));
    EXPECT_EQ(answers.texts(), QStringList{refused});
    EXPECT_EQ(scalarInt("select count(*) from team where id=2"), 1);
}

TEST_F(TeamMgrTest, FailedWritesKeepTheRecordAndTheRows) {
    failOn("insert", "team");
    TPOTeam t = team(1, "保洁");
    EXPECT_EQ(TTeamMgr::insert(t), 0);
    EXPECT_EQ(t.getId(), 0);
    EXPECT_EQ(answers.texts(), QStringList{"新增团队时出现异常！"});
    EXPECT_EQ(scalarInt("select seq_value from sequence where name='team.id'"), 101);  // used up

    answers.clear();
    exec("delete from sequence where name='team.id'");
    EXPECT_EQ(TTeamMgr::insert(t), 0);
    EXPECT_EQ(answers.texts(), QStringList{"没有找到(team.id)！"});
    EXPECT_EQ(scalarInt("select count(*) from team"), 3);
}

TEST_F(TeamMgrTest, AttributesAreReadByTypeAndByCode) {
    auto sexes = TSysAttribMgr::getSysAttribsByType("SEX");
    ASSERT_EQ(sexes.size(), 2u);
    EXPECT_EQ(sexes[0].getNumber(), "S001");
    EXPECT_EQ(sexes[1].getName(), "女");
    EXPECT_TRUE(TSysAttribMgr::getSysAttribsByType("x' or '1'='1").empty());

    auto diploma = TSysAttribMgr::getSysAttribByNumber("D005");
    ASSERT_TRUE(diploma.has_value());
    EXPECT_EQ(diploma->getName(), "本科");
    EXPECT_FALSE(TSysAttribMgr::getSysAttribByNumber("D999").has_value());
    EXPECT_EQ(answers.count(), 0);

    // These readers leave a failure to the caller's error box.
    exec("drop table sys_attrib");
    EXPECT_THROW(TSysAttribMgr::getSysAttribByNumber("D005"), DatabaseError);
    EXPECT_EQ(answers.count(), 0);
}
