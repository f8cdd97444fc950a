#include "data/MenuInsMgrUnit.h"
#include "support/TestDatabase.h"

class MenuInsMgrTest : public SampleDbTest {
protected:
    // A stored line of the given owner, told apart by its remark.
    void storedLine(int id, int consultId, const QString& relaType, const QString& remark, int menuId = 1) {
        exec(QString("insert into menu_instance values(%1,%2,'%3',%4,'宫保鸡丁',1,'热菜',38,2,'份','MI002',10,"
                     "'MI004','P001','MIP001','%5')")
                 .arg(id).arg(consultId).arg(relaType).arg(menuId).arg(remark));
    }
    QStringList remarksOf(int consultId, const QString& relaType = "MIR003") {
        return rows(QString("select description from menu_instance where consult_id=%1 and rela_type='%2' order by id")
                        .arg(consultId).arg(relaType));
    }
    static std::shared_ptr<TPOMenuIns> newLine(const QString& remark) {
        auto line = std::make_shared<TPOMenuIns>();
        line->setConsultId(57);
        line->setRelaType(TPOMenuIns::relaTableIns);
        line->setMenuId(9);
        line->setMenuName("青岛啤酒");
        line->setDescription(remark);
        return line;
    }
    QString everything() { return rows("select * from menu_instance order by id").join("\n"); }
};

TEST_F(MenuInsMgrTest, SaveListInsertsUpdatesAndDeletesOnlyTheLinesItRemoved) {
    storedLine(1, 57, "MIR003", "keep");
    storedLine(2, 57, "MIR003", "drop");
    storedLine(3, 57, "MIR003", "change");
    storedLine(4, 57, "MIR001", "reservation 57");
    storedLine(5, 57, "MIR002", "reserved table 57");
    storedLine(6, 58, "MIR003", "table 58");
    exec("insert into table_instance(id,table_id,state) values(57,1,'TIS001')");
    TMenuInsList lines = TMenuInsMgr::getTableInsMenuIns(57);
    const std::vector<TPOMenuIns> asRead = TMenuInsMgr::copiesOf(lines);
    ASSERT_EQ(lines.size(), 3u);
    // Another waiter orders for the same table meanwhile: not this list's to delete.
    storedLine(7, 57, "MIR003", "other station");
    lines.erase(lines.begin() + 1);
    lines[1]->setQuantity(3.5);
    lines[1]->setState(TPOMenuIns::stateNormal);  // no longer a gift: this list's own change
    lines[1]->setDescription("少放'辣");
    lines.insert(lines.begin(), newLine("new 1"));
    lines.push_back(newLine("new 2"));
    EXPECT_EQ(TMenuInsMgr::saveMenuInsList(57, "MIR003", lines, asRead).size(), 4u);
    EXPECT_EQ(lines[0]->getId() * 1000 + lines[3]->getId(), 100101);  // ids land in the caller's lines
    EXPECT_EQ(rows("select id,menu_name,quantity,state,description from menu_instance where consult_id=57 and "
                   "rela_type='MIR003' order by id"),
              (QStringList{"1|宫保鸡丁|2|MI002|keep", "3|宫保鸡丁|3.5|MI001|少放'辣", "7|宫保鸡丁|2|MI002|other station",
                           "100|青岛啤酒|0||new 1", "101|青岛啤酒|0||new 2"}));
    TMenuInsList none, all = TMenuInsMgr::getTableInsMenuIns(57);
    EXPECT_TRUE(TMenuInsMgr::saveMenuInsList(57, "MIR003", none, TMenuInsMgr::copiesOf(all)).empty());
    EXPECT_EQ(rows("select description from menu_instance order by id"),
              (QStringList{"reservation 57", "reserved table 57", "table 58"}));
    // Not found is no failure; lines that cannot be read are, with a message.
    bool failed = true;
    EXPECT_FALSE(TMenuInsMgr::getMenuInsById(999, &failed));
    EXPECT_FALSE(failed);
    EXPECT_EQ(answers.count(), 0);
    exec("alter table menu_instance rename to menu_instance_gone");
    EXPECT_FALSE(TMenuInsMgr::getMenuInsById(4, &failed));
    EXPECT_TRUE(failed);
    EXPECT_TRUE(TMenuInsMgr::getReserveMenuIns(57).empty());
    EXPECT_EQ(answers.texts(), (QStringList{"通过实例ID查询菜单实例时出现异常!", "查询菜单实例时出现异常!"}));
}

