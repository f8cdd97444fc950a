#include "data/SysAttribMgrUnit.h"

#include "data/DatabaseCtrlUnit.h"

namespace {
TPOSysAttrib readSysAttrib(const TDatabaseCtrl& ctrl) {
    TPOSysAttrib attrib;
    attrib.setNumber(ctrl.fieldByName("number").asString());
    attrib.setType(ctrl.fieldByName("type").asString());
    attrib.setName(ctrl.fieldByName("name").asString());
    return attrib;
}
}  // namespace

std::vector<TPOSysAttrib> TSysAttribMgr::getSysAttribsByType(const QString& type) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from sys_attrib where type=:type");
    ctrl.setParameter("type", type);
    std::vector<TPOSysAttrib> list;
    ctrl.readAll(list, readSysAttrib);
    return list;
}

std::optional<TPOSysAttrib> TSysAttribMgr::getSysAttribByNumber(const QString& number) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from sys_attrib where number=:number");
    ctrl.setParameter("number", number);
    return ctrl.readFirst(readSysAttrib);
}
