#include "data/EatMgrUnit.h"
#include "support/TestDatabase.h"

using EatMgrTest = DbTest;

namespace {
TPOEat meal(const QString& name, TDateTime start, TDateTime end) {
    TPOEat e;
    e.setName(name);
    e.setStartTime(start);
    e.setEndTime(end);
    return e;
}
}  // namespace

TEST_F(EatMgrTest, FindsTheCurrentMealAndListsByStart) {
    EXPECT_FALSE(TEatMgr::getEatByTime(encodeTime(12, 0, 0)));
    TEatMgr::insert(meal("晚餐", encodeTime(17, 0, 0), encodeTime(21, 30, 0)));
    int lunch = TEatMgr::insert(meal("午餐", encodeTime(10, 30, 0), encodeTime(14, 0, 0)));
    TEatMgr::insert(meal("夜宵", encodeTime(22, 0, 0), encodeTime(2, 0, 0)));
    EXPECT_EQ(TEatMgr::insert(meal("午餐", 0, 0)), 0);
    EXPECT_EQ(answers.texts(), QStringList{"餐次名称可能重复!"});

    QStringList names;
    for (const TPOEat& e : TEatMgr::getEatList()) names << e.getName();
    EXPECT_EQ(names, (QStringList{"午餐", "晚餐", "夜宵"}));

    QStringList found;
    for (QTime t : {QTime(10, 29, 59), QTime(10, 30, 0), QTime(14, 0, 0), QTime(14, 0, 1), QTime(23, 0, 0), QTime(1, 0, 0)}) {
        auto e = TEatMgr::getEatByTime(fromQTime(t));
        found << (e ? e->getName() : "-");
    }
    EXPECT_EQ(found, (QStringList{"-", "午餐", "午餐", "-", "-", "-"}));

    TPOEat changed = meal("午餐", encodeTime(11, 0, 0), encodeTime(13, 0, 0));
    changed.setId(lunch);
    EXPECT_TRUE(TEatMgr::update(changed));
    EXPECT_FALSE(TEatMgr::getEatByTime(encodeTime(10, 45, 0)));
    EXPECT_TRUE(TEatMgr::Delete(lunch));
    EXPECT_EQ(TEatMgr::getEatList().size(), 2u);
}
