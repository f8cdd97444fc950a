// One evening of a new restaurant, driven through the main window as its staff would:
// the administrator sets it up, a booking is taken, the waiter serves, the cashier
// checks out and closes the day, the administrator reads the reports. The database
// comes from makedb, and the clock is set for every step.
#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeWidget>

#include "app/ProgramWindows.h"
#include "backoffice/MenuAttrUnit.h"
#include "backoffice/MenuInsStatReportUnit.h"
#include "backoffice/MenuTypeAttrUnit.h"
#include "backoffice/SellReportUnit.h"
#include "backoffice/SellStatReportUnit.h"
#include "backoffice/TableAttribUnit.h"
#include "frame/FloorButtonsUnit.h"
#include "frame/MenuButtonUnit.h"
#include "frame/MenuTypeButtonUnit.h"
#include "frame/TableBatchGridUnit.h"
#include "frame/TableMapUnit.h"
#include "platform/Formats.h"
#include "platform/Printers.h"
#include "platform/SaveDialog.h"
#include "reservation/ReserveManageUnit.h"
#include "reservation/ReserveUnit.h"
#include "service/CarteUnit.h"
#include "service/CelerityServingUnit.h"
#include "service/PrickUnit.h"
#include "service/ReckoningUnit.h"
#include "service/ServiceFixture.h"
#include "service/TableSelecterUnit.h"
#include "service/TollStationUnit.h"

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
        auto found = main->functionTree->findItems(node, Qt::MatchExactly | Qt::MatchRecursive);
        EXPECT_EQ(found.size(), 1) << node.toStdString();
        if (found.isEmpty()) return nullptr;
        QTreeWidget* t = main->functionTree;
        const QPoint p = t->visualItemRect(found.first()).center();
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, p);
        auto* window = qobject_cast<Window*>(main->mdiArea()->activeSubWindow()
                                                 ? main->mdiArea()->activeSubWindow()->widget()
                                                 : nullptr);
        EXPECT_TRUE(window) << node.toStdString() << " opened no " << Window::staticMetaObject.className();
        return window;
    }
    QAction* menuItem(const QString& menu, const QString& item) const {
        for (QAction* m : main->menuBar()->actions())
            if (m->text() == menu)
                for (QAction* a : m->menu()->actions())
                    if (a->text() == item) return a;
        ADD_FAILURE() << "no menu item " << item.toStdString();
        return nullptr;
    }
    void switchUser(const QString& user, const QString& password) {
        aboutThenLogin(user, password, [&] { menuItem("文件(&F)", "切换用户(&W)")->trigger(); });
        ASSERT_EQ(currentUserName, scalar("select user_name from employee where login_name='" + user + "'"));
    }
    // Closes a function window with its frame's close box.
    void closeWindow(QWidget* window) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget())) frame->close();
        flushDeletes();
    }

    int tableId(const QString& name) { return scalarInt("select id from table_spec where table_name='" + name + "'"); }
    // Clicks (and double-clicks) a table of a map as a person does.
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
    EXPECT_EQ(tree(*main), QStringList({"收银台", "营业管理", "传菜管理", "预订管理", "扎账管理",
                                   "后台维护[菜单维护,桌台维护,员工管理]",
                                   "报表统计[营业清单,营业额统计,营业菜单统计]"}));

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
        menuItem("工具(&T)", "选项")->trigger();
    }
    EXPECT_EQ(rows("select name, round(start_time*1440), round(end_time*1440) from eat order by start_time"),
              QStringList({"早餐|390|570", "午餐|660|840", "晚餐|1020|1290"}));

    // Two categories, then three dishes in each, named and priced in their dialogs.
    auto* menu = open<TmenuManageForm>("菜单维护");
    ASSERT_TRUE(menu);
    for (const char* category : {"热菜", "酒水"}) {
        rightClick(menu->menuTypePanel, QPoint(10, menu->menuTypePanel->height() - 5));
        choose(menu->menuTypePopupMenu, "添加菜类");
        TMenuTypeButton* added = clickShown(menu->menuTypeButtons, "新增菜类");
        ASSERT_TRUE(added);
        DialogScript script;
        script.expect<TMenuTypeAttrForm>([&](TMenuTypeAttrForm* d) {
            type(d->menuTypeName, category);
            click(d->confirmButton);
        });
        rightClick(added);
        choose(menu->menuTypePopupMenu, "修改菜类");
        EXPECT_EQ(added->text(), category);
    }
    for (const Dish& dish : dishes) {
        clickShown(menu->menuTypeButtons, dish.category);
        rightClick(menu->menuPanel, QPoint(10, menu->menuPanel->height() - 5));
        choose(menu->menuPopupMenu, "新建菜单");
        TMenuButton* added = clickShown(menu->menuButtons, "新增菜");
        ASSERT_TRUE(added);
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
        EXPECT_EQ(added->getName(), dish.name);
    }
    EXPECT_EQ(rows("select t.name, m.seq, m.menu_name, m.price, m.unit, m.state, m.printer_code from menu m "
                   "join menu_type t on t.id=m.menu_type_id order by t.seq, m.seq"),
              QStringList({"热菜|1|宫保鸡丁|38|份|M001|P001", "热菜|2|红烧肉|58|份|M001|P001",
                           "热菜|3|清蒸鲈鱼|88.5|条|M001|P001", "酒水|1|青岛啤酒|8|瓶|M001|P003",
                           "酒水|2|鲜榨橙汁|22|杯|M001|P002", "酒水|3|米饭|2|碗|M001|P001"}));
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
        EXPECT_EQ(layout->tableListView->count(), 4);
    }
    EXPECT_EQ(rows("select floor, group_concat(table_name), sum(seat) from "
                   "(select * from table_spec order by floor, table_name) group by floor"),
              QStringList({"1|101,102,103,104|22", "2|201,202,203,204|22"}));
    closeWindow(layout);

    // A team with a waiter and a cashier, each holding only the rights of the work.
    auto* staff = open<TemployeeManageForm>("员工管理");
    ASSERT_TRUE(staff);
    staff->addTeam->trigger();
    auto node = [&](const QString& text) {
        return staff->teamTree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    };
    ASSERT_TRUE(node("新建团队"));
    staff->teamTree->setCurrentItem(node("新建团队"));
    staff->changeName->trigger();
    auto* editor = staff->teamTree->viewport()->findChild<QLineEdit*>();
    ASSERT_TRUE(editor);
    type(editor, "晚班");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    flushDeletes();
    ASSERT_TRUE(node("晚班"));
    QTest::mouseClick(staff->teamTree->viewport(), Qt::LeftButton, {},
                      staff->teamTree->visualItemRect(node("晚班")).center());
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
    EXPECT_EQ(rows("select e.login_name, e.user_name, t.name, group_concat(r.right_number) from employee e "
                   "join team t on t.id=e.team_id join (select * from employee_right order by right_number) r "
                   "on r.employee_id=e.id where e.id<>1 group by e.id order by e.id"),
              QStringList({"xiaowang|小王|晚班|celerityServing,sell", "xiaoli|小李|晚班|prickManage,tollStation"}));
    closeWindow(staff);
}

