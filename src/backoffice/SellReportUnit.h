#pragma once
#include <vector>

#include "backoffice/ReportWindow.h"
#include "data/POOrderUnit.h"

// "营业清单": the orders created in a range, one row each, the order behind its row.
class TsellReportForm : public ReportWindow {
    Q_OBJECT
public:
    explicit TsellReportForm(QWidget* parent = nullptr);

    TStringGrid* orderGrid;
    void showOrderList(const std::vector<TPOOrder>& orders);

protected:
    void runQuery(TDateTime rangeStart, TDateTime rangeEnd) override;
};
