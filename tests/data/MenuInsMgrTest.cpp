#include "data/MenuInsMgrUnit.h"
#include "support/TestDatabase.h"

// Readable failure output for texts and rows.

class MenuInsMgrTest : public SampleDbTest {
protected:
    // A stored line of the given owner, told apart by its remark.
    void storedLine(int id, int consultId, const QString& relaType, const QString& remark, int menuId = 1) {
        exec(QString("insert into menu_instance values(%1,%2,'%3',%4,'宫保鸡丁',1,'热菜',38,2,'份','MI002',10,"
                     "'MI004','P001','MIP001','%5')")
                 .arg(id)
                 .arg(consultId)
                 .arg(relaType)
                 .arg(menuId)
                 .arg(remark));
    }
    QStringList remarksOf(int consultId, const QString& relaType) {
        return rows(QString("select description from menu_instance where consult_id=%1 and rela_type='%2' order by id")
                        .arg(consultId)
                        .arg(relaType));
    }
    static std::shared_ptr<TPOMenuIns> newLine(const QString& remark) {
        auto line = std::make_shared<TPOMenuIns>();
        line->setConsultId(57);
        line->setRelaType(TPOMenuIns::relaTableIns);
        line->setMenuId(9);
        line->setMenuName("青岛啤酒");
        line->setQuantity(1);
        line->setDescription(remark);
        return line;
    }
    QString everything() { return rows("select * from menu_instance order by id").join("\n"); }
};

TEST_F(MenuInsMgrTest, SaveListInsertsUpdatesAndDeletesOnlyThatOwnersLines) {
    storedLine(1, 57, "MIR003", "keep");
    storedLine(2, 57, "MIR003", "drop");
    storedLine(3, 57, "MIR003", "change");
    storedLine(4, 57, "MIR001", "reservation 57");
    storedLine(5, 57, "MIR002", "reserved table 57");
    storedLine(6, 58, "MIR003", "table 58");

    TMenuInsList lines = TMenuInsMgr::getTableInsMenuIns(57);
    ASSERT_EQ(lines.size(), 3u);
    lines.erase(lines.begin() + 1);
    lines[1]->setQuantity(3.5);
    lines[1]->setDescription("少放'辣");
    std::shared_ptr<TPOMenuIns> first = newLine("new 1");
    lines.insert(lines.begin(), first);
    lines.push_back(newLine("new 2"));
    EXPECT_EQ(TMenuInsMgr::saveMenuInsList(57, "MIR003", lines).size(), 4u);
    EXPECT_EQ(first->getId(), 100);  // the ids land in the caller's own line objects
    EXPECT_EQ(lines[3]->getId(), 101);
    EXPECT_EQ(remarksOf(57, "MIR003"), (QStringList{"keep", "少放'辣", "new 1", "new 2"}));
    EXPECT_DOUBLE_EQ(TMenuInsMgr::getMenuInsById(3)->getQuantity(), 3.5);
    EXPECT_EQ(TMenuInsMgr::getMenuInsById(101)->getMenuName(), "青岛啤酒");
    EXPECT_EQ(remarksOf(57, "MIR001") + remarksOf(57, "MIR002") + remarksOf(58, "MIR003"),
              (QStringList{"reservation 57", "reserved table 57", "table 58"}));

    TMenuInsMgr::saveMenuInsList(57, "MIR003", lines);  // saving again inserts nothing twice
    EXPECT_EQ(scalarInt("select count(*) from menu_instance"), 7);
    TMenuInsList none;
    EXPECT_TRUE(TMenuInsMgr::saveMenuInsList(57, "MIR003", none).empty());
    EXPECT_EQ(scalarInt("select count(*) from menu_instance"), 3);
    EXPECT_EQ(answers.count(), 0);
}

TEST_F(MenuInsMgrTest, FailedWritesChangeNothing) {
    storedLine(1, 57, "MIR003", "keep");
    storedLine(2, 57, "MIR003", "drop");
    QString before = everything();
    TMenuInsList lines = TMenuInsMgr::getTableInsMenuIns(57);
    lines.pop_back();
    lines[0]->setDescription("changed");
    lines.push_back(newLine("new"));
    failOn("delete", "menu_instance");  // the last statement of the batch
    EXPECT_TRUE(TMenuInsMgr::saveMenuInsList(57, "MIR003", lines).empty());
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(answers.texts(), QStringList{"批量修改菜实例时出现异常!"});
    EXPECT_EQ(everything(), before);

    failOn("insert", "menu_instance");
    std::shared_ptr<TPOMenuIns> line = newLine("x");
    EXPECT_EQ(TMenuInsMgr::insert(*line), 0);
    EXPECT_EQ(line->getId(), 0);  // so a later save inserts it as new
    EXPECT_EQ(answers.last(), "添加菜单实例时出现异常!");

    exec("delete from sequence where name='menu_instance.id'");
    TMenuInsList fresh{newLine("new")};
    EXPECT_TRUE(TMenuInsMgr::saveMenuInsList(57, "MIR003", fresh).empty());
    EXPECT_EQ(answers.last(), "没有找到(menu_instance.id)！");
    EXPECT_EQ(everything(), before);

    EXPECT_EQ(line->getPrintStateText(), "未打印");
    EXPECT_EQ(line->getStateText(), "");
    EXPECT_EQ(TPOMenuIns::stateTextToCode("不打折"), "MI006");
}

TEST_F(MenuInsMgrTest, CopyBookedDishesOntoAnOpenedTable) {
    exec("insert into reserve_table(id,reserve_id) values(20,5),(21,5),(22,5),(23,6)");
    storedLine(1, 5, "MIR001", "for the party 1");
    storedLine(2, 5, "MIR001", "for the party 2", 4);
    storedLine(3, 20, "MIR002", "table 20 only");
    storedLine(4, 20, "MIR001", "other reservation 20");
    QString booked = everything();

    EXPECT_TRUE(TMenuInsMgr::copyReservedMenuIns(20, 300));  // its own lines win
    EXPECT_EQ(rows("select * from menu_instance where consult_id=300"),
              QStringList{"100|300|MIR003|1|宫保鸡丁|1|热菜|38|2|份|MI002|10|MI004|P001|MIP001|table 20 only"});
    EXPECT_TRUE(TMenuInsMgr::copyReservedMenuIns(21, 301));  // no lines: the reservation's
    EXPECT_TRUE(TMenuInsMgr::copyReservedMenuIns(22, 302));
    EXPECT_EQ(remarksOf(301, "MIR003"), (QStringList{"for the party 1", "for the party 2"}));
    EXPECT_EQ(remarksOf(302, "MIR003"), (QStringList{"for the party 1", "for the party 2"}));
    EXPECT_EQ(rows("select * from menu_instance where id<100 order by id").join("\n"), booked);
    EXPECT_EQ(answers.count(), 0);

    QString before = everything();
    EXPECT_FALSE(TMenuInsMgr::copyReservedMenuIns(99, 303));  // no such reserved table
    EXPECT_TRUE(TMenuInsMgr::copyReservedMenuIns(23, 305));   // nothing booked anywhere
    EXPECT_EQ(everything(), before);
    failOn("insert", "menu_instance", "new.menu_id=4");  // the second copy fails
    EXPECT_FALSE(TMenuInsMgr::copyReservedMenuIns(21, 304));
    EXPECT_EQ(answers.texts(), QStringList{"生成菜单实例时出现异常！"});
    EXPECT_EQ(everything(), before);
}
