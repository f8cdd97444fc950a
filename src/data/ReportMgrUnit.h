#pragma once
#include <QStringList>
#include <vector>

#include "platform/DateTime.h"

// The aggregate queries of the reports, over several tables. Each result row holds
// two texts. Both count whole days, from startDate's day through endDate's day,
// whatever time of day the arguments carry. A failure shows the query's message and
// gives the rows read before it.
class TReportMgr {
public:
    // Turnover per day: the day ("yyyy-MM-dd") and the sum of price1 of the orders
    // created that day, in any state, formatted "0".
    static std::vector<QStringList> reportSellStat(TDateTime startDate, TDateTime endDate);
    // Dishes sold: the dish name and the number of dish lines of that name (not
    // their quantities, every state) on the table instances started in the range.
    static std::vector<QStringList> reportMenuInsStat(TDateTime startDate, TDateTime endDate);
};
