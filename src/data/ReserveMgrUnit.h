#pragma once
#include <QString>
#include <optional>
#include <vector>

#include "data/POReserveUnit.h"
#include "platform/DateTime.h"

// Reads reservations and builds their write statements; the reservation dialog
// runs those statements with its tables and dishes in one transaction of its own.
class TReserveMgr {
public:
    // `failed`, when given, tells a failed lookup (after its message) from no row.
    static std::optional<TPOReserve> getReserveById(int id, bool* failed = nullptr);
    // Reservations with a reserved table on that date and meal, whatever their state.
    static std::vector<TPOReserve> getReservesByMeal(int eatId, TDateTime date);
    static std::vector<TPOReserve> getReservesByState(const QString& state);
    // Marks the reservation completed once none of its tables is still booked.
    // Failures propagate to the caller.
    static void completeReserveIfAllUsed(int reserveId);
    // Finished statements; nothing is run. The id must already be in the record.
    static QString getInsertSQL(const TPOReserve& reserve);
    static QString getUpdateSQL(const TPOReserve& reserve);
    // The update that changes the stored reservation only while it is still in
    // `storedState`, so that a change made since at another station is never undone.
    static QString getUpdateSQLFromState(const TPOReserve& reserve, const QString& storedState);
};
