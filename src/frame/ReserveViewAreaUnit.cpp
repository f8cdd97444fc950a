#include "frame/ReserveViewAreaUnit.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "data/EatMgrUnit.h"
#include "frame/FloorButtonsUnit.h"
#include "frame/TableMapUnit.h"
#include "platform/DrawnImages.h"
#include "platform/Errors.h"

namespace {
// The picture beside the calendar: the map's icons with what they mean.
QPixmap mapLegend() {
    QPixmap pm(297, 89);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const QList<QPixmap> images = tableStateImages();
    const QStringList names = {"空闲", "使用中", "预订", "结账完成"};
    for (int i = 0; i < names.size(); ++i) {
        const int left = 8 + i * 72;
        p.drawPixmap(left, 10, images[i]);
        p.drawText(QRect(left - 8, 55, 69, 24), Qt::AlignCenter, names[i]);
    }
    return pm;
}

int secondsOf(TDateTime time) { return toQTime(timeOf(time)).msecsSinceStartOfDay() / 1000; }
}  // namespace

void fillYearList(QComboBox* box) {
    const int year = toQDate(Date()).year();
    box->clear();
    for (int y = year - 10; y <= year + 5; ++y) box->addItem(QString::number(y));
    selectYear(box, QString::number(year));
}

void selectYear(QComboBox* box, const QString& year) { box->setCurrentIndex(box->findText(year)); }

int defaultEatIndex(const std::vector<TPOEat>& eats, TDateTime timeOfDay) {
    const int now = secondsOf(timeOfDay);
    int chosen = -1;
    for (int i = 0; i < int(eats.size()); ++i) {
        const int start = secondsOf(eats[size_t(i)].getStartTime());
        const int end = secondsOf(eats[size_t(i)].getEndTime());
        if (start <= now && now <= end)
            chosen = i;
        else if (chosen < 0 && now <= start)
            chosen = i;
    }
    return chosen < 0 && !eats.empty() ? 0 : chosen;
}

TReserveViewArea::TReserveViewArea(int calendarHeight, QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);

    dateArea = new QGroupBox(this);
    dateArea->setFixedHeight(33);
    auto* dateRow = new QHBoxLayout(dateArea);
    dateRow->setContentsMargins(6, 2, 6, 2);
    yearComboBox = new QComboBox(dateArea);
    monthComboBox = new QComboBox(dateArea);
    monthComboBox->addItems({"一月", "二月", "三月", "四月", "五月", "六月", "七月", "八月", "九月", "十月",
                             "十一月", "十二月"});
    dateRow->addWidget(yearComboBox);
    dateRow->addWidget(new QLabel(QStringLiteral("年"), dateArea));
    dateRow->addSpacing(12);
    dateRow->addWidget(monthComboBox);
    dateRow->addWidget(new QLabel(QStringLiteral("月"), dateArea));
    dateRow->addStretch();
    column->addWidget(dateArea);

    auto* calendarRow = new QHBoxLayout;
    Image1 = new QLabel(this);
    Image1->setPixmap(mapLegend());
    Image1->setFixedSize(297, 89);
    Calendar = new QCalendarWidget(this);
    Calendar->setFirstDayOfWeek(Qt::Sunday);
    Calendar->setNavigationBarVisible(false);  // the month is chosen with the lists above
    Calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendar->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    Calendar->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    Calendar->setFixedHeight(calendarHeight);
    calendarRow->addWidget(Image1, 0, Qt::AlignTop);
    calendarRow->addWidget(Calendar, 1);
    column->addLayout(calendarRow);

    floorBtmArea = new QGroupBox(this);
    floorBtmArea->setFixedHeight(40);
    auto* floorRow = new QHBoxLayout(floorBtmArea);
    floorRow->setContentsMargins(6, 2, 6, 2);
    eatComboBox = new QComboBox(floorBtmArea);
    eatComboBox->setMinimumWidth(90);
    floorButtons = new TFloorButtons(floorBtmArea);
    floorRow->addWidget(new QLabel(QStringLiteral("餐次:"), floorBtmArea));
    floorRow->addWidget(eatComboBox);
    floorRow->addSpacing(12);
    floorRow->addWidget(floorButtons, 1);
    column->addWidget(floorBtmArea);

    tableListView = new TTableListView(this);
    column->addWidget(tableListView, 1);

    fillYearList(yearComboBox);
    monthComboBox->setCurrentIndex(toQDate(Date()).month() - 1);
    Calendar->setSelectedDate(toQDate(Date()));

    connect(yearComboBox, &QComboBox::activated, this, [this] { runGuarded([this] { yearComboBoxChange(); }); });
    connect(monthComboBox, &QComboBox::activated, this, [this] { runGuarded([this] { monthComboBoxChange(); }); });
    connect(eatComboBox, &QComboBox::activated, this, [this] { runGuarded([this] { eatComboBoxChange(); }); });
    // Code sets the date with signals blocked, so this is the user's choice.
    connect(Calendar, &QCalendarWidget::selectionChanged, this, [this] { runGuarded([this] { CalendarChange(); }); });
    connect(floorButtons, &TFloorButtons::floorClicked, this, [this] { runGuarded([this] { floorClick(); }); });
}

