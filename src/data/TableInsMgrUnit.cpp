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
    into.markSaved();
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

// The state an instance must be in for a write that leaves it in `state`: the
// statement itself checks it, never the caller's record.
QString requiredState(const QString& state) {
    if (state == TPOTableIns::stateCleared) return TPOTableIns::stateCheckedOut;
    if (state == TPOTableIns::stateCheckedOut || state == TPOTableIns::stateGivenBack ||
        state == TPOTableIns::stateMerged)
        return TPOTableIns::stateInUse;
    return state;
}

// Holds for a table without an in-use instance other than `:id`.
const char* tableFree =
    " not exists(select 1 from table_instance where table_id=:table_id and state='TIS001' and id<>:id)";

// The insert of an in-use instance, made only while its table has none.
QString insertIfTableFreeSQL(const TPOTableIns& r) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(
        "insert into table_instance(id,order_id,table_id,table_name,start_time,end_time,state,reserve_table_id,"
        "description) select :id,:order_id,:table_id,:table_name,:start_time,:end_time,:state,:reserve_table_id,"
        ":description where" + QString(tableFree));
    ctrl.setParameter("id", r.getId());
    setColumns(ctrl, r);
    return ctrl.getSQL();
}

bool stillInState(int id, const QString& state) {
    std::optional<TPOTableIns> now = TTableInsMgr::getTableInsById(id);
    return now && now->getState() == state;
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
    bool opening = tableIns.getState() == TPOTableIns::stateInUse;
    if (opening) {
        // Two stations opening one table at once: only one instance may be in use.
        ctrl.setSQL(insertIfTableFreeSQL(tableIns));
    } else {
        ctrl.setSQL(getInsertSQL(tableIns));
    }
    int inserted = 0;
    try {
        inserted = ctrl.execSQL();
    } catch (const std::exception&) {
        showMessage("添加菜单实例时出错!");
        tableIns.setId(0);
        return 0;
    }
    if (inserted != 1) {
        showMessage("台桌(" + tableIns.getTableName() + ")已被占用!");
        tableIns.setId(0);
        return 0;
    }
    tableIns.markSaved();
    return id;
}

bool TTableInsMgr::update(const TPOTableIns& tableIns) {
    const unsigned changed = tableIns.changedColumns();
    if (changed == 0) return true;
    static const std::pair<unsigned, const char*> columns[] = {
        {TPOTableIns::OrderIdCol, "order_id=:order_id"},       {TPOTableIns::TableIdCol, "table_id=:table_id"},
        {TPOTableIns::TableNameCol, "table_name=:table_name"}, {TPOTableIns::StartTimeCol, "start_time=:start_time"},
        {TPOTableIns::EndTimeCol, "end_time=:end_time"},       {TPOTableIns::StateCol, "state=:state"},
        {TPOTableIns::ReserveTableIdCol, "reserve_table_id=:reserve_table_id"},
        {TPOTableIns::DescriptionCol, "description=:description"}};
    QStringList sets;
    for (const auto& [column, text] : columns)
        if (changed & column) sets << text;
    // Only the columns the caller set, and only from the state the change starts in.
    const QString from = (changed & TPOTableIns::StateCol) ? requiredState(tableIns.getState()) : tableIns.getState();
    const bool switching = (changed & TPOTableIns::TableIdCol) && tableIns.getState() == TPOTableIns::stateInUse;
    QString sql = "update  table_instance set " + sets.join(',') + " where id=:id and state=:from_state";
    if (switching) sql += " and" + QString(tableFree);

    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(sql);
    setColumns(ctrl, tableIns);
    ctrl.setParameter("from_state", from);
    ctrl.setParameter("id", tableIns.getId());
    int updated = 0;
    try {
        updated = ctrl.execSQL();
    } catch (const std::exception&) {
        showMessage("更新菜单实例时出错!");
        return false;
    }
    if (updated == 1) return true;
    // The instance is as it was, so the target of the switch is what got taken.
    if (switching && stillInState(tableIns.getId(), from))
        showMessage("你选择桌台不是处于空闲状态!");
    else
        showMessage(staleTableMessage);
    return false;
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
    QList<CheckedSQL> statements;
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
        // Each old instance ends only while in use on the table and with the remark
        // its note copies; only its remark and state change.
        ctrl.clearSQL();
        ctrl.setSQL(
            "update  table_instance set description=:description,state=:state where id=:id and state=:from_state "
            "and table_id=:table_id and ifnull(description,'')=:old_description collate binary");
        ctrl.setParameter("from_state", TPOTableIns::stateInUse);
        ctrl.setParameter("table_id", old.getTableId());
        ctrl.setParameter("old_description", old.getDescription());
        ctrl.setParameter("id", old.getId());

        if (!isBlank(old.getDescription()))
            merged.setDescription(merged.getDescription() + "原(" + old.getTableName() + "):" + old.getDescription() +
                                  QChar(13));
        old.setDescription("并到(" + QString::number(merged.getId()) + "):" + merged.getTableName());
        old.setState(TPOTableIns::stateMerged);
        ctrl.setParameter("description", old.getDescription());
        ctrl.setParameter("state", old.getState());
        statements << CheckedSQL{ctrl.getSQL(), 1};

        ctrl.clearSQL();
        ctrl.setSQL("update menu_instance set consult_id=:new_id where consult_id=:old_id and  rela_type=:rela_type");
        ctrl.setParameter("new_id", merged.getId());
        ctrl.setParameter("old_id", old.getId());
        ctrl.setParameter("rela_type", TPOMenuIns::relaTableIns);
        statements << CheckedSQL{ctrl.getSQL()};
    }
    // The new instance last, carrying every note, and only onto a table that no
    // instance outside the merge uses (those in it have just ended).
    statements << CheckedSQL{insertIfTableFreeSQL(merged), 1};
    return executeChecked(ctrl, statements, "并台时出现异常!");
}
