// One evening of a new restaurant, driven through the main window as its staff would:
// the administrator sets it up, a booking is taken, the waiter serves, the cashier
// checks out and closes the day, the administrator reads the reports. The database
// comes from makedb, and the clock is set for every step.
#include <QDateEdit>
#include <QFile>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTimeEdit>
#include <QTreeWidget>

#include "app/ProgramWindows.h"
#include "backoffice/MenuAttrUnit.h"
#include "backoffice/MenuTypeAttrUnit.h"
#include "backoffice/TableAttribUnit.h"
#include "frame/FloorButtonsUnit.h"
#include "platform/Formats.h"
#include "platform/Printers.h"
#include "platform/SaveDialog.h"
#include "reservation/ReserveUnit.h"
#include "service/ReckoningUnit.h"
#include "service/ServiceFixture.h"
#include "service/TableSelecterUnit.h"

namespace {
// Friday 14 June 2024, the evening of the test.
TDateTime at(int hour, int minute) { return encodeDateTime(2024, 6, 14, hour, minute, 0); }

struct Dish {
    const char* category;
    const char* name;
    const char* price;
    const char* unit;
    const char* printer;
};
const Dish dishes[] = {
    {"热菜", "宫保鸡丁", "38", "份", "厨房"},   {"热菜", "红烧肉", "58", "份", "厨房"},
    {"热菜", "清蒸鲈鱼", "88.5", "条", "厨房"}, {"酒水", "青岛啤酒", "8", "瓶", "不打印"},
    {"酒水", "鲜榨橙汁", "22", "杯", "吧台"},   {"酒水", "米饭", "2", "碗", "厨房"},
};

double priceOf(const QString& dish) {
    for (const Dish& d : dishes)
        if (dish == d.name) return QString(d.price).toDouble();
    ADD_FAILURE() << "no dish " << dish.toStdString();
    return 0;
}
using DishCounts = QList<std::pair<QString, int>>;
double total(const DishCounts& lines) {
    double sum = 0;
    for (const auto& [dish, count] : lines) sum += priceOf(dish) * count;
    return sum;
}
// What the evening orders: the dishes booked for 103 and 104, those ordered at the tables.
const DishCounts booked103{{"宫保鸡丁", 1}, {"红烧肉", 1}};
const DishCounts booked104{{"清蒸鲈鱼", 2}, {"青岛啤酒", 6}};
const DishCounts ordered101{{"宫保鸡丁", 1}, {"米饭", 2}, {"鲜榨橙汁", 2}};
const DishCounts ordered102{{"红烧肉", 1}, {"青岛啤酒", 4}};
const DishCounts ordered103{{"米饭", 3}};

// Pages of a PDF file, counted as the page objects it holds.
int pdfPageCount(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    return int(QString::fromLatin1(f.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

class EveningTest : public ServiceTest {
protected:
    QStringList fixtures() const override { return {}; }
    // The file a restaurant starts with: made by the makedb tool itself.
    QString createDatabase(const QString& path, const QStringList&) override {
        QProcess makedb;
        makedb.setWorkingDirectory(sourcePath(QString()));
        makedb.start(QStringLiteral(HELAN_MAKEDB), {path});
        if (!makedb.waitForFinished(30000) || makedb.exitCode() != 0)
            return "makedb failed: " + QString::fromLocal8Bit(makedb.readAllStandardError());
        return QString();
    }
    void SetUp() override {
        ServiceTest::SetUp();
        registerProgramWindows();
        main = new TmainForm;
        main->setAttribute(Qt::WA_DeleteOnClose);
    }
    void TearDown() override {
        stopRedirectingPrinting();
        setSaveDialogHandler(nullptr);
        ServiceTest::TearDown();
    }

    // Double-clicks a node of the function tree and gives the window it brought forward.
    template <class Window>
    Window* open(const QString& node) {
        QTreeWidget* t = main->functionTree;
        const QPoint p = t->visualItemRect(t->findItems(node, Qt::MatchExactly | Qt::MatchRecursive).value(0)).center();
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, p);
        QMdiSubWindow* active = main->mdiArea()->activeSubWindow();
        return qobject_cast<Window*>(active ? active->widget() : nullptr);
    }
    // An item of the main window's menu bar, found by its text.
    QAction* menuItem(const QString& item) const {
        for (QAction* m : main->menuBar()->actions())
            for (QAction* a : m->menu()->actions())
                if (a->text() == item) return a;
        ADD_FAILURE() << "no menu item " << item.toStdString();
        return nullptr;
    }
    void switchUser(const QString& user, const QString& password) {
        aboutThenLogin(user, password, [&] { menuItem("切换用户(&W)")->trigger(); });
        ASSERT_EQ(currentUserName, scalar("select user_name from employee where login_name='" + user + "'"));
    }
    // Closes a function window with its frame's close box.
    void closeWindow(QWidget* window) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget())) frame->close();
        flushDeletes();
    }

