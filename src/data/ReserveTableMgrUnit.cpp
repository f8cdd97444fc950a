#include "data/ReserveTableMgrUnit.h"

#include "data/DatabaseCtrlUnit.h"
#include "data/GuardedWrites.h"
#include "data/POReserveUnit.h"
#include "platform/Formats.h"
#include "platform/Messages.h"

namespace {
TPOReserveTable readReserveTable(const TDatabaseCtrl& ctrl) {
    TPOReserveTable rt;
    rt.setId(ctrl.fieldByName("id").asInteger());
    rt.setReserveId(ctrl.fieldByName("reserve_id").asInteger());
    rt.setTableName(ctrl.fieldByName("table_name").asString());
    rt.setTableId(ctrl.fieldByName("table_id").asInteger());
    rt.setEat(ctrl.fieldByName("eat").asString());
    rt.setEatId(ctrl.fieldByName("eat_id").asInteger());
    rt.setStartTime(ctrl.fieldByName("start_time").asDateTime());
    rt.setEndTime(ctrl.fieldByName("end_time").asDateTime());
    rt.setEatDate(ctrl.fieldByName("eat_date").asDateTime());
    rt.setState(ctrl.fieldByName("state").asString());
    return rt;
}

// Runs a prepared query; a failure shows its message and keeps the rows read so far.
std::vector<TPOReserveTable> readReserveTables(TDatabaseCtrl& ctrl, const QString& failedText,
                                               bool* failed = nullptr) {
    std::vector<TPOReserveTable> list;
    if (failed) *failed = false;
    try {
        ctrl.readAll(list, readReserveTable);
    } catch (const std::exception&) {
        if (failed) *failed = true;
        showMessage(failedText);
    }
    return list;
}

std::optional<TPOReserveTable> firstOf(std::vector<TPOReserveTable> list) {
    if (list.empty()) return std::nullopt;
    return list.front();
}

void setRecordParameters(TDatabaseCtrl& ctrl, const TPOReserveTable& rt) {
    ctrl.setParameter("id", rt.getId());
    ctrl.setParameter("reserve_id", rt.getReserveId());
    ctrl.setParameter("table_name", rt.getTableName());
    ctrl.setParameter("table_id", rt.getTableId());
    ctrl.setParameter("eat", rt.getEat());
    ctrl.setParameter("eat_id", rt.getEatId());
    ctrl.setParameter("start_time", rt.getStartTime());
    ctrl.setParameter("end_time", rt.getEndTime());
    ctrl.setParameter("eat_date", rt.getEatDate());
    ctrl.setParameter("state", rt.getState());
}
}  // namespace

bool TReserveTableMgr::update(const TPOReserveTable& reserveTable) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(getUpdateSQL(reserveTable));
    return execOrShow(ctrl, "修改预订台桌时异常!");
}

std::optional<TPOReserveTable> TReserveTableMgr::getReserveTableById(int id, bool* failed) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from reserve_table where id=:id");
    ctrl.setParameter("id", id);
    return firstOf(readReserveTables(ctrl, "查询预订台桌时出现异常!", failed));
}

std::vector<TPOReserveTable> TReserveTableMgr::getReserveTablesByReserve(int reserveId) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from reserve_table where reserve_id=:reserve_id order by eat_date,start_time");
    ctrl.setParameter("reserve_id", reserveId);
    return readReserveTables(ctrl, "查询预订台桌时出现异常!");
}

QStringList TReserveTableMgr::getBookedSummary(int reserveId) {
    QStringList summary;
    try {
        TDatabaseCtrl ctrl;
        ctrl.clearSQL();
        ctrl.setSQL(QStringLiteral("select eat_date,eat,count(*) from reserve_table where reserve_id=:reserve_id ") +
                    " and state=:state group by eat_date,eat,start_time order by start_time");
        ctrl.setParameter("reserve_id", reserveId);
        ctrl.setParameter("state", TPOReserveTable::stateBooked);
        ctrl.open();
        while (!ctrl.eof()) {
            summary << formatDateTime("yyyy-MM-dd", ctrl.fieldByName("eat_date").asDateTime());
            summary << ctrl.fieldByName("eat").asString();
            summary << QString::number(ctrl.fields(2).asInteger());
            ctrl.next();
        }
        ctrl.close();
    } catch (const std::exception&) {
        showMessage("通过预订标识查询统计预订台桌时出现异常！");
    }
    return summary;
}

