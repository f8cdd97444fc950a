#include "data/GuestMgrUnit.h"

#include "data/DatabaseCtrlUnit.h"
#include "data/GuardedWrites.h"
#include "data/SequenceMgrUnit.h"
#include "platform/Messages.h"

namespace {
void setGuestColumns(TDatabaseCtrl& ctrl, const TPOGuest& guest) {
    ctrl.setParameter("name", guest.getName());
    ctrl.setParameter("address", guest.getAddress());
    ctrl.setParameter("guest_type_name", guest.getGuestTypeName());
    ctrl.setParameter("id_card", guest.getIdCard());
    ctrl.setParameter("telephone", guest.getTelephone());
    ctrl.setParameter("create_time", guest.getCreateTime());
    ctrl.setParameter("associator_num", guest.getAssociatorNum());
    ctrl.setParameter("description", guest.getDescription());
}
}  // namespace

int TGuestMgr::insert(const TPOGuest& guest) {
    int id = TSequenceMgr().getNextValue("guest.id");
    // The issuer has shown why there is no id; a row under id 0 would be a ghost.
    if (id == 0) return 0;
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("insert into guest(id,name,address,guest_type_name,id_card,telephone,create_time,associator_num,"
                "description) values(:id,:name,:address,:guest_type_name,:id_card,:telephone,:create_time,"
                ":associator_num,:description)");
    ctrl.setParameter("id", id);
    setGuestColumns(ctrl, guest);
    return execOrShow(ctrl, "TGuestMgr.insert保存客户出现异常！") ? id : 0;
}

bool TGuestMgr::update(const TPOGuest& guest) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("update guest set name=:name,address=:address,guest_type_name=:guest_type_name,id_card=:id_card,"
                "telephone=:telephone,create_time=:create_time,associator_num=:associator_num,"
                "description=:description where id=:id");
    setGuestColumns(ctrl, guest);
    ctrl.setParameter("id", guest.getId());
    return execOrShow(ctrl, "TGuestMgr.update更新客户出现异常！");
}

std::optional<TPOGuest> TGuestMgr::getGuestByTelephone(const QString& telephone) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from guest where telephone=:telephone");
    ctrl.setParameter("telephone", telephone);
    std::optional<TPOGuest> found;
    try {
        ctrl.open();
        if (!ctrl.eof()) {
            // Filled in place: a failure part-way leaves what was read so far.
            TPOGuest& guest = found.emplace();
            guest.setId(ctrl.fieldByName("id").asInteger());
            guest.setName(ctrl.fieldByName("name").asString());
            guest.setAddress(ctrl.fieldByName("address").asString());
            guest.setGuestTypeName(ctrl.fieldByName("guest_type_name").asString());
            guest.setIdCard(ctrl.fieldByName("id_card").asString());
            guest.setTelephone(ctrl.fieldByName("telephone").asString());
            guest.setCreateTime(ctrl.fieldByName("create_time").asDateTime());
            guest.setAssociatorNum(ctrl.fieldByName("associator_num").asString());
            guest.setDescription(ctrl.fieldByName("description").asString());
        }
        ctrl.close();
    } catch (const std::exception&) {
        showMessage("通过电话号码查客户出现异常！");
    }
    return found;
}