void EveningTest::bookTonight() {
    setNowForTest(at(16, 0));
    auto* overview = open<TreserveManageForm>("预订管理");
    ASSERT_TRUE(overview);
    EXPECT_EQ(overview->eatComboBox->currentText(), "晚餐");  // the next period to start
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

    const QString today = QString::number(dayNumber(QDate(2024, 6, 14)));
    EXPECT_EQ(rows("select guest_name, telephone, guest_num, state from reserve"),
              QStringList{"周先生|13812345678|14|R001"});
    EXPECT_EQ(rows("select table_name, eat, eat_date, state from reserve_table order by table_name"),
              QStringList({"103|晚餐|" + today + "|RT001", "104|晚餐|" + today + "|RT001"}));
    EXPECT_EQ(rows("select t.table_name, m.menu_name, m.quantity, m.price from menu_instance m join reserve_table t "
                   "on t.id=m.consult_id and m.rela_type='MIR002' order by m.id"),
              QStringList({"103|宫保鸡丁|1|38", "103|红烧肉|1|58", "104|清蒸鲈鱼|2|88.5", "104|青岛啤酒|6|8"}));
    // The list and the map show the booking at once.
    EXPECT_EQ(overview->reserveStringGrid->cell(1, 1), "周先生");
    EXPECT_EQ(overview->reserveStringGrid->cell(4, 1), "2");
    EXPECT_EQ(overview->tableListView->findTableItem(tableId("103"))->imageIndex(), 2);
    // Before dinner nothing is booked for lunch.
    choose(overview->eatComboBox, "午餐");
    EXPECT_EQ(overview->tableListView->findTableItem(tableId("103"))->imageIndex(), 0);
    closeWindow(overview);
}

