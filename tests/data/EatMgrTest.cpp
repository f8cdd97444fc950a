#include "data/EatMgrUnit.h"
#include "support/TestDatabase.h"

using EatMgrTest = DbTest;

TEST_F(EatMgrTest, NamesAreUniqueAndMealsListByStart) {
    auto add = [](const QString& name, QTime start, QTime end) {
        TPOEat e;
        e.setName(name); e.setStartTime(fromQTime(start)); e.setEndTime(fromQTime(end));
        return TEatMgr::insert(e);
    };
    add("晚餐", QTime(17, 0), QTime(21, 30));
    add("午餐", QTime(10, 30), QTime(14, 0));
    EXPECT_EQ(add("午餐", QTime(0, 0), QTime(0, 0)), 0);
    EXPECT_EQ(answers.texts(), QStringList{"餐次名称可能重复!"});
    QStringList names;
    for (const TPOEat& e : TEatMgr::getEatList()) names << e.getName();
    EXPECT_EQ(names, (QStringList{"午餐", "晚餐"}));
}
