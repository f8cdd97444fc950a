#pragma once
#include "backoffice/ReportWindow.h"

// "营业统计报表": turnover per day.
class TsellStatReportForm : public ReportWindow {
    Q_OBJECT
public:
    explicit TsellStatReportForm(QWidget* parent = nullptr);

    TStringGrid* sellStatGrid;
    void showSellStat(const std::vector<QStringList>& rows) { showResultRows(rows); }

protected:
    void runQuery(TDateTime rangeStart, TDateTime rangeEnd) override;
};
