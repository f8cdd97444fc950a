#pragma once
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "data/POMenuInsUnit.h"
#include "data/POReserveTableUnit.h"
#include "data/POReserveUnit.h"
#include "frame/ExclusiveUnit.h"

class QCalendarWidget;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class TFloorButtons;
class TReserveViewArea;
class TStringGrid;
class TTableListView;
class TPOEat;

// One booked table of the dialog's grid with the dishes ordered for it.
struct TReserveTableRow {
    TPOReserveTable reserveTable;
    TMenuInsList menuIns;
};

// "预订": one reservation made, changed or looked at. The guest, the booked tables
// (each for a date and meal period) and the dishes ordered in advance, per table or
// for the whole reservation, stay in memory until "应用" or "确定" writes them as
// one transaction.
class TreserveForm : public TexclusiveForm {
    Q_OBJECT
public:
    explicit TreserveForm(QWidget* parent = nullptr);

    // Copies of the caller's choices, made before showing.
    void setEatComboBox(const QComboBox* eatList);
    void setYearComboBox(const QComboBox* yearList);
    void setCalendarDate(const QCalendarWidget* calendar);
    // Books the table for the chosen date and meal, then shows the dialog.
    void reserveTable(int tableId);
    // Loads the reservation and shows the dialog; nothing when it does not exist.
    void loadReserve(int reserveId);
    // Map, dish buttons and guest data disabled; date, meal, floor and grid stay.
    void setReadOnly();

    TReserveViewArea* viewArea;
    QComboBox* yearComboBox;
    QComboBox* monthComboBox;
    QCalendarWidget* Calendar;
    QComboBox* eatComboBox;
    TFloorButtons* floorButtons;
    TTableListView* tableListView;
    QMenu* PopupMenu;
    QAction* tableAttribMenu;
    QTabWidget* PageControl1;
    TStringGrid* selectStringGrid;
    QGroupBox* functionBtnArea;
    QPushButton* addMenu;
    QPushButton* singleAddMenu;
    QPushButton* deleteReserveButton;
    QGroupBox* guestInforArea;
    QLineEdit* guestName;
    QLineEdit* telephone;
    QComboBox* guestType;
    QLineEdit* guestNum;
    QComboBox* reserveState;
    QPlainTextEdit* description;
    QPushButton* confirmButton;
    QPushButton* cancelButton;
    QPushButton* applyButton;

    const TPOReserve& getReserve() const { return reserve; }
    const TPOEat& currentEat() const;
    // The row's booked table and dishes; nullptr for the title row or none.
    std::shared_ptr<TReserveTableRow> tableRow(int row) const;
    // The dishes ordered for the whole reservation.
    const TMenuInsList& reserveMenuIns() const { return wholeMenuIns; }

    void tableListViewDblClick();
    void tableAttribMenuClick();
    void addMenuClick();
    void singleAddMenuClick();
    void deleteReserveButtonClick();
    void applyButtonClick();
    void confirmButtonClick();
    // True when the reservation with its tables and dishes was written.
    bool saveReserve();

    void done(int result) override;  // every way of closing passes here

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void FormCreate();
    void showCallerGuest();
    void addReserveTable(int tableId);
    void setTableRow(int row, const std::shared_ptr<TReserveTableRow>& booked, const QString& dateText);
    void inforChange();
    // The rows this save would make open bookings that were not open before: new
    // rows, and every booked row when a reservation not booked before is booked again.
    // Nothing when a lookup failed (it has said so).
    std::optional<std::vector<int>> newBookingRows() const;
    // Each of those tables still free of other reservations' open bookings and not
    // twice in the grid for its date and meal; otherwise says so and selects the row.
    bool newBookingsFree(const std::vector<int>& rows);
    // Writes the guest as typed, before and outside the reservation's transaction.
    void saveGuest();
    // False, having said so, when another station changed the reservation's state
    // since this dialog read or wrote it, or when the lookup failed.
    bool storedStateUnchanged();

    TPOReserve reserve;
    // The reservation's state as this dialog last read or wrote it.
    QString storedState;
    TMenuInsList wholeMenuIns;
};
