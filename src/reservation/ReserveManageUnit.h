#pragma once
#include "frame/ParentUnit.h"

class QAction;
class QCalendarWidget;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QTimer;
class TFloorButtons;
class TIconListItem;
class TReserveViewArea;
class TStringGrid;
class TTableListView;
class TreserveForm;

// "预订管理": a floor's tables with their live state for any date and meal, and the
// open reservations with what each has booked. New bookings and changes go through
// the reservation dialog.
class TreserveManageForm : public TparentForm {
    Q_OBJECT
public:
    explicit TreserveManageForm(QWidget* parent = nullptr);

    TReserveViewArea* viewArea;
    QComboBox* yearComboBox;
    QComboBox* monthComboBox;
    QCalendarWidget* Calendar;
    QComboBox* eatComboBox;
    TFloorButtons* floorButtons;
    TTableListView* tableListView;
    QMenu* PopupMenu;
    QAction* reserveMenu;
    QAction* reserveInforMenu;
    QAction* tableAttribMenu;
    QWidget* selectArea;
    QLabel* Panel3;
    TStringGrid* reserveStringGrid;
    QGroupBox* GroupBox4;
    QPushButton* reserveBtn;
    QPushButton* changeReserveBtn;
    QPushButton* BitBtn3;
    QStatusBar* StatusBar;
    QTimer* MTimer;

    void loadReserveList();
    void refreshTables();
    void tableListViewSelectItem(TIconListItem* item, bool selected);
    void reserveBtnClick();
    void reserveMenuClick();
    void changeReserveBtnClick();
    void tableAttribMenuClick();
    void MTimerTimer();

private:
    void buildLayout();
    // A new dialog on this window's meal, year and date.
    void prepareDialog(TreserveForm& dialog) const;
    // What a dialog may have changed: the list and the map.
    void afterDialog();
    void showPopupItems(bool reserve, bool reserveInfor, bool tableAttrib);
    // The list is at least as wide as its columns, the guest's at its own width.
    void keepColumnsInSight();
};
