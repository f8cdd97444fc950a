#pragma once
#include <QWidget>

class QPushButton;

// The floor choice of the table maps: "一楼" ... "五楼", each with its floor number in
// its hint; the chosen one is drawn bold. Place it inside the window's floor group.
class TFloorButtons : public QWidget {
    Q_OBJECT
public:
    explicit TFloorButtons(QWidget* parent = nullptr);

    QPushButton* floor1;
    QPushButton* floor2;
    QPushButton* floor3;
    QPushButton* floor4;
    QPushButton* floor5;

    // floor1 .. floor5 for 1 .. 5, nullptr for any other number.
    QPushButton* getFloorButton(int floor) const;
    QPushButton* currentFloorBtn() const { return current; }
    // The number in the chosen button's hint.
    int currentFloor() const;
    // Chooses the floor's button as a click does, without the floorClicked signal.
    // A floor without a button keeps the current one and gives false.
    bool setFloor(int floor);

signals:
    // The user chose a floor; the button is already the chosen one.
    void floorClicked(int floor);

private:
    void choose(QPushButton* button);
    QPushButton* current = nullptr;
};
