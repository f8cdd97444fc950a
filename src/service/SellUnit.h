#pragma once
#include <QString>
#include <functional>
#include <optional>

#include "data/POEatUnit.h"
#include "data/POMenuInsUnit.h"
#include "data/POReserveTableUnit.h"
#include "data/POTableInsUnit.h"
#include "service/TableServiceUnit.h"

// "营业管理": the floor map of the dining tables coloured by each table's state for
// today's current meal period, and the commands that act on a table.
class TsellForm : public TtableServiceForm {
    Q_OBJECT
public:
    explicit TsellForm(QWidget* parent = nullptr);

    // Components.
    QPushButton* startRepastBtn;
    QPushButton* clearTableBtn;
    QPushButton* menuBtn;
    QPushButton* menuSendCookBtn;
    QPushButton* servingBtn;
    QPushButton* cancelMenuBtn;
    QPushButton* mergeBtn;
    QPushButton* addMenuBtn;
    QPushButton* startRepastsBtn;
    QAction* switchTable;
    QAction* cancelTable;

    void showTables() override;
    void selectTable(int tableId);
    void tableListViewSelectItem(TIconListItem* item, bool selected) override;
    void showTableInfo() override;
    // Opens the table; a booking handed in (the reservation panel's own) is the
    // one taken over, else the table's open booking of this meal, if any.
    // False when the table did not get its instance.
    bool openTable(int tableId, const std::optional<TPOReserveTable>& booking = std::nullopt);

    // Commands.
    void startRepastBtnClick();
    void clearTableBtnClick();
    void switchTableClick();
    void cancelTableClick();
    void mergeBtnClick();

    // Dish lines and the meal's reservations.
    void menuBtnClick();
    void menuSendCookBtnClick();
    void servingBtnClick();
    void cancelMenuBtnClick();
    void tableMenuInsGridDblClick();
    void addMenuBtnClick();
    void startRepastsBtnClick();

    void showMenuInsList(const TMenuInsList& lines);
    void setMenuInsRow(const std::shared_ptr<TPOMenuIns>& line, int row);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildInfoCommands();
    // Enables "开桌", "点菜", "清除", "传菜", "退菜", the remark and "打印菜单".
    void setInfoControls(bool open, bool order, bool clear, bool serve, bool cancelDish, bool remark, bool print);
    // Writes the remark of the in-use instance shown, when the user edited it. False
    // when that instance left use meanwhile: the edit is then dropped, as it has no
    // place to go.
    bool saveEditedRemark();
    void refreshItemOf(int tableId);
    // The in-use instance of the selected table; when there is none any more, says
    // so and shows the table as it is now.
    std::optional<TPOTableIns> inUseInstanceOrRefresh();
    // Saves `change` made to a copy of the selected line as stored; when the line
    // changed since the grid showed it, the grid is refreshed and nothing written.
    // The row shows the change only once it is saved. A change of what the line
    // bills (`billed`) is saved only while the line's table is in use.
    void changeSelectedLine(const std::function<bool(TPOMenuIns&)>& change, bool billed = false);
    // True for a booked line and for a line of a table in use; else says that the
    // table is not in use.
    bool ownerInUseOrSay(const TPOMenuIns& line);

    int remarkTableInsId = 0;  // the in-use instance whose remark the memo shows
};
