#include "data/GuestTypeMgrUnit.h"

#include "data/DatabaseCtrlUnit.h"
#include "platform/Messages.h"

QStringList TGuestTypeMgr::getGuestTypeNames() {
    QStringList names;
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from guest_type order by id");
    try {
        ctrl.readAll(names, [](const TDatabaseCtrl& row) { return row.fieldByName("name").asString(); });
    } catch (const std::exception&) {
        showMessage("得到客户类型是出现异常!");
    }
    return names;
}
