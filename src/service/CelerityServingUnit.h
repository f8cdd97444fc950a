#pragma once
#include "data/POMenuInsUnit.h"
#include "frame/ParentUnit.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class TStringGrid;

// "传菜管理": at the kitchen pass a ticket's barcode is scanned (or its digits typed
// and Enter pressed); its dish line is marked served and listed.
class TcelerityServingForm : public TparentForm {
    Q_OBJECT
public:
    explicit TcelerityServingForm(QWidget* parent = nullptr);

    QGroupBox* GroupBox1;
    TStringGrid* menuInsGrid;
    QGroupBox* GroupBox2;
    QLabel* Label1;
    QLineEdit* menuCode;
    QLabel* Label2;
    QLineEdit* menuInsName;
    QLabel* Label3;
    QLineEdit* tableName;
    QMenu* PopupMenu;
    QAction* clears;

    // Reads the ticket code in menuCode and serves its line; runs on the Enter press.
    void menuCodeKeyUp();
    void addServedRow(const QString& tableName, const TPOMenuIns& line);
    void clearsClick();

private:
    void initGrid();
};
