#pragma once
#include <QString>
#include <functional>
#include <optional>

#include "data/POEatUnit.h"
#include "data/POMenuInsUnit.h"
#include "data/POReserveTableUnit.h"
#include "data/POTableInsUnit.h"
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

// "营业管理": the floor map of the dining tables coloured by each table's state for
// today's current meal period, and the commands that act on a table.
class TsellForm : public TparentForm {
    Q_OBJECT
public:
    explicit TsellForm(QWidget* parent = nullptr);

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
    QPushButton* startRepastBtn;
    QPushButton* clearTableBtn;
    QGroupBox* GroupBox3;
    QPlainTextEdit* tableInsDescription;
    QPushButton* menuBtn;
    QPushButton* menuSendCookBtn;
    QPushButton* servingBtn;
    QPushButton* cancelMenuBtn;
    TMenuInsGrid* tableMenuInsGrid;
    QWidget* rightPanel;
    QGroupBox* GroupBox5;
    TTableBatchGrid* tableBatGrid;
    QPushButton* mergeBtn;
    QPushButton* addMenuBtn;
    QPushButton* clearTableBatBtn;
    TReservePanel* reservePanel;
    QLabel* Panel4;
    TStringGrid* reserveGrid;
    QPushButton* startRepastsBtn;
    QPushButton* viewReserveBtn;
    TStringGrid* reTableGrid;
    QMenu* tablePopupMenu;
    QAction* switchTable;
    QAction* refreshTable;
    QAction* cancelTable;
    QAction* attribTable;
    QTimer* eatTimer;
    QTimer* MTimer;

    int selectedTableId = 0;

    // The meal period that holds the present time of day, or none (kept by the map
    // panel); its id, 0 outside meal time.
    const std::optional<TPOEat>& currentEat() const;
    int eatId() const;

    void refreshEat();
    void showTables();
    void refreshTableItem(TIconListItem* item);
    TTableItem* findTableItem(int tableId) const;
    void floorClick();
    void selectTable(int tableId);
    void tableListViewSelectItem(TIconListItem* item, bool selected);
    void showTableInfo();
    // Opens the table; a booking handed in (the reservation panel's own) is the
    // one taken over, else the table's open booking of this meal, if any.
    // False when the table did not get its instance.
    bool openTable(int tableId, const std::optional<TPOReserveTable>& booking = std::nullopt);

    // Commands.
    void startRepastBtnClick();
    void clearTableBtnClick();
    void switchTableClick();
    void cancelTableClick();
    void refreshTableClick();
    void attribTableClick();
    void tableListViewDblClick();
    void clearTableBatBtnClick();
    void mergeBtnClick();
    void eatTimerTimer();
    void MTimerTimer();

    // Dish lines and the meal's reservations.
    void menuBtnClick();
    void menuSendCookBtnClick();
    void servingBtnClick();
    void cancelMenuBtnClick();
    void tableMenuInsGridDblClick();
    void addMenuBtnClick();
    void startRepastsBtnClick();
    void viewReserveBtnClick();

    void initGrids();
    void showMenuInsList(const TMenuInsList& lines);
    void setMenuInsRow(const std::shared_ptr<TPOMenuIns>& line, int row);
    void showReserves();
    void showReserveTables();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildLeftPanel();
    QWidget* buildInfoArea();
    QWidget* buildRightPanel();
    // Enables "开桌", "点菜", "清除", "传菜", "退菜", the remark and "打印菜单".
    void setInfoControls(bool open, bool order, bool clear, bool serve, bool cancelDish, bool remark, bool print);
    // Writes the remark of the in-use instance shown, when the user edited it. False
    // when that instance left use meanwhile: the edit is then dropped, as it has no
    // place to go.
    bool saveEditedRemark();
    // After a command found the tables not as shown (changed at another station) or
    // its write failed: the map, the selected table's info and buttons and the
    // batch's states as now stored.
    void refreshShown();
    void refreshItemOf(int tableId);
    // The in-use instance of the selected table; when there is none any more, says
    // so and shows the table as it is now.
    std::optional<TPOTableIns> inUseInstanceOrRefresh();
    // Saves `change` made to a copy of the selected line as stored; when the line
    // changed since the grid showed it, the grid is refreshed and nothing written.
    // The row shows the change only once it is saved.
    void changeSelectedLine(const std::function<bool(TPOMenuIns&)>& change);

    int remarkTableInsId = 0;  // the in-use instance whose remark the memo shows
};
