#pragma once
#include <optional>
#include <vector>

#include "data/POEatUnit.h"
#include "platform/DateTime.h"

// Meal periods of the day.
class TEatMgr {
public:
    static int insert(const TPOEat& eat);
    static bool update(const TPOEat& eat);
    static bool Delete(int id);
    // The meal period containing the time of day, both ends included.
    static std::optional<TPOEat> getEatByTime(TDateTime time);
    // Earliest start first.
    static std::vector<TPOEat> getEatList();
};
