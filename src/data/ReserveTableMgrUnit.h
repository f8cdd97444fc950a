#pragma once
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "data/POReserveTableUnit.h"
#include "platform/DateTime.h"

class TDatabaseCtrl;

// Reads and updates the tables booked by reservations, and builds their write
// statements for the reservation dialog's own transaction. Dates are compared to
// the second, so callers pass dates without a time of day.
class TReserveTableMgr {
public:
    static bool update(const TPOReserveTable& reserveTable);
    // `failed`, when given, tells a failed lookup (after its message) from no row.
    static std::optional<TPOReserveTable> getReserveTableById(int id, bool* failed = nullptr);
    // Every booking of the reservation, by date and then the meal's start time.
    static std::vector<TPOReserveTable> getReserveTablesByReserve(int reserveId);
    // Per date and meal of the still-booked tables: date "yyyy-MM-dd", meal name, count.
    static QStringList getBookedSummary(int reserveId);
    // The reservation's bookings for one date and meal, by table name, any state.
    static std::vector<TPOReserveTable> getReserveTablesByMeal(int reserveId, int eatId, TDateTime date);
    // Failures propagate to the caller.
    static int countReserveTables(int reserveId, int eatId, TDateTime date);
    // The open booking of a table for that date and meal, belonging to a reservation
    // that is itself still booked.
    static std::optional<TPOReserveTable> getBookedReserveTable(int tableId, int eatId, TDateTime date);
    // The open bookings (RT001 of a reservation in R001) of a table for that date and
    // meal, leaving out those of one reservation (0: counting all). Failures propagate.
    static int countOpenBookings(int tableId, int eatId, TDateTime date, int exceptReserveId = 0);
    // What makes a reserve_table row an open booking (RT001 of a reservation still in
    // R001), as a condition on its own columns, with the two placeholders it needs:
    // every query of the live table state and of bookings uses this one rule.
    static QString openBookingCondition();
    static void setOpenBookingParameters(TDatabaseCtrl& ctrl);
    // Sets in ctrl "select <columns>" of a table's open bookings for that date and
    // meal, `andAlso` (placeholders the caller sets) narrowing them, and its values.
    static void selectOpenBookings(TDatabaseCtrl& ctrl, const QString& columns, int tableId, int eatId,
                                   TDateTime date, const QString& andAlso = QString());
    // Finished statements; nothing is run. The id must already be in the record.
    static QString getInsertSQL(const TPOReserveTable& reserveTable);
    static QString getUpdateSQL(const TPOReserveTable& reserveTable);
};
