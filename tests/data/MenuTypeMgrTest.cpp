#include "data/MenuTypeMgrUnit.h"
#include "support/TestDatabase.h"

using MenuTypeMgrTest = DbTest;

class FiveCategoriesTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        for (int i = 1; i <= 5; ++i)
            exec(QString("insert into menu_type(id,name,type_code,seq) values(%1,'%2','001',%3)")
                     .arg(10 + i)
                     .arg(QChar('A' + i - 1))
                     .arg(i));
    }
    // Names in seq order.
    QString layout() { return rows("select name from menu_type order by seq").join(""); }
};

TEST_F(MenuTypeMgrTest, InsertStoresUnderANewIdAndRefusesDuplicateNames) {
    EXPECT_EQ(TMenuTypeMgr::getMaxId(), 0);
    TPOMenuType type;
    type.setName("Soup");
    type.setTypeCode("001");
    type.setSeq(1);
    type.setDescription("现炒's");
    int id = TMenuTypeMgr::insert(type);
    EXPECT_EQ(id, 100);
    EXPECT_EQ(type.getId(), 0);  // the caller stores the id
    EXPECT_EQ(TMenuTypeMgr::getMaxId(), 100);
    std::optional<TPOMenuType> read = TMenuTypeMgr::getMenuTypeById(id);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->getName(), "Soup");
    EXPECT_EQ(read->getDescription(), "现炒's");
    EXPECT_EQ(read->getSeq(), 1);
    EXPECT_EQ(answers.count(), 0);

    // The same name in another letter case is the same name.
    type.setName("SOUP");
    EXPECT_EQ(TMenuTypeMgr::insert(type), 0);
    EXPECT_EQ(answers.texts(), QStringList{"类型名称以经存在!"});
    EXPECT_EQ(TMenuTypeMgr::getCount(), 1);

    TPOMenuType other;
    other.setName("凉菜");
    other.setSeq(2);
    other.setId(TMenuTypeMgr::insert(other));
    other.setName("Soup");
    answers.clear();
    EXPECT_FALSE(TMenuTypeMgr::update(other));
    EXPECT_EQ(answers.texts(), QStringList{"类型名称以经存在!"});
    other.setName("酒水");
    EXPECT_TRUE(TMenuTypeMgr::update(other));
    EXPECT_EQ(TMenuTypeMgr::getMenuTypeById(other.getId())->getName(), "酒水");

    // No id issued: nothing is written.
    exec("delete from sequence where name='menu_type.id'");
    answers.clear();
    other.setName("主食");
    EXPECT_EQ(TMenuTypeMgr::insert(other), 0);
    EXPECT_EQ(answers.texts(), QStringList{"没有找到(menu_type.id)！"});
    EXPECT_EQ(TMenuTypeMgr::getCount(), 2);
    EXPECT_FALSE(TMenuTypeMgr::getMenuTypeById(0));
}

TEST_F(FiveCategoriesTest, DeleteClosesTheGapAndIsRefusedWhileDishesRemain) {
    EXPECT_TRUE(TMenuTypeMgr::Delete(13));
    EXPECT_EQ(rows("select name||seq from menu_type order by seq"), (QStringList{"A1", "B2", "D3", "E4"}));

    EXPECT_FALSE(TMenuTypeMgr::Delete(99));
    EXPECT_EQ(answers.count(), 0);

    exec("insert into menu(id,menu_name,menu_type_id,seq) values(1,'宫保鸡丁',14,1)");
    QStringList before = rows("select * from menu_type order by id");
    EXPECT_FALSE(TMenuTypeMgr::Delete(14));
    EXPECT_EQ(answers.texts(), QStringList{"删除类型不成功,可能存在菜单!"});
    EXPECT_EQ(rows("select * from menu_type order by id"), before);
    EXPECT_EQ(scalarInt("select count(*) from menu"), 1);

    // A failing renumbering takes the delete back with it.
    answers.clear();
    failOn("update", "menu_type");
    EXPECT_FALSE(TMenuTypeMgr::Delete(12));
    EXPECT_EQ(answers.texts(), QStringList{"删除类型不成功,可能存在菜单!"});
    EXPECT_EQ(rows("select * from menu_type order by id"), before);
}

TEST_F(FiveCategoriesTest, MovesSwapWithTheNeighbourOfTheTwoColumnGrid) {
    // Rows (A B) (C D) (E).
    EXPECT_TRUE(TMenuTypeMgr::moveDown(13));
    EXPECT_EQ(layout(), "ABEDC");
    EXPECT_FALSE(TMenuTypeMgr::moveDown(14));  // nothing below D
    EXPECT_FALSE(TMenuTypeMgr::moveUp(11));
    EXPECT_FALSE(TMenuTypeMgr::moveUp(12));
    EXPECT_FALSE(TMenuTypeMgr::moveRight(13));  // C is last now
    EXPECT_FALSE(TMenuTypeMgr::moveLeft(11));
    EXPECT_EQ(layout(), "ABEDC");
    EXPECT_TRUE(TMenuTypeMgr::moveLeft(15));  // first of its row goes to the end of the row above
    EXPECT_EQ(layout(), "AEBDC");
    EXPECT_TRUE(TMenuTypeMgr::moveUp(13));
    EXPECT_EQ(layout(), "AECDB");
    EXPECT_TRUE(TMenuTypeMgr::moveRight(14));
    EXPECT_EQ(layout(), "AECBD");
    EXPECT_EQ(answers.count(), 0);

    QStringList before = rows("select * from menu_type order by id");
    failOn("update", "menu_type", "new.id=14");
    EXPECT_FALSE(TMenuTypeMgr::moveLeft(14));
    EXPECT_EQ(answers.texts(), QStringList{"左移不成功！"});
    EXPECT_EQ(rows("select * from menu_type order by id"), before);
    EXPECT_FALSE(TMenuTypeMgr::moveUp(14));
    EXPECT_EQ(answers.last(), "上移不成功！");
    EXPECT_EQ(rows("select * from menu_type order by id"), before);
}

TEST_F(FiveCategoriesTest, ListIsInSeqOrder) {
    exec("update menu_type set seq=6-seq");
    std::vector<TPOMenuType> list = TMenuTypeMgr::getMenuTypeList();
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list.front().getId(), 15);
    EXPECT_EQ(list.back().getName(), "A");
    EXPECT_EQ(TMenuTypeMgr::getCount(), 5);
}
