// screenshot <window> <out.png> [db-path]: renders one window with the sample data
// to a PNG, so a person can look at it without a desktop; SCREENSHOT_SIZE=1024x768
// renders the main window at that size instead of 1366x768. `screenshot --list` names
// the windows it knows. Without a db-path a
// temporary database is made from db/schema.sql, db/seed.sql and
// tests/fixtures/sample.sql, found relative to the working directory.
//
// A new window is one line in `windows` below, e.g. a function window shown inside
// the main window:   {"sell", [] { return mainWith<TsellForm>(1); }},
#include <QApplication>
#include <QDir>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <map>

#include "app/ProgramWindows.h"
#include "backoffice/EmployeeManageUnit.h"
#include "backoffice/MenuAttrUnit.h"
#include "backoffice/MenuInsStatReportUnit.h"
#include "backoffice/MenuManageUnit.h"
#include "backoffice/MenuTypeAttrUnit.h"
#include "backoffice/ReportWindow.h"
#include "backoffice/SellReportUnit.h"
#include "backoffice/SellStatReportUnit.h"
#include "backoffice/TableAttribUnit.h"
#include "backoffice/TableManageUnit.h"
#include "data/DatabaseCtrlUnit.h"
#include "data/MenuInsMgrUnit.h"
#include "data/TableInsMgrUnit.h"
#include "frame/AboutUnit.h"
#include "frame/ChangePasswordUnit.h"
#include "frame/GlobalsUnit.h"
#include "frame/LockUnit.h"
#include "frame/LoginUnit.h"
#include "frame/MainUnit.h"
#include "frame/MenuButtonUnit.h"
#include "frame/MenuTypeButtonUnit.h"
#include "frame/ParentUnit.h"
#include "frame/ReserveViewAreaUnit.h"
#include "frame/TableBatchGridUnit.h"
#include "frame/TableMapUnit.h"
#include "platform/AppControl.h"
#include "platform/DatabaseFile.h"
#include "platform/DateTime.h"
#include "platform/Messages.h"
#include "platform/StringGrid.h"
#include "reservation/ReserveManageUnit.h"
#include "reservation/ReserveUnit.h"
#include "service/CarteUnit.h"
#include "service/CelerityServingUnit.h"
#include "service/MenuInsPrintUnit.h"
#include "service/MenuInsUnit.h"
#include "service/PrickUnit.h"
#include "service/ReckoningUnit.h"
#include "service/SellUnit.h"
#include "service/TableSelecterUnit.h"
#include "service/TollStationUnit.h"

