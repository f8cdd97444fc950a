#include "data/EatMgrUnit.h"

#include "data/DatabaseCtrlUnit.h"
#include "data/GuardedWrites.h"
#include "data/SequenceMgrUnit.h"

namespace {

TPOEat readEat(const TDatabaseCtrl& ctrl) {
    TPOEat e;
    e.setId(ctrl.fieldByName("id").asInteger());
    e.setName(ctrl.fieldByName("name").asString());
    e.setStartTime(ctrl.fieldByName("start_time").asDateTime());
    e.setEndTime(ctrl.fieldByName("end_time").asDateTime());
    return e;
}

}  // namespace

int TEatMgr::insert(const TPOEat& eat) {
    int id = TSequenceMgr().getNextValue("eat.id");
    if (id == 0) return 0;
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("insert into eat(id,name,start_time,end_time)values(:id,:name,:start_time,:end_time)");
    ctrl.setParameter("id", id);
    ctrl.setParameter("name", eat.getName());
    ctrl.setParameter("start_time", eat.getStartTime());
    ctrl.setParameter("end_time", eat.getEndTime());
    return execOrShow(ctrl, "餐次名称可能重复!") ? id : 0;
}

bool TEatMgr::update(const TPOEat& eat) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("update eat set name=:name,start_time=:start_time,end_time=:end_time where id=:id");
    ctrl.setParameter("name", eat.getName());
    ctrl.setParameter("start_time", eat.getStartTime());
    ctrl.setParameter("end_time", eat.getEndTime());
    ctrl.setParameter("id", eat.getId());
    return execOrShow(ctrl, "餐次名称可能重复!");
}

bool TEatMgr::Delete(int id) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("delete from eat where id=:id");
    ctrl.setParameter("id", id);
    return execOrShow(ctrl, "删除餐次不成功!");
}

std::optional<TPOEat> TEatMgr::getEatByTime(TDateTime time) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from eat where start_time<=:time1 and end_time>=:time2");
    ctrl.setParameter("time1", time);
    ctrl.setParameter("time2", time);
    return ctrl.readFirst(readEat);
}

std::vector<TPOEat> TEatMgr::getEatList() {
    std::vector<TPOEat> list;
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from eat order by start_time");
    ctrl.readAll(list, readEat);
    return list;
}