void EveningTest::serveDinner() {
    setNowForTest(at(16, 45));
    switchUser("xiaowang", "8888");
    EXPECT_EQ(tree(*main), QStringList({"营业管理", "传菜管理"}));
    auto* sell = open<TsellForm>("营业管理");
    ASSERT_TRUE(sell);
    // Before dinner the booking is not on the map; the timers bring it with the meal.
    EXPECT_EQ(sell->eatLable->text(), "非就餐时间");
    EXPECT_EQ(sell->findTableItem(tableId("103"))->imageIndex(), 0);
    EXPECT_EQ(sell->reserveGrid->rowCount(), 1);
    setNowForTest(at(18, 0));
    QMetaObject::invokeMethod(sell->eatTimer, "timeout");
    QMetaObject::invokeMethod(sell->MTimer, "timeout");
    EXPECT_EQ(sell->eatLable->text(), "晚餐");
    EXPECT_EQ(sell->findTableItem(tableId("103"))->imageIndex(), 2);
    EXPECT_EQ(sell->reserveGrid->cell(1, 1), "周先生");

    // Two walk-in tables, then the booked ones: 103 from the map, 104 through the
    // reservation panel, which opens what is still booked of the reservation.
    for (const char* table : {"101", "102", "103"}) {
        setNowForTest(at(18, 5));
        clickTable(sell->tableListView, table);
        click(sell->startRepastBtn);
        EXPECT_TRUE(inUse(table)) << table;
    }
    EXPECT_EQ(scalar("select state from reserve"), "R001");
    clickRow(sell->reserveGrid, 1);
    click(sell->startRepastsBtn);
    EXPECT_TRUE(inUse("104"));
    EXPECT_EQ(rows("select state from reserve union all select group_concat(state) from reserve_table"),
              QStringList({"R002", "RT002,RT002"}));

    // Dishes ordered at each table, the booked ones already there.
    setNowForTest(at(18, 15));
    DialogScript script;
    for (auto [table, dishesOrdered] : {std::pair{"101", ordered101}, std::pair{"102", ordered102},
                                        std::pair{"103", ordered103}}) {
        clickTable(sell->tableListView, table);
        script.expect<TcarteForm>(order(dishesOrdered));
        click(sell->menuBtn);
    }
    EXPECT_EQ(sell->tableMenuInsGrid->rowCount(), 4);  // 103: two booked dishes and the rice

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
    EXPECT_EQ(ticketPrinters.size(), 8);
    EXPECT_EQ(sell->tableMenuInsGrid->cell(7, 1), "打印完成");  // 104 shown again after printing
    EXPECT_EQ(sell->tableMenuInsGrid->cell(7, 2), "不打印");

    // At the kitchen pass the ticket of 101's 宫保鸡丁 is typed in.
    setNowForTest(at(18, 40));
    auto* pass = open<TcelerityServingForm>("传菜管理");
    ASSERT_TRUE(pass);
    const int served = scalarInt(QString("select id from menu_instance where rela_type='MIR003' and consult_id=%1 "
                                             "and menu_name='宫保鸡丁'")
                                     .arg(inUse("101")));
    type(pass->menuCode, "6900" + QString::number(100000000 + served));
    QTest::keyClick(pass->menuCode, Qt::Key_Return);
    EXPECT_EQ(pass->tableName->text(), "101");
    EXPECT_EQ(pass->menuInsGrid->rowCount(), 2);
    closeWindow(pass);

    // 102 moves upstairs to 201; 103 and 104 are put in the batch and merged on 103.
    setNowForTest(at(19, 0));
    const int moved = inUse("102");
    pick(script, 2, "201");
    popupOn(sell->tableListView, "102", sell->tablePopupMenu, "转台");
    EXPECT_EQ(answers.last(), "转台成功!");
    EXPECT_EQ(inUse("201"), moved);
    EXPECT_EQ(sell->floorButtons->currentFloor(), 2);
    click(sell->floorButtons->floor1);
    setNowForTest(at(19, 10));
    for (const char* table : {"103", "104"}) clickTable(sell->tableListView, table, true);
    EXPECT_EQ(sell->tableBatGrid->tableCount(), 2);
    pick(script, 1, "103");
    click(sell->mergeBtn);
    EXPECT_EQ(sell->tableBatGrid->tableCount(), 0);
    EXPECT_EQ(rows("select table_name, state from table_instance where table_name in ('103','104') order by id"),
              QStringList({"103|TIS005", "104|TIS005", "103|TIS001"}));
}

