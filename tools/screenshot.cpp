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
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <map>

#include "app/ProgramWindows.h"
#include "backoffice/TableAttribUnit.h"
#include "data/DatabaseCtrlUnit.h"
#include "frame/AboutUnit.h"
#include "frame/ChangePasswordUnit.h"
#include "frame/GlobalsUnit.h"
#include "frame/LockUnit.h"
#include "frame/LoginUnit.h"
#include "frame/MainUnit.h"
#include "frame/ParentUnit.h"
#include "frame/TableMapUnit.h"
#include "data/TableInsMgrUnit.h"
#include "platform/DatabaseFile.h"
#include "platform/Messages.h"
#include "service/TableSelecterUnit.h"

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
    {"about", [] { return new TaboutForm; }},
    {"lock", [] { return dialog<TlockForm>(); }},
    {"password", [] { return dialog<TchangePasswordForm>(); }},
    {"employee", [] { return mainWith(5); }},
    {"tableManage", [] { return mainWith(3); }},
    {"option", [] { return dialog<ToptionForm>(); }},
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
         setNowForTest(encodeDateTime(2024, 5, 10, 12, 0, 0));
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
