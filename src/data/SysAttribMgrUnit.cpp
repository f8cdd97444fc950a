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
    ctrl.open();
    std::vector<TPOSysAttrib> list;
    while (!ctrl.eof()) {
        list.push_back(readSysAttrib(ctrl));
        ctrl.next();
    }
    ctrl.close();
    return list;
}

std::optional<TPOSysAttrib> TSysAttribMgr::getSysAttribByNumber(const QString& number) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from sys_attrib where number=:number");
    ctrl.setParameter("number", number);
    ctrl.open();
    std::optional<TPOSysAttrib> found;
    if (!ctrl.eof()) found = readSysAttrib(ctrl);
    ctrl.close();
    return found;
}
