#include "data/MenuInsMgrUnit.h"

#include <QStringList>
#include <algorithm>

#include "data/DatabaseCtrlUnit.h"
#include "data/GuardedWrites.h"
#include "data/ReserveTableMgrUnit.h"
#include "data/SequenceMgrUnit.h"
#include "platform/Messages.h"

namespace {
const QString updateFailedMessage = QStringLiteral("修改菜单实例时出现异常!");

bool tableInsInUse(int id) {
    TDatabaseCtrl check;
    check.setSQL("select count(*) from table_instance where state='TIS001' and id=:id");
    check.setParameter("id", id);
    check.open();
    return !check.eof() && check.fields(0).asInteger() == 1;
}

int nextId() { return TSequenceMgr().getNextValue("menu_instance.id"); }
// The ids of `count` new lines in one draw: the first of them, or 0.
int firstOfIds(int count) { return TSequenceMgr().getNextValues("menu_instance.id", count); }

// Every column but the id, in column order.
void setFields(TDatabaseCtrl& ctrl, const TPOMenuIns& line) {
    ctrl.setParameter("consult_id", line.getConsultId());
    ctrl.setParameter("rela_type", line.getRelaType());
    ctrl.setParameter("menu_id", line.getMenuId());
    ctrl.setParameter("menu_name", line.getMenuName());
    ctrl.setParameter("menu_type_id", line.getMenuTypeId());
    ctrl.setParameter("menu_type_name", line.getMenuTypeName());
    ctrl.setParameter("price", line.getPrice());
    ctrl.setParameter("quantity", line.getQuantity());
    ctrl.setParameter("unit", line.getUnit());
    ctrl.setParameter("state", line.getState());
    ctrl.setParameter("rebate", line.getRebate());
    ctrl.setParameter("serving", line.getServing());
    ctrl.setParameter("printer_code", line.getPrinterCode());
    ctrl.setParameter("print_state", line.getPrintState());
    ctrl.setParameter("description", line.getDescription());
}

TPOMenuIns readRecord(const TDatabaseCtrl& ctrl) {
    TPOMenuIns r;
    r.setId(ctrl.fieldByName("id").asInteger());
    r.setConsultId(ctrl.fieldByName("consult_id").asInteger());
    r.setRelaType(ctrl.fieldByName("rela_type").asString());
    r.setMenuId(ctrl.fieldByName("menu_id").asInteger());
    r.setMenuName(ctrl.fieldByName("menu_name").asString());
    r.setMenuTypeId(ctrl.fieldByName("menu_type_id").asInteger());
    r.setMenuTypeName(ctrl.fieldByName("menu_type_name").asString());
    r.setPrice(ctrl.fieldByName("price").asFloat());
    r.setQuantity(ctrl.fieldByName("quantity").asFloat());
    r.setUnit(ctrl.fieldByName("unit").asString());
    r.setState(ctrl.fieldByName("state").asString());
    r.setRebate(ctrl.fieldByName("rebate").asFloat());
    r.setServing(ctrl.fieldByName("serving").asString());
    r.setPrinterCode(ctrl.fieldByName("printer_code").asString());
    r.setPrintState(ctrl.fieldByName("print_state").asString());
    r.setDescription(ctrl.fieldByName("description").asString());
    return r;
}
}  // namespace

namespace {
void setInsert(TDatabaseCtrl& ctrl, const TPOMenuIns& line) {
    ctrl.clearSQL();
    ctrl.setSQL(
        "insert into menu_instance(id,consult_id,rela_type,menu_id,menu_name,menu_type_id,menu_type_name,price,"
        "quantity,unit,state,rebate,serving,printer_code,print_state,description)values(:id,:consult_id,"
        ":rela_type,:menu_id,:menu_name,:menu_type_id,:menu_type_name,:price,:quantity,:unit,:state,:rebate,"
        ":serving,:printer_code,:print_state,:description)");
    ctrl.setParameter("id", line.getId());
    setFields(ctrl, line);
}

const QString updateSet = QStringLiteral(
    "update menu_instance set consult_id=:consult_id,rela_type=:rela_type,menu_id=:menu_id,"
    "menu_name=:menu_name,menu_type_id=:menu_type_id,menu_type_name=:menu_type_name,price=:price,"
    "quantity=:quantity,unit=:unit,state=:state,rebate=:rebate,serving=:serving,printer_code=:printer_code,"
    "print_state=:print_state,description=:description");
const QString updateText = updateSet + " where id=:id";

void setOwner(TDatabaseCtrl& ctrl, int consultId, const QString& relaType) {
    ctrl.setParameter("owner_id", consultId);
    ctrl.setParameter("owner_type", relaType);
}

// The update of a line that still belongs to the owner: a line a merge moved to
// another table, or that another station deleted, is not written back.
void setOwnedUpdate(TDatabaseCtrl& ctrl, const TPOMenuIns& line, int consultId, const QString& relaType) {
    ctrl.clearSQL();
    ctrl.setSQL(updateText + " and consult_id=:owner_id and rela_type=:owner_type");
    setFields(ctrl, line);
    ctrl.setParameter("id", line.getId());
    setOwner(ctrl, consultId, relaType);
}
}  // namespace