TEST_F(MenuInsMgrTest, CopyBookedDishesOntoAnOpenedTable) {
    exec("insert into reserve_table(id,reserve_id) values(20,5),(21,5),(22,6)");
    storedLine(1, 5, "MIR001", "for the party 1");
    storedLine(2, 5, "MIR001", "for the party 2", 4);
    storedLine(3, 20, "MIR002", "table 20 only");
    storedLine(4, 20, "MIR001", "other reservation 20");
    EXPECT_TRUE(TMenuInsMgr::copyReservedMenuIns(20, 300));  // its own lines win
    EXPECT_EQ(rows("select * from menu_instance where consult_id=300"),
              QStringList{"100|300|MIR003|1|宫保鸡丁|1|热菜|38|2|份|MI002|10|MI004|P001|MIP001|table 20 only"});
    EXPECT_TRUE(TMenuInsMgr::copyReservedMenuIns(21, 301));  // no lines: the reservation's
    EXPECT_EQ(remarksOf(301), (QStringList{"for the party 1", "for the party 2"}));
    EXPECT_EQ(answers.count(), 0);

    const QString before = everything();
    EXPECT_FALSE(TMenuInsMgr::copyReservedMenuIns(99, 303));  // no such reserved table
    EXPECT_TRUE(TMenuInsMgr::copyReservedMenuIns(22, 305));   // nothing booked anywhere
    EXPECT_EQ(everything(), before);
    failOn("insert", "menu_instance", "new.menu_id=4");  // the second copy fails
    EXPECT_FALSE(TMenuInsMgr::copyReservedMenuIns(21, 304));
    EXPECT_EQ(answers.texts(), QStringList{"生成菜单实例时出现异常！"});
    EXPECT_EQ(everything(), before);
}

