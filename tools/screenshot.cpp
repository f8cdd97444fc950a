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
#include "backoffice/MenuAttrUnit.h"
#include "backoffice/MenuManageUnit.h"
#include "backoffice/MenuTypeAttrUnit.h"
#include "data/DatabaseCtrlUnit.h"
#include "frame/AboutUnit.h"
#include "frame/ChangePasswordUnit.h"
#include "frame/GlobalsUnit.h"
#include "frame/LockUnit.h"
#include "frame/LoginUnit.h"
#include "frame/MainUnit.h"
#include "frame/MenuButtonUnit.h"
#include "frame/MenuTypeButtonUnit.h"
#include "frame/ParentUnit.h"
#include "platform/DatabaseFile.h"
#include "platform/Messages.h"
#include "service/CarteUnit.h"
#include "service/MenuInsUnit.h"

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

// Menu administration with the first category chosen and its second dish pressed.
QWidget* menuManage() {
    auto* main = static_cast<TmainForm*>(mainWith(4));
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
    {"about", [] { return new TaboutForm; }},
    {"lock", [] { return dialog<TlockForm>(); }},
    {"password", [] { return dialog<TchangePasswordForm>(); }},
    {"carte", carte},
    {"menuins", menuIns},
    {"menumanage", menuManage},
    {"menuattr", [] { return attrDialog(1, &TmenuAttrForm::setMenuButton); }},
    {"menutypeattr", [] { return attrDialog(1, &TMenuTypeAttrForm::setMenuTypeButton); }},
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
