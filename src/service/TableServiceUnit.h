#pragma once
#include <QList>
#include <QString>
#include <functional>
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
class QVBoxLayout;
class TFloorButtons;
class TIconListItem;
class TReservePanel;
class TStringGrid;
class TTableBatchGrid;
class TTableItem;
class TTableListView;
class TTableMapPanel;

// What the sell and cashier windows share: the floor map of today's current meal with
// the selected table's info below it, the batch of in-use tables ("清除" removes a
// row) and the meal's reservations ("查看"), the map's "刷新" and "属性", and the two
// timers that keep the meal period and the map current. Each window adds its own
// commands and says what showing a table and refreshing mean for it.
class TtableServiceForm : public TparentForm {
    Q_OBJECT
public:
    explicit TtableServiceForm(QWidget* parent = nullptr);

    // Components.
    TTableMapPanel* leftPanel = nullptr;
    QWidget* tablePanel = nullptr;
    QLabel* tableLabe = nullptr;
    QLabel* stateImage = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* eatLable = nullptr;
    QGroupBox* floorGroupBox = nullptr;
    TFloorButtons* floorButtons = nullptr;
    TTableListView* tableListView = nullptr;
    TTableInfoArea* tableInforArea = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QLabel* startRepastTimeLable = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QPlainTextEdit* tableInsDescription = nullptr;
    TMenuInsGrid* tableMenuInsGrid = nullptr;
    QWidget* rightPanel = nullptr;
    QGroupBox* GroupBox5 = nullptr;
    TTableBatchGrid* tableBatGrid = nullptr;
    QPushButton* clearTableBatBtn = nullptr;
    TReservePanel* reservePanel = nullptr;
    QLabel* Panel4 = nullptr;
    TStringGrid* reserveGrid = nullptr;
    QPushButton* viewReserveBtn = nullptr;
    TStringGrid* reTableGrid = nullptr;
    QMenu* tablePopupMenu = nullptr;
    QAction* refreshTable = nullptr;
    QAction* attribTable = nullptr;
    QTimer* eatTimer = nullptr;
    QTimer* MTimer = nullptr;

    int selectedTableId = 0;

    // The meal period that holds the present time of day, or none (kept by the map
    // panel); its id, 0 outside meal time.
    const std::optional<TPOEat>& currentEat() const;
    int eatId() const;

    void refreshEat();
    virtual void showTables();
    void refreshTableItem(TIconListItem* item);
    TTableItem* findTableItem(int tableId) const;
    void floorClick();
    virtual void tableListViewSelectItem(TIconListItem* item, bool selected) = 0;
    virtual void showTableInfo() = 0;
    void initGrids();
    void showReserves();
    void showReserveTables();

    // Commands.
    void tableListViewDblClick();
    void clearTableBatBtnClick();
    void refreshTableClick();
    void attribTableClick();
    void viewReserveBtnClick();
    void eatTimerTimer();
    virtual void MTimerTimer();

protected:
    // A window's own button: its caption, where it is kept and what it does.
    struct Command {
        QPushButton** button;
        QString caption;
        std::function<void()> handler;
    };
    // A command button of the service windows' height.
    static QPushButton* commandButton(const QString& caption, QWidget* parent);
    // Connects a button or a menu entry to a handler run inside the error funnel.
    void onClick(QPushButton* b, std::function<void()> handler);
    void onTriggered(QAction* a, std::function<void()> handler);

    // The map panel with the info area below it.
    void buildMapSide();
    // The right side next to the map side: "批量处理" with the batch grid, the
    // window's `batchCommands` and "清除", then the reservation panel with the
    // window's `reserveCommands` and "查看". The right column, for what the window
    // puts below.
    QVBoxLayout* buildRightSide(const QList<Command>& batchCommands, const QList<Command>& reserveCommands);
    // Wires the map, the popup menu's "刷新" and "属性" and the timers, shows the
    // first floor with the meal's reservations and starts the timers. Called last by
    // the window's constructor, once its own parts exist.
    void startService();

    // After a command found the tables not as shown (changed at another station) or
    // its write failed, and on "刷新": the map, the selected table's info and the
    // batch's states as now stored.
    virtual void refreshShown();
    // Selects the table's item on the map in code, as a command that shows a table does.
    void selectOnMap(int tableId);
    // Brought to the front of the main window: bookings and tables changed in the other
    // windows meanwhile show at once, not at the next minute's refill.
    void broughtToFront();

    void closeEvent(QCloseEvent* event) override;

private:
    // The user took the map's selection away: a refill selects nothing then, so that
    // a click on the table shown runs the selection again.
    bool mapSelectionCleared = false;
};