    int tableId(const QString& name) { return scalarInt("select id from table_spec where table_name='" + name + "'"); }
    void clickTable(TTableListView* map, const QString& name, bool twice = false) {
        clickOnMap(map, tableId(name), twice);
    }
    // Clicks the shown category or dish button whose name starts with `name`.
    template <class Button>
    static Button* clickShown(const std::vector<Button*>& buttons, const QString& name) {
        Button* found = nullptr;
        for (Button* b : buttons)
            if (b->isVisible() && b->getName().startsWith(name)) found = b;
        EXPECT_TRUE(found) << name.toStdString();
        if (found) QTest::mouseClick(found, Qt::LeftButton);
        return found;
    }
    // The dish-choosing window: each dish clicked in its category, "+" for more
    // than one, then "确定".
    static std::function<void(TcarteForm*)> order(const DishCounts& dishesAndCounts) {
        return [dishesAndCounts](TcarteForm* d) {
            for (const auto& [dish, count] : dishesAndCounts) {
                for (const Dish& known : dishes)
                    if (dish == known.name) clickShown(d->menuTypeButtons, known.category);
                clickShown(d->menuButtons, dish);
                for (int i = 1; i < count; ++i) click(d->addMenuIns);
            }
            click(d->confirmButton);
        };
    }

    // Opens the map's popup over a table and clicks one of its entries.
    void popupOn(TTableListView* map, const QString& table, QMenu* popup, const QString& entry) {
        clickTable(map, table);
        rightClick(map->viewport(), map->mapFromContents(map->itemRect(map->findTableItem(tableId(table))).center()));
        choose(popup, entry);
    }
    // The table selector: the floor's button, a double-click on the table, "确定".
    void pick(DialogScript& script, int floor, const QString& table) {
        script.expect<TtableSelecterForm>([=](TtableSelecterForm* d) {
            click(d->floorButtons->getFloorButton(floor));
            clickTable(d->tableListView, table, true);
            click(d->confirmBtn);
        });
    }
    // The instance now in use on a table, 0 for none.
    int inUse(const QString& table) {
        return scalarInt("select id from table_instance where state='TIS001' and table_name='" + table + "'");
    }

    // Step 1: meal periods, the menu, the tables and the staff, all through the windows.
    void setUpTheRestaurant();
    // Step 2: a booking of two tables for dinner, with dishes ordered for each.
    void bookTonight();
    // Step 3: the waiter opens, orders, prints, serves, switches and merges.
    void serveDinner();
    // Step 4, the checkouts: 101 with a discount of 9, the batch 201 and 103 with a
    // cash rebate. `beforeFirstWrite` runs in the first dialog before "销帐".
    void checkOut(const std::function<void(TReckoningForm*)>& beforeFirstWrite = {});
    // Step 4, the rest: the waiter clears the tables, the cashier closes the day.
    void clearAndClose();
    // Step 5: the three reports of today, run and exported.
    void readTheReports();

    QTemporaryDir files;  // the tickets and the exports
    QStringList ticketPrinters;  // the printer of each ticket printed, "" the default one

    TmainForm* main = nullptr;
};

