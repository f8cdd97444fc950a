#include "data/PrickMgrUnit.h"

#include <cmath>

#include "data/DatabaseCtrlUnit.h"
#include "data/GuardedWrites.h"
#include "data/POOrderUnit.h"
#include "data/SequenceMgrUnit.h"
#include "platform/Messages.h"

namespace {
const double moneyTolerance = 1e-6;

// Sets the filter of one summary row's open orders: day, employee and the name
// the orders carry, so a closing takes exactly the orders its row summed. The
// range of the day (times are stored as numbers) lets the index of an
// operator's orders find them among all the open ones.
void setRowFilter(TDatabaseCtrl& ctrl, const TPOPrick& p) {
    ctrl.setParameter("tdate", p.getToDate());
    ctrl.setParameter("tnext", dayRangeEnd(p.getToDate()));
    ctrl.setParameter("operator_id", p.getEmployeeId());
    ctrl.setParameter("operator_name", p.getEmployeeName());
}

// Whether the orders linked to the closing are some, and add up to its money.
bool linkedOrdersMatch(int prickId, double money) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(
        "select count(*) as cnt,sum(o_order.price1) as total from o_order,prick_order_rela "
        "where o_order.id=prick_order_rela.order_id and prick_order_rela.prick_id=:prick_id");
    ctrl.setParameter("prick_id", prickId);
    ctrl.open();
    int count = ctrl.fieldByName("cnt").asInteger();
    double total = ctrl.fieldByName("total").asFloat();
    return count > 0 && std::fabs(total - money) <= moneyTolerance;
}
}  // namespace

std::vector<TPOPrick> TPrickMgr::getNotPrickList() {
    std::vector<TPOPrick> list;
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(
        "select operator_id,operator_name,create_date,sum(price1) as price from (select operator_id,operator_name,"
        "DateValue(cdate(create_time)) as create_date,price1 from o_order where state=:state) group by "
        "operator_id,operator_name,create_date");
    ctrl.setParameter("state", TPOOrder::stateCheckedOut);
    try {
        ctrl.readAll(list, [](const TDatabaseCtrl& row) {
            TPOPrick p;
            p.setEmployeeId(row.fieldByName("operator_id").asInteger());
            p.setEmployeeName(row.fieldByName("operator_name").asString());
            p.setToDate(row.fieldByName("create_date").asDateTime());
            p.setMoney(row.fieldByName("price").asFloat());
            return p;
        });
    } catch (const std::exception&) {
        showMessage("TPrickMgr.getNotPrickList()出现异常，请联系开发商！");
    }
    return list;
}

int TPrickMgr::prick(const TPOPrick& prick) {
    int id = TSequenceMgr().getNextValue("prick.id");
    if (id == 0) return 0;
    TDatabaseCtrl ctrl;
    QList<CheckedSQL> statements;

    ctrl.clearSQL();
    ctrl.setSQL(
        "insert into prick(id,operator_id,operator_name,employee_id,employee_name,toDate,create_time,m_money)"
        "values(:id,:operator_id,:operator_name,:employee_id,:employee_name,:toDate,:create_time,:m_money)");
    ctrl.setParameter("id", id);
    ctrl.setParameter("operator_id", prick.getOperatorId());
    ctrl.setParameter("operator_name", prick.getOperatorName());
    ctrl.setParameter("employee_id", prick.getEmployeeId());
    ctrl.setParameter("employee_name", prick.getEmployeeName());
    ctrl.setParameter("toDate", prick.getToDate());
    ctrl.setParameter("create_time", prick.getCreateTime());
    ctrl.setParameter("m_money", prick.getMoney());
    statements << withValues(ctrl);

    ctrl.clearSQL();
    // The links in id order, as a search of the open orders gave them.
    ctrl.setSQL(
        "INSERT INTO prick_order_rela(prick_id,order_id)select :prick_id,id from o_order where "
        "create_time>=:tdate and create_time<:tnext and "
        "DateValue(cdate(create_time))=:tdate and operator_id=:operator_id  and state=:tstate and "
        "operator_name=:operator_name order by id");
    ctrl.setParameter("prick_id", id);
    setRowFilter(ctrl, prick);
    ctrl.setParameter("tstate", TPOOrder::stateCheckedOut);
    statements << withValues(ctrl);

    ctrl.clearSQL();
    ctrl.setSQL(
        "update o_order set state=:state where create_time>=:tdate and create_time<:tnext and "
        "DateValue(cdate(create_time))=:tdate and operator_id=:operator_id  and state=:tstate and "
        "operator_name=:operator_name");
    setRowFilter(ctrl, prick);
    ctrl.setParameter("state", TPOOrder::stateClosed);
    ctrl.setParameter("tstate", TPOOrder::stateCheckedOut);
    statements << withValues(ctrl);

    bool changed = false;
    // The orders closed must be the ones the user saw summed: none at all (a second
    // press) or a different sum (an order checked out since) refuses the closing.
    bool saved = executeInTransaction(ctrl, statements, "扎账时出现异常，请联系开发商！", [&]() {
        changed = !linkedOrdersMatch(id, prick.getMoney());
        return !changed;
    });
    if (changed) showMessage("扎账数据已变化，请刷新后重试！");
    return saved ? id : 0;
}
