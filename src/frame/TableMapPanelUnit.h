#pragma once
#include <QWidget>
#include <optional>

#include "data/POEatUnit.h"

class QGroupBox;
class QLabel;
class TFloorButtons;
class TTableListView;

// The top of the service windows' left side: the title bar with the map's legend,
// the current meal period, the floor buttons and the floor map. The window places
// its info area below (addBelow).
class TTableMapPanel : public QWidget {
    Q_OBJECT
public:
    explicit TTableMapPanel(QWidget* parent = nullptr);

    QWidget* tablePanel;
    QLabel* tableLabe;
    QLabel* stateImage;
    QGroupBox* GroupBox1;
    QLabel* eatLable;
    QGroupBox* floorGroupBox;
    TFloorButtons* floorButtons;
    TTableListView* tableListView;

    // The meal period that holds the present time of day, or none; shown in eatLable
    // ("非就餐时间" outside meal time).
    std::optional<TPOEat> currentEat;
    void refreshEat();
    // The id of the current meal period, 0 outside meal time.
    int eatId() const { return currentEat ? currentEat->getId() : 0; }

    void addBelow(QWidget* widget);
};
