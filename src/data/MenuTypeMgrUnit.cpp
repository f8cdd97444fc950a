#include "data/MenuTypeMgrUnit.h"

#include "data/DatabaseCtrlUnit.h"
#include "data/MenuMgrUnit.h"
#include "data/GuardedWrites.h"
#include "data/SeqGridUnit.h"
#include "data/SequenceMgrUnit.h"
#include "platform/Messages.h"

namespace {
const QString nameTaken = QStringLiteral("类型名称以经存在!");
const QString deleteFailed = QStringLiteral("删除类型不成功,可能存在菜单!");

TSeqGrid grid() { return TSeqGrid(QStringLiteral("menu_type"), 2); }

TPOMenuType readRecord(const TDatabaseCtrl& ctrl) {
    TPOMenuType r;
    r.setId(ctrl.fieldByName("id").asInteger());
    r.setName(ctrl.fieldByName("name").asString());
    r.setTypeCode(ctrl.fieldByName("type_code").asString());
    r.setX(ctrl.fieldByName("X").asInteger());
    r.setY(ctrl.fieldByName("Y").asInteger());
    r.setSeq(ctrl.fieldByName("seq").asInteger());
    r.setDescription(ctrl.fieldByName("description").asString());
    return r;
}

void setFields(TDatabaseCtrl& ctrl, const TPOMenuType& record) {
    ctrl.setParameter("name", record.getName());
    ctrl.setParameter("type_code", record.getTypeCode());
    ctrl.setParameter("X", record.getX());
    ctrl.setParameter("Y", record.getY());
    ctrl.setParameter("seq", record.getSeq());
    ctrl.setParameter("description", record.getDescription());
}
}  // namespace

int TMenuTypeMgr::insert(const TPOMenuType& record) {
    int id = TSequenceMgr().getNextValue("menu_type.id");
    if (id == 0) return 0;
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(
        "insert into menu_type(id,name,type_code,X,Y,seq,description) "
        "values(:id,:name,:type_code,:X,:Y,:seq,:description)");
    ctrl.setParameter("id", id);
    setFields(ctrl, record);
    return execOrShow(ctrl, nameTaken) ? id : 0;
}

bool TMenuTypeMgr::update(const TPOMenuType& record) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(
        "update menu_type set name=:name,type_code=:type_code,X=:X,Y=:Y,seq=:seq,"
        "description=:description where id=:id");
    setFields(ctrl, record);
    ctrl.setParameter("id", record.getId());
    return execOrShow(ctrl, nameTaken);
}

bool TMenuTypeMgr::Delete(int id) {
    std::optional<TPOMenuType> type = getMenuTypeById(id);
    if (!type) return false;
    // Dishes of a deleted category would vanish from every grid. Counted inside
    // the transaction, so a dish added meanwhile by another station still counts;
    // the refusal is shown once the transaction has let go of the file.
    TDatabaseCtrl ctrl;
    bool hasDishes = false;
    bool deleted = executeInTransaction(
        ctrl, {"delete from menu_type where id=" + QString::number(id), grid().closeGapSQL(type->getSeq())},
        deleteFailed, [id, &hasDishes] {
            hasDishes = TMenuMgr::getCountByType(id) != 0;
            return !hasDishes;
        });
    if (hasDishes) showMessage(deleteFailed);
    return deleted;
}

int TMenuTypeMgr::getMaxId() { return firstInteger("select max(id) from menu_type"); }

std::optional<TPOMenuType> TMenuTypeMgr::getMenuTypeById(int id) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from menu_type where id=:id");
    ctrl.setParameter("id", id);
    return ctrl.readFirst(readRecord);
}

std::vector<TPOMenuType> TMenuTypeMgr::getMenuTypeList() {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL("select * from menu_type order by seq");
    std::vector<TPOMenuType> list;
    ctrl.readAll(list, readRecord);
    return list;
}

int TMenuTypeMgr::getCount() { return firstInteger("select count(*) from menu_type"); }

bool TMenuTypeMgr::move(int id, TGridMove direction) {
    std::optional<TPOMenuType> type = getMenuTypeById(id);
    if (!type) return false;
    return grid().move(direction, id, type->getSeq(), &TMenuTypeMgr::getCount);
}

bool TMenuTypeMgr::moveUp(int id) { return move(id, TGridMove::Up); }
bool TMenuTypeMgr::moveDown(int id) { return move(id, TGridMove::Down); }
bool TMenuTypeMgr::moveLeft(int id) { return move(id, TGridMove::Left); }
bool TMenuTypeMgr::moveRight(int id) { return move(id, TGridMove::Right); }
