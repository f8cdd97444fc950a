#include "backoffice/SellStatReportUnit.h"

#include "data/ReportMgrUnit.h"

namespace {
ReportLayout sellStatLayout() {
    ReportLayout l;
    l.caption = QStringLiteral("营业统计报表");
    l.listCaption = QStringLiteral("营业统计列表");
    l.quickRanges = allQuickRanges().mid(2);  // from "当前月" on
    l.openingRange = QStringLiteral("当前月");
    l.titles = QStringList{"编号", "日期", "金额"};
    l.widths = {30, 120, 120};
    l.saveInitialName = QStringLiteral("*.xls");
    return l;
}
}  // namespace

TsellStatReportForm::TsellStatReportForm(QWidget* parent) : ReportWindow(sellStatLayout(), parent), sellStatGrid(grid) {}

void TsellStatReportForm::runQuery(TDateTime rangeStart, TDateTime rangeEnd) {
    showSellStat(TReportMgr::reportSellStat(rangeStart, rangeEnd));
}
