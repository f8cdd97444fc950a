#include "frame/TableMapPanelUnit.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "data/EatMgrUnit.h"
#include "frame/FloorButtonsUnit.h"
#include "frame/TableMapUnit.h"

TTableMapPanel::TTableMapPanel(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    tablePanel = new QWidget(this);
    tablePanel->setFixedHeight(29);
    tablePanel->setAutoFillBackground(true);
    QPalette highlight = tablePanel->palette();
    highlight.setColor(QPalette::Window, highlight.color(QPalette::Highlight));
    tablePanel->setPalette(highlight);
    auto* title = new QHBoxLayout(tablePanel);
    title->setContentsMargins(6, 0, 6, 0);
    tableLabe = new QLabel(QStringLiteral("请选择桌台    "), tablePanel);
    QFont titleFont(QStringLiteral("华文仿宋"));
    titleFont.setPixelSize(21);
    tableLabe->setFont(titleFont);
    tableLabe->setStyleSheet(QStringLiteral("color: white"));
    stateImage = new QLabel(tablePanel);
    stateImage->setPixmap(tableStateLegend());
    stateImage->setFixedSize(321, 25);
    title->addWidget(tableLabe);
    title->addStretch(1);
    title->addWidget(stateImage);
    column->addWidget(tablePanel);

    auto* choosers = new QHBoxLayout;
    GroupBox1 = new QGroupBox(QStringLiteral("餐次"), this);
    auto* eatBox = new QHBoxLayout(GroupBox1);
    eatLable = new QLabel(GroupBox1);
    eatLable->setStyleSheet(QStringLiteral("color: red"));
    eatLable->setMinimumWidth(80);
    eatBox->addWidget(eatLable);
    floorGroupBox = new QGroupBox(QStringLiteral("楼层"), this);
    auto* floorBox = new QHBoxLayout(floorGroupBox);
    floorBox->setContentsMargins(4, 2, 4, 2);
    floorButtons = new TFloorButtons(floorGroupBox);
    floorBox->addWidget(floorButtons);
    choosers->addWidget(GroupBox1);
    choosers->addWidget(floorGroupBox, 1);
    column->addLayout(choosers);

    tableListView = new TTableListView(this);
    column->addWidget(tableListView, 1);
}

void TTableMapPanel::refreshEat() {
    currentEat = TEatMgr::getEatByTime(Time());
    eatLable->setText(currentEat ? currentEat->getName() : QStringLiteral("非就餐时间"));
}

void TTableMapPanel::addBelow(QWidget* widget) { layout()->addWidget(widget); }
