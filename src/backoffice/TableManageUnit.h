#pragma once
#include "frame/ParentUnit.h"

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QStatusBar;
class TFloorButtons;
class TTableListView;

// The table layout editor: every table of a floor (disabled ones too) on a plan,
// moved by dragging or with Alt and the arrow keys, added, edited and deleted.
// Positions are written as they change; closing writes nothing.
class TtableManageForm : public TparentForm {
    Q_OBJECT
public:
    explicit TtableManageForm(QWidget* parent = nullptr);

    // Components.
    QWidget* tablePanel;
    QLabel* tableLabe;
    TTableListView* tableListView;
    QGroupBox* floorGroupBox;
    TFloorButtons* floorButtons;
    QStatusBar* statusBar;
    QMenu* tablePopupMenu;
    QAction* newTable;
    QAction* deleteTable;
    QAction* attribTable;

    // The point remembered for dragging and for a new table (plan coordinates).
    int downX = 0;
    int downY = 0;

    // Handlers (each runs inside the error funnel when the user triggers it).
    void listFloor(int floor);
    void tableListViewMouseDown(const QPoint& pos);
    void tablePopupMenuPopup(const QPoint& pos);
    void tableListViewDragDrop(const QPoint& pos);
    // True when the key was an Alt key press on a selected table.
    bool tableListViewKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void newTableClick();
    void attribTableClick();
    void deleteTableClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
