#include "data/TableInsMgrUnit.h"

#include "data/DatabaseCtrlUnit.h"
#include "data/GuardedWrites.h"
#include "data/POMenuInsUnit.h"
#include "data/SequenceMgrUnit.h"
#include "platform/Messages.h"

namespace {

// Fills `into` field by field, so a failure part-way leaves what was read.
void readTableIns(const TDatabaseCtrl& ctrl, TPOTableIns& into) {
    into.setId(ctrl.fieldByName("id").asInteger());
    into.setOrderId(ctrl.fieldByName("order_id").asInteger());
    into.setTableId(ctrl.fieldByName("table_id").asInteger());
    into.setTableName(ctrl.fieldByName("table_name").asString());
    into.setStartTime(ctrl.fieldByName("start_time").asDateTime());
    into.setEndTime(ctrl.fieldByName("end_time").asDateTime());
    into.setState(ctrl.fieldByName("state").asString());
    into.setReserveTableId(ctrl.fieldByName("reserve_table_id").asInteger());
    into.setDescription(ctrl.fieldByName("description").asString());
}

std::optional<TPOTableIns> firstTableIns(TDatabaseCtrl& ctrl, const QString& failureMessage) {
    std::optional<TPOTableIns> result;
    try {
        ctrl.open();
        if (!ctrl.eof()) {
            result.emplace();
            readTableIns(ctrl, *result);
        }
    } catch (const std::exception&) {
        showMessage(failureMessage);
    }
    return result;
}

// Blank for the merge notes: blanks and control characters at either end.
bool isBlank(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > ' ') return false;
    return true;
}

// Every column but the id, in the order both statements substitute them.
void setColumns(TDatabaseCtrl& ctrl, const TPOTableIns& r) {
    ctrl.setParameter("order_id", r.getOrderId());
    ctrl.setParameter("table_id", r.getTableId());
    ctrl.setParameter("table_name", r.getTableName());
    ctrl.setParameter("start_time", r.getStartTime());
    ctrl.setParameter("end_time", r.getEndTime());
    ctrl.setParameter("state", r.getState());
    ctrl.setParameter("reserve_table_id", r.getReserveTableId());
    ctrl.setParameter("description", r.getDescription());
}

}  // namespace

QString TTableInsMgr::getInsertSQL(const TPOTableIns& r) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(
        "insert into table_instance(id,order_id,table_id,table_name,start_time,end_time,state,reserve_table_id,description)"
        "values(:id,:order_id,:table_id,:table_name,:start_time,:end_time,:state,:reserve_table_id,:description)");
    ctrl.setParameter("id", r.getId());
    setColumns(ctrl, r);
    return ctrl.getSQL();
}

QString TTableInsMgr::getUpdateSQL(const TPOTableIns& r) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(
        "update  table_instance set order_id=:order_id,table_id=:table_id,table_name=:table_name,"
        "start_time=:start_time,end_time=:end_time,state=:state,reserve_table_id=:reserve_table_id,"
        "description=:description where id=:id");
    setColumns(ctrl, r);
    ctrl.setParameter("id", r.getId());
    return ctrl.getSQL();
}

int TTableInsMgr::insert(TPOTableIns& tableIns) {
    int id = TSequenceMgr().getNextValue("table_instance.id");
    tableIns.setId(id);
    if (id == 0) return 0;
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(getInsertSQL(tableIns));
    if (!execOrShow(ctrl, "添加菜单实例时出错!")) {
        tableIns.setId(0);
        return 0;
    }
    return id;
}

bool TTableInsMgr::update(const TPOTableIns& tableIns) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(getUpdateSQL(tableIns));
    return execOrShow(ctrl, "更新菜单实例时出错!");
}

std::optional<TPOTableIns> TTableInsMgr::getTableInsById(int id) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from table_instance where id=:id");
    ctrl.setParameter("id", id);
    return firstTableIns(ctrl, "通过台桌实例ID查询台桌实例时出现异常!");
}

std::optional<TPOTableIns> TTableInsMgr::getTableInsByTableId(int tableId, const QString& state) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from table_instance where state=:state and table_id=:table_id");
    ctrl.setParameter("state", state);
    ctrl.setParameter("table_id", tableId);
    return firstTableIns(ctrl, "通过台桌ID查询台桌实例时出现异常!");
}

bool TTableInsMgr::mergeTables(std::vector<TPOTableIns>& instances, const TPOTable& table) {
    QStringList statements;
    TDatabaseCtrl ctrl;
    int newId = TSequenceMgr().getNextValue("table_instance.id");
    if (newId == 0) return false;

    TPOTableIns merged;
    merged.setId(newId);
    merged.setTableId(table.getId());
    merged.setTableName(table.getTableName());
    merged.setState(TPOTableIns::stateInUse);
    merged.setStartTime(Now());

    for (TPOTableIns& old : instances) {
        ctrl.clearSQL();
        ctrl.setSQL("update menu_instance set consult_id=:new_id where consult_id=:old_id and  rela_type=:rela_type");
        ctrl.setParameter("new_id", merged.getId());
        ctrl.setParameter("old_id", old.getId());
        ctrl.setParameter("rela_type", TPOMenuIns::relaTableIns);
        statements << ctrl.getSQL();

        if (!isBlank(old.getDescription()))
            merged.setDescription(merged.getDescription() + "原(" + old.getTableName() + "):" + old.getDescription() +
                                  QChar(13));
        old.setDescription("并到(" + QString::number(merged.getId()) + "):" + merged.getTableName());
        old.setState(TPOTableIns::stateMerged);
        statements << getUpdateSQL(old);
    }
    // The new instance goes first and carries every note collected above.
    statements.prepend(getInsertSQL(merged));
    return executeInTransaction(ctrl, statements, "并台时出现异常!");
}