void EveningTest::setUpTheRestaurant() {
    setNowForTest(at(14, 30));
    showLoggedIn(*main, "admin", "admin");

    // Three meal periods in "选项".
    {
        DialogScript script;
        script.expect<ToptionForm>([](ToptionForm* d) {
            for (auto [name, from, to] : {std::tuple{"早餐", QTime(6, 30), QTime(9, 30)},
                                          std::tuple{"午餐", QTime(11, 0), QTime(14, 0)},
                                          std::tuple{"晚餐", QTime(17, 0), QTime(21, 30)}}) {
                click(d->addEatBtn);
                type(d->eatName, name);
                d->startTime->setTime(from);
                d->endTime->setTime(to);
                click(d->applyBtn);
            }
            d->close();
        });
        menuItem("选项")->trigger();
    }

    // Two categories, then three dishes in each, named and priced in their dialogs.
    auto* menu = open<TmenuManageForm>("菜单维护");
    ASSERT_TRUE(menu);
    for (const char* category : {"热菜", "酒水"}) {
        rightClick(menu->menuTypePanel, QPoint(10, menu->menuTypePanel->height() - 5));
        choose(menu->menuTypePopupMenu, "添加菜类");
        TMenuTypeButton* added = clickShown(menu->menuTypeButtons, "新增菜类");
        DialogScript script;
        script.expect<TMenuTypeAttrForm>([&](TMenuTypeAttrForm* d) {
            type(d->menuTypeName, category);
            click(d->confirmButton);
        });
        rightClick(added);
        choose(menu->menuTypePopupMenu, "修改菜类");
    }
    for (const Dish& dish : dishes) {
        clickShown(menu->menuTypeButtons, dish.category);
        rightClick(menu->menuPanel, QPoint(10, menu->menuPanel->height() - 5));
        choose(menu->menuPopupMenu, "新建菜单");
        TMenuButton* added = clickShown(menu->menuButtons, "新增菜");
        DialogScript script;
        script.expect<TmenuAttrForm>([&](TmenuAttrForm* d) {
            type(d->menuName, dish.name);
            type(d->menuPrice, dish.price);
            type(d->menuUnit, dish.unit);
            choose(d->printName, dish.printer);
            click(d->confirmButton);
        });
        rightClick(added);
        choose(menu->menuPopupMenu, "修改菜单");
    }
    closeWindow(menu);

    // Eight tables, four on each of two floors, each placed where the popup opened.
    auto* layout = open<TtableManageForm>("桌台维护");
    ASSERT_TRUE(layout);
    for (int floor = 1; floor <= 2; ++floor) {
        click(layout->floorButtons->getFloorButton(floor));
        for (int i = 1; i <= 4; ++i) {
            const QString name = QString::number(floor * 100 + i);
            DialogScript script;
            script.expect<TtableAttribForm>([&](TtableAttribForm* d) {
                type(d->nameTable, name);
                type(d->seatTable, i == 4 ? "10" : "4");
                click(d->confirmButton);
            });
            TTableListView* plan = layout->tableListView;
            rightClick(plan->viewport(), plan->mapFromContents(QPoint(30 + 110 * (i - 1), 40 + 60 * (i % 2))));
            choose(layout->tablePopupMenu, "新建");
        }
    }
    closeWindow(layout);

    // A team with a waiter and a cashier, each holding only the rights of the work.
    auto* staff = open<TemployeeManageForm>("员工管理");
    ASSERT_TRUE(staff);
    staff->addTeam->trigger();
    QTreeWidgetItem* team = staff->teamTree->findItems("新建团队", Qt::MatchExactly | Qt::MatchRecursive).value(0);
    ASSERT_TRUE(team);
    QTest::mouseClick(staff->teamTree->viewport(), Qt::LeftButton, {}, staff->teamTree->visualItemRect(team).center());
    for (auto [login, name, role, rights] :
         {std::tuple{"xiaowang", "小王", "服务员", QStringList({"营业管理", "传菜管理"})},
          std::tuple{"xiaoli", "小李", "收银员", QStringList({"收银台", "扎账管理"})}}) {
        click(staff->createEmployee);
        type(staff->loginName, login);
        type(staff->password, "8888");
        type(staff->userName, name);
        type(staff->roleName, role);
        staff->rightList->clearSelection();
        for (const QString& right : rights) {
            QListWidgetItem* item = staff->rightList->findItems(right, Qt::MatchExactly).value(0);
            ASSERT_TRUE(item) << right.toStdString();
            QTest::mouseClick(staff->rightList->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              staff->rightList->visualItemRect(item).center());
        }
        click(staff->selectRightBtn);
        click(staff->saveEmployee);
    }
    closeWindow(staff);
}

void EveningTest::bookTonight() {
    setNowForTest(at(16, 0));
    auto* overview = open<TreserveManageForm>("预订管理");
    ASSERT_TRUE(overview);
    DialogScript script;
    script.expect<TreserveForm>([&](TreserveForm* d) {
        clickTable(d->tableListView, "103", true);
        clickTable(d->tableListView, "104", true);
        for (int row : {1, 2}) {
            clickRow(d->selectStringGrid, row);
            click(d->singleAddMenu);
        }
        type(d->guestName, "周先生");
        type(d->telephone, "13812345678");
        type(d->guestNum, "14");
        click(d->confirmButton);
    });
    script.expect<TcarteForm>(order({{"宫保鸡丁", 1}, {"红烧肉", 1}}));
    script.expect<TcarteForm>(order({{"清蒸鲈鱼", 2}, {"青岛啤酒", 6}}));
    click(overview->reserveBtn);
    // The booking is for tonight's dinner, so the overview's map shows it.
    EXPECT_EQ(overview->tableListView->findTableItem(tableId("103"))->imageIndex(), 2);
    closeWindow(overview);
}

