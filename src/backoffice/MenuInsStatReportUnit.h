#pragma once
#include "backoffice/ReportWindow.h"

// "售销菜单统计": dish lines sold per dish name.
class TmenuInsStatReportForm : public ReportWindow {
    Q_OBJECT
public:
    explicit TmenuInsStatReportForm(QWidget* parent = nullptr);

    TStringGrid* menuInsStatGrid;
    void showMenuInsStat(const std::vector<QStringList>& rows) { showResultRows(rows); }

protected:
    void runQuery(TDateTime rangeStart, TDateTime rangeEnd) override;
};
