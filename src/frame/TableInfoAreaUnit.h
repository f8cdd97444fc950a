#pragma once
#include <QGroupBox>
#include <QList>
#include <optional>

#include "data/POTableInsUnit.h"
#include "platform/DateTime.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
class TMenuInsGrid;

// The info area of the service windows: the selected table's name as caption, its
// start time ("开台时间"), remark ("备注信息") and dish lines, by its live state.
// Disabled until a table is shown. A window adds its commands with addUnderTime
// (below the start time) and addCommandColumn (between remark and dish lines).
class TTableInfoArea : public QGroupBox {
    Q_OBJECT
public:
    explicit TTableInfoArea(QWidget* parent = nullptr);

    QGroupBox* GroupBox4;
    QLabel* startRepastTimeLable;
    QGroupBox* GroupBox3;
    QPlainTextEdit* tableInsDescription;
    TMenuInsGrid* tableMenuInsGrid;

    void addUnderTime(const QList<QPushButton*>& buttons);
    void addCommandColumn(const QList<QPushButton*>& buttons);

    // Shows the table: in use or checked out, the instance's start time, remark and
    // lines; booked for the meal, the booked lines (the booked table's own, else its
    // reservation's); any other state, nothing. The table's live state, or "" when
    // the table does not exist (the area is then enabled and empty). `shownIns`
    // receives the instance shown, if any.
    QString showTable(int tableId, int eatId, TDateTime date, std::optional<TPOTableIns>* shownIns = nullptr);

private:
    QVBoxLayout* timeColumn;
};