QString TMenuInsMgr::getInsertSQL(const TPOMenuIns& line) {
    TDatabaseCtrl ctrl;
    setInsert(ctrl, line);
    return ctrl.getSQL();
}

QString TMenuInsMgr::getUpdateSQL(const TPOMenuIns& line) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(updateText);
    setFields(ctrl, line);
    ctrl.setParameter("id", line.getId());
    return ctrl.getSQL();
}

int TMenuInsMgr::insert(TPOMenuIns& line) {
    int id = nextId();
    line.setId(id);
    if (id == 0) return 0;
    TDatabaseCtrl ctrl;
    setInsert(ctrl, line);
    if (execOrShow(ctrl, QStringLiteral("添加菜单实例时出现异常!"))) return id;
    // Id 0 again, so that a later save of the list inserts the line as new.
    line.setId(0);
    return 0;
}

bool TMenuInsMgr::update(const TPOMenuIns& line) {
    TDatabaseCtrl ctrl;
    setOwnedUpdate(ctrl, line, line.getConsultId(), line.getRelaType());
    int updated = 0;
    try {
        updated = ctrl.execSQL();
    } catch (const std::exception&) {
        showMessage(updateFailedMessage);
        return false;
    }
    if (updated != 1) showMessage(staleTableMessage);
    return updated == 1;
}

WriteOutcome TMenuInsMgr::updateWhileInUse(const TPOMenuIns& line) {
    TDatabaseCtrl ctrl;
    setOwnedUpdate(ctrl, line, line.getConsultId(), line.getRelaType());
    // Checked inside the write's transaction, as the list save does: a checkout
    // committed after the window last looked must still keep the line out.
    std::function<bool()> ownerInUse;
    if (line.getRelaType() == TPOMenuIns::relaTableIns)
        ownerInUse = [id = line.getConsultId()] { return tableInsInUse(id); };
    const WriteOutcome outcome = runWriteBatch(ctrl, {withValues(ctrl, 1)}, ownerInUse);
    if (outcome == WriteOutcome::Failed) showMessage(updateFailedMessage);
    return outcome;
}

bool TMenuInsMgr::markPrinted(int id) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("update menu_instance set print_state=:done where id=:id and print_state=:due");
    ctrl.setParameter("done", TPOMenuIns::printDone);
    ctrl.setParameter("id", id);
    ctrl.setParameter("due", TPOMenuIns::printWaiting);
    return executeChecked(ctrl, {withValues(ctrl, 1)}, updateFailedMessage, changedMessage);
}

