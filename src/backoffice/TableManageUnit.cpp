#include "backoffice/TableManageUnit.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "backoffice/TableAttribUnit.h"
#include "data/TableMgrUnit.h"
#include "frame/FloorButtonsUnit.h"
#include "frame/TableMapUnit.h"
#include "platform/DrawnImages.h"
#include "platform/Errors.h"
#include "platform/Messages.h"

namespace {
// The table behind a plan item, read by its id: the item's caption may be stale
// and the table may have been deleted meanwhile.
std::optional<TPOTable> tableOf(const TIconListItem* item) {
    return item ? TTableMgr::getTableById(item->dataId()) : std::nullopt;
}

// Writes the item's position into its table.
void storePosition(const TIconListItem* item) {
    std::optional<TPOTable> table = tableOf(item);
    if (!table) return;
    table->setX(item->left());
    table->setY(item->top());
    TTableMgr::update(*table);
}
}  // namespace

TtableManageForm::TtableManageForm(QWidget* parent) : TparentForm(parent) {
    setWindowTitle(QStringLiteral("桌子管理"));
    showMaximizedChild = true;
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    tablePanel = new QWidget(this);
    tablePanel->setAutoFillBackground(true);
    QPalette panelColours = tablePanel->palette();
    panelColours.setColor(QPalette::Window, QColor(0x2f, 0x5d, 0x8a));
    tablePanel->setPalette(panelColours);
    auto* panelRow = new QHBoxLayout(tablePanel);
    panelRow->setContentsMargins(12, 6, 12, 6);
    tableLabe = new QLabel(QStringLiteral("请选择桌台    "), tablePanel);
    QFont large = tableLabe->font();
    large.setPointSize(18);
    large.setBold(true);
    tableLabe->setFont(large);
    tableLabe->setStyleSheet(QStringLiteral("color: white"));
    auto* picture = new QLabel(tablePanel);
    picture->setPixmap(aboutEmblem(40));
    panelRow->addWidget(tableLabe);
    panelRow->addStretch();
    panelRow->addWidget(picture);
    root->addWidget(tablePanel);

    tableListView = new TTableListView(this);
    tableListView->useLayoutImages();
    tableListView->setDragEnabled(true);
    tableListView->installEventFilter(this);
    root->addWidget(tableListView, 1);

    floorGroupBox = new QGroupBox(QStringLiteral("楼层"), this);
    auto* floorRow = new QHBoxLayout(floorGroupBox);
    floorButtons = new TFloorButtons(floorGroupBox);
    floorButtons->floor1->setStyleSheet(QStringLiteral("color: red"));
    floorRow->addWidget(floorButtons);
    root->addWidget(floorGroupBox);
    statusBar = new QStatusBar(this);
    root->addWidget(statusBar);

    tablePopupMenu = new QMenu(this);
    newTable = tablePopupMenu->addAction(QStringLiteral("新建"));
    deleteTable = tablePopupMenu->addAction(QStringLiteral("删除"));
    attribTable = tablePopupMenu->addAction(QStringLiteral("属性"));

    auto on = [this](void (TtableManageForm::*handler)()) {
        return [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); };
    };
    connect(newTable, &QAction::triggered, this, on(&TtableManageForm::newTableClick));
    connect(deleteTable, &QAction::triggered, this, on(&TtableManageForm::deleteTableClick));
    connect(attribTable, &QAction::triggered, this, on(&TtableManageForm::attribTableClick));
    connect(floorButtons, &TFloorButtons::floorClicked, this,
            [this](int floor) { runGuarded([&] { listFloor(floor); }); });
    connect(tableListView, &TIconListView::mousePressed, this,
            [this](const QPoint& pos) { tableListViewMouseDown(pos); });
    connect(tableListView, &TIconListView::dropped, this,
            [this](const QPoint& pos) { runGuarded([&] { tableListViewDragDrop(pos); }); });
    connect(tableListView, &TIconListView::contextMenuRequested, this, [this](const QPoint& pos, const QPoint& global) {
        runGuarded([&] { tablePopupMenuPopup(pos); });
        tablePopupMenu->popup(global);
    });

    runGuarded([this] { listFloor(floorButtons->currentFloor()); });
}

void TtableManageForm::listFloor(int floor) {
    floorButtons->setFloor(floor);
    tableListView->showLayout(floor);
}

void TtableManageForm::tableListViewMouseDown(const QPoint& pos) {
    downX = pos.x();
    downY = pos.y();
}

void TtableManageForm::tablePopupMenuPopup(const QPoint& pos) {
    tableListViewMouseDown(pos);
    const bool onTable = tableListView->selectedItem() != nullptr;
    attribTable->setEnabled(onTable);
    deleteTable->setEnabled(onTable);
    newTable->setEnabled(!onTable);
}

void TtableManageForm::tableListViewDragDrop(const QPoint& pos) {
    TIconListItem* item = tableListView->selectedItem();
    if (!item) return;
    // The icon keeps the offset at which it was grabbed.
    const int left = pos.x() - (downX - item->left());
    const int top = pos.y() - (downY - item->top());
    if (left <= 0 || top <= 0) return;
    if (!tableOf(item)) return;
    item->setPosition(QPoint(left, top));
    storePosition(item);
}

bool TtableManageForm::tableListViewKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    TIconListItem* item = tableListView->selectedItem();
    if ((modifiers & (Qt::AltModifier | Qt::ShiftModifier | Qt::ControlModifier)) != Qt::AltModifier || !item)
        return false;
    if (!tableOf(item)) return true;
    switch (key) {
    case Qt::Key_Left:
        if (item->left() >= 1) item->setLeft(item->left() - 1);
        break;
    case Qt::Key_Up:
        if (item->top() >= 1) item->setTop(item->top() - 1);
        break;
    case Qt::Key_Right: item->setLeft(item->left() + 1); break;
    case Qt::Key_Down: item->setTop(item->top() + 1); break;
    default: break;
    }
    storePosition(item);
    return true;
}

bool TtableManageForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tableListView && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool handled = false;
        runGuarded([&] { handled = tableListViewKeyDown(key->key(), key->modifiers()); });
        if (handled) return true;
    }
    return TparentForm::eventFilter(watched, event);
}

void TtableManageForm::newTableClick() {
    TtableAttribForm dialog;
    dialog.setWindowTitle(QStringLiteral("新增桌子"));
    dialog.floor = floorButtons->currentFloor();
    dialog.setListView(tableListView);
    dialog.setX(downX);
    dialog.setY(downY);
    dialog.showExclusive();
}

void TtableManageForm::attribTableClick() {
    auto* item = dynamic_cast<TTableItem*>(tableListView->selectedItem());
    if (!item) return;
    TtableAttribForm dialog;
    dialog.setTableItem(item);
    dialog.showExclusive();
}

void TtableManageForm::deleteTableClick() {
    if (!askYesNo(QStringLiteral("是否真的要删除?"))) return;
    TIconListItem* item = tableListView->selectedItem();
    std::optional<TPOTable> table = tableOf(item);
    if (!table || table->getId() == 0) return;
    // An open bill or booking of a deleted table could never be opened again.
    if (TTableMgr::isInUseOrBooked(table->getId())) {
        showMessage(QStringLiteral("桌子在使用中或已被预订,不能删除!"));
        return;
    }
    if (TTableMgr::Delete(*table)) tableListView->removeItem(item);
}
