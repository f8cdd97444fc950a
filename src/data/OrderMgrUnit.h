#pragma once
#include <QString>
#include <vector>

#include "data/POOrderUnit.h"
#include "data/POTableInsUnit.h"
#include "platform/DateTime.h"

// Orders: the settled bills of the checkouts.
class TOrderMgr {
public:
    // Writes the order and gives each instance its id and TIS002, in one
    // transaction. The new order id, or 0. The instance records keep the new
    // values in memory even when the save fails.
    static int insert(const TPOOrder& order, std::vector<TPOTableIns>& instances);
    // create_time within [start, end].
    static std::vector<TPOOrder> getOrdersByTime(TDateTime start, TDateTime end);
    // One operator's orders of one day (given at midnight) in one state, by time.
    static std::vector<TPOOrder> getOrdersByDate(TDateTime day, int operatorId, const QString& state);
    static std::vector<TPOOrder> getOrdersByPrickId(int prickId);
};
