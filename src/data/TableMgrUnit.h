#pragma once
#include <QHash>
#include <QString>
#include <optional>
#include <vector>

#include "data/POTableUnit.h"
#include "platform/DateTime.h"

class TIconListView;

// Dining tables, and the live state of a table for a date and meal period.
class TTableMgr {
public:
    static int insert(const TPOTable& table);
    // A table that is gone is a failure of its own ("桌子不存在!").
    static bool update(const TPOTable& table);
    static bool Delete(const TPOTable& table);
    // Whether an open bill (an instance in use) or an open booking (of a booked
    // reservation, any date or meal) names the table: deleting it would lose them.
    static bool isInUseOrBooked(int tableId);
    static std::vector<TPOTable> getTablesByFloor(int floor);
    static std::optional<TPOTable> getTableByName(const QString& name);
    static std::optional<TPOTable> getTableById(int id);
    // Replaces the view's items by one TTableItem per table of the floor.
    static void fillTableListView(int floor, TIconListView* listView);
    // TS002, TIS001, TIS002, RT001 or TS001: the first that holds.
    static QString getTableState(int tableId, int eatId, TDateTime date);
    // The same answer for every table of a floor, read in one statement: table id
    // -> state, for the tables that exist.
    static QHash<int, QString> getFloorTableStates(int floor, int eatId, TDateTime date);
    static int getStateImageIndex(const QString& state);
    static QString getStateName(const QString& state);
};