void EveningTest::checkOut(const std::function<void(TReckoningForm*)>& beforeFirstWrite) {
    setNowForTest(at(20, 30));
    switchUser("xiaoli", "8888");
    EXPECT_EQ(tree(*main), QStringList({"收银台", "扎账管理"}));
    auto* toll = open<TtollStationForm>("收银台");
    ASSERT_TRUE(toll);

    DialogScript script;
    // The bill's total, the rebate and the amount paid, then what is due and the change.
    auto pay = [&](const QString& total, const QString& rebate, const QString& value, const QString& paid,
                   const QString& due, const QString& change, const std::function<void(TReckoningForm*)>& beforeWrite) {
        script.expect<TReckoningForm>([=](TReckoningForm* d) {
            EXPECT_EQ(d->price->text(), total);
            choose(d->rebateType, rebate);
            type(d->rebateValue, value);
            type(d->price2, paid);
            EXPECT_EQ(d->price1->text(), due);
            EXPECT_EQ(d->giveChange->text(), change);
            if (beforeWrite) beforeWrite(d);
            click(d->cancelAccountBtn);
            EXPECT_EQ(answers.last(), "销账成功！");
            click(d->returnBtn);
        });
    };
    pay("86.00", "打折", "9", "100", "77.40", "22.60", beforeFirstWrite);
    popupOn(toll->tableListView, "101", toll->tablePopupMenu, "结帐");
    EXPECT_EQ(toll->findTableItem(tableId("101"))->imageIndex(), 3);  // checked out

    pay("417.00", "现金", "17", "400", "400.00", "0.00", [](TReckoningForm* d) {
        EXPECT_EQ(d->menuInsGrid->rowCount(), 1 + 5 + 2);  // 103's lines, then 201's
        EXPECT_EQ(d->menuInsGrid->cell(1, 1), "103");
        EXPECT_EQ(d->menuInsGrid->cell(1, 6), "201");
    });
    clickTable(toll->tableListView, "103", true);
    click(toll->floorButtons->floor2);
    clickTable(toll->tableListView, "201", true);
    click(toll->reckoningBatBtn);
    EXPECT_EQ(toll->tableBatGrid->tableCount(), 0);
    EXPECT_EQ(toll->findTableItem(tableId("201"))->imageIndex(), 3);
}

void EveningTest::clearAndClose() {
    setNowForTest(at(20, 45));
    switchUser("xiaowang", "8888");
    auto* sell = open<TsellForm>("营业管理");
    ASSERT_TRUE(sell);
    for (auto [floor, table] : {std::pair{1, "101"}, std::pair{1, "103"}, std::pair{2, "201"}}) {
        click(sell->floorButtons->getFloorButton(floor));
        clickTable(sell->tableListView, table);
        EXPECT_TRUE(sell->clearTableBtn->isEnabled()) << table;
        click(sell->clearTableBtn);
        EXPECT_EQ(sell->findTableItem(tableId(table))->imageIndex(), 0) << table;  // free again
    }

    setNowForTest(at(21, 0));
    switchUser("xiaoli", "8888");
    auto* prick = open<TprickForm>("扎账管理");
    ASSERT_TRUE(prick);
    ASSERT_EQ(prick->prickGrid->rowCount(), 2);
    EXPECT_EQ(prick->prickGrid->cell(1, 1), "小李");
    EXPECT_EQ(prick->prickGrid->cell(4, 1), "477");
    EXPECT_EQ(prick->prickDetailGrid->rowCount(), 3);
    clickRow(prick->prickGrid, 1);
    click(prick->prickBtn);
    EXPECT_EQ(answers.last(), "扎账成功！");
    EXPECT_EQ(prick->prickGrid->cell(3, 1), "已扎账");
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
    EXPECT_EQ(turnover->celerityGoto->findText("今天"), -1);
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
    const QStringList times = rows("select create_time from o_order order by id");
    QString orderList = "编号\t操作者\t时间\t打折类型\t折扣值\t总价\t实收金额\t备注\n";
    int row = 0;
    for (auto [time, type, value, price, due] : {std::tuple{at(20, 30), "打折", 9.0, bill101, due101},
                                                 std::tuple{at(20, 30), "现金", 17.0, billBatch, dueBatch}})
        orderList += QString("%1\t小李\t%2\t%3\t%4\t%5\t%6\t\n")
                         .arg(++row)
                         .arg(formatDateTime("yyyy-MM-dd hh:nn:ss", time), type, formatFloat("0.0", value),
                              formatFloat("0", price), formatFloat("0", due));
    EXPECT_EQ(bytes(1), QByteArray(gbk.encode(orderList)));
    EXPECT_EQ(bytes(2), QByteArray(gbk.encode(QString("编号\t日期\t金额\n1\t2024-06-14\t%1\n")
                                                  .arg(formatFloat("0", due101 + dueBatch)))));
    // Dishes sold counts the lines of each dish on today's tables, not their quantities.
    QMap<QString, int> lines;
    for (const DishCounts* ordered : {&ordered101, &ordered102, &booked103, &ordered103, &booked104})
        for (const auto& [dish, count] : *ordered) ++lines[dish];
    const QString soldText = QStringDecoder("GBK").decode(bytes(3));
    QStringList soldRows = soldText.split('\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(soldRows.isEmpty());
    EXPECT_EQ(soldRows.takeFirst(), "编号\t菜单名称\t数量");
    QMap<QString, int> exportedLines;
    for (const QString& line : soldRows) exportedLines[line.section('\t', 1, 1)] = line.section('\t', 2, 2).toInt();
    EXPECT_EQ(exportedLines, lines);
    EXPECT_TRUE(soldText.endsWith('\n'));
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