void TReserveViewArea::loadEats() {
    const std::vector<TPOEat> eats = TEatMgr::getEatList();
    eatComboBox->clear();
    for (const TPOEat& e : eats) eatComboBox->addItem(e.getName(), QVariant::fromValue(e));
    eatComboBox->setCurrentIndex(defaultEatIndex(eats, Time()));
    eat = hasEat() ? eatComboBox->currentData().value<TPOEat>() : TPOEat();
}

bool TReserveViewArea::hasEat() const { return eatComboBox->currentIndex() >= 0; }

TDateTime TReserveViewArea::calendarDate() const { return fromQDate(Calendar->selectedDate()); }

void TReserveViewArea::refreshTables() { tableListView->showFloor(floorButtons->currentFloor(), eat.getId(), calendarDate()); }

void TReserveViewArea::copyEats(const QComboBox* meals) {
    eatComboBox->clear();
    for (int i = 0; i < meals->count(); ++i) eatComboBox->addItem(meals->itemText(i), meals->itemData(i));
    eatComboBox->setCurrentIndex(meals->currentIndex());
    eat = hasEat() ? eatComboBox->currentData().value<TPOEat>() : TPOEat();
}

void TReserveViewArea::copyYear(const QComboBox* years) { selectYear(yearComboBox, years->currentText()); }

void TReserveViewArea::copyCalendarDate(const QCalendarWidget* calendar) {
    const QSignalBlocker quiet(Calendar);
    Calendar->setSelectedDate(calendar->selectedDate());
}

void TReserveViewArea::moveCalendar(int year, int month) {
    const int day = Calendar->selectedDate().day();
    const QDate moved(year, month, day);
    if (!moved.isValid())
        throw SystemError(QStringLiteral("无效的日期: %1年%2月%3日").arg(year).arg(month).arg(day));
    {
        const QSignalBlocker quiet(Calendar);
        Calendar->setSelectedDate(moved);
    }
    CalendarChange();
}

void TReserveViewArea::yearComboBoxChange() {
    moveCalendar(yearComboBox->currentText().toInt(), Calendar->selectedDate().month());
}

void TReserveViewArea::monthComboBoxChange() {
    moveCalendar(Calendar->selectedDate().year(), monthComboBox->currentIndex() + 1);
}

void TReserveViewArea::CalendarChange() {
    // Keyboard moves can leave the month: the lists follow the calendar.
    const QDate date = Calendar->selectedDate();
    selectYear(yearComboBox, QString::number(date.year()));
    monthComboBox->setCurrentIndex(date.month() - 1);
    refreshTables();
}

void TReserveViewArea::eatComboBoxChange() {
    eat = hasEat() ? eatComboBox->currentData().value<TPOEat>() : TPOEat();
    refreshTables();
}

void TReserveViewArea::floorClick() { refreshTables(); }

QGroupBox* newCommandBox(QWidget* parent, int height,
                         std::initializer_list<std::pair<QPushButton**, QString>> buttons) {
    auto* box = new QGroupBox(parent);
    box->setFixedHeight(height);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(6, 2, 6, 2);
    for (const auto& [button, caption] : buttons) *button = new QPushButton(caption, box);
    for (const auto& button : buttons) row->addWidget(*button.first);
    return box;
}
