#include "data/TableMgrUnit.h"

#include "data/DatabaseCtrlUnit.h"
#include "data/GuardedWrites.h"
#include "data/POReserveTableUnit.h"
#include "data/POTableInsUnit.h"
#include "data/ReserveTableMgrUnit.h"
#include "data/SequenceMgrUnit.h"
#include "data/TableItemUnit.h"

namespace {

TPOTable readTable(const TDatabaseCtrl& ctrl) {
    TPOTable t;
    t.setId(ctrl.fieldByName("id").asInteger());
    t.setTableName(ctrl.fieldByName("table_name").asString());
    t.setFloor(ctrl.fieldByName("floor").asInteger());
    t.setSeat(ctrl.fieldByName("seat").asInteger());
    t.setType(ctrl.fieldByName("type").asString());
    t.setState(ctrl.fieldByName("state").asString());
    t.setX(ctrl.fieldByName("X").asInteger());
    t.setY(ctrl.fieldByName("Y").asInteger());
    t.setDescription(ctrl.fieldByName("description").asString());
    return t;
}

void setTableFields(TDatabaseCtrl& ctrl, const TPOTable& table) {
    ctrl.setParameter("table_name", table.getTableName());
    ctrl.setParameter("floor", table.getFloor());
    ctrl.setParameter("seat", table.getSeat());
    ctrl.setParameter("type", table.getType());
    ctrl.setParameter("state", table.getState());
    ctrl.setParameter("X", table.getX());
    ctrl.setParameter("Y", table.getY());
    ctrl.setParameter("description", table.getDescription());
}

// The condition under which an instance counts for the date and meal: only today's
// date at midnight counts, and a meal only while it is current by the clock.
QString instanceCountsSQL(int eatId) {
    QString sql = " and :date1=:date2";
    if (eatId != 0) {
        sql += " and exists(select * from eat where id=:eat_id  ";
        sql += "and start_time<=:time1 and end_time>=:time2)";
    }
    return sql;
}

void setInstanceCounts(TDatabaseCtrl& ctrl, int eatId, TDateTime date) {
    ctrl.setParameter("date1", date);
    ctrl.setParameter("date2", Date());
    if (eatId != 0) {
        ctrl.setParameter("eat_id", eatId);
        ctrl.setParameter("time1", Time());
        ctrl.setParameter("time2", Time());
    }
}

// Whether the table has an instance in the given state that counts for the date and meal.
bool hasInstanceInState(int tableId, int eatId, TDateTime date, const QString& state) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select 1 from table_instance where table_id=:table_id and state=:state" + instanceCountsSQL(eatId));
    ctrl.setParameter("table_id", tableId);
    ctrl.setParameter("state", state);
    setInstanceCounts(ctrl, eatId, date);
    ctrl.open();
    return !ctrl.eof();
}

bool isBooked(int tableId, int eatId, TDateTime date) {
    TDatabaseCtrl ctrl;
    TReserveTableMgr::selectOpenBookings(ctrl, "1", tableId, eatId, date);
    ctrl.open();
    return !ctrl.eof();
}

}  // namespace

int TTableMgr::insert(const TPOTable& table) {
    int id = TSequenceMgr().getNextValue("table_spec.id");
    if (id == 0) return 0;
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(QString("insert into table_spec(id,table_name,floor,seat,type,state,X,Y,description)") +
                "values(:id,:table_name,:floor,:seat,:type,:state,:X,:Y,:description)");
    ctrl.setParameter("id", id);
    setTableFields(ctrl, table);
    return execOrShow(ctrl, "桌子名称可能重复!") ? id : 0;
}

bool TTableMgr::update(const TPOTable& table) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(QString("update table_spec set table_name=:table_name,floor=:floor,seat=:seat,") +
                "type=:type,state=:state,x=:X,y=:Y,description=:description where id=:id");
    setTableFields(ctrl, table);
    ctrl.setParameter("id", table.getId());
    // A table deleted meanwhile changes no row; that is no duplicate name.
    return executeChecked(ctrl, {withValues(ctrl, 1)}, "桌子名称可能重复!", "桌子不存在!");
}

bool TTableMgr::Delete(const TPOTable& table) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("delete from table_spec where id=:id");
    ctrl.setParameter("id", table.getId());
    return execOrShow(ctrl, "桌子删除失败!");
}

bool TTableMgr::isInUseOrBooked(int tableId) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select 1 from table_instance where table_id=:table_id and state=:in_use"
                " union all select 1 from reserve_table where table_id=:table_id2 and " +
                TReserveTableMgr::openBookingCondition());
    ctrl.setParameter("table_id", tableId);
    ctrl.setParameter("in_use", TPOTableIns::stateInUse);
    ctrl.setParameter("table_id2", tableId);
    TReserveTableMgr::setOpenBookingParameters(ctrl);
    ctrl.open();
    return !ctrl.eof();
}

