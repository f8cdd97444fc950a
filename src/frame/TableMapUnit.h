#pragma once
#include <QColor>
#include <QList>
#include <QPixmap>
#include <QString>

#include "data/TableItemUnit.h"
#include "platform/DateTime.h"
#include "platform/IconListView.h"

// The icons of the service and reservation maps, indexed as TTableMgr::getStateImageIndex
// gives them: free white, in use blue, booked green, checked out red, disabled grey.
QList<QPixmap> tableStateImages();
// The layout editor's icons: 0 a usable table, 3 a disabled one (grey).
QList<QPixmap> tableLayoutImages();
// The legend of the service maps, 321 x 25: 空闲, 使用中, 预订, 结账完成.
QPixmap tableStateLegend(const QColor& textColour = Qt::white);

class QWidget;
class TTableListView;
// Grows a window being shown (call from its show event, when its layout is done) so
// that its map shows the widest and the tallest floor plan whole, as far as the
// screen's free area allows: tables laid out anywhere on the layout editor's plan
// are then in sight without scrolling.
void growToShowPlans(QWidget* window, TTableListView* map);

// A floor plan of dining tables: one TTableItem per table at the table's X and Y.
// Selection and double-click come from TIconListView (user actions only).
class TTableListView : public TIconListView {
    Q_OBJECT
public:
    explicit TTableListView(QWidget* parent = nullptr);

    // The service and reservation maps: the floor's tables, disabled ones dropped,
    // every other with the icon of its live state for the meal period and date.
    void showFloor(int floor, int eatId, TDateTime date);
    // The layout editor's plan: every table of the floor, disabled ones with icon 3.
    // Call useLayoutImages once before.
    void showLayout(int floor);
    void useLayoutImages();

    // Gives the item the icon of its table's live state, or removes it from the map
    // when the table is disabled (the item is gone then). Returns the state; an empty
    // text for no item.
    QString refreshTableItem(TIconListItem* item, int eatId, TDateTime date);
    // The same with a state already read; nothing for no item.
    void showItemState(TIconListItem* item, const QString& state);

    // The first item carrying the table id, or nullptr.
    TTableItem* findTableItem(int tableId) const;
    TTableItem* tableItem(int index) const;
    TTableItem* selectedTableItem() const;
};
