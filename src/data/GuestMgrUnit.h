#pragma once
#include <QString>
#include <optional>

#include "data/POGuestUnit.h"

// The guest register, looked up by telephone number.
class TGuestMgr {
public:
    // Inserts under a new id and returns it, or 0; the record's id is not set.
    static int insert(const TPOGuest& guest);
    // Writes every column but the id of the row with the record's id.
    static bool update(const TPOGuest& guest);
    // The first guest the database yields with that telephone (compared as the
    // column's collation does), or nothing.
    static std::optional<TPOGuest> getGuestByTelephone(const QString& telephone);
};