void EveningTest::serveDinner() {
    setNowForTest(at(16, 45));
    switchUser("xiaowang", "8888");
    EXPECT_EQ(tree(*main), QStringList({"营业管理", "传菜管理"}));
    auto* sell = open<TsellForm>("营业管理");
    ASSERT_TRUE(sell);
    // Before dinner the booking is not on the map; the timers bring it with the meal.
    EXPECT_EQ(sell->findTableItem(tableId("103"))->imageIndex(), 0);
    setNowForTest(at(18, 0));
    QMetaObject::invokeMethod(sell->eatTimer, "timeout");
    QMetaObject::invokeMethod(sell->MTimer, "timeout");
    EXPECT_EQ(sell->findTableItem(tableId("103"))->imageIndex(), 2);

    // Two walk-in tables, then the booked ones: 103 from the map, 104 through the
    // reservation panel, which opens what is still booked of the reservation.
    for (const char* table : {"101", "102", "103"}) {
        setNowForTest(at(18, 5));
        clickTable(sell->tableListView, table);
        click(sell->startRepastBtn);
    }
    clickRow(sell->reserveGrid, 1);
    click(sell->startRepastsBtn);

    // Dishes ordered at each table, the booked ones already there.
    setNowForTest(at(18, 15));
    DialogScript script;
    for (auto [table, dishesOrdered] : {std::pair{"101", ordered101}, std::pair{"102", ordered102},
                                        std::pair{"103", ordered103}}) {
        clickTable(sell->tableListView, table);
        script.expect<TcarteForm>(order(dishesOrdered));
        click(sell->menuBtn);
    }

    // Kitchen tickets for every table; drinks without a ticket print none.
    redirectPrintingToPdf({}, [this](const QString& printer) {
        ticketPrinters << printer;
        return files.filePath(QString("ticket%1.pdf").arg(ticketPrinters.size()));
    });
    setNowForTest(at(18, 20));
    for (const char* table : {"101", "102", "103", "104"}) {
        clickTable(sell->tableListView, table);
        click(sell->menuSendCookBtn);
    }

    // At the kitchen pass the ticket of 101's 宫保鸡丁 is typed in.
    setNowForTest(at(18, 40));
    auto* pass = open<TcelerityServingForm>("传菜管理");
    ASSERT_TRUE(pass);
    const int served = scalarInt(QString("select id from menu_instance where rela_type='MIR003' and consult_id=%1 "
                                             "and menu_name='宫保鸡丁'")
                                     .arg(inUse("101")));
    type(pass->menuCode, "6900" + QString::number(100000000 + served));
    QTest::keyClick(pass->menuCode, Qt::Key_Return);
    closeWindow(pass);

    // 102 moves upstairs to 201; 103 and 104 are put in the batch and merged on 103.
    setNowForTest(at(19, 0));
    pick(script, 2, "201");
    popupOn(sell->tableListView, "102", sell->tablePopupMenu, "转台");
    click(sell->floorButtons->floor1);
    setNowForTest(at(19, 10));
    for (const char* table : {"103", "104"}) clickTable(sell->tableListView, table, true);
    pick(script, 1, "103");
    click(sell->mergeBtn);
}

void EveningTest::checkOut(const std::function<void(TReckoningForm*)>& beforeFirstWrite) {
    setNowForTest(at(20, 30));
    switchUser("xiaoli", "8888");
    EXPECT_EQ(tree(*main), QStringList({"收银台", "扎账管理"}));
    auto* toll = open<TtollStationForm>("收银台");
    ASSERT_TRUE(toll);

    DialogScript script;
    auto pay = [&](const QString& rebate, const QString& value, const QString& paid, auto beforeWrite) {
        script.expect<TReckoningForm>([=](TReckoningForm* d) {
            choose(d->rebateType, rebate);
            type(d->rebateValue, value);
            type(d->price2, paid);
            if (beforeWrite) beforeWrite(d);
            click(d->cancelAccountBtn);
            click(d->returnBtn);
        });
    };
    pay("打折", "9", "100", beforeFirstWrite);
    popupOn(toll->tableListView, "101", toll->tablePopupMenu, "结帐");
    pay("现金", "17", "400", std::function<void(TReckoningForm*)>());
    clickTable(toll->tableListView, "103", true);
    click(toll->floorButtons->floor2);
    clickTable(toll->tableListView, "201", true);
    click(toll->reckoningBatBtn);
}

