#include "data/TeamMgrUnit.h"

#include "data/DatabaseCtrlUnit.h"
#include "data/GuardedWrites.h"
#include "data/SequenceMgrUnit.h"
#include "platform/Messages.h"

namespace {
// Appends the rows as they are read, so a failure keeps what came before it.
void readTeams(TDatabaseCtrl& ctrl, std::vector<TPOTeam>& list) {
    ctrl.readAll(list, [](const TDatabaseCtrl& row) {
        TPOTeam team;
        team.setId(row.fieldByName("id").asInteger());
        team.setParentId(row.fieldByName("parent_id").asInteger());
        team.setName(row.fieldByName("name").asString());
        team.setDescription(row.fieldByName("description").asString());
        return team;
    });
}
}  // namespace

int TTeamMgr::insert(TPOTeam& team) {
    int id = TSequenceMgr().getNextValue("team.id");
    // The issuer has shown why there is no id; a row under id 0 would be a ghost.
    if (id == 0) return 0;
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("insert into team(id,parent_id,name,description)values(:id,:parent_id,:name,:description)");
    ctrl.setParameter("id", id);
    ctrl.setParameter("parent_id", team.getParentId());
    ctrl.setParameter("name", team.getName());
    ctrl.setParameter("description", team.getDescription());
    if (!execOrShow(ctrl, "新增团队时出现异常！")) return 0;
    team.setId(id);
    return id;
}

bool TTeamMgr::update(const TPOTeam& team) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("update team set name=:name,parent_id=:parent_id,description=:description where id=:id");
    ctrl.setParameter("name", team.getName());
    ctrl.setParameter("parent_id", team.getParentId());
    ctrl.setParameter("description", team.getDescription());
    ctrl.setParameter("id", team.getId());
    return execOrShow(ctrl, "更新团队时出现异常！");
}

bool TTeamMgr::Delete(int id) {
    const QString failure = "删除团队出现异常,该团队可能存在子团队或员工！";
    TDatabaseCtrl ctrl;
    try {
        // Nothing in the database stops the delete, and a team removed from under
        // its sub-teams or employees would drop them out of the tree unseen.
        ctrl.clearSQL();
        ctrl.setSQL("select (select count(*) from team where parent_id=:id)"
                    "+(select count(*) from employee where team_id=:id) as members");
        ctrl.setParameter("id", id);
        ctrl.open();
        int members = ctrl.fieldByName("members").asInteger();
        ctrl.close();
        if (members > 0) {
            showMessage(failure);
            return false;
        }
        ctrl.clearSQL();
        ctrl.setSQL("delete from team where id=:id");
        ctrl.setParameter("id", id);
        ctrl.execSQL();
        return true;
    } catch (const std::exception&) {
        showMessage(failure);
        return false;
    }
}

std::vector<TPOTeam> TTeamMgr::getTeamsByParentId(int parentId) {
    std::vector<TPOTeam> list;
    TDatabaseCtrl ctrl;
    try {
        ctrl.clearSQL();
        ctrl.setSQL("select * from team where parent_id=:parent_id order by name");
        ctrl.setParameter("parent_id", parentId);
        readTeams(ctrl, list);
    } catch (const std::exception&) {
        showMessage("通过parent_id获得团队列表出现异常！");
    }
    return list;
}

std::vector<TPOTeam> TTeamMgr::getRootTeams() {
    std::vector<TPOTeam> list;
    TDatabaseCtrl ctrl;
    try {
        ctrl.clearSQL();
        ctrl.setSQL("select * from team where parent_id=0 order by name");
        readTeams(ctrl, list);
    } catch (const std::exception&) {
        showMessage("获得所有根团队出现异常！");
    }
    return list;
}

bool TTeamMgr::exists(int id) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select id from team where id=:id");
    ctrl.setParameter("id", id);
    ctrl.open();
    return !ctrl.eof();
}