namespace {
// The line is still exactly as the list read it: the same owner and every column
// unchanged, whoever changed it since. `k` keeps the placeholders of one line apart
// from another's in one statement. A NULL reads as 0 or ""; texts compare byte for
// byte, since the name collation would take a remark changed only in letter case
// for the one read.
QString asReadCondition(const QString& k = QString()) {
    static const QStringList integers{"menu_id", "menu_type_id"};
    static const QStringList floats{"price", "quantity", "rebate"};
    static const QStringList texts{"menu_name", "menu_type_name", "unit",        "state",
                                   "serving",   "printer_code",   "print_state", "description"};
    QString condition = QStringLiteral("id=:read%1_id and consult_id=:owner_id and rela_type=:owner_type").arg(k);
    for (const QString& c : integers + floats) condition += QStringLiteral(" and ifnull(%1,0)=:read%2_%1").arg(c, k);
    for (const QString& c : texts)
        condition += QStringLiteral(" and ifnull(%1,'') collate binary=:read%2_%1").arg(c, k);
    return condition;
}

void setAsRead(TDatabaseCtrl& ctrl, const TPOMenuIns& read, const QString& k = QString()) {
    const QString prefix = "read" + k + "_";
    ctrl.setParameter(prefix + "id", read.getId());
    ctrl.setParameter(prefix + "menu_id", read.getMenuId());
    ctrl.setParameter(prefix + "menu_type_id", read.getMenuTypeId());
    // The numbers as read, not through a literal that may round them: a line
    // nobody changed must still match.
    ctrl.setStoredFloat(prefix + "price", read.getPrice());
    ctrl.setStoredFloat(prefix + "quantity", read.getQuantity());
    ctrl.setStoredFloat(prefix + "rebate", read.getRebate());
    ctrl.setParameter(prefix + "menu_name", read.getMenuName());
    ctrl.setParameter(prefix + "menu_type_name", read.getMenuTypeName());
    ctrl.setParameter(prefix + "unit", read.getUnit());
    ctrl.setParameter(prefix + "state", read.getState());
    ctrl.setParameter(prefix + "serving", read.getServing());
    ctrl.setParameter(prefix + "printer_code", read.getPrinterCode());
    ctrl.setParameter(prefix + "print_state", read.getPrintState());
    ctrl.setParameter(prefix + "description", read.getDescription());
}

}  // namespace

const QString TMenuInsMgr::changedMessage = QStringLiteral("菜单已变化，请刷新后重试！");

std::vector<TPOMenuIns> TMenuInsMgr::copiesOf(const TMenuInsList& lines) {
    std::vector<TPOMenuIns> copies;
    copies.reserve(lines.size());
    for (const std::shared_ptr<TPOMenuIns>& line : lines) copies.push_back(*line);
    return copies;
}

TMenuInsList TMenuInsMgr::saveMenuInsList(int consultId, const QString& relaType, TMenuInsList& lines,
                                          const std::vector<TPOMenuIns>& asRead) {
    TDatabaseCtrl ctrl;
    QList<CheckedSQL> batch;
    TMenuInsList issued;  // the lines given an id here, which a failure takes back
    auto fail = [&]() -> TMenuInsList& {
        // Id 0 again, so that saving the same lines once more inserts them.
        for (const std::shared_ptr<TPOMenuIns>& line : issued) line->setId(0);
        lines.clear();
        return lines;
    };
    auto readAs = [&](int id) -> const TPOMenuIns* {
        auto found = std::find_if(asRead.begin(), asRead.end(), [id](const TPOMenuIns& r) { return r.getId() == id; });
        return found == asRead.end() ? nullptr : &*found;
    };
    // A stored line the list did not read: what the user changed in it cannot be
    // told, so nothing is written over it.
    for (const std::shared_ptr<TPOMenuIns>& line : lines) {
        if (line->getId() != 0 && !readAs(line->getId())) {
            showMessage(changedMessage);
            return fail();
        }
    }
    const int newLines = int(std::count_if(lines.begin(), lines.end(), [](const auto& l) { return l->getId() == 0; }));
    int id = newLines > 0 ? firstOfIds(newLines) : 0;
    if (newLines > 0 && id == 0) return fail();
    for (const std::shared_ptr<TPOMenuIns>& line : lines) {
        if (line->getId() == 0) {
            line->setId(id++);
            issued.push_back(line);
            setInsert(ctrl, *line);
        } else {
            // Only what the user changed is written, and only over the line as
            // read: a scan, a print or another station's change to a line left
            // alone here is never undone.
            const TPOMenuIns& read = *readAs(line->getId());
            if (*line == read) continue;
            ctrl.clearSQL();
            ctrl.setSQL(updateSet + " where " + asReadCondition());
            setFields(ctrl, *line);
            setAsRead(ctrl, read);
            setOwner(ctrl, consultId, relaType);
        }
        batch << withValues(ctrl, 1);
    }
    // Only the lines this list held and the user removed: a line another station
    // stored after the list was read is not this list's to delete. One statement,
    // which must find every removed line as it was read.
    std::vector<const TPOMenuIns*> removed;
    for (const TPOMenuIns& read : asRead)
        if (std::none_of(lines.begin(), lines.end(), [&](const auto& l) { return l->getId() == read.getId(); }))
            removed.push_back(&read);
    if (!removed.empty()) {
        QStringList conditions;
        for (size_t k = 0; k < removed.size(); ++k) conditions << "(" + asReadCondition(QString::number(k)) + ")";
        ctrl.clearSQL();
        ctrl.setSQL("delete from menu_instance where " + conditions.join(" or "));
        for (size_t k = 0; k < removed.size(); ++k) setAsRead(ctrl, *removed[k], QString::number(k));
        setOwner(ctrl, consultId, relaType);
        batch << withValues(ctrl, int(removed.size()));
    }
    // A table's dishes only while it is in use: on a settled or merged table
    // they would never be billed.
    const bool ofTable = relaType == TPOMenuIns::relaTableIns;
    std::function<bool()> ownerInUse;
    if (ofTable) ownerInUse = [consultId] { return tableInsInUse(consultId); };
    switch (runWriteBatch(ctrl, batch, ownerInUse)) {
    case WriteOutcome::Done:
        return lines;
    case WriteOutcome::Failed:
        showMessage(QStringLiteral("批量修改菜实例时出现异常!"));
        break;
    case WriteOutcome::Refused: {
        // Read again after the rollback, only to say which of the two it was.
        bool tableGone = false;
        try {
            tableGone = ofTable && !tableInsInUse(consultId);
        } catch (const std::exception&) {
        }
        showMessage(tableGone ? staleTableMessage : changedMessage);
        break;
    }
    }
    return fail();
}

