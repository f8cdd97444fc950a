#include <random>

#include "data/MenuMgrUnit.h"
#include "data/MenuTypeMgrUnit.h"
#include "support/TestDatabase.h"

// Readable failure output for texts and rows.

// Sample dishes: category 1 holds ids 1..5 at seq 1..5, 2 holds 6..8, 3 holds 9..12.
class MenuMgrTest : public SampleDbTest {
protected:
    QString dishesOf(int type) {
        return rows(QString("select id||':'||seq from menu where menu_type_id=%1 order by seq").arg(type)).join(",");
    }
    QString everything() { return rows("select * from menu order by id").join("\n"); }
};

TEST_F(MenuMgrTest, InsertDeleteAndStateTexts) {
    TPOMenu dish = *TMenuMgr::getMenuById(9);
    dish.setMenuName("燕京啤酒's");
    dish.setSeq(5);
    EXPECT_EQ(TMenuMgr::insert(dish), 100);
    EXPECT_EQ(TMenuMgr::getMenusByType(3).back().getMenuName(), "燕京啤酒's");
    EXPECT_EQ(TMenuMgr::insert(dish), 0);
    EXPECT_EQ(answers.texts(), QStringList{"菜单可能已经存在！"});
    EXPECT_EQ(TMenuMgr::getCount(), 13);

    EXPECT_TRUE(TMenuMgr::Delete(2));  // seq 2 of category 1; category 3 has larger seqs
    EXPECT_EQ(dishesOf(1), "1:1,3:2,4:3,5:4");
    EXPECT_EQ(dishesOf(3), "9:1,10:2,11:3,12:4,100:5");
    EXPECT_FALSE(TMenuMgr::Delete(2));
    QString before = everything();
    failOn("update", "menu");
    EXPECT_FALSE(TMenuMgr::Delete(3));
    EXPECT_EQ(answers.texts(), (QStringList{"菜单可能已经存在！", "菜单删除不成功！"}));
    EXPECT_EQ(everything(), before);

    EXPECT_EQ(TPOMenu::getStateName("MI001"), "");
    EXPECT_EQ(TPOMenu::getStateCode("退菜"), "");
    EXPECT_EQ(TPOMenu::getStateCode(TPOMenu::getStateName("M003")), "M003");
}

TEST_F(MenuMgrTest, MovesSwapWithTheNeighbourOfTheFourColumnGridOfOneCategory) {
    // Category 1 gets 9 dishes: rows (1-4) (5-8) (9); category 3 a dish at 5 too.
    for (int i = 6; i <= 9; ++i)
        exec(QString("insert into menu(id,menu_name,menu_type_id,seq) values(%1,'菜%1',1,%2)").arg(i + 20).arg(i));
    exec("insert into menu(id,menu_name,menu_type_id,seq) values(40,'雪碧',3,5)");
    auto layout = [this] { return rows("select id from menu where menu_type_id=1 order by seq").join(","); };
    QString others = dishesOf(2) + dishesOf(3);

    EXPECT_TRUE(TMenuMgr::moveUp(1, 5));  // 5 up swaps with 1
    EXPECT_FALSE(TMenuMgr::moveUp(1, 4));
    EXPECT_TRUE(TMenuMgr::moveDown(1, 1));    // 5 down swaps with 9
    EXPECT_FALSE(TMenuMgr::moveDown(1, 26));  // nothing below 6
    EXPECT_EQ(layout(), "5,2,3,4,29,26,27,28,1");
    EXPECT_TRUE(TMenuMgr::moveLeft(1, 29));  // 5 left goes to the end of the row above
    EXPECT_FALSE(TMenuMgr::moveRight(1, 1));
    EXPECT_FALSE(TMenuMgr::moveLeft(1, 5));
    EXPECT_EQ(layout(), "5,2,3,29,4,26,27,28,1");
    EXPECT_EQ(dishesOf(2) + dishesOf(3), others);
    EXPECT_EQ(answers.count(), 0);

    QString before = everything();
    failOn("update", "menu", "new.id=4");
    EXPECT_FALSE(TMenuMgr::moveRight(1, 4));
    EXPECT_FALSE(TMenuMgr::moveDown(1, 4));
    EXPECT_EQ(answers.texts(), (QStringList{"右移不成功！", "下移不成功！"}));
    EXPECT_EQ(everything(), before);
}

