#include "data/OrderMgrUnit.h"

#include "data/DatabaseCtrlUnit.h"
#include "data/GuardedWrites.h"
#include "data/SequenceMgrUnit.h"
#include "platform/Formats.h"
#include "platform/Messages.h"

namespace {

TPOOrder readOrder(const TDatabaseCtrl& ctrl) {
    TPOOrder o;
    o.setId(ctrl.fieldByName("id").asInteger());
    o.setGuestId(ctrl.fieldByName("guest_id").asInteger());
    o.setGuestName(ctrl.fieldByName("guest_name").asString());
    o.setGuestType(ctrl.fieldByName("guest_type").asString());
    o.setGuestNum(ctrl.fieldByName("guest_num").asString());
    o.setAssociatorNum(ctrl.fieldByName("associator_num").asString());
    o.setCreateTime(ctrl.fieldByName("create_time").asDateTime());
    o.setRebateType(ctrl.fieldByName("rebate_type").asString());
    o.setRebateValue(ctrl.fieldByName("rebate_value").asFloat());
    o.setPrice(ctrl.fieldByName("price").asFloat());
    o.setPrice1(ctrl.fieldByName("price1").asFloat());
    o.setPrice2(ctrl.fieldByName("price2").asFloat());
    o.setGiveChange(ctrl.fieldByName("give_change").asFloat());
    o.setInvoice(ctrl.fieldByName("invoice").asString());
    o.setState(ctrl.fieldByName("state").asString());
    o.setOperatorId(ctrl.fieldByName("operator_id").asInteger());
    o.setOperatorName(ctrl.fieldByName("operator_name").asString());
    o.setDescription(ctrl.fieldByName("description").asString());
    return o;
}

// Opens the built query and reads every row; a failure keeps the rows read so far.
std::vector<TPOOrder> readOrders(TDatabaseCtrl& ctrl, const QString& failureMessage) {
    std::vector<TPOOrder> list;
    try {
        ctrl.readAll(list, readOrder);
    } catch (const std::exception&) {
        showMessage(failureMessage);
    }
    return list;
}

}  // namespace

int TOrderMgr::insert(const TPOOrder& order, std::vector<TPOTableIns>& instances) {
    int id = TSequenceMgr().getNextValue("order.id");
    if (id == 0) return 0;
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(
        "insert into o_order(id,guest_id,guest_name,guest_type,guest_num,associator_num,create_time,rebate_type,"
        "rebate_value,price,price1,price2,give_change,invoice,state,operator_id,operator_name,description)"
        "values(:id,:guest_id,:guest_name,:guest_type,:guest_num,:associator_num,:create_time,:rebate_type,"
        ":rebate_value,:price,:price1,:price2,:give_change,:invoice,:state,:operator_id,:operator_name,:description)");
    ctrl.setParameter("id", id);
    ctrl.setParameter("guest_id", order.getGuestId());
    ctrl.setParameter("guest_name", order.getGuestName());
    ctrl.setParameter("guest_type", order.getGuestType());
    ctrl.setParameter("guest_num", order.getGuestNum());
    ctrl.setParameter("associator_num", order.getAssociatorNum());
    ctrl.setParameter("create_time", order.getCreateTime());
    ctrl.setParameter("rebate_type", order.getRebateType());
    ctrl.setParameter("rebate_value", order.getRebateValue());
    ctrl.setParameter("price", order.getPrice());
    ctrl.setParameter("price1", order.getPrice1());
    ctrl.setParameter("price2", order.getPrice2());
    ctrl.setParameter("give_change", order.getGiveChange());
    ctrl.setParameter("invoice", order.getInvoice());
    ctrl.setParameter("state", order.getState());
    ctrl.setParameter("operator_id", order.getOperatorId());
    ctrl.setParameter("operator_name", order.getOperatorName());
    ctrl.setParameter("description", order.getDescription());

    QList<CheckedSQL> statements{withValues(ctrl)};
    for (TPOTableIns& ins : instances) {
        ins.setOrderId(id);
        ins.setState(TPOTableIns::stateCheckedOut);
        // Only an instance still in use is settled, and only its order and state
        // are written: a missing, merged or already settled one refuses the whole
        // checkout, and a stale record cannot undo a switch or a remark.
        ctrl.clearSQL();
        ctrl.setSQL("update  table_instance set order_id=:order_id,state=:state where id=:id and state=:from_state");
        ctrl.setParameter("order_id", id);
        ctrl.setParameter("state", ins.getState());
        ctrl.setParameter("id", ins.getId());
        ctrl.setParameter("from_state", TPOTableIns::stateInUse);
        statements << withValues(ctrl, 1);
    }
    return executeChecked(ctrl, statements, "添加订单出现异常！") ? id : 0;
}

std::vector<TPOOrder> TOrderMgr::getOrdersByTime(TDateTime start, TDateTime end) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    // In id order, as a scan of the table gives them, whichever index finds them.
    ctrl.setSQL("select * from o_order where create_time>=:start_time and create_time<=:end_time order by id");
    ctrl.setParameter("start_time", start);
    ctrl.setParameter("end_time", end);
    return readOrders(ctrl, "通过ID查询订单时出现异常！");
}

std::vector<TPOOrder> TOrderMgr::getOrdersByDate(TDateTime day, int operatorId, const QString& state) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    // The orders whose calendar day is the given day: from its midnight up to the
    // next one, so that an index finds them. A day given with a time of day matches
    // no calendar day: the range is then empty.
    ctrl.setSQL(
        "select * from o_order where create_time>=:tdate and create_time<:tnext and operator_id=:operator_id  and "
        "state=:state order by create_time");
    ctrl.setParameter("tdate", day);
    ctrl.setParameter("tnext", dayRangeEnd(day));
    ctrl.setParameter("operator_id", operatorId);
    ctrl.setParameter("state", state);
    return readOrders(ctrl, "通过时间和操作者查询订单出现异常！");
}

std::vector<TPOOrder> TOrderMgr::getOrdersByPrickId(int prickId) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(
        "select * from o_order,prick_order_rela where o_order.id=prick_order_rela.order_id and "
        "prick_order_rela.prick_id=:prick_id");
    ctrl.setParameter("prick_id", prickId);
    return readOrders(ctrl, "通过时间和操作者查询订单出现异常！");
}