std::vector<TPOReserveTable> TReserveTableMgr::getReserveTablesByMeal(int reserveId, int eatId, TDateTime date) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(QStringLiteral("select * from reserve_table where reserve_id=:reserve_id ") +
                " and eat_date=:eat_date and eat_id=:eat_id order by table_name");
    ctrl.setParameter("reserve_id", reserveId);
    ctrl.setParameter("eat_date", date);
    ctrl.setParameter("eat_id", eatId);
    return readReserveTables(ctrl, "通过预订ID和时间查询预订台桌是出现异常!");
}

int TReserveTableMgr::countReserveTables(int reserveId, int eatId, TDateTime date) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(QStringLiteral("select count(*) from reserve_table where reserve_id=:reserve_id ") +
                "and eat_date=:eat_date and eat_id=:eat_id");
    ctrl.setParameter("reserve_id", reserveId);
    ctrl.setParameter("eat_date", date);
    ctrl.setParameter("eat_id", eatId);
    ctrl.open();
    int count = ctrl.fields(0).asInteger();
    ctrl.close();
    return count;
}

int TReserveTableMgr::countOpenBookings(int tableId, int eatId, TDateTime date, int exceptReserveId) {
    TDatabaseCtrl ctrl;
    selectOpenBookings(ctrl, "count(*)", tableId, eatId, date, "reserve_id<>:except_id");
    ctrl.setParameter("except_id", exceptReserveId == 0 ? -1 : exceptReserveId);
    ctrl.open();
    int count = ctrl.fields(0).asInteger();
    ctrl.close();
    return count;
}

std::optional<TPOReserveTable> TReserveTableMgr::getBookedReserveTable(int tableId, int eatId, TDateTime date) {
    TDatabaseCtrl ctrl;
    // Only a booking of a reservation still booked counts, as on the floor plan:
    // opening a table must never take over a cancelled or no-show booking.
    selectOpenBookings(ctrl, "*", tableId, eatId, date);
    return firstOf(readReserveTables(ctrl, "通过台桌ID\\时间\\餐次查询预订记录时出现异常!"));
}

QString TReserveTableMgr::openBookingCondition() {
    return QStringLiteral("state=:booked and reserve_id in(select id from reserve where state=:rstate)");
}

void TReserveTableMgr::setOpenBookingParameters(TDatabaseCtrl& ctrl) {
    ctrl.setParameter("booked", TPOReserveTable::stateBooked);
    ctrl.setParameter("rstate", TPOReserve::stateBooked);
}

void TReserveTableMgr::selectOpenBookings(TDatabaseCtrl& ctrl, const QString& columns, int tableId, int eatId,
                                          TDateTime date, const QString& andAlso) {
    ctrl.clearSQL();
    ctrl.setSQL("select " + columns +
                " from reserve_table where table_id=:table_id and eat_date=:eat_date and eat_id=:eat_id and " +
                (andAlso.isEmpty() ? QString() : andAlso + " and ") + openBookingCondition());
    ctrl.setParameter("table_id", tableId);
    ctrl.setParameter("eat_date", date);
    ctrl.setParameter("eat_id", eatId);
    setOpenBookingParameters(ctrl);
}

QString TReserveTableMgr::getInsertSQL(const TPOReserveTable& reserveTable) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(QStringLiteral("insert into reserve_table(id,reserve_id,table_name,table_id,eat,eat_id,") +
                "start_time,end_time,eat_date,state)" +
                " values(:id,:reserve_id,:table_name,:table_id,:eat,:eat_id,:start_time," +
                ":end_time,:eat_date,:state)");
    setRecordParameters(ctrl, reserveTable);
    return ctrl.getSQL();
}

QString TReserveTableMgr::getUpdateSQL(const TPOReserveTable& reserveTable) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(QStringLiteral("update reserve_table set reserve_id=:reserve_id,table_name=:table_name,") +
                "table_id=:table_id,eat=:eat,eat_id=:eat_id,start_time=:start_time," +
                "end_time=:end_time,eat_date=:eat_date,state=:state where id=:id");
    setRecordParameters(ctrl, reserveTable);
    return ctrl.getSQL();
}
