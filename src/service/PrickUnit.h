#pragma once
#include "frame/ParentUnit.h"

class QGroupBox;
class QPushButton;
class TPOPrick;
class TStringGrid;

// "扎账": every employee-day with checked-out orders not yet closed, the sum due of
// each, the orders behind the selected row, and the closing of that row.
class TprickForm : public TparentForm {
    Q_OBJECT
public:
    explicit TprickForm(QWidget* parent = nullptr);

    QWidget* Panel1;
    QGroupBox* GroupBox2;
    TStringGrid* prickGrid;
    QGroupBox* GroupBox1;
    TStringGrid* prickDetailGrid;
    QGroupBox* GroupBox3;
    QPushButton* prickBtn;

    // Reads the open employee-days again; the first row's orders are shown.
    void showPrickList();
    void showPrickDetail(int row);
    void prickGridSelectCell(int row);
    void prickBtnClick();

private:
    void initGrids();
    void clearDetail();
    // The row showing the same employee, name and day, or 0.
    int findRow(const TPOPrick& prick) const;
};
