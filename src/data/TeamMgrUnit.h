#pragma once
#include <vector>

#include "data/POTeamUnit.h"

// Reads and writes the team tree, one level at a time.
class TTeamMgr {
public:
    // Inserts under a new id, stores it in the record once written and returns it;
    // 0 on failure, the record's id unchanged.
    static int insert(TPOTeam& team);
    static bool update(const TPOTeam& team);
    // Refused while the team still has sub-teams or employees.
    static bool Delete(int id);
    // Each level ordered by name.
    static std::vector<TPOTeam> getTeamsByParentId(int parentId);
    static std::vector<TPOTeam> getRootTeams();
    // Whether the team is still there. Nothing is caught: a failure ends the
    // caller's action in the default error box.
    static bool exists(int id);
};
