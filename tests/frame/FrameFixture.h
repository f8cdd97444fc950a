#pragma once
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTreeWidget>

#include "frame/AboutUnit.h"
#include "frame/DialogScript.h"
#include "frame/FunctionWindowsUnit.h"
#include "frame/GlobalsUnit.h"
#include "frame/LoginUnit.h"
#include "frame/MainUnit.h"
#include "frame/ParentUnit.h"
#include "platform/AppControl.h"
#include "platform/Browser.h"
#include "support/TestDatabase.h"

// The sample restaurant with nobody logged in, quit requests and web pages recorded
// instead of carried out, and no function window registered.
class FrameTest : public SampleDbTest {
protected:
    void SetUp() override {
        SampleDbTest::SetUp();
        currentEmployeeId = modemPort = 0;
        currentUserName = currentPassword = incomingTelephone = modemCommand = QString();
        existModem = false;
        setTerminateHandler([this] { ++quitRequests; });
        setWebPageHandler([this](const QString& address) { webPages << address; });
    }
    void TearDown() override {
        for (int id = 1; id <= functionCount; ++id) registerFunctionWindow(id, nullptr);
        registerOptionsDialog(nullptr);
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
        flushDeletes();
        setTerminateHandler(nullptr);
        setWebPageHandler(nullptr);
        TexclusiveForm::setDialogDriver(nullptr);
        SampleDbTest::TearDown();
    }
    // Key by key; keyClicks knows Latin-1 keys only, so other characters come as
    // the text of a key, as from an input method.
    static void type(QLineEdit* edit, const QString& text) {
        edit->clear();
        for (QChar c : text) QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    static void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // A right press, then the context menu a desktop sends after it.
    static void rightClick(QWidget* widget, QPoint at = QPoint()) {
        if (at.isNull()) at = widget->rect().center();
        QTest::mousePress(widget, Qt::RightButton, {}, at);
        QTest::mouseRelease(widget, Qt::RightButton, {}, at);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &event);
    }
    // Clicks an entry of the popup that is open.
    static void choose(QMenu* popup, const QString& text) {
        ASSERT_TRUE(popup->isVisible());
        for (QAction* a : popup->actions())
            if (a->isVisible() && a->text() == text) {
                QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(a).center());
                return;
            }
        popup->hide();
        FAIL() << "no entry " << text.toStdString();
    }
    static void logIn(TloginForm* d, const QString& user, const QString& password) {
        type(d->userName, user);
        type(d->password, password);
        click(d->loginBtn);
    }
    // Logs in through the login dialog, outside the main window.
    void logInAs(const QString& user, const QString& password) {
        DialogScript script;
        script.expect<TloginForm>([&](TloginForm* d) { logIn(d, user, password); });
        TloginForm().showExclusive();
    }
    // The about box then the login dialog, as the first paint and a user switch show
    // them; an empty user cancels the login.
    static void aboutThenLogin(const QString& user, const QString& password, const std::function<void()>& action) {
        DialogScript script;
        script.expect<TaboutForm>([](TaboutForm* d) { click(d->okBtn); });
        script.expect<TloginForm>([=](TloginForm* d) { user.isEmpty() ? click(d->cancelBtn) : logIn(d, user, password); });
        action();
    }
    // Shows the main window as the program does, logging in through its first paint.
    static void showLoggedIn(TmainForm& main, const QString& user, const QString& password) {
        main.resize(1024, 700);
        aboutThenLogin(user, password, [&] {
            main.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&main));
            EXPECT_TRUE(QTest::qWaitFor([&] { return main.loginDone; }));
        });
    }
    // A tree as text: top-level nodes, children in brackets.
    static QStringList tree(const QTreeWidget* t) {
        std::function<QString(QTreeWidgetItem*)> text = [&](QTreeWidgetItem* n) {
            QStringList children;
            for (int i = 0; i < n->childCount(); ++i) children << text(n->child(i));
            return n->text(0) + (children.isEmpty() ? "" : "[" + children.join(",") + "]");
        };
        QStringList out;
        for (int i = 0; i < t->topLevelItemCount(); ++i) out << text(t->topLevelItem(i));
        return out;
    }
    static QStringList tree(const TmainForm& main) { return tree(main.functionTree); }
    // Runs pending deleteLater()s, so freed windows are really gone.
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    // Another program comes in front of this one, and this one back, as the desktop
    // tells the program.
    static void anotherProgramInFront() { emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive); }
    static void programBackInFront() { emit qGuiApp->applicationStateChanged(Qt::ApplicationActive); }

    int quitRequests = 0;
    QStringList webPages;
};

// A function window that counts how often it is made and notes the order of closing;
// the ids in `refusing` refuse to close (an unsaved bill).
class DummyForm : public TparentForm {
public:
    explicit DummyForm(int functionId) : id(functionId) { ++created; }
    static inline int created = 0;
    static inline QList<int> closedIds;
    static inline QSet<int> refusing;
    static void registerFor(const QList<int>& ids) {
        created = 0;
        closedIds.clear();
        refusing.clear();
        for (int id : ids) registerFunctionWindow(id, [id] { return new DummyForm(id); });
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        closedIds << id;
        if (refusing.contains(id))
            event->ignore();
        else
            TparentForm::closeEvent(event);
    }

private:
    int id;
};
