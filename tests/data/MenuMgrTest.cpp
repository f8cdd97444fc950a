#include "data/MenuMgrUnit.h"
#include "support/TestDatabase.h"

using MenuMgrTest = SampleDbTest;

// Sample dishes: category 1 holds ids 1..5 at seq 1..5, 2 holds 6..8, 3 holds 9..12.
TEST_F(MenuMgrTest, RefusedAndFailedWritesChangeNothing) {
    TPOMenu dish = *TMenuMgr::getMenuById(9);
    EXPECT_EQ(TMenuMgr::insert(dish), 0);  // the name is taken
    dish = *TMenuMgr::getMenuById(2);
    dish.setMenuTypeId(2);
    dish.setMenuName("宫保鸡丁");
    EXPECT_FALSE(TMenuMgr::update(dish));
    EXPECT_EQ(answers.texts(), (QStringList{"菜单可能已经存在！", "菜单名称可能已经存在！"}));

    // Each batch below fails after its first statement has run.
    const QString before = rows("select * from menu order by id").join("\n");
    failOn("update", "menu", "new.id<>3");
    EXPECT_FALSE(TMenuMgr::Delete(3));  // closing the gap fails
    TPOMenu middle = *TMenuMgr::getMenuById(3);
    middle.setMenuTypeId(2);
    EXPECT_FALSE(TMenuMgr::update(middle));  // closing the old category's gap fails
    EXPECT_FALSE(TMenuMgr::moveLeft(1, 4));  // dish 3 moves, dish 4 fails
    EXPECT_EQ(answers.texts().mid(2), (QStringList{"菜单删除不成功！", "菜单名称可能已经存在！", "左移不成功！"}));
    EXPECT_EQ(rows("select * from menu order by id").join("\n"), before);

    // Without the fault, the move to another category closes the old gap and ends the new grid.
    exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));
    EXPECT_TRUE(TMenuMgr::update(middle));
    EXPECT_EQ(rows("select menu_type_id,group_concat(seq) from (select * from menu order by seq) where menu_type_id<3 "
                   "group by menu_type_id"),
              (QStringList{"1|1,2,3,4", "2|1,2,3,4"}));
}
