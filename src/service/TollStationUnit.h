#pragma once
#include <optional>

#include "data/POEatUnit.h"
#include "frame/MenuInsGridUnit.h"
#include "frame/ParentUnit.h"
#include "frame/TableInfoAreaUnit.h"

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class TFloorButtons;
class TIconListItem;
class TReservePanel;
class TStringGrid;
class TTableBatchGrid;
class TTableItem;
class TTableListView;
class TTableMapPanel;

// "收银台": the floor map coloured by each table's state for today's current meal,
// the selected table's lines, the batch of in-use tables and the reservations of the
// meal. Its one business command is checkout, of the selected table or of the whole
// batch, through the checkout dialog; the window itself writes nothing.
class TtollStationForm : public TparentForm {
    Q_OBJECT
public:
    explicit TtollStationForm(QWidget* parent = nullptr);

    // Components.
    TTableMapPanel* leftPanel;
    QWidget* tablePanel;
    QLabel* tableLabe;
    QLabel* stateImage;
    QGroupBox* GroupBox1;
    QLabel* eatLable;
    QGroupBox* floorGroupBox;
    TFloorButtons* floorButtons;
    TTableListView* tableListView;
    TTableInfoArea* tableInforArea;
    QGroupBox* GroupBox4;
    QLabel* startRepastTimeLable;
    QGroupBox* GroupBox3;
    QPlainTextEdit* tableInsDescription;
    TMenuInsGrid* tableMenuInsGrid;
    QWidget* rightPanel;
    QGroupBox* GroupBox5;
    TTableBatchGrid* tableBatGrid;
    QPushButton* reckoningBatBtn;
    QPushButton* clearTableBatBtn;
    TReservePanel* reservePanel;
    QLabel* Panel4;
    TStringGrid* reserveGrid;
    QPushButton* viewReserveBtn;
    TStringGrid* reTableGrid;
    QGroupBox* GroupBox9;
    QMenu* tablePopupMenu;
    QAction* reckoningMenu;
    QAction* refreshTable;
    QAction* attribTable;
    QTimer* eatTimer;
    QTimer* MTimer;

    int selectedTableId = 0;
    const std::optional<TPOEat>& currentEat() const;
    int eatId() const;  // 0 outside meal time

    void refreshEat();
    void showTables();
    void refreshTableItem(TIconListItem* item);
    TTableItem* findTableItem(int tableId) const;
    void floorClick();
    void tableListViewSelectItem(TIconListItem* item, bool selected);
    void showTableInfo();
    void initGrids();
    void showReserves();
    void showReserveTables();

    // Commands.
    void reckoningMenuClick();
    void tableListViewDblClick();
    void clearTableBatBtnClick();
    void reckoningBatBtnClick();
    void refreshTableClick();
    void attribTableClick();
    void viewReserveBtnClick();
    void eatTimerTimer();
    void MTimerTimer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildRightPanel();
    // After a checkout, written or not, after a command found the tables not as
    // shown, and on "刷新": the map, the selected table's info and "结帐", and the
    // batch's states as now stored.
    void refreshShown();
};
