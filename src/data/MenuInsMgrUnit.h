#pragma once
#include <QString>
#include <optional>
#include <vector>

#include "data/POMenuInsUnit.h"

// Reads and writes the dish lines (`menu_instance`) of reservations, reserved
// tables and table instances.
class TMenuInsMgr {
public:
    // Stores the line under a new id, which it also puts into the line; 0 (and the
    // line's id 0) when nothing was stored.
    static int insert(TPOMenuIns& line);
    // Stores the list of one owner in one transaction: new lines (id 0) are
    // inserted and receive their ids, the others updated, and the lines of
    // `asRead` (the list as it was read) that the list no longer holds deleted.
    // Lines stored meanwhile by another station are not the list's and stay. A
    // line of `asRead` whose stored state, print state or serving has changed
    // since refuses the whole save with `changedMessage`; so does a removed line
    // that is gone. Without `asRead` (a list read empty) nothing is deleted. The
    // lines must already carry the owner. Returns the list; on failure the list
    // is emptied and nothing is written.
    static TMenuInsList saveMenuInsList(int consultId, const QString& relaType, TMenuInsList& lines,
                                        const std::vector<TPOMenuIns>& asRead = {});
    // Copies of the lines as they are now, for `asRead`: the lines themselves
    // change in the windows.
    static std::vector<TPOMenuIns> copiesOf(const TMenuInsList& lines);
    // Shown when a save finds a line no longer as its list read it.
    static const QString changedMessage;
    static bool update(const TPOMenuIns& line);
    // Marks the line's kitchen ticket printed, only while it is still due; false,
    // after the message, when the write failed or the line is gone or no longer due
    // (another station printed or changed it meanwhile).
    static bool markPrinted(int id);
    // `failed`, when given, tells a failed lookup (after its message) from no row.
    static std::optional<TPOMenuIns> getMenuInsById(int id, bool* failed = nullptr);
    // The owner's lines in the order they were made; empty after a failure.
    static TMenuInsList getMenuInsList(int consultId, const QString& relaType);
    static TMenuInsList getReserveMenuIns(int reserveId);
    static TMenuInsList getReserveTableMenuIns(int reserveTableId);
    static TMenuInsList getTableInsMenuIns(int tableInsId);
    // Copies the reserved table's own lines, or its reservation's when it has
    // none, onto the table instance as new lines, in one transaction. False for a
    // reserved table that does not exist.
    static bool copyReservedMenuIns(int reserveTableId, int tableInsId);
    // The finished statements, for callers that run their own transaction.
    static QString getInsertSQL(const TPOMenuIns& line);
    static QString getUpdateSQL(const TPOMenuIns& line);
};