TEST_F(MenuInsMgrTest, FailedOrStaleWritesChangeNothing) {
    storedLine(1, 57, "MIR003", "keep");
    storedLine(2, 57, "MIR003", "drop");
    exec("insert into table_instance(id,table_id,state) values(57,1,'TIS001');"
         "create table old_lines as select * from menu_instance");
    const QString before = everything();
    TMenuInsList lines = TMenuInsMgr::getTableInsMenuIns(57);
    const std::vector<TPOMenuIns> asRead = TMenuInsMgr::copiesOf(lines);
    lines.pop_back();
    lines[0]->setDescription("changed");
    std::shared_ptr<TPOMenuIns> added = newLine("new");
    lines.push_back(added);
    TMenuInsList again = lines;
    failOn("delete", "menu_instance");  // the last statement of the batch
    EXPECT_TRUE(TMenuInsMgr::saveMenuInsList(57, "MIR003", lines, asRead).empty());
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(answers.texts(), QStringList{"批量修改菜实例时出现异常!"});
    EXPECT_EQ(everything(), before);
    // The line takes back the id it was handed, so saving it again inserts it
    // rather than update a row that does not exist and report success.
    EXPECT_EQ(added->getId(), 0);
    exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));

    // Since the list was read, another station served the kept line, or printed
    // the removed one: the save writes nothing, neither the new line.
    for (const char* elsewhere : {"update menu_instance set serving='MI003' where id=1",
                                     "update menu_instance set print_state='MIP002' where id=2"}) {
        exec(elsewhere);
        const QString changed = everything();
        lines = again;
        EXPECT_TRUE(TMenuInsMgr::saveMenuInsList(57, "MIR003", lines, asRead).empty());
        EXPECT_EQ(answers.last(), "菜单已变化，请刷新后重试！");
        EXPECT_EQ(everything(), changed);
        EXPECT_EQ(added->getId(), 0);
        exec("delete from menu_instance where consult_id=57; insert into menu_instance select * from old_lines");
    }
    TMenuInsList retry{added};
    EXPECT_EQ(TMenuInsMgr::saveMenuInsList(57, "MIR003", retry, {}).size(), 1u);
    EXPECT_EQ(remarksOf(57), (QStringList{"keep", "drop", "new"}));
    exec("delete from menu_instance where consult_id=57; insert into menu_instance select * from old_lines");

    failOn("insert", "menu_instance");
    std::shared_ptr<TPOMenuIns> line = newLine("x");
    EXPECT_EQ(TMenuInsMgr::insert(*line), 0);
    EXPECT_EQ(line->getId(), 0);  // so a later save inserts it as new
    exec("delete from sequence where name='menu_instance.id'");
    TMenuInsList fresh{newLine("new")};
    EXPECT_TRUE(TMenuInsMgr::saveMenuInsList(57, "MIR003", fresh, {}).empty());
    EXPECT_EQ(answers.texts().mid(3), (QStringList{"添加菜单实例时出现异常!", "没有找到(menu_instance.id)！"}));
    EXPECT_EQ(everything(), before);

    // Another station merges table 57 into 58: its lines moved there and are not written back.
    exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'") +
         "; insert into sequence values('menu_instance.id',200); insert into table_instance(id,table_id,state) values(58,2,'TIS001')");
    lines = TMenuInsMgr::getTableInsMenuIns(57);
    const std::vector<TPOMenuIns> beforeMerge = TMenuInsMgr::copiesOf(lines);
    exec("update menu_instance set consult_id=58 where consult_id=57; update table_instance set state='TIS005' where id=57");
    const QString merged = everything();
    lines[0]->setQuantity(5);
    EXPECT_FALSE(TMenuInsMgr::update(*lines[0]));
    added = newLine("new");
    lines.push_back(added);
    EXPECT_TRUE(TMenuInsMgr::saveMenuInsList(57, "MIR003", lines, beforeMerge).empty());
    // Dishes added to a table already merged away or checked out would never be billed.
    TMenuInsList onlyNew{added};
    EXPECT_TRUE(TMenuInsMgr::saveMenuInsList(57, "MIR003", onlyNew, {}).empty());
    EXPECT_EQ(added->getId(), 0);
    EXPECT_EQ(everything(), merged);
    EXPECT_EQ(answers.texts().mid(5), QStringList(3, "台桌状态已变化，请刷新后重试！"));
}

TEST_F(MenuInsMgrTest, ARunnersScanOrAnotherStationsChangeToAnUntouchedLineNeverRefusesOrIsUndone) {
    storedLine(1, 57, "MIR003", "rice");
    storedLine(2, 57, "MIR003", "soup");
    storedLine(3, 57, "MIR003", "fish");
    // A price no 15-digit literal gives back: the line must still be found as read.
    exec("insert into table_instance(id,table_id,state) values(57,1,'TIS001');"
         "update menu_instance set price=0.1+0.2 where id=3");
    TMenuInsList lines = TMenuInsMgr::getTableInsMenuIns(57);
    const std::vector<TPOMenuIns> asRead = TMenuInsMgr::copiesOf(lines);
    // At the other stations, while the waiter picks dishes: the rice is served by
    // a scan, the soup printed and set to 5 at the cashier.
    exec("update menu_instance set serving='MI003' where id=1");
    exec("update menu_instance set quantity=5,print_state='MIP002' where id=2");
    lines[2]->setQuantity(3);
    lines.push_back(newLine("new 1"));
    lines.push_back(newLine("new 2"));
    EXPECT_EQ(TMenuInsMgr::saveMenuInsList(57, "MIR003", lines, asRead).size(), 5u);
    EXPECT_EQ(answers.count(), 0);
    EXPECT_EQ(rows("select id,quantity,serving,print_state,description from menu_instance where consult_id=57 "
                   "order by id"),
              (QStringList{"1|2|MI003|MIP001|rice", "2|5|MI004|MIP002|soup", "3|3|MI004|MIP001|fish", "100|0|||new 1",
                           "101|0|||new 2"}));
}

