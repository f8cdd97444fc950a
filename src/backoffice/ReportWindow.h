#pragma once
#include <QDate>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

#include "frame/ParentUnit.h"
#include "platform/DateTime.h"

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class TStringGrid;

// What tells the report windows apart.
struct ReportLayout {
    QString caption;
    QString listCaption;           // caption of the group around the grid
    QStringList quickRanges;       // items of the quick-range list, "自定义" last
    QString openingRange;          // the item applied at creation
    bool customOnHandEdit = false; // a picker changed by hand selects "自定义"
    QStringList titles;            // the title row
    std::vector<int> widths;
    QString saveInitialName;       // file name the save dialog starts with
};

// Every quick range, in list order; "自定义" (leave the pickers as they are) last.
QStringList allQuickRanges();

// The first and last day of a quick range, both included; nothing for "自定义" or an
// unknown item.
std::optional<std::pair<QDate, QDate>> quickRange(const QString& item, const QDate& today);

// The common part of the report windows: a quick-range list, two date pickers,
// "查询" and "导到EXCEL" above a grid whose row 0 is the title row. A range always
// means whole days: from the start day's 00:00:00 through the end day's 23:59:59.
class ReportWindow : public TparentForm {
    Q_OBJECT
public:
    QGroupBox* GroupBox2;
    QLabel* Label1;
    QComboBox* celerityGoto;
    QLabel* Label2;
    QDateEdit* startDate;
    QLabel* Label3;
    QDateEdit* endDate;
    QPushButton* findBtn;
    QPushButton* reportToExcelBtn;
    QGroupBox* GroupBox1;

    void celerityGotoChange();
    void dateChange();
    void findBtnClick();
    // Every row from the title row on, as tab-separated GBK text, to a file the user
    // names; a failure says so and keeps the lines already written.
    void reportToExcelBtnClick();

protected:
    ReportWindow(const ReportLayout& layout, QWidget* parent);
    // Runs the window's query for the range and shows its result.
    virtual void runQuery(TDateTime rangeStart, TDateTime rangeEnd) = 0;
    // Cuts the grid back to the title row, then gives it `count` rows numbered 1..n.
    void setResultRowCount(int count);
    // Row i gets its number and the texts of result row i.
    void showResultRows(const std::vector<QStringList>& rows);

    TStringGrid* grid;

private:
    void fitColumns();
    ReportLayout layout;
};
