// screenshot <window> <out.png> [db-path]: renders one window with the sample data
// to a PNG, so a person can look at it without a desktop. Without a db-path a
// temporary database is made from db/schema.sql, db/seed.sql and
// tests/fixtures/sample.sql, found relative to the working directory.
//
// A new window is one line in `windows` below, e.g. a function window shown inside
// the main window:   {"sell", [] { return mainWith(1); }},
#include <QApplication>
#include <QDir>
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
#include "backoffice/ReportWindow.h"
#include "data/DatabaseCtrlUnit.h"
#include "frame/AboutUnit.h"
#include "frame/ChangePasswordUnit.h"
#include "frame/GlobalsUnit.h"
#include "frame/LockUnit.h"
#include "frame/LoginUnit.h"
#include "frame/MainUnit.h"
#include "frame/ParentUnit.h"
#include "platform/DatabaseFile.h"
#include "platform/DateTime.h"
#include "platform/Messages.h"

namespace {
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
    main->resize(1024, 700);
    return main;
}

// The main window with one function window open, maximised inside it.
[[maybe_unused]] QWidget* mainWith(int functionId) {
    TmainForm* main = loggedInMain();
    main->show();
    if (TparentForm* form = main->openFunction(functionId)) {
        if (QWidget* frame = form->parentWidget()) frame->showMaximized();
    } else {
        std::fprintf(stderr, "screenshot: no window registered for function %d\n", functionId);
    }
    return main;
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
QWidget* reportWith(int functionId) {
    addSampleSales();
    QWidget* main = mainWith(functionId);
    if (auto* report = qobject_cast<ReportWindow*>(subForms[functionId].data())) report->findBtn->click();
    return main;
}

template <class Dialog>
QWidget* dialog() {
    logIn("admin", "admin");
    return new Dialog;
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
    {"sellReport", [] { return reportWith(8); }},
    {"sellStatReport", [] { return reportWith(9); }},
    {"menuInsStatReport", [] { return reportWith(10); }},
    {"about", [] { return new TaboutForm; }},
    {"lock", [] { return dialog<TlockForm>(); }},
    {"password", [] { return dialog<TchangePasswordForm>(); }},
};

int usage() {
    QStringList names;
    for (const auto& entry : windows) names << entry.first;
    std::fprintf(stderr, "usage: screenshot <window> <out.png> [db-path]\nwindows: %s\n",
                 names.join(' ').toLocal8Bit().constData());
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
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
    // No message box may wait for a person here: print them instead.
    setMessageHandler([](const MessageRequest& r) {
        std::fprintf(stderr, "message: %s\n", r.text.toLocal8Bit().constData());
        return r.buttons == MsgYesNo || r.buttons == MsgYesNoCancel ? int(AnsYes) : int(AnsOk);
    });
    registerProgramWindows();

    QWidget* window = renderer->second();
    window->show();
    QApplication::processEvents();
    bool saved = window->grab().save(args[1], "PNG");
    if (!saved) std::fprintf(stderr, "screenshot: cannot write %s\n", args[1].toLocal8Bit().constData());
    delete window;
    Tdata::reset();
    return saved ? 0 : 1;
}