TEST_F(MenuInsMgrTest, ALineChangedOrRemovedHereAndChangedElsewhereRefusesTheWholeSave) {
    storedLine(1, 57, "MIR003", "rice");
    storedLine(2, 57, "MIR003", "soup");
    exec("insert into table_instance(id,table_id,state) values(57,1,'TIS001')");
    TMenuInsList read = TMenuInsMgr::getTableInsMenuIns(57);
    const std::vector<TPOMenuIns> asRead = TMenuInsMgr::copiesOf(read);
    // Here the soup goes to 3, there to 5: the later save must not write 3 over 5.
    TMenuInsList lines = read;
    lines[1]->setQuantity(3);
    std::shared_ptr<TPOMenuIns> added = newLine("new");
    lines.push_back(added);
    exec("update menu_instance set quantity=5 where id=2");
    const QString there = everything();
    EXPECT_TRUE(TMenuInsMgr::saveMenuInsList(57, "MIR003", lines, asRead).empty());
    EXPECT_EQ(answers.texts(), QStringList{"菜单已变化，请刷新后重试！"});
    EXPECT_EQ(everything(), there);
    EXPECT_EQ(added->getId(), 0);

    // Removed here, its remark changed there only in letter case: still a change.
    exec("update menu_instance set description='RICE' where id=1");
    const QString renamed = everything();
    lines = TMenuInsList{read[1]};
    read[1]->setQuantity(5);  // as now stored: only the removal is this list's
    std::vector<TPOMenuIns> withQuantity = asRead;
    withQuantity[1].setQuantity(5);
    EXPECT_TRUE(TMenuInsMgr::saveMenuInsList(57, "MIR003", lines, withQuantity).empty());
    EXPECT_EQ(answers.count(), 2);
    EXPECT_EQ(everything(), renamed);

    // A stored line the list was not read with is never written over.
    TMenuInsList unread = TMenuInsMgr::getTableInsMenuIns(57);
    unread[0]->setQuantity(9);
    EXPECT_TRUE(TMenuInsMgr::saveMenuInsList(57, "MIR003", unread, {}).empty());
    EXPECT_EQ(answers.texts(), QStringList(3, "菜单已变化，请刷新后重试！"));
    EXPECT_EQ(everything(), renamed);
}

TEST_F(MenuInsMgrTest, ABilledChangeIsWrittenOnlyWhileTheLineTableIsInUse) {
    // One line per table instance state, and a booked line of a reserved table.
    const QStringList states{"TIS001", "TIS002", "TIS003", "TIS004", "TIS005"};
    for (int k = 0; k < states.size(); ++k) {
        exec(QString("insert into table_instance(id,table_id,state) values(%1,%2,'%3')")
                 .arg(60 + k).arg(k + 1).arg(states[k]));
        storedLine(k + 1, 60 + k, "MIR003", states[k]);
    }
    storedLine(9, 20, "MIR002", "booked");
    const QString before = everything();
    auto returned = [](int id) {
        TPOMenuIns line = *TMenuInsMgr::getMenuInsById(id);
        line.setState(TPOMenuIns::stateReturned);
        line.setQuantity(5);
        return line;
    };
    // Checked out, cleared, given back or merged at another station: the write refuses.
    for (int id = 2; id <= 5; ++id) EXPECT_EQ(TMenuInsMgr::updateWhileInUse(returned(id)), WriteOutcome::Refused) << id;
    EXPECT_EQ(everything(), before);
    EXPECT_EQ(answers.count(), 0);  // the caller says why

    EXPECT_EQ(TMenuInsMgr::updateWhileInUse(returned(1)), WriteOutcome::Done);
    EXPECT_EQ(TMenuInsMgr::updateWhileInUse(returned(9)), WriteOutcome::Done);
    EXPECT_EQ(rows("select id||'/'||state||'/'||quantity from menu_instance where state='MI005' order by id"),
              (QStringList{"1/MI005/5.0", "9/MI005/5.0"}));
}
