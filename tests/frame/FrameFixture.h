#pragma once
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <memory>

#include "frame/DialogScript.h"
#include "frame/MainUnit.h"
#include "frame/ParentUnit.h"
#include "support/TestDatabase.h"

// The sample restaurant with nobody logged in, the quit request and the web page
// recorded instead of carried out, and no function window registered.
class FrameTest : public SampleDbTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Clears an edit and types into it as a person would.
    static void type(QLineEdit* edit, const QString& text);
    static void click(QPushButton* button);
    // Fills the login dialog and presses "登录".
    static void logIn(QWidget* loginDialog, const QString& user, const QString& password);
    // Logs in through the dialog, outside the main window.
    void logInAs(const QString& user, const QString& password);
    // Runs pending deleteLater()s, so freed windows are really gone.
    static void flushDeletes();

    int quitRequests = 0;
    QStringList webPages;
};

// A function window that counts how often it is made and freed, and notes the
// order in which windows are closed.
class DummyForm : public TparentForm {
public:
    explicit DummyForm(int functionId) : id(functionId) { ++created; }
    ~DummyForm() override { ++destroyed; }
    static int created;
    static int destroyed;
    static QList<int> closedIds;

protected:
    void closeEvent(QCloseEvent* event) override {
        closedIds << id;
        TparentForm::closeEvent(event);
    }

private:
    int id;
};
// Registers DummyForm for each of the ids.
void registerDummyWindows(const QList<int>& ids);
