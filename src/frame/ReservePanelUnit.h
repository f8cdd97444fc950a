#pragma once
#include <QWidget>
#include <functional>
#include <optional>

#include "data/POReserveUnit.h"
#include "platform/DateTime.h"

class QHBoxLayout;
class QLabel;
class QPushButton;
class TStringGrid;

// The reservations of the current meal in the service windows: "预订例表", the
// reservations (guest, tables of this meal, state), a row of the window's buttons
// and the booked tables of the selected reservation (every date and meal). A click on
// a reservation shows its tables.
class TReservePanel : public QWidget {
    Q_OBJECT
public:
    explicit TReservePanel(QWidget* parent = nullptr);

    QLabel* Panel4;
    TStringGrid* reserveGrid;
    TStringGrid* reTableGrid;

    // The window's buttons go between the two grids, in this order.
    void addButtons(const QList<QPushButton*>& buttons);
    // Titles, column counts and widths of the two grids.
    void initGrids();

    // Outside meal time (eatId 0) the grid keeps what it shows. The reservation
    // selected before stays selected when it is still listed.
    void showReserves(int eatId, TDateTime date);
    // The tables of the selected reservation; without one the grid keeps what it shows.
    void showReserveTables();
    // The reservation of the selected row, if a data row is selected.
    std::optional<TPOReserve> selectedReserve() const;
    // "查看": shows the selected reservation through `view`, then refills both grids.
    void viewSelectedReserve(int eatId, TDateTime date, const std::function<void(int reserveId)>& view);

private:
    QHBoxLayout* buttonRow;
};