std::optional<TPOMenuIns> TMenuInsMgr::getMenuInsById(int id, bool* failed) {
    if (failed) *failed = false;
    try {
        TDatabaseCtrl ctrl;
        ctrl.clearSQL();
        ctrl.setSQL("select * from menu_instance where id=:id");
        ctrl.setParameter("id", id);
        return ctrl.readFirst(readRecord);
    } catch (const std::exception&) {
        if (failed) *failed = true;
        showMessage(QStringLiteral("通过实例ID查询菜单实例时出现异常!"));
        return std::nullopt;
    }
}

TMenuInsList TMenuInsMgr::getMenuInsList(int consultId, const QString& relaType) {
    TMenuInsList list;
    try {
        TDatabaseCtrl ctrl;
        ctrl.clearSQL();
        ctrl.setSQL("select * from menu_instance where consult_id=:consult_id and rela_type=:rela_type order by id");
        ctrl.setParameter("consult_id", consultId);
        ctrl.setParameter("rela_type", relaType);
        ctrl.readAll(list, [](const TDatabaseCtrl& row) { return std::make_shared<TPOMenuIns>(readRecord(row)); });
    } catch (const std::exception&) {
        showMessage(QStringLiteral("查询菜单实例时出现异常!"));
        list.clear();
    }
    return list;
}

TMenuInsList TMenuInsMgr::getReserveMenuIns(int reserveId) {
    return getMenuInsList(reserveId, TPOMenuIns::relaReserve);
}

TMenuInsList TMenuInsMgr::getReserveTableMenuIns(int reserveTableId) {
    return getMenuInsList(reserveTableId, TPOMenuIns::relaReserveTable);
}

TMenuInsList TMenuInsMgr::getTableInsMenuIns(int tableInsId) {
    return getMenuInsList(tableInsId, TPOMenuIns::relaTableIns);
}

bool TMenuInsMgr::copyReservedMenuIns(int reserveTableId, int tableInsId) {
    std::optional<TPOReserveTable> reserveTable = TReserveTableMgr::getReserveTableById(reserveTableId);
    if (!reserveTable) return false;
    // The table's own booked dishes win; the reservation's are for tables without any.
    TMenuInsList booked = getReserveTableMenuIns(reserveTableId);
    if (booked.empty()) booked = getReserveMenuIns(reserveTable->getReserveId());
    QStringList batch;
    int id = booked.empty() ? 0 : firstOfIds(int(booked.size()));
    if (!booked.empty() && id == 0) return false;
    for (const std::shared_ptr<TPOMenuIns>& source : booked) {
        TPOMenuIns copy = *source;
        copy.setConsultId(tableInsId);
        copy.setRelaType(TPOMenuIns::relaTableIns);
        copy.setId(id++);
        batch << getInsertSQL(copy);
    }
    return executeInTransaction(batch, QStringLiteral("生成菜单实例时出现异常！"));
}
