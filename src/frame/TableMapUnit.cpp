#include "frame/TableMapUnit.h"

#include "data/TableMgrUnit.h"
#include "frame/GeneralUnit.h"
#include "platform/DrawnImages.h"

#include <QGuiApplication>
#include <algorithm>
#include <QScreen>

QList<QPixmap> tableStateImages() {
    return {tableIconImage(TableIcon::White), tableIconImage(TableIcon::Blue), tableIconImage(TableIcon::Green),
            tableIconImage(TableIcon::Red), tableIconImage(TableIcon::Grey)};
}

QList<QPixmap> tableLayoutImages() {
    return {tableIconImage(TableIcon::White), tableIconImage(TableIcon::Blue), tableIconImage(TableIcon::Green),
            tableIconImage(TableIcon::Grey)};
}

QPixmap tableStateLegend(const QColor& textColour) {
    return swatchLegend({{tableIconColour(TableIcon::White), QStringLiteral("空闲")},
                         {tableIconColour(TableIcon::Blue), QStringLiteral("使用中")},
                         {tableIconColour(TableIcon::Green), QStringLiteral("预订")},
                         {tableIconColour(TableIcon::Red), QStringLiteral("结账完成")}},
                        QSize(321, 25), textColour);
}

void growToShowPlans(QWidget* window, TTableListView* map) {
    QSize plan(0, 0);
    const QSize item = map->itemSize() + QSize(TIconListView::contentMargin, TIconListView::contentMargin);
    for (int floor = 1; floor <= 5; ++floor) {
        for (const TPOTable& t : TTableMgr::getTablesByFloor(floor)) {
            const QPoint at = TIconListView::clampToPlan(QPoint(t.getX(), t.getY()));
            plan = plan.expandedTo(QSize(at.x(), at.y()) + item);
        }
    }
    const QSize missing = (plan - map->maximumViewportSize()).expandedTo(QSize(0, 0));
    if (missing.isNull()) return;
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect free = roomForWindow(screen);
    const QSize grown = (window->size() + missing).boundedTo(free.size()).expandedTo(window->size());
    if (grown == window->size()) return;
    // Grown about its centre, kept on the screen.
    QRect placed(QPoint(), grown);
    placed.moveCenter(window->geometry().center());
    placed.moveLeft(std::clamp(placed.left(), free.left(), std::max(free.left(), free.right() - grown.width() + 1)));
    placed.moveTop(std::clamp(placed.top(), free.top(), std::max(free.top(), free.bottom() - grown.height() + 1)));
    window->setGeometry(placed);
}

TTableListView::TTableListView(QWidget* parent) : TIconListView(parent) { setImageList(tableStateImages()); }

void TTableListView::useLayoutImages() { setImageList(tableLayoutImages()); }

void TTableListView::showFloor(int floor, int eatId, TDateTime date) {
    TTableMgr::fillTableListView(floor, this);
    // Every state of the floor in one statement; a table gone meanwhile counts as disabled.
    const QHash<int, QString> states = TTableMgr::getFloorTableStates(floor, eatId, date);
    // A removed item's place is taken by the next one, which must still be visited.
    for (int i = 0; i < count();) {
        TIconListItem* it = item(i);
        const QString state = states.value(it->dataId(), QStringLiteral("TS002"));
        if (state == QLatin1String("TS002")) {
            removeItem(it);
        } else {
            it->setImageIndex(TTableMgr::getStateImageIndex(state));
            ++i;
        }
    }
}

void TTableListView::showLayout(int floor) {
    TTableMgr::fillTableListView(floor, this);
    for (int i = 0; i < count(); ++i) {
        TTableItem* it = tableItem(i);
        std::optional<TPOTable> table = TTableMgr::getTableById(it->getTableId());
        if (table && table->getState() == QLatin1String("TS002")) it->setImageIndex(3);
    }
}

QString TTableListView::refreshTableItem(TIconListItem* it, int eatId, TDateTime date) {
    if (!it) return QString();
    QString state = TTableMgr::getTableState(it->dataId(), eatId, date);
    showItemState(it, state);
    return state;
}

void TTableListView::showItemState(TIconListItem* it, const QString& state) {
    if (!it) return;
    if (state == QLatin1String("TS002"))
        removeItem(it);
    else
        it->setImageIndex(TTableMgr::getStateImageIndex(state));
}

TTableItem* TTableListView::findTableItem(int tableId) const {
    for (int i = 0; i < count(); ++i)
        if (TTableItem* it = tableItem(i); it && it->getTableId() == tableId) return it;
    return nullptr;
}

TTableItem* TTableListView::tableItem(int index) const { return dynamic_cast<TTableItem*>(item(index)); }

TTableItem* TTableListView::selectedTableItem() const { return dynamic_cast<TTableItem*>(selectedItem()); }
