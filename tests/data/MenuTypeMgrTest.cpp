#include "data/MenuTypeMgrUnit.h"
#include "support/TestDatabase.h"

// Readable failure output for texts and rows.

// Five categories A..E at seq 1..5, ids 11..15: grid rows (A B) (C D) (E).
class MenuTypeMgrTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        for (int i = 1; i <= 5; ++i)
            exec(QString("insert into menu_type(id,name,seq) values(%1,'%2',%3)")
                     .arg(10 + i)
                     .arg(QChar('A' + i - 1))
                     .arg(i));
    }
    QString layout() { return rows("select name from menu_type order by seq").join(""); }
    QString everything() { return rows("select * from menu_type order by id").join("\n"); }
};

TEST_F(MenuTypeMgrTest, InsertAndUpdateRefuseDuplicateNamesAndNeedAnId) {
    TPOMenuType type;
    type.setName("Soup's");
    type.setSeq(6);
    EXPECT_EQ(TMenuTypeMgr::insert(type), 100);
    EXPECT_EQ(type.getId(), 0);  // the caller stores the id
    EXPECT_EQ(TMenuTypeMgr::getMenuTypeById(100)->getName(), "Soup's");
    EXPECT_EQ(TMenuTypeMgr::getMaxId(), 100);

    type.setName("SOUP's");  // names compare without letter case
    EXPECT_EQ(TMenuTypeMgr::insert(type), 0);
    type.setId(11);
    EXPECT_FALSE(TMenuTypeMgr::update(type));
    EXPECT_EQ(answers.texts(), (QStringList{"类型名称以经存在!", "类型名称以经存在!"}));
    EXPECT_EQ(layout(), "ABCDESoup's");

    exec("delete from sequence where name='menu_type.id'");
    type.setName("主食");
    EXPECT_EQ(TMenuTypeMgr::insert(type), 0);
    EXPECT_EQ(answers.last(), "没有找到(menu_type.id)！");
    EXPECT_EQ(TMenuTypeMgr::getCount(), 6);
    exec("delete from menu_type");
    EXPECT_EQ(TMenuTypeMgr::getMaxId(), 0);
}

TEST_F(MenuTypeMgrTest, DeleteClosesTheGapAndIsRefusedWhileDishesRemain) {
    EXPECT_TRUE(TMenuTypeMgr::Delete(13));
    EXPECT_EQ(rows("select name||seq from menu_type order by seq"), (QStringList{"A1", "B2", "D3", "E4"}));
    EXPECT_FALSE(TMenuTypeMgr::Delete(99));
    EXPECT_EQ(answers.count(), 0);

    exec("insert into menu(id,menu_name,menu_type_id,seq) values(1,'宫保鸡丁',14,1)");
    QString before = everything();
    EXPECT_FALSE(TMenuTypeMgr::Delete(14));
    EXPECT_EQ(answers.texts(), QStringList{"删除类型不成功,可能存在菜单!"});
    EXPECT_EQ(everything(), before);
    EXPECT_EQ(scalarInt("select count(*) from menu"), 1);

    failOn("update", "menu_type");  // the renumbering fails after the delete
    EXPECT_FALSE(TMenuTypeMgr::Delete(12));
    EXPECT_EQ(answers.count(), 2);
    EXPECT_EQ(everything(), before);
}

TEST_F(MenuTypeMgrTest, MovesSwapWithTheNeighbourOfTheTwoColumnGrid) {
    EXPECT_TRUE(TMenuTypeMgr::moveDown(13));
    EXPECT_EQ(layout(), "ABEDC");
    EXPECT_FALSE(TMenuTypeMgr::moveDown(14));  // nothing below D
    EXPECT_FALSE(TMenuTypeMgr::moveUp(11));
    EXPECT_FALSE(TMenuTypeMgr::moveUp(12));
    EXPECT_FALSE(TMenuTypeMgr::moveRight(13));
    EXPECT_FALSE(TMenuTypeMgr::moveLeft(11));
    EXPECT_EQ(layout(), "ABEDC");
    EXPECT_TRUE(TMenuTypeMgr::moveLeft(15));  // first of a row goes to the end of the row above
    EXPECT_EQ(layout(), "AEBDC");
    EXPECT_TRUE(TMenuTypeMgr::moveUp(13));
    EXPECT_TRUE(TMenuTypeMgr::moveRight(14));
    EXPECT_EQ(layout(), "AECBD");
    EXPECT_EQ(answers.count(), 0);

    QString before = everything();
    failOn("update", "menu_type", "new.id=14");  // the mover's own statement fails
    EXPECT_FALSE(TMenuTypeMgr::moveLeft(14));
    EXPECT_FALSE(TMenuTypeMgr::moveUp(14));
    EXPECT_EQ(answers.texts(), (QStringList{"左移不成功！", "上移不成功！"}));
    EXPECT_EQ(everything(), before);
}
