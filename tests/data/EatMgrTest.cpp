#include "data/EatMgrUnit.h"
#include "support/TestDatabase.h"

using EatMgrTest = DbTest;

// Duplicate names are refused in the meal-period window's test.
TEST_F(EatMgrTest, MealsListByStart) {
    exec("insert into eat(id,name,start_time,end_time) values(1,'晚餐',0.7,0.9),(2,'早餐',0.25,0.4),(3,'午餐',0.45,0.6)");
    QStringList names;
    for (const TPOEat& e : TEatMgr::getEatList()) names << e.getName();
    EXPECT_EQ(names, (QStringList{"早餐", "午餐", "晚餐"}));
}
