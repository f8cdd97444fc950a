#pragma once
#include <vector>

#include "data/POTableUnit.h"
#include "frame/ExclusiveUnit.h"

class QGroupBox;
class QLabel;
class QPushButton;
class TFloorButtons;
class TStringGrid;
class TTableListView;

// "台桌选器": the user picks one table on a floor map. Every table that is not
// disabled is offered, whatever its state; the caller decides what it accepts.
class TtableSelecterForm : public TexclusiveForm {
    Q_OBJECT
public:
    explicit TtableSelecterForm(QWidget* parent = nullptr);

    // One-table mode, the only one there is.
    void setSingle() { single = true; }
    // Shows the floor as a click on its button does; a floor without a button
    // keeps the floor shown.
    void setFloor(int floor);
    // Shows the dialog modally; the picked table, or nothing when the user cancelled
    // in any way.
    std::vector<TPOTable> getSelectTables();
    QPushButton* getFloorButton(int floor) const;
    QPushButton* currentFloorBtn() const;

    QGroupBox* floorGroupBox;
    TFloorButtons* floorButtons;
    TTableListView* tableListView;
    QLabel* Panel3;
    TStringGrid* selectTableGrid;
    QPushButton* confirmBtn;
    QPushButton* cancelBtn;

    void confirmBtnClick();
    void cancelBtnClick();
    void tableListViewDblClick();

    void done(int result) override;  // every way of closing passes here

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void showTables();

    int currentEatId = 0;
    bool single = true;
};
