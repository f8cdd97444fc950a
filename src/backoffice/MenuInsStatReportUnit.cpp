#include "backoffice/MenuInsStatReportUnit.h"

#include "data/ReportMgrUnit.h"

namespace {
ReportLayout menuInsStatLayout() {
    ReportLayout l;
    l.caption = QStringLiteral("售销菜单统计");
    l.listCaption = QStringLiteral("售销菜单统计列表");
    l.quickRanges = allQuickRanges();
    l.openingRange = QStringLiteral("今天");
    l.titles = QStringList{"编号", "菜单名称", "数量"};
    l.widths = {30, 120, 120};
    return l;
}
}  // namespace

TmenuInsStatReportForm::TmenuInsStatReportForm(QWidget* parent)
    : ReportWindow(menuInsStatLayout(), parent), menuInsStatGrid(grid) {}

void TmenuInsStatReportForm::runQuery(TDateTime rangeStart, TDateTime rangeEnd) {
    showMenuInsStat(TReportMgr::reportMenuInsStat(rangeStart, rangeEnd));
}
