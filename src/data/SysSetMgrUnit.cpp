#include "data/SysSetMgrUnit.h"

#include "data/DatabaseCtrlUnit.h"

namespace {
TPOSysSet readSysSet(const TDatabaseCtrl& ctrl) {
    TPOSysSet s;
    s.setId(ctrl.fieldByName("id").asInteger());
    s.setType(ctrl.fieldByName("type").asString());
    s.setCode(ctrl.fieldByName("code").asString());
    s.setName(ctrl.fieldByName("name").asString());
    s.setValue(ctrl.fieldByName("value").asString());
    s.setDescription(ctrl.fieldByName("description").asString());
    return s;
}
}  // namespace

std::optional<TPOSysSet> TSysSetMgr::getSysSet(const QString& type, const QString& code) {
    try {
        TDatabaseCtrl ctrl;
        ctrl.clearSQL();
        ctrl.setSQL("select * from sys_set where type=:type and code=:code");
        ctrl.setParameter("type", type);
        ctrl.setParameter("code", code);
        return ctrl.readFirst(readSysSet);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<TPOSysSet> TSysSetMgr::getPrintSet(const QString& printerCode) { return getSysSet(printType, printerCode); }

std::vector<TPOSysSet> TSysSetMgr::getSysSetList(const QString& type) {
    std::vector<TPOSysSet> list;
    try {
        TDatabaseCtrl ctrl;
        ctrl.clearSQL();
        ctrl.setSQL("select * from sys_set where type=:type order by code ");
        ctrl.setParameter("type", type);
        ctrl.readAll(list, readSysSet);
    } catch (const std::exception&) {
        list.clear();
    }
    return list;
}