TEST_F(MenuMgrTest, ChangingCategoryClosesTheOldGapAndGoesLastInTheNewOne) {
    TPOMenu dish = *TMenuMgr::getMenuById(2);
    dish.setMenuTypeId(3);
    EXPECT_TRUE(TMenuMgr::update(dish));
    EXPECT_EQ(dish.getSeq(), 5);
    EXPECT_EQ(dishesOf(1), "1:1,3:2,4:3,5:4");
    EXPECT_EQ(dishesOf(3), "9:1,10:2,11:3,12:4,2:5");
    EXPECT_TRUE(TMenuMgr::update(dish));  // saving the same record again renumbers nothing
    EXPECT_EQ(dishesOf(3), "9:1,10:2,11:3,12:4,2:5");

    QString before = everything();
    dish.setMenuTypeId(2);
    dish.setMenuName("宫保鸡丁");
    EXPECT_FALSE(TMenuMgr::update(dish));
    EXPECT_EQ(answers.texts(), QStringList{"菜单名称可能已经存在！"});
    TPOMenu middle = *TMenuMgr::getMenuById(3);
    middle.setMenuTypeId(2);
    failOn("update", "menu", "new.id<>3");  // the old category's renumbering fails
    EXPECT_FALSE(TMenuMgr::update(middle));
    EXPECT_EQ(everything(), before);
}

// A fixed random run of inserts, deletes, moves and category changes on both
// grids: every grid stays numbered 1..n, and a refused move changes nothing.
TEST_F(MenuMgrTest, RandomEditsKeepEveryGridNumberedOneToN) {
    std::mt19937 rng(20240611);
    auto pick = [&rng](const QStringList& ids) { return ids[int(rng() % ids.size())].toInt(); };
    auto snapshot = [this] {
        return rows("select 'm',id,seq,menu_type_id from menu union all select 't',id,seq,0 from menu_type");
    };
    int made = 0, refused = 0, refusedDeletes = 0;
    for (int step = 0; step < 300; ++step) {
        QStringList types = rows("select id from menu_type");
        QStringList dishes = rows("select id from menu");
        int op = types.size() < 2 ? 0 : dishes.size() < 3 ? 1 : int(rng() % 8);
        if (op == 0) {
            TPOMenuType type;
            type.setName(QString("类%1").arg(++made));
            type.setSeq(TMenuTypeMgr::getCount() + 1);
            ASSERT_GT(TMenuTypeMgr::insert(type), 0);
        } else if (op == 1) {
            TPOMenu dish;
            dish.setMenuName(QString("菜%1").arg(++made));
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
            TPOMenu dish = ofType ? TPOMenu() : *TMenuMgr::getMenuById(id);
            int seq = ofType ? TMenuTypeMgr::getMenuTypeById(id)->getSeq() : dish.getSeq();
            int count = ofType ? TMenuTypeMgr::getCount() : TMenuMgr::getCountByType(dish.getMenuTypeId());
            int columns = ofType ? 2 : 4;
            int direction = int(rng() % 4);
            int target = seq + std::vector<int>{-columns, columns, -1, 1}[direction];
            bool possible = target >= 1 && target <= count;
            QStringList before = snapshot();
            bool (*typeMoves[])(int) = {TMenuTypeMgr::moveUp, TMenuTypeMgr::moveDown, TMenuTypeMgr::moveLeft,
                                        TMenuTypeMgr::moveRight};
            bool (*dishMoves[])(int, int) = {TMenuMgr::moveUp, TMenuMgr::moveDown, TMenuMgr::moveLeft,
                                             TMenuMgr::moveRight};
            bool moved = ofType ? typeMoves[direction](id) : dishMoves[direction](dish.getMenuTypeId(), id);
            ASSERT_EQ(moved, possible) << "step " << step;
            QStringList after = snapshot();
            int changed = 0;
            for (int i = 0; i < before.size(); ++i) changed += before[i] != after[i];
            ASSERT_EQ(changed, possible ? 2 : 0) << "step " << step;
            refused += !possible;
        }
        QStringList grids = rows("select 'menu where menu_type_id='||id from menu_type") << "menu_type where 1=1";
        for (const QString& scope : grids) {
            QStringList seqs = rows("select seq from " + scope + " order by seq");
            for (int i = 0; i < seqs.size(); ++i)
                ASSERT_EQ(seqs[i].toInt(), i + 1) << scope.toStdString() << " at step " << step;
        }
    }
    EXPECT_GT(refused, 10);
    EXPECT_EQ(answers.count(), refusedDeletes);
}
