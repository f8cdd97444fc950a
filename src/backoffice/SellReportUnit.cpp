#include "backoffice/SellReportUnit.h"

#include <memory>

#include "data/OrderMgrUnit.h"
#include "platform/Formats.h"
#include "platform/StringGrid.h"

namespace {
ReportLayout sellReportLayout() {
    ReportLayout l;
    l.caption = QStringLiteral("营业清单");
    l.listCaption = QStringLiteral("营业清单列表");
    l.quickRanges = allQuickRanges();
    l.openingRange = QStringLiteral("昨天");
    l.customOnHandEdit = true;
    l.titles = QStringList{"编号", "操作者", "时间", "打折类型", "折扣值", "总价", "实收金额", "备注"};
    l.widths = {30, 80, 120, 60, 60, 60, 60, 120};
    l.saveInitialName = QStringLiteral("*.xls");
    return l;
}
}  // namespace

TsellReportForm::TsellReportForm(QWidget* parent) : ReportWindow(sellReportLayout(), parent), orderGrid(grid) {}

void TsellReportForm::runQuery(TDateTime rangeStart, TDateTime rangeEnd) {
    showOrderList(TOrderMgr::getOrdersByTime(rangeStart, rangeEnd));
}

void TsellReportForm::showOrderList(const std::vector<TPOOrder>& orders) {
    setResultRowCount(int(orders.size()));
    for (int r = 1; r <= int(orders.size()); ++r) {
        const TPOOrder& o = orders[size_t(r - 1)];
        orderGrid->setCell(1, r, o.getOperatorName());
        orderGrid->setCell(2, r, formatDateTime("yyyy-mm-dd hh:nn:ss", o.getCreateTime()));
        orderGrid->setCell(3, r, o.getRebateType());
        orderGrid->setCell(4, r, formatFloat("0.0", o.getRebateValue()));
        orderGrid->setCell(5, r, formatFloat("0", o.getPrice()));
        orderGrid->setCell(6, r, formatFloat("0", o.getPrice1()));
        orderGrid->setCell(7, r, o.getDescription());
        orderGrid->setObject(r, std::make_shared<TPOOrder>(o));
    }
}
