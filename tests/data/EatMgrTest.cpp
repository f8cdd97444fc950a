#include "data/EatMgrUnit.h"
#include "support/TestDatabase.h"

using EatMgrTest = DbTest;

TEST_F(EatMgrTest, FindsTheCurrentMealAndListsByStart) {
    auto add = [](const QString& name, QTime start, QTime end) {
        TPOEat e;
        e.setName(name); e.setStartTime(fromQTime(start)); e.setEndTime(fromQTime(end));
        return TEatMgr::insert(e);
    };
    add("晚餐", QTime(17, 0), QTime(21, 30));
    add("午餐", QTime(10, 30), QTime(14, 0));
    add("夜宵", QTime(22, 0), QTime(2, 0));
    EXPECT_EQ(add("午餐", QTime(0, 0), QTime(0, 0)), 0);
    EXPECT_EQ(answers.texts(), QStringList{"餐次名称可能重复!"});
    QStringList names;
    for (const TPOEat& e : TEatMgr::getEatList()) names << e.getName();
    EXPECT_EQ(names, (QStringList{"午餐", "晚餐", "夜宵"}));

    // Both ends belong to the meal; one running across midnight is never found.
    QStringList found;
    for (QTime t : {QTime(10, 29, 59), QTime(10, 30, 0), QTime(14, 0, 0), QTime(14, 0, 1), QTime(23, 0, 0), QTime(1, 0, 0)}) {
        auto e = TEatMgr::getEatByTime(fromQTime(t));
        found << (e ? e->getName() : "-");
    }
    EXPECT_EQ(found, (QStringList{"-", "午餐", "午餐", "-", "-", "-"}));
}
