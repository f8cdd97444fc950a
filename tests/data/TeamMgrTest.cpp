#include "data/TeamMgrUnit.h"
#include "support/TestDatabase.h"

using TeamMgrTest = SampleDbTest;

namespace {
int addTeam(int parentId, const QString& name) {
    TPOTeam t;
    t.setParentId(parentId);
    t.setName(name);
    return TTeamMgr::insert(t);
}

QStringList namesOf(const std::vector<TPOTeam>& teams) {
    QStringList out;
    for (const TPOTeam& t : teams) out << t.getName();
    return out;
}
}  // namespace

TEST_F(TeamMgrTest, TheTreeIsReadLevelByLevel) {
    EXPECT_EQ(addTeam(0, "后厨"), 100);
    addTeam(100, "b组");
    addTeam(100, "A组");
    EXPECT_EQ(namesOf(TTeamMgr::getRootTeams()), (QStringList{"后厨", "全体员工"}));
    EXPECT_EQ(namesOf(TTeamMgr::getTeamsByParentId(100)), (QStringList{"A组", "b组"}));
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
}
