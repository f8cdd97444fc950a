#pragma once
#include <vector>

#include "data/POPrickUnit.h"

// Closing of accounts: each employee's checked-out orders of a day, summed and closed.
class TPrickMgr {
public:
    // One row per employee id, stored operator name and day with open orders.
    static std::vector<TPOPrick> getNotPrickList();
    // Closes the orders of one summary row; the new closing id, or 0. Refused
    // (0, nothing written) when those orders no longer add up to the row's money.
    static int prick(const TPOPrick& prick);
};
