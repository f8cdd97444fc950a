#pragma once
#include <QString>
#include <optional>
#include <vector>

#include "data/POTableInsUnit.h"
#include "data/POTableUnit.h"

// Table instances: the occupations of the dining tables.
class TTableInsMgr {
public:
    // Draws a new id into the record and inserts it; the id, or 0 (record id 0 too).
    static int insert(TPOTableIns& tableIns);
    static bool update(const TPOTableIns& tableIns);
    static std::optional<TPOTableIns> getTableInsById(int id);
    static std::optional<TPOTableIns> getTableInsByTableId(int tableId, const QString& state);
    // Puts the instances together into one new TIS001 instance on the table. The
    // listed records get their merge notes and TIS005 in memory, kept even when
    // the save fails.
    static bool mergeTables(std::vector<TPOTableIns>& instances, const TPOTable& table);
    static QString getInsertSQL(const TPOTableIns& tableIns);
    static QString getUpdateSQL(const TPOTableIns& tableIns);
};
