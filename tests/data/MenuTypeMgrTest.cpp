#include "data/MenuTypeMgrUnit.h"
#include "support/TestDatabase.h"

// Five categories A..E at seq 1..5, ids 11..15: grid rows (A B) (C D) (E).
class MenuTypeMgrTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        for (int i = 1; i <= 5; ++i)
            exec(QString("insert into menu_type(id,name,seq) values(%1,'%2',%3)").arg(10 + i).arg(QChar('A' + i - 1)).arg(i));
    }
    QString everything() { return rows("select * from menu_type order by id").join("\n"); }
};

TEST_F(MenuTypeMgrTest, NamesAreUniqueWithoutLetterCaseAndAnInsertNeedsAnId) {
    TPOMenuType type;
    type.setName("Soup's");
    type.setSeq(6);
    EXPECT_EQ(TMenuTypeMgr::insert(type), 100);
    type.setName("SOUP's");
    EXPECT_EQ(TMenuTypeMgr::insert(type), 0);
    type.setId(11);
    EXPECT_FALSE(TMenuTypeMgr::update(type));
    exec("delete from sequence where name='menu_type.id'");
    type.setName("主食");
    EXPECT_EQ(TMenuTypeMgr::insert(type), 0);
    EXPECT_EQ(answers.texts(), (QStringList{"类型名称以经存在!", "类型名称以经存在!", "没有找到(menu_type.id)！"}));
    EXPECT_EQ(rows("select name from menu_type order by seq").join(""), "ABCDESoup's");
}

TEST_F(MenuTypeMgrTest, DeleteIsRefusedWhileDishesRemainAndFailedWritesChangeNothing) {
    exec("insert into menu(id,menu_name,menu_type_id,seq) values(1,'宫保鸡丁',14,1)");
    TPOMenuType type;
    type.setName("a");
    EXPECT_EQ(TMenuTypeMgr::insert(type), 0);  // names are unique whatever their letter case
    const QString before = everything();
    EXPECT_FALSE(TMenuTypeMgr::Delete(14));
    EXPECT_FALSE(TMenuTypeMgr::Delete(99));
    // A dish that arrives while the delete runs (as from another station) still counts.
    exec("create trigger late_dish after delete on menu_type begin "
         "insert into menu(id,menu_name,menu_type_id,seq) values(2,'迟到的菜',old.id,1); end");
    EXPECT_FALSE(TMenuTypeMgr::Delete(15));
    exec("drop trigger late_dish");
    // Each batch fails after its first statement has run.
    failOn("update", "menu_type", "new.id=14");
    EXPECT_FALSE(TMenuTypeMgr::Delete(12));    // closing the gap fails
    EXPECT_FALSE(TMenuTypeMgr::moveLeft(14));  // C moves, D fails
    const QString refused = "删除类型不成功,可能存在菜单!";
    EXPECT_EQ(answers.texts(), (QStringList{"类型名称以经存在!", refused, refused, refused, "左移不成功！"}));
    EXPECT_EQ(everything(), before);
    EXPECT_EQ(scalarInt("select count(*) from menu"), 1);
}
