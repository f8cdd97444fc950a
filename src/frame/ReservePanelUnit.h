#pragma once
#include <QWidget>
#include <functional>
#include <memory>

#include "data/POReserveTableUnit.h"
#include "data/POReserveUnit.h"

class QLabel;
class QPushButton;
class TStringGrid;

// "预订例表" of the sell and cashier windows: the reservations of today's current
// meal period and, below the buttons, every booked table of the chosen one.
class TReservePanel : public QWidget {
    Q_OBJECT
public:
    // The sell window's panel has "开桌" before "查看"; the cashier's only "查看".
    explicit TReservePanel(bool withOpenButton, QWidget* parent = nullptr);

    QLabel* Panel4;
    TStringGrid* reserveGrid;      // "编号", "客户名称", "桌数", "状态"
    QPushButton* startRepastsBtn;  // nullptr without the open button
    QPushButton* viewReserveBtn;
    TStringGrid* reTableGrid;  // "编号", "桌台名称", "状态", "日期", "餐次"

    // Reservations with tables booked today for the meal, of every state. Outside
    // meal time (meal id 0) the grid keeps what it shows. The reservation selected
    // before stays selected when it is still listed.
    void showReserves(int eatId);
    // All bookings of the selected reservation, every date; without a selected
    // reservation the grid keeps what it shows.
    void showReserveTables();
    // The reservation of the selected row, or nullptr.
    std::shared_ptr<TPOReserve> selectedReserve() const;
    // "查看": shows the selected reservation through `view`, then refills both grids.
    void viewSelectedReserve(int eatId, const std::function<void(int reserveId)>& view);
};
