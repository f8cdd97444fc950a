#include "data/ReserveMgrUnit.h"

#include "data/DatabaseCtrlUnit.h"
#include "data/POReserveTableUnit.h"
#include "platform/Messages.h"

namespace {
const QString readFailedText = QStringLiteral("查询预定时出现异常!");

TPOReserve readReserve(const TDatabaseCtrl& ctrl) {
    TPOReserve r;
    r.setId(ctrl.fieldByName("id").asInteger());
    r.setGuestName(ctrl.fieldByName("guest_name").asString());
    r.setTelephone(ctrl.fieldByName("telephone").asString());
    r.setGuestType(ctrl.fieldByName("guest_type").asString());
    r.setGuestNum(ctrl.fieldByName("guest_num").asString());
    r.setCreateTime(ctrl.fieldByName("create_time").asDateTime());
    r.setState(ctrl.fieldByName("state").asString());
    r.setDescription(ctrl.fieldByName("description").asString());
    return r;
}

// Runs a prepared query and collects its rows; a failure keeps the rows read so far.
std::vector<TPOReserve> readReserves(TDatabaseCtrl& ctrl) {
    std::vector<TPOReserve> list;
    try {
        ctrl.readAll(list, readReserve);
    } catch (const std::exception&) {
        showMessage(readFailedText);
    }
    return list;
}

void setRecordParameters(TDatabaseCtrl& ctrl, const TPOReserve& reserve) {
    ctrl.setParameter("guest_name", reserve.getGuestName());
    ctrl.setParameter("telephone", reserve.getTelephone());
    ctrl.setParameter("guest_type", reserve.getGuestType());
    ctrl.setParameter("guest_num", reserve.getGuestNum());
    ctrl.setParameter("state", reserve.getState());
    ctrl.setParameter("description", reserve.getDescription());
    ctrl.setParameter("id", reserve.getId());
}
}  // namespace

std::optional<TPOReserve> TReserveMgr::getReserveById(int id, bool* failed) {
    if (failed) *failed = false;
    std::optional<TPOReserve> result;
    try {
        TDatabaseCtrl ctrl;
        ctrl.clearSQL();
        ctrl.setSQL("select * from reserve where id=:id");
        ctrl.setParameter("id", id);
        result = ctrl.readFirst(readReserve);
    } catch (const std::exception&) {
        if (failed) *failed = true;
        showMessage(readFailedText);
    }
    return result;
}

std::vector<TPOReserve> TReserveMgr::getReservesByMeal(int eatId, TDateTime date) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(QStringLiteral("select * from reserve where id ") +
                " in(select reserve_id from reserve_table where " +
                "eat_id=:eat_id and eat_date=:eat_date order by state) order by state,create_time ");
    ctrl.setParameter("eat_id", eatId);
    ctrl.setParameter("eat_date", date);
    return readReserves(ctrl);
}

std::vector<TPOReserve> TReserveMgr::getReservesByState(const QString& state) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from reserve where state=:state order by create_time ");
    ctrl.setParameter("state", state);
    return readReserves(ctrl);
}

void TReserveMgr::completeReserveIfAllUsed(int reserveId) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select 1 from reserve_table where reserve_id=:reserve_id and state=:state");
    ctrl.setParameter("reserve_id", reserveId);
    ctrl.setParameter("state", TPOReserveTable::stateBooked);
    ctrl.open();
    bool stillBooked = !ctrl.eof();
    ctrl.close();
    if (stillBooked) return;

    ctrl.clearSQL();
    ctrl.setSQL("update reserve set state=:state where id=:id");
    ctrl.setParameter("state", TPOReserve::stateCompleted);
    ctrl.setParameter("id", reserveId);
    ctrl.execSQL();
}

QString TReserveMgr::getInsertSQL(const TPOReserve& reserve) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(QStringLiteral("insert into reserve(id,guest_name,telephone,guest_type,guest_num,create_time,state,description)") +
                "values(:id,:guest_name,:telephone,:guest_type,:guest_num,:create_time,:state,:description)");
    setRecordParameters(ctrl, reserve);
    // The moment of the first save, not a value of the record.
    ctrl.setParameter("create_time", Now());
    return ctrl.getSQL();
}

namespace {
const QString updateText = QStringLiteral(
    "update reserve set guest_name=:guest_name,telephone=:telephone,guest_type=:guest_type,guest_num=:guest_num,"
    "state=:state,description=:description where id=:id");
}  // namespace

QString TReserveMgr::getUpdateSQL(const TPOReserve& reserve) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(updateText);
    setRecordParameters(ctrl, reserve);
    return ctrl.getSQL();
}

QString TReserveMgr::getUpdateSQLFromState(const TPOReserve& reserve, const QString& storedState) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(updateText + " and state=:stored_state");
    setRecordParameters(ctrl, reserve);
    ctrl.setParameter("stored_state", storedState);
    return ctrl.getSQL();
}
