#pragma once
#include <QString>
#include <optional>
#include <vector>

#include "data/GuardedWrites.h"
#include "data/POMenuInsUnit.h"

// Reads and writes the dish lines (`menu_instance`) of reservations, reserved
// tables and table instances.
class TMenuInsMgr {
public:
    // Stores the line under a new id, which it also puts into the line; 0 (and the
    // line's id 0) when nothing was stored.
    static int insert(TPOMenuIns& line);
    // Stores what was done to the list of one owner since it was read (`asRead`,
    // the lines as read), in one transaction: new lines (id 0) are inserted and
    // receive their ids; a line that differs from its copy in `asRead` is updated,
    // and a line of `asRead` the list no longer holds deleted, each only while it
    // is stored exactly as read; lines left as read are not written. Lines stored
    // meanwhile by another station are not the list's and stay. A changed or
    // removed line no longer as read, or a stored line `asRead` does not hold,
    // refuses the whole save with `changedMessage`. The lines must already carry
    // the owner. Returns the list; on failure the list is emptied and nothing is
    // written.
    static TMenuInsList saveMenuInsList(int consultId, const QString& relaType, TMenuInsList& lines,
                                        const std::vector<TPOMenuIns>& asRead);
    // Copies of the lines as they are now, for `asRead`: the lines themselves
    // change in the windows.
    static std::vector<TPOMenuIns> copiesOf(const TMenuInsList& lines);
    // Shown when a save finds a line no longer as its list read it.
    static const QString changedMessage;
    static bool update(const TPOMenuIns& line);
    // Saves a change of what the line bills (its state, quantity, printer or remark,
    // as "退菜" and the line editor set them). A line of a table instance is
    // written only while that instance is in use: a settled, cleared, given-back or
    // merged bill keeps the lines it was billed with. Refused: nothing written and
    // nothing shown (the table left use, or the line its owner); Failed: after the
    // message.
    static WriteOutcome updateWhileInUse(const TPOMenuIns& line);
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
