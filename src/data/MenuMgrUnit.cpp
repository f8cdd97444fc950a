#include "data/MenuMgrUnit.h"

#include "data/DatabaseCtrlUnit.h"
#include "data/GuardedWrites.h"
#include "data/SeqGridUnit.h"
#include "data/SequenceMgrUnit.h"
#include "platform/Messages.h"

namespace {
TSeqGrid grid(int menuTypeId) {
    return TSeqGrid(QStringLiteral("menu"), 4, " and menu_type_id=" + QString::number(menuTypeId));
}

TPOMenu readRecord(const TDatabaseCtrl& ctrl) {
    TPOMenu r;
    r.setId(ctrl.fieldByName("id").asInteger());
    r.setMenuName(ctrl.fieldByName("menu_name").asString());
    r.setMenuTypeId(ctrl.fieldByName("menu_type_id").asInteger());
    r.setPrice(ctrl.fieldByName("price").asFloat());
    r.setRebate(ctrl.fieldByName("rebate").asFloat());
    r.setUnit(ctrl.fieldByName("unit").asString());
    r.setState(ctrl.fieldByName("state").asString());
    r.setX(ctrl.fieldByName("X").asInteger());
    r.setY(ctrl.fieldByName("Y").asInteger());
    r.setSeq(ctrl.fieldByName("seq").asInteger());
    r.setPrinterCode(ctrl.fieldByName("printer_code").asString());
    r.setDescription(ctrl.fieldByName("description").asString());
    return r;
}

void setFields(TDatabaseCtrl& ctrl, const TPOMenu& record) {
    ctrl.setParameter("menu_name", record.getMenuName());
    ctrl.setParameter("menu_type_id", record.getMenuTypeId());
    ctrl.setParameter("price", record.getPrice());
    ctrl.setParameter("rebate", record.getRebate());
    ctrl.setParameter("unit", record.getUnit());
    ctrl.setParameter("state", record.getState());
    ctrl.setParameter("X", record.getX());
    ctrl.setParameter("Y", record.getY());
    ctrl.setParameter("seq", record.getSeq());
    ctrl.setParameter("printer_code", record.getPrinterCode());
    ctrl.setParameter("description", record.getDescription());
}

QString updateSQL(const TPOMenu& record) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(
        "update menu set menu_name=:menu_name,menu_type_id=:menu_type_id,price=:price,rebate=:rebate,"
        "unit=:unit,state=:state,X=:X,Y=:Y,seq=:seq,printer_code=:printer_code,description=:description "
        "where id=:id");
    setFields(ctrl, record);
    ctrl.setParameter("id", record.getId());
    return ctrl.getSQL();
}
}  // namespace

int TMenuMgr::insert(const TPOMenu& record) {
    int id = TSequenceMgr().getNextValue("menu.id");
    if (id == 0) return 0;
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(
        "insert into menu(id,menu_name,menu_type_id,price,rebate,unit,state,X,Y,seq,printer_code,description)"
        "values(:id,:menu_name,:menu_type_id,:price,:rebate,:unit,:state,:X,:Y,:seq,:printer_code,:description)");
    ctrl.setParameter("id", id);
    setFields(ctrl, record);
    return execOrShow(ctrl, QStringLiteral("菜单可能已经存在！")) ? id : 0;
}

bool TMenuMgr::update(TPOMenu& record) {
    const QString failMessage = QStringLiteral("菜单名称可能已经存在！");
    QStringList texts;
    try {
        std::optional<TPOMenu> stored = getMenuById(record.getId());
        if (stored && stored->getMenuTypeId() != record.getMenuTypeId()) {
            // Left as they were, both categories would lose their 1..n order and a
            // later move would swap two dishes at once.
            record.setSeq(getCountByType(record.getMenuTypeId()) + 1);
            texts << updateSQL(record) << grid(stored->getMenuTypeId()).closeGapSQL(stored->getSeq());
        } else {
            texts << updateSQL(record);
        }
    } catch (const std::exception&) {
        showMessage(failMessage);
        return false;
    }
    return executeInTransaction(texts, failMessage);
}

bool TMenuMgr::Delete(int id) {
    std::optional<TPOMenu> menu = getMenuById(id);
    if (!menu) return false;
    return executeInTransaction(
        {"delete from menu where id=" + QString::number(id), grid(menu->getMenuTypeId()).closeGapSQL(menu->getSeq())},
        QStringLiteral("菜单删除不成功！"));
}

int TMenuMgr::getMaxId() { return firstInteger("select max(id) as maxid  from menu"); }

std::optional<TPOMenu> TMenuMgr::getMenuById(int id) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from menu where id=:id");
    ctrl.setParameter("id", id);
    return ctrl.readFirst(readRecord);
}

std::vector<TPOMenu> TMenuMgr::getMenusByType(int menuTypeId) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from menu where menu_type_id=:menu_type_id order by seq");
    ctrl.setParameter("menu_type_id", menuTypeId);
    std::vector<TPOMenu> list;
    ctrl.readAll(list, readRecord);
    return list;
}

int TMenuMgr::getCountByType(int menuTypeId) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select count(*) from menu where menu_type_id=:menu_type_id");
    ctrl.setParameter("menu_type_id", menuTypeId);
    ctrl.open();
    return ctrl.eof() ? 0 : ctrl.fields(0).asInteger();
}

int TMenuMgr::getCount() { return firstInteger("select count(*) from menu "); }

bool TMenuMgr::move(int menuTypeId, int id, TGridMove direction) {
    std::optional<TPOMenu> menu = getMenuById(id);
    if (!menu) return false;
    return grid(menuTypeId).move(direction, id, menu->getSeq(), [menuTypeId] { return getCountByType(menuTypeId); });
}

bool TMenuMgr::moveUp(int menuTypeId, int id) { return move(menuTypeId, id, TGridMove::Up); }
bool TMenuMgr::moveDown(int menuTypeId, int id) { return move(menuTypeId, id, TGridMove::Down); }
bool TMenuMgr::moveLeft(int menuTypeId, int id) { return move(menuTypeId, id, TGridMove::Left); }
bool TMenuMgr::moveRight(int menuTypeId, int id) { return move(menuTypeId, id, TGridMove::Right); }
