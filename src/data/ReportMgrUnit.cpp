#include "data/ReportMgrUnit.h"

#include "data/DatabaseCtrlUnit.h"
#include "data/POMenuInsUnit.h"
#include "platform/Formats.h"
#include "platform/Messages.h"

namespace {

template <class Read>
std::vector<QStringList> readReport(TDatabaseCtrl& ctrl, Read read, const QString& failureMessage) {
    std::vector<QStringList> rows;
    try {
        ctrl.readAll(rows, read);
    } catch (const std::exception&) {
        showMessage(failureMessage);
    }
    return rows;
}

}  // namespace

std::vector<QStringList> TReportMgr::reportSellStat(TDateTime startDate, TDateTime endDate) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    // The creation day against the days of the bounds, both included. The inner
    // range holds exactly those orders and lets an index find them; taken in id
    // order, each day's amounts are added up in the order a scan of the table gives.
    ctrl.setSQL(QStringLiteral(
        "select create_date,sum(price1) as price from (select *,DateValue(cdate(create_time)) as create_date from "
        "o_order where create_time>=:start_time and create_time<:end_time order by id) as new_order where "
        "create_date>=:start_date and create_date<=:end_date group by create_date"));
    ctrl.setParameter("start_time", dateOf(startDate));
    ctrl.setParameter("end_time", TDateTime(dateOf(endDate) + 1));
    ctrl.setParameter("start_date", dateOf(startDate));
    ctrl.setParameter("end_date", dateOf(endDate));
    return readReport(
        ctrl,
        [](const TDatabaseCtrl& c) {
            // The day is a day number in this database: show it as a date.
            return QStringList{formatDateTime("yyyy-MM-dd", c.fieldByName("create_date").asDateTime()),
                               formatFloat("0", c.fieldByName("price").asFloat())};
        },
        QStringLiteral("TReportMgr.reportSellStat出现异常！"));
}

std::vector<QStringList> TReportMgr::reportMenuInsStat(TDateTime startDate, TDateTime endDate) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(QStringLiteral(
        "select mi.menu_name as menu_name,count(* ) as tmp1 from table_instance as ti cross join menu_instance as mi where "
        "ti.id=mi.consult_id  and mi.rela_type=:rela_type and ti.start_time>=:start_date and "
        "ti.start_time<:end_date group by mi.menu_name"));
    // From the first day's midnight up to, not including, the midnight after the
    // last day: a table opened at 00:00:00 counts on its own day. The table
    // instances of the range lead (cross join), so that the time index finds them
    // rather than every dish line ever sold.
    ctrl.setParameter("rela_type", TPOMenuIns::relaTableIns);
    ctrl.setParameter("start_date", dateOf(startDate));
    ctrl.setParameter("end_date", TDateTime(dateOf(endDate) + 1));
    return readReport(
        ctrl,
        [](const TDatabaseCtrl& c) {
            return QStringList{c.fieldByName("menu_name").asString(), c.fieldByName("tmp1").asString()};
        },
        QStringLiteral("TReportMgr.reportMenuInsStat出现异常！"));
}