void EveningTest::clearAndClose() {
    setNowForTest(at(20, 45));
    switchUser("xiaowang", "8888");
    auto* sell = open<TsellForm>("营业管理");
    ASSERT_TRUE(sell);
    for (auto [floor, table] : {std::pair{1, "101"}, std::pair{1, "103"}, std::pair{2, "201"}}) {
        click(sell->floorButtons->getFloorButton(floor));
        clickTable(sell->tableListView, table);
        click(sell->clearTableBtn);
    }

    setNowForTest(at(21, 0));
    switchUser("xiaoli", "8888");
    auto* prick = open<TprickForm>("扎账管理");
    ASSERT_TRUE(prick);
    clickRow(prick->prickGrid, 1);
    click(prick->prickBtn);
    closeWindow(prick);
}

void EveningTest::readTheReports() {
    setNowForTest(at(22, 30));
    switchUser("admin", "admin");
    int exported = 0;
    setSaveDialogHandler([&](const QString&, const QString&) {
        return files.filePath(QString("report%1.xls").arg(++exported));
    });
    auto* orders = open<TsellReportForm>("营业清单");
    ASSERT_TRUE(orders);
    choose(orders->celerityGoto, "今天");
    click(orders->findBtn);
    click(orders->reportToExcelBtn);

    auto* turnover = open<TsellStatReportForm>("营业额统计");
    ASSERT_TRUE(turnover);
    choose(turnover->celerityGoto, "自定义");  // it has no "今天": today is picked
    turnover->startDate->setDate(QDate(2024, 6, 14));
    turnover->endDate->setDate(QDate(2024, 6, 14));
    click(turnover->findBtn);
    click(turnover->reportToExcelBtn);

    auto* sold = open<TmenuInsStatReportForm>("营业菜单统计");
    ASSERT_TRUE(sold);
    choose(sold->celerityGoto, "今天");
    click(sold->findBtn);
    click(sold->reportToExcelBtn);
    EXPECT_EQ(exported, 3);
}
}  // namespace

