#pragma once
#include "service/TableServiceUnit.h"

// "收银台": the floor map coloured by each table's state for today's current meal,
// the selected table's lines, the batch of in-use tables and the reservations of the
// meal. Its one business command is checkout, of the selected table or of the whole
// batch, through the checkout dialog; the window itself writes nothing.
class TtollStationForm : public TtableServiceForm {
    Q_OBJECT
public:
    explicit TtollStationForm(QWidget* parent = nullptr);

    // Components.
    QPushButton* reckoningBatBtn;
    QGroupBox* GroupBox9;
    QAction* reckoningMenu;

    void tableListViewSelectItem(TIconListItem* item, bool selected) override;
    void showTableInfo() override;

    // Commands.
    void reckoningMenuClick();
    void reckoningBatBtnClick();
    void MTimerTimer() override;

private:
    // After a checkout, written or not, after a command found the tables not as
    // shown, and on "刷新": also "结帐" by the selected table's state.
    void refreshShown() override;
};
