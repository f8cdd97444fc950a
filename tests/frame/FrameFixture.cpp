#include "frame/FrameFixture.h"

#include <QApplication>
#include <QTest>

#include "frame/FunctionWindowsUnit.h"
#include "frame/GlobalsUnit.h"
#include "frame/LoginUnit.h"
#include "platform/AppControl.h"
#include "platform/Browser.h"

int DummyForm::created = 0;
int DummyForm::destroyed = 0;
QList<int> DummyForm::closedIds;

void registerDummyWindows(const QList<int>& ids) {
    for (int id : ids) registerFunctionWindow(id, [id] { return new DummyForm(id); });
}

void FrameTest::SetUp() {
    SampleDbTest::SetUp();
    currentEmployeeId = 0;
    currentUserName.clear();
    currentPassword.clear();
    incomingTelephone.clear();
    existModem = false;
    modemPort = 0;
    modemCommand.clear();
    DummyForm::created = DummyForm::destroyed = 0;
    DummyForm::closedIds.clear();
    setTerminateHandler([this] { ++quitRequests; });
    setWebPageHandler([this](const QString& address) { webPages << address; });
}

void FrameTest::TearDown() {
    for (int id = 1; id <= functionCount; ++id) registerFunctionWindow(id, nullptr);
    registerOptionsDialog(nullptr);
    for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    flushDeletes();
    setTerminateHandler(nullptr);
    setWebPageHandler(nullptr);
    TexclusiveForm::setDialogDriver(nullptr);
    SampleDbTest::TearDown();
}

void FrameTest::type(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

void FrameTest::click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

void FrameTest::logIn(QWidget* loginDialog, const QString& user, const QString& password) {
    auto* d = qobject_cast<TloginForm*>(loginDialog);
    ASSERT_TRUE(d);
    type(d->userName, user);
    type(d->password, password);
    click(d->loginBtn);
}

void FrameTest::logInAs(const QString& user, const QString& password) {
    DialogScript script;
    script.expect<TloginForm>([&](TloginForm* d) { logIn(d, user, password); });
    TloginForm login;
    login.showExclusive();
}

void FrameTest::flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
