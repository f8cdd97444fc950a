#pragma once
#include <QMetaType>
#include <QWidget>
#include <initializer_list>
#include <utility>
#include <vector>

#include "data/POEatUnit.h"
#include "platform/DateTime.h"

class QCalendarWidget;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class TFloorButtons;
class TTableListView;

Q_DECLARE_METATYPE(TPOEat)

// The year list of the reservation windows: ten years before the current year to
// five after, the current one selected.
void fillYearList(QComboBox* box);
// Selects the item with the year's text; no item when the year is not offered.
void selectYear(QComboBox* box, const QString& year);
// The meal period to choose at the time of day: the last one containing it, else
// the first that starts later, else the first; -1 for an empty list. Times compare
// to the second, both ends included.
int defaultEatIndex(const std::vector<TPOEat>& eats, TDateTime timeOfDay);
// The low box of command buttons under a reservation window's grid: `height` high,
// one button a pair, made with its caption and stored where the pair points.
QGroupBox* newCommandBox(QWidget* parent, int height,
                         std::initializer_list<std::pair<QPushButton**, QString>> buttons);

// The left side of the reservation windows: year, month and calendar, the meal
// period and the floor, and the table map showing each table's live state for the
// chosen date and meal. With no meal period at all the map shows meal 0.
class TReserveViewArea : public QWidget {
    Q_OBJECT
public:
    TReserveViewArea(int calendarHeight, QWidget* parent = nullptr);

    QGroupBox* dateArea;
    QComboBox* yearComboBox;
    QComboBox* monthComboBox;
    QLabel* Image1;
    QCalendarWidget* Calendar;
    QGroupBox* floorBtmArea;
    QComboBox* eatComboBox;
    TFloorButtons* floorButtons;
    TTableListView* tableListView;

    // Fills the meal list and chooses the period of the current time of day.
    void loadEats();
    // The chosen meal period; id 0 when there is none.
    const TPOEat& currentEat() const { return eat; }
    bool hasEat() const;
    // The calendar's date without a time of day.
    TDateTime calendarDate() const;
    void refreshTables();

    // Copies of another reservation window's choices, made before showing.
    void copyEats(const QComboBox* meals);
    void copyYear(const QComboBox* years);
    void copyCalendarDate(const QCalendarWidget* calendar);

    void yearComboBoxChange();
    void monthComboBoxChange();
    void CalendarChange();
    void eatComboBoxChange();
    void floorClick();

private:
    // Moves the calendar to another year or month of the same day; a day the month
    // lacks is refused with an error and the calendar keeps its date.
    void moveCalendar(int year, int month);
    TPOEat eat;
};
