#include <random>

#include "data/MenuMgrUnit.h"
#include "data/MenuTypeMgrUnit.h"
#include "support/TestDatabase.h"

using MenuMgrTest = SampleDbTest;

// Sample dishes: category 1 holds ids 1..5 at seq 1..5, 2 holds 6..8, 3 holds 9..12.
TEST_F(MenuMgrTest, RefusedAndFailedWritesChangeNothing) {
    TPOMenu dish = *TMenuMgr::getMenuById(9);
    EXPECT_EQ(TMenuMgr::insert(dish), 0);  // the name is taken
    EXPECT_FALSE(TMenuMgr::Delete(42));
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

    EXPECT_EQ(TPOMenu::getStateCode(TPOMenu::getStateName("M003")), "M003");
    EXPECT_EQ(TPOMenu::getStateName("MI001") + TPOMenu::getStateCode("退菜"), "");
}

// A fixed random run of inserts, deletes, moves and category changes on both
// grids: every grid stays numbered 1..n, a move swaps the mover with the
// neighbour of its own grid only, a refused move changes nothing, and a
// category holding dishes is never deleted.
TEST_F(MenuMgrTest, RandomEditsKeepEveryGridNumberedOneToN) {
    std::mt19937 rng(20240611);
    auto pick = [&rng](const QStringList& ids) { return ids[int(rng() % ids.size())].toInt(); };
    auto snapshot = [this] {
        return rows("select 'm',id,seq,menu_type_id from menu union all select 't',id,seq,0 from menu_type");
    };
    // Grids (-1: the categories) not numbered 1..n, and dishes without a category.
    const QString broken =
        "select group_concat(g) from (select g from (select menu_type_id g,seq from menu union all select -1,seq "
        "from menu_type) group by g having min(seq)<>1 or max(seq)<>count(*) or count(distinct seq)<>count(*)) "
        "union all select count(*) from menu where menu_type_id not in(select id from menu_type)";
    bool (*typeMoves[])(int) = {TMenuTypeMgr::moveUp, TMenuTypeMgr::moveDown, TMenuTypeMgr::moveLeft,
                                TMenuTypeMgr::moveRight};
    bool (*dishMoves[])(int, int) = {TMenuMgr::moveUp, TMenuMgr::moveDown, TMenuMgr::moveLeft, TMenuMgr::moveRight};
    int made = 0, refused = 0, refusedDeletes = 0;
    for (int step = 0; step < 300; ++step) {
        SCOPED_TRACE(step);
        QStringList types = rows("select id from menu_type"), dishes = rows("select id from menu");
        int op = types.size() < 2 ? 0 : dishes.size() < 3 ? 1 : int(rng() % 8);
        if (op == 0) {
            TPOMenuType type;
            type.setName(QString("类'%1").arg(++made));
            type.setSeq(TMenuTypeMgr::getCount() + 1);
            ASSERT_GT(TMenuTypeMgr::insert(type), 0);
        } else if (op == 1) {
            TPOMenu dish;
            dish.setMenuName(QString("菜'%1").arg(++made));
            dish.setMenuTypeId(pick(types));
            dish.setSeq(TMenuMgr::getCountByType(dish.getMenuTypeId()) + 1);
            ASSERT_GT(TMenuMgr::insert(dish), 0);
        } else if (op == 2) {
            ASSERT_TRUE(TMenuMgr::Delete(pick(dishes)));
        } else if (op == 3) {
            int type = pick(types);
            bool empty = TMenuMgr::getCountByType(type) == 0;
            refusedDeletes += !empty;
            ASSERT_EQ(TMenuTypeMgr::Delete(type), empty);
        } else if (op == 4) {
            TPOMenu dish = *TMenuMgr::getMenuById(pick(dishes));
            dish.setMenuTypeId(pick(types));
            ASSERT_TRUE(TMenuMgr::update(dish));
        } else {
            bool ofType = op == 5;
            int id = pick(ofType ? types : dishes);
            int typeId = ofType ? 0 : TMenuMgr::getMenuById(id)->getMenuTypeId();
            auto seqOf = [&] {
                return ofType ? TMenuTypeMgr::getMenuTypeById(id)->getSeq() : TMenuMgr::getMenuById(id)->getSeq();
            };
            int seq = seqOf(), count = ofType ? TMenuTypeMgr::getCount() : TMenuMgr::getCountByType(typeId);
            int direction = int(rng() % 4), columns = ofType ? 2 : 4;
            int target = seq + std::vector<int>{-columns, columns, -1, 1}[direction];
            bool possible = target >= 1 && target <= count;
            QStringList before = snapshot();
            ASSERT_EQ(ofType ? typeMoves[direction](id) : dishMoves[direction](typeId, id), possible);
            QStringList after = snapshot();
            int changed = 0;
            for (int i = 0; i < before.size(); ++i) changed += before[i] != after[i];
            ASSERT_EQ(changed, possible ? 2 : 0);
            ASSERT_EQ(seqOf(), possible ? target : seq);
            refused += !possible;
        }
        ASSERT_EQ(rows(broken), (QStringList{"", "0"}));
    }
    EXPECT_GT(refused, 10);
    EXPECT_GT(refusedDeletes, 3);
    EXPECT_EQ(answers.count(), refusedDeletes);
}