std::vector<TPOTable> TTableMgr::getTablesByFloor(int floor) {
    std::vector<TPOTable> list;
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from table_spec where floor=:floor");
    ctrl.setParameter("floor", floor);
    ctrl.readAll(list, [](const TDatabaseCtrl& row) {
        // The floor plans need no more than this.
        TPOTable t;
        t.setId(row.fieldByName("id").asInteger());
        t.setTableName(row.fieldByName("table_name").asString());
        t.setX(row.fieldByName("X").asInteger());
        t.setY(row.fieldByName("Y").asInteger());
        t.setState(row.fieldByName("state").asString());
        t.setDescription(row.fieldByName("description").asString());
        return t;
    });
    return list;
}

std::optional<TPOTable> TTableMgr::getTableByName(const QString& name) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from table_spec where table_name=:table_name");
    ctrl.setParameter("table_name", name);
    return ctrl.readFirst(readTable);
}

std::optional<TPOTable> TTableMgr::getTableById(int id) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from table_spec where id=:id");
    ctrl.setParameter("id", id);
    return ctrl.readFirst(readTable);
}

void TTableMgr::fillTableListView(int floor, TIconListView* listView) {
    std::vector<TPOTable> tables = getTablesByFloor(floor);
    listView->clear();
    for (const TPOTable& t : tables) {
        TTableItem* item = listView->addItemOf<TTableItem>();
        item->setTableId(t.getId());
        item->setCaption(t.getTableName());
        item->setLeft(t.getX());
        item->setTop(t.getY());
    }
}

QString TTableMgr::getTableState(int tableId, int eatId, TDateTime date) {
    // A table that no longer exists is shown nowhere, like a disabled one.
    std::optional<TPOTable> table = getTableById(tableId);
    if (!table || table->getState() == "TS002") return "TS002";
    if (hasInstanceInState(tableId, eatId, date, TPOTableIns::stateInUse)) return TPOTableIns::stateInUse;
    if (hasInstanceInState(tableId, eatId, date, TPOTableIns::stateCheckedOut)) return TPOTableIns::stateCheckedOut;
    if (isBooked(tableId, eatId, date)) return TPOReserveTable::stateBooked;
    return "TS001";
}

QHash<int, QString> TTableMgr::getFloorTableStates(int floor, int eatId, TDateTime date) {
    // The tests of getTableState, in its order, for each table of the floor at once.
    const QString counts = instanceCountsSQL(eatId);
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(
        "select t.id as id,case when t.state=:disabled then :disabled"
        " when exists(select 1 from table_instance where table_id=t.id and state=:in_use" + counts + ") then :in_use"
        " when exists(select 1 from table_instance where table_id=t.id and state=:checked_out" + counts +
        ") then :checked_out"
        " when exists(select 1 from reserve_table where table_id=t.id and eat_date=:eat_date and eat_id=:eat_id0"
        " and " + TReserveTableMgr::openBookingCondition() + ") then :booked"
        " else :free end as state from table_spec t where t.floor=:floor");
    ctrl.setParameter("disabled", "TS002");
    ctrl.setParameter("in_use", TPOTableIns::stateInUse);
    ctrl.setParameter("checked_out", TPOTableIns::stateCheckedOut);
    setInstanceCounts(ctrl, eatId, date);
    ctrl.setParameter("eat_date", date);
    ctrl.setParameter("eat_id0", eatId);
    TReserveTableMgr::setOpenBookingParameters(ctrl);
    ctrl.setParameter("free", "TS001");
    ctrl.setParameter("floor", floor);
    ctrl.open();
    QHash<int, QString> states;
    for (; !ctrl.eof(); ctrl.next()) states.insert(ctrl.fields(0).asInteger(), ctrl.fields(1).asString());
    return states;
}

int TTableMgr::getStateImageIndex(const QString& state) {
    if (state == TPOTableIns::stateInUse) return 1;
    if (state == TPOReserveTable::stateBooked) return 2;
    if (state == "TS001") return 0;
    if (state == TPOTableIns::stateCheckedOut) return 3;
    if (state == "TS002") return 4;
    return 0;
}

QString TTableMgr::getStateName(const QString& state) {
    if (state == TPOTableIns::stateInUse) return "使用中";
    if (state == TPOReserveTable::stateBooked) return "预订中";
    if (state == "TS001") return "空闲";
    if (state == "TS002") return "禁用";
    return "状态有误";
}
