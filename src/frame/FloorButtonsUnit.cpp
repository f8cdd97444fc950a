#include "frame/FloorButtonsUnit.h"

#include <QHBoxLayout>
#include <QPushButton>

TFloorButtons::TFloorButtons(QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    const QStringList captions = {"一楼", "二楼", "三楼", "四楼", "五楼"};
    QPushButton** buttons[] = {&floor1, &floor2, &floor3, &floor4, &floor5};
    for (int i = 0; i < 5; ++i) {
        auto* button = new QPushButton(captions[i], this);
        button->setObjectName(QStringLiteral("floor%1").arg(i + 1));
        button->setToolTip(QString::number(i + 1));
        button->setFixedSize(75, 25);
        row->addWidget(button);
        *buttons[i] = button;
        connect(button, &QPushButton::clicked, this, [this, button] {
            choose(button);
            emit floorClicked(currentFloor());
        });
    }
    row->addStretch();
    choose(floor1);
}

QPushButton* TFloorButtons::getFloorButton(int floor) const {
    switch (floor) {
    case 1: return floor1;
    case 2: return floor2;
    case 3: return floor3;
    case 4: return floor4;
    case 5: return floor5;
    default: return nullptr;
    }
}

int TFloorButtons::currentFloor() const { return current->toolTip().toInt(); }

bool TFloorButtons::setFloor(int floor) {
    QPushButton* button = getFloorButton(floor);
    if (!button) return false;
    choose(button);
    return true;
}

void TFloorButtons::choose(QPushButton* button) {
    if (current) {
        QFont normal = current->font();
        normal.setBold(false);
        current->setFont(normal);
    }
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    current = button;
}