TEST_F(EveningTest, ADinnerServiceFromSetUpToTheReports) {
    setUpTheRestaurant();
    bookTonight();
    serveDinner();
    checkOut();
    clearAndClose();
    readTheReports();

    // The bills, from the dishes ordered and the rebates given.
    const double bill101 = total(ordered101);
    const double billBatch = total(ordered102) + total(booked103) + total(ordered103) + total(booked104);
    const double due101 = bill101 * 9 / 10, dueBatch = billBatch - 17;
    EXPECT_EQ(rows("select rebate_type, rebate_value, price, price1, price2, give_change, state, operator_name "
                   "from o_order order by id"),
              QStringList({QString("打折|9|%1|%2|100|%3|ORD003|小李").arg(bill101).arg(due101).arg(100 - due101),
                           QString("现金|17|%1|%2|400|0|ORD003|小李").arg(billBatch).arg(dueBatch)}));
    // Every instance of the evening ended where it should, each linked to its bill.
    EXPECT_EQ(rows("select i.table_name, i.state, o.rebate_type, i.reserve_table_id > 0, i.end_time > 0 "
                   "from table_instance i left join o_order o on o.id=i.order_id order by i.id"),
              QStringList({"101|TIS003|打折|0|1", "201|TIS003|现金|0|1", "103|TIS005||1|0", "104|TIS005||1|0",
                           "103|TIS003|现金|0|1"}));
    // The dish lines: all on the three billed instances, printed unless drinks without
    // a ticket, one served, the booked ones still booked.
    EXPECT_EQ(rows("select i.table_name, group_concat(m.menu_name||'x'||printf('%g',m.quantity)||':'||m.print_state||"
                   "'/'||m.serving, ' ') from (select * from menu_instance where rela_type='MIR003' order by id) m "
                   "join table_instance i on i.id=m.consult_id group by i.id order by i.id"),
              QStringList({"101|宫保鸡丁x1:MIP002/MI003 米饭x2:MIP002/MI004 鲜榨橙汁x2:MIP002/MI004",
                           "201|红烧肉x1:MIP002/MI004 青岛啤酒x4:MIP003/MI004",
                           "103|宫保鸡丁x1:MIP002/MI004 红烧肉x1:MIP002/MI004 清蒸鲈鱼x2:MIP002/MI004 "
                           "青岛啤酒x6:MIP003/MI004 米饭x3:MIP002/MI004"}));
    EXPECT_EQ(scalarInt("select count(*) from menu_instance where rela_type='MIR002'"), 4);
    EXPECT_EQ(rows("select state from reserve union all select group_concat(state) from reserve_table"),
              QStringList({"R002", "RT002,RT002"}));
    // The closing holds exactly the two bills.
    EXPECT_EQ(rows("select employee_name, operator_name, m_money from prick"),
              QStringList{QString("小李|小李|%1").arg(due101 + dueBatch)});
    EXPECT_EQ(rows("select r.order_id from prick_order_rela r join prick p on p.id=r.prick_id order by 1"),
              rows("select id from o_order order by id"));

    // One page per ticket, all on the default printer (a new file names no printer).
    EXPECT_EQ(ticketPrinters, QStringList(8, QString()));
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(pdfPageCount(files.filePath(QString("ticket%1.pdf").arg(i))), 1) << i;

    // The exported reports, byte for byte.
    auto bytes = [&](int n) {
        QFile f(files.filePath(QString("report%1.xls").arg(n)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    QStringEncoder gbk("GBK");
    QString orderList = "编号\t操作者\t时间\t打折类型\t折扣值\t总价\t实收金额\t备注\n";
    int row = 0;
    for (auto [type, value, price, due] : {std::tuple{"打折", 9.0, bill101, due101},
                                           std::tuple{"现金", 17.0, billBatch, dueBatch}})
        orderList += QString("%1\t小李\t2024-06-14 20:30:00\t%2\t%3\t%4\t%5\t\n")
                         .arg(++row)
                         .arg(type, formatFloat("0.0", value), formatFloat("0", price), formatFloat("0", due));
    EXPECT_EQ(bytes(1), QByteArray(gbk.encode(orderList)));
    EXPECT_EQ(bytes(2), QByteArray(gbk.encode(QString("编号\t日期\t金额\n1\t2024-06-14\t%1\n")
                                                  .arg(formatFloat("0", due101 + dueBatch)))));
    // Dishes sold counts the lines of each dish on today's tables, not their quantities.
    QMap<QString, int> lines;
    for (const DishCounts* ordered : {&ordered101, &ordered102, &booked103, &ordered103, &booked104})
        for (const auto& [dish, count] : *ordered) ++lines[dish];
    const QString sold = QStringDecoder("GBK").decode(bytes(3));
    EXPECT_TRUE(sold.startsWith("编号\t菜单名称\t数量\n") && sold.endsWith('\n'));
    QMap<QString, int> exportedLines;
    for (const QString& line : sold.split('\n', Qt::SkipEmptyParts).mid(1))
        exportedLines[line.section('\t', 1, 1)] = line.section('\t', 2, 2).toInt();
    EXPECT_EQ(exportedLines, lines);
    // Every message of the evening: the cashier is warned of dishes not served yet.
    EXPECT_EQ(answers.texts(), QStringList({"转台成功!", "存在还没有传的菜单！", "销账成功！", "存在还没有传的菜单！",
                                            "销账成功！", "扎账成功！"}));
}

TEST_F(EveningTest, AWriteFailureAtCheckoutMarksNothingPaidAndTheSameDialogWritesOnceItIsGone) {
    setUpTheRestaurant();
    bookTonight();
    serveDinner();
    const int table101 = inUse("101");
    checkOut([&](TReckoningForm* d) {
        // The order goes in, then marking the table fails: the transaction takes both back.
        failOn("UPDATE", "table_instance");
        click(d->cancelAccountBtn);
        EXPECT_EQ(answers.last(), "添加订单出现异常！");
        EXPECT_TRUE(d->cancelAccountBtn->isEnabled());
        EXPECT_EQ(scalarInt("select count(*) from o_order"), 0);
        EXPECT_EQ(scalar(QString("select state||order_id from table_instance where id=%1").arg(table101)), "TIS0010");
        exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));
    });
    clearAndClose();

    EXPECT_EQ(rows("select i.table_name, o.price1, o.state from table_instance i join o_order o on o.id=i.order_id "
                   "order by i.id"),
              QStringList({"101|77.4|ORD003", "201|400|ORD003", "103|400|ORD003"}));
    EXPECT_EQ(rows("select m_money from prick"), QStringList{"477.4"});
    EXPECT_EQ(scalarInt("select count(*) from prick_order_rela"), 2);
}