namespace {
// The main window's size: a common desktop screen, or SCREENSHOT_SIZE=WxH (e.g.
// 1024x768) to see a window on a smaller one.
QSize screenSize() {
    const QStringList wh = qEnvironmentVariable("SCREENSHOT_SIZE").split('x');
    if (wh.size() == 2 && wh[0].toInt() > 0 && wh[1].toInt() > 0) return {wh[0].toInt(), wh[1].toInt()};
    return {1366, 768};
}

// Logs in through the login dialog, as a person would.
void logIn(const QString& user, const QString& password) {
    TloginForm login;
    login.userName->setText(user);
    login.password->setText(password);
    login.loginBtnClick();
}

// The main window after the administrator logged in, the tree built.
TmainForm* loggedInMain() {
    auto* main = new TmainForm;
    main->loginDone = true;  // no about box and login on the first paint
    logIn("admin", "admin");
    main->buildFunctionTree(currentEmployeeId);
    main->refreshTimerTimer();
    main->resize(screenSize());
    return main;
}

// The main window with one function window open, maximised inside it; says so when
// the id opens nothing or another window than the one the picture is named for.
template <class Form>
QWidget* mainWith(int functionId) {
    TmainForm* main = loggedInMain();
    main->show();
    TparentForm* form = main->openFunction(functionId);
    if (!qobject_cast<Form*>(form))
        std::fprintf(stderr, "screenshot: function %d does not open a %s\n", functionId,
                     Form::staticMetaObject.className());
    if (form && form->parentWidget()) form->parentWidget()->showMaximized();
    return main;
}

// A dish line of table 牡丹厅 as the dish-choosing window makes it, stored when
// `table` is an instance id (0: in memory only, id 57).
TPOMenuIns sampleLine(int table, const QString& dish, double price, double quantity, const QString& remark) {
    TPOMenuIns line;
    line.setId(57);
    line.setConsultId(table);
    line.setRelaType(TPOMenuIns::relaTableIns);
    line.setMenuName(dish);
    line.setPrice(price);
    line.setQuantity(quantity);
    line.setUnit(QStringLiteral("份"));
    line.setState(TPOMenuIns::stateNormal);
    line.setServing(TPOMenuIns::servingWaiting);
    line.setPrinterCode(QStringLiteral("P001"));
    line.setPrintState(TPOMenuIns::printDone);
    line.setDescription(remark);
    if (table) TMenuInsMgr::insert(line);
    return line;
}

// The fast-serving window after three tickets of one table were scanned.
QWidget* servedLines() {
    QWidget* main = mainWith<TcelerityServingForm>(7);
    auto* form = main->findChild<TcelerityServingForm*>();
    TPOTableIns tableIns;
    tableIns.setTableId(7);
    tableIns.setTableName(QStringLiteral("牡丹厅"));
    tableIns.setState(QStringLiteral("TIS001"));
    const int table = TTableInsMgr::insert(tableIns);
    const TPOMenuIns lines[] = {sampleLine(table, QStringLiteral("宫保鸡丁"), 28, 1, QString()),
                                sampleLine(table, QStringLiteral("清蒸鲈鱼"), 68.5, 2, QString()),
                                sampleLine(table, QStringLiteral("扬州炒饭"), 18, 3, QString())};
    for (const TPOMenuIns& line : lines) {
        form->menuCode->setText("6900" + QString::number(100000000 + line.getId()));
        form->menuCodeKeyUp();
    }
    form->menuCode->setText(QStringLiteral("69001000"));
    return main;
}

// A kitchen ticket as it comes out of the printer, at 200 dpi.
QWidget* ticket() {
    TmenuInsPrintForm printForm;
    const TPOMenuIns line = sampleLine(0, QStringLiteral("宫保鸡丁"), 28, 2, QStringLiteral("少辣，不要花生"));
    auto* label = new QLabel;
    label->setPixmap(QPixmap::fromImage(
        TmenuInsPrintForm::ticketPageImage(printForm.makeTicket(QStringLiteral("牡丹厅"), line), 200)));
    label->resize(label->sizeHint());
    return label;
}

// Six days of orders and dish lines up to today, so the reports have rows to show.
void addSampleSales() {
    const QStringList dishes{"宫保鸡丁", "鱼香肉丝", "红烧肉", "青岛啤酒", "拍黄瓜", "清蒸鲈鱼"};
    QStringList sql;
    int id = 1;
    for (int day = 0; day < 6; ++day) {
        for (int meal = 0; meal < 3; ++meal, ++id) {
            const double time = Date() - day + (11 + meal * 3) / 24.0;
            const double price = 80 + id * 37 % 260;
            sql << QStringLiteral("insert into o_order(id,create_time,rebate_type,rebate_value,price,price1,state,"
                                  "operator_id,operator_name,description) values(%1,%2,'%3',%4,%5,%6,'ORD001',3,"
                                  "'李四','%7')")
                       .arg(id).arg(time, 0, 'f', 8).arg(id % 3 ? "无" : "打折").arg(id % 3 ? 0 : 9.5)
                       .arg(price).arg(id % 3 ? price : price * 0.95).arg(id % 4 ? "" : "开发票");
            sql << QStringLiteral("insert into table_instance(id,order_id,table_id,table_name,start_time,state) "
                                  "values(%1,%1,1,'101',%2,'TIS002')").arg(id).arg(time - 0.05, 0, 'f', 8);
            for (int line = 0; line < 1 + id % 4; ++line)
                sql << QStringLiteral("insert into menu_instance(id,consult_id,rela_type,menu_name,quantity,state) "
                                      "values(%1,%2,'MIR003','%3',1,'MI001')")
                           .arg(id * 10 + line).arg(id).arg(dishes[(id + line) % dishes.size()]);
        }
    }
    TDatabaseCtrl().execute(sql.join(';'));
}

// A report window inside the main window, queried over the sample sales.
template <class Report>
QWidget* reportWith(int functionId) {
    addSampleSales();
    QWidget* main = mainWith<Report>(functionId);
    if (auto* report = qobject_cast<ReportWindow*>(subForms[functionId].data())) report->findBtn->click();
    return main;
}

template <class Dialog>
QWidget* dialog() {
    logIn("admin", "admin");
    return new Dialog;
}

// Two ordered lines, the first a served gift.
TMenuInsList& sampleLines() {
    static TMenuInsList lines;
    for (const auto& [name, price, unit, state] :
         {std::tuple{"宫保鸡丁", 38.0, "份", "MI002"}, std::tuple{"青岛啤酒", 8.0, "瓶", "MI001"}}) {
        auto line = std::make_shared<TPOMenuIns>();
        line->setMenuName(QString::fromUtf8(name));
        line->setMenuTypeName(QStringLiteral("热菜"));
        line->setPrice(price);
        line->setQuantity(2);
        line->setUnit(QString::fromUtf8(unit));
        line->setState(QString::fromUtf8(state));
        line->setServing(QStringLiteral("MI004"));
        line->setPrinterCode(QStringLiteral("P001"));
        line->setPrintState(QStringLiteral("MIP001"));
        line->setDescription(QStringLiteral("少放辣"));
        lines.push_back(line);
    }
    return lines;
}

// The dish-choosing window with the first category chosen and one dish clicked.
QWidget* carte() {
    auto* form = new TcarteForm;
    form->setMenuInsList(sampleLines());
    form->menuTypeButtonMouseDown(form->menuTypeButtons[0]);
    form->menuButtonClick(form->menuButtons[2]);
    return form;
}

QWidget* menuIns() {
    auto* form = new TmenuInsForm;
    form->setWindowTitle(QStringLiteral("宫保鸡丁"));
    form->loadMenuIns(sampleLines().front());
    return form;
}

// The bill of two tables with a gift and a discount of 8 (80 %), the paid amount typed.
QWidget* reckoning() {
    logIn("admin", "admin");
    static std::vector<TPOTableIns> tables;
    for (auto [table, name] : {std::pair{1, "101"}, std::pair{2, "102"}}) {
        TPOTableIns ins;
        ins.setTableId(table);
        ins.setTableName(QString::fromUtf8(name));
        ins.setState(QStringLiteral("TIS001"));
        TTableInsMgr::insert(ins);
        tables.push_back(ins);
    }
    sampleLine(tables[0].getId(), QStringLiteral("宫保鸡丁"), 28, 1, QString());
    sampleLine(tables[0].getId(), QStringLiteral("清蒸鲈鱼"), 68.5, 1, QString());
    sampleLine(tables[1].getId(), QStringLiteral("扬州炒饭"), 18, 3, QString());
    TPOMenuIns gift = sampleLine(tables[1].getId(), QStringLiteral("青岛啤酒"), 8, 2, QString());
    gift.setState(TPOMenuIns::stateGift);
    gift.setServing(TPOMenuIns::servingDone);
    TMenuInsMgr::update(gift);
    auto* form = new TReckoningForm;
    form->loadReckoning(tables);
    form->rebateType->setCurrentText(QStringLiteral("打折"));
    form->rebateValue->setText(QStringLiteral("8"));
    form->price2->setText(QStringLiteral("150"));
    form->computeBill();
    return form;
}

// The reservation dialog at lunch: 101 and 102 booked and saved, dishes for 101 and
// for the whole reservation, 103 in use.
QWidget* reservation() {
    TPOTableIns inUse;
    inUse.setTableId(3);
    inUse.setState(QStringLiteral("TIS001"));
    TTableInsMgr::insert(inUse);
    auto* form = static_cast<TreserveForm*>(dialog<TreserveForm>());
    form->viewArea->refreshTables();
    for (int table : {1, 2}) {
        form->tableListView->setSelectedItem(form->tableListView->findTableItem(table));
        form->tableListViewDblClick();
    }
    form->guestName->setText(QStringLiteral("周先生"));
    form->telephone->setText(QStringLiteral("13812345678"));
    form->guestNum->setText(QStringLiteral("12"));
    form->description->setPlainText(QStringLiteral("靠窗，一位老人"));
    std::vector<int> dishes = {0, 1};  // two dishes for 101, then one for everybody
    TexclusiveForm::setDialogDriver([&dishes](TexclusiveForm* shown) {
        auto* carte = static_cast<TcarteForm*>(shown);
        carte->menuTypeButtonMouseDown(carte->menuTypeButtons[0]);
        for (int dish : dishes) carte->menuButtonClick(carte->menuButtons[size_t(dish)]);
        carte->confirmButtonClick();
        dishes = {2};
    });
    form->selectStringGrid->setRow(1);
    form->singleAddMenuClick();
    form->addMenuClick();
    TexclusiveForm::setDialogDriver(nullptr);
    form->applyButtonClick();
    form->selectStringGrid->setRow(1);
    return form;
}

// The cashier at lunch: 102 (selected, with lines) and 103 in use and in the batch,
// 104 checked out, 105 booked by a guest whose reservation is selected.
QWidget* tollStation() {
    int firstIns = 0;
    for (auto [table, state] : {std::pair{2, "TIS001"}, std::pair{3, "TIS001"}, std::pair{4, "TIS002"}}) {
        TPOTableIns ins;
        ins.setTableId(table);
        ins.setTableName(QString::number(100 + table));
        ins.setStartTime(encodeDateTime(2024, 5, 10, 11, 35, 0));
        ins.setState(state);
        ins.setDescription(QStringLiteral("生日聚餐"));
        const int id = TTableInsMgr::insert(ins);
        if (!firstIns) firstIns = id;
    }
    sampleLine(firstIns, QStringLiteral("宫保鸡丁"), 28, 1, QString());
    sampleLine(firstIns, QStringLiteral("清蒸鲈鱼"), 68.5, 1, QString());
    TDatabaseCtrl().execute(
        QStringLiteral("insert into reserve(id,guest_name,telephone,state) values(90,'周先生','13812345678','R001');"
                       "insert into reserve_table(id,reserve_id,table_name,table_id,eat,eat_id,eat_date,state) "
                       "values(90,90,'105',5,'午餐',2,%1,'RT001')")
            .arg(double(encodeDateTime(2024, 5, 10)), 0, 'f', 1));
    QWidget* main = mainWith<TtollStationForm>(6);
    if (auto* toll = qobject_cast<TtollStationForm*>(subForms[6].data())) {
        toll->showReserves();
        toll->reserveGrid->setRow(1);
        toll->showReserveTables();
        for (int table : {3, 2}) {
            TTableItem* item = toll->findTableItem(table);
            toll->tableListView->setSelectedItem(item);
            toll->tableListViewSelectItem(item, true);
            toll->tableListViewDblClick();
        }
    }
    return main;
}

// The reservation overview at lunch: three open reservations, two of them booked on
// this floor today, one table in use.
QWidget* reserveOverview() {
    const double today = encodeDateTime(2024, 5, 10), tomorrow = today + 1;
    QStringList sql;
    const QStringList guests = {"周先生", "王女士", "李经理"};
    for (int r = 0; r < guests.size(); ++r)
        sql << QStringLiteral("insert into reserve(id,guest_name,telephone,state,create_time) values(%1,'%2','1381234567%1',"
                              "'R001',%3)").arg(r + 1).arg(guests[r]).arg(today - 3 + r);
    // reserve, table, meal, date
    const QList<std::tuple<int, int, int, double>> bookings = {
        {1, 1, 2, today}, {1, 2, 2, today}, {1, 7, 3, tomorrow}, {2, 4, 2, today}, {3, 12, 3, tomorrow}};
    int id = 1;
    for (const auto& [reserve, table, eat, date] : bookings)
        sql << QStringLiteral("insert into reserve_table select %1,%2,t.table_name,t.id,e.name,e.id,e.start_time,e.end_time,"
                              "%3,'RT001' from table_spec t, eat e where t.id=%4 and e.id=%5")
                   .arg(id++).arg(reserve).arg(date, 0, 'f', 1).arg(table).arg(eat);
    sql << QStringLiteral("insert into table_instance(id,table_id,table_name,state) values(1,3,'103','TIS001')");
    TDatabaseCtrl().execute(sql.join(';'));
    return mainWith<TreserveManageForm>(2);
}

// Menu administration with the first category chosen and its second dish pressed.
QWidget* menuManage() {
    auto* main = static_cast<TmainForm*>(mainWith<TmenuManageForm>(4));
    if (auto* form = qobject_cast<TmenuManageForm*>(main->openFunction(4))) {
        emit form->menuTypeButtons[0]->mouseDown(Qt::LeftButton);
        emit form->menuButtons[1]->mouseDown(Qt::LeftButton);
    }
    return main;
}

// A property dialog given the grid button of entry `id`, as menu administration does.
template <class Dialog, class Button>
QWidget* attrDialog(int id, void (Dialog::*setButton)(Button*)) {
    auto* dialog = new Dialog;
    auto* button = new Button(dialog);
    button->hide();
    button->setMaxLength(12);
    button->setId(id);
    (dialog->*setButton)(button);
    return dialog;
}

const std::map<QString, std::function<QWidget*()>> windows = {
    {"main", [] { return loggedInMain(); }},
    {"caller",
     [] {
         TmainForm* main = loggedInMain();
         main->guestName->setText(QStringLiteral("周先生"));
         main->telephone->setText(QStringLiteral("13812345678"));
         main->address->setPlainText(QStringLiteral("北京路8号"));
         main->guestInforGroupBox->show();
         return main;
     }},
    {"login", [] { return new TloginForm; }},
    {"sell",
     [] {
         // Lunch, 102 in use with a remark and four dish lines, 104 checked out; 周先生
         // has 103 and 105 booked; 102 selected and in the batch.
         int inUseId = 0;
         for (auto [table, state] : {std::pair{2, "TIS001"}, std::pair{4, "TIS002"}}) {
             TPOTableIns ins;
             ins.setTableId(table);
             ins.setTableName(QString::number(100 + table));
             ins.setStartTime(encodeDateTime(2024, 5, 10, 11, 35, 0));
             ins.setState(state);
             ins.setDescription(QStringLiteral("不要辣"));
             TTableInsMgr::insert(ins);
             if (!inUseId) inUseId = ins.getId();
         }
         sampleLine(inUseId, QStringLiteral("宫保鸡丁"), 38, 1, QString());
         TPOMenuIns served = sampleLine(inUseId, QStringLiteral("清蒸鲈鱼"), 68.5, 1, QString());
         served.setServing(TPOMenuIns::servingDone);
         TMenuInsMgr::update(served);
         TPOMenuIns gift = sampleLine(inUseId, QStringLiteral("青岛啤酒"), 8, 2, QString());
         gift.setState(TPOMenuIns::stateGift);
         gift.setPrintState(TPOMenuIns::printWaiting);
         TMenuInsMgr::update(gift);
         TPOMenuIns returned = sampleLine(inUseId, QStringLiteral("红烧肉"), 48, 1, QString());
         returned.setState(TPOMenuIns::stateReturned);
         TMenuInsMgr::update(returned);
         const QString booking = QStringLiteral(
             "insert into reserve_table select %1,%2,t.table_name,t.id,e.name,e.id,e.start_time,e.end_time,%3,'RT001' "
             "from table_spec t, eat e where t.id=%4 and e.id=2");
         TDatabaseCtrl().execute(
             QStringLiteral("insert into reserve(id,guest_name,telephone,state) values(1,'周先生','13812345678','R001');"
                            "insert into reserve(id,guest_name,telephone,state) values(2,'王女士','13900000000','R004');") +
             booking.arg(1).arg(1).arg(double(Date()), 0, 'f', 1).arg(3) + ";" +
             booking.arg(2).arg(1).arg(double(Date()), 0, 'f', 1).arg(5) + ";" +
             booking.arg(3).arg(2).arg(double(Date()), 0, 'f', 1).arg(1));
         QWidget* main = mainWith<TsellForm>(1);
         if (auto* sell = qobject_cast<TsellForm*>(subForms[1].data())) {
             sell->selectTable(2);
             sell->tableBatGrid->addTable(2, QStringLiteral("TIS001"));
             sell->showReserveTables();
         }
         return main;
     }},
    {"sellReport", [] { return reportWith<TsellReportForm>(8); }},
    {"sellStatReport", [] { return reportWith<TsellStatReportForm>(9); }},
    {"menuInsStatReport", [] { return reportWith<TmenuInsStatReportForm>(10); }},
    {"about", [] { return new TaboutForm; }},
    {"lock", [] { return dialog<TlockForm>(); }},
    {"password", [] { return dialog<TchangePasswordForm>(); }},
    {"employee", [] { return mainWith<TemployeeManageForm>(5); }},
    {"tableManage", [] { return mainWith<TtableManageForm>(3); }},
    {"option", [] { return dialog<ToptionForm>(); }},
    {"celerityServing", servedLines},
    {"prick",
     [] {
         addSampleSales();
         return mainWith<TprickForm>(11);
     }},
    {"ticket", ticket},
    {"carte", carte},
    {"reserve", reservation},
    {"reserveManage", reserveOverview},
    {"menuins", menuIns},
    {"tollStation", tollStation},
    {"reckoning", reckoning},
    {"tableAttrib",
     [] {
         auto* form = static_cast<TtableAttribForm*>(dialog<TtableAttribForm>());
         auto* plan = new TTableListView(form);  // the caller's plan, not shown
         plan->hide();
         plan->showLayout(1);
         form->setTableItem(plan->findTableItem(5));
         return form;
     }},
    {"tableSelecter",
     [] {
         // Lunch, with one table in use and one checked out, so the map shows its colours.
         for (auto [table, state] : {std::pair{2, "TIS001"}, std::pair{3, "TIS002"}}) {
             TPOTableIns ins;
             ins.setTableId(table);
             ins.setState(state);
             TTableInsMgr::insert(ins);
         }
         auto* form = static_cast<TtableSelecterForm*>(dialog<TtableSelecterForm>());
         form->tableListView->setSelectedItem(form->tableListView->findTableItem(5));
         form->tableListViewDblClick();  // 105 picked
         return form;
     }},
    {"menumanage", menuManage},
    {"menuattr", [] { return attrDialog(1, &TmenuAttrForm::setMenuButton); }},
    {"menutypeattr", [] { return attrDialog(1, &TMenuTypeAttrForm::setMenuTypeButton); }},
};

int usage() {
    QStringList names;
    for (const auto& entry : windows) names << entry.first;
    std::fprintf(stderr, "usage: screenshot <window> <out.png> [db-path] | --list\nwindows: %s\n",
                 names.join(' ').toLocal8Bit().constData());
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    loadQtChineseTexts();
    QStringList args = app.arguments().mid(1);
    if (args == QStringList{"--list"}) {  // the names, one a line, for scripts and tests
        for (const auto& entry : windows) std::printf("%s\n", entry.first.toUtf8().constData());
        return 0;
    }
    if (args.size() < 2 || args.size() > 3) return usage();
    auto renderer = windows.find(args[0]);
    if (renderer == windows.end()) return usage();

    QTemporaryDir tmp;
    QString dbPath = args.size() == 3 ? args[2] : tmp.filePath("db.mdb");
    if (args.size() < 3) {
        QString error = createDatabaseFile(
            dbPath, {"db/schema.sql", "db/seed.sql", "tests/fixtures/sample.sql"});
        if (!error.isEmpty()) {
            std::fprintf(stderr, "screenshot: %s (run it from the repository root)\n", error.toLocal8Bit().constData());
            return 1;
        }
    }
    Tdata::useDatabaseFile(dbPath);
    // Every window at lunch time of one fixed day, so the pictures do not change from
    // day to day.
    setNowForTest(encodeDateTime(2024, 5, 10, 12, 0, 0));
    // No message box may wait for a person here: print them instead.
    setMessageHandler([](const MessageRequest& r) {
        std::fprintf(stderr, "message: %s\n", r.text.toLocal8Bit().constData());
        return r.buttons == MsgYesNo || r.buttons == MsgYesNoCancel ? int(AnsYes) : int(AnsOk);
    });
    registerProgramWindows();

    QWidget* window = nullptr;
    try {
        window = renderer->second();
    } catch (const std::exception& e) {
        // The sample rows go in with fixed ids, so a file given here must not hold them yet.
        const bool taken = QByteArray(e.what()).contains("UNIQUE constraint failed");
        std::fprintf(stderr, "screenshot: cannot render %s on %s: %s\n%s",
                     args[0].toLocal8Bit().constData(), dbPath.toLocal8Bit().constData(), e.what(),
                     taken ? "the file already holds rows with the ids of the sample data: give a file made by "
                             "makedb with tests/fixtures/sample.sql and nothing more, or no db-path\n"
                           : "");
        Tdata::reset();
        return 1;
    }
    window->show();
    QApplication::processEvents();
    bool saved = window->grab().save(args[1], "PNG");
    if (!saved) std::fprintf(stderr, "screenshot: cannot write %s\n", args[1].toLocal8Bit().constData());
    delete window;
    Tdata::reset();
    return saved ? 0 : 1;
}
