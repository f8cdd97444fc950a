#include "platform/Messages.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "platform/AppControl.h"
#include "platform/Errors.h"

namespace {
MessageHandler currentHandler;

// What a box answers when nobody can press a button: Cancel or No where it has them.
int refusal(MsgButtons buttons) {
    if (buttons == MsgOkCancel || buttons == MsgYesNoCancel) return AnsCancel;
    if (buttons == MsgYesNo) return AnsNo;
    return AnsOk;
}

int realBox(const MessageRequest& r) {
    // Once the program was asked to quit, a box would close at once unanswered: it
    // must not count as a yes or an OK.
    if (terminationRequested()) return refusal(r.buttons);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        std::fprintf(stderr, "%s\n", r.text.toLocal8Bit().constData());
        return r.buttons == MsgYesNo || r.buttons == MsgYesNoCancel ? AnsYes : AnsOk;
    }
    QMessageBox::StandardButtons buttons;
    switch (r.buttons) {
    case MsgYesNo: buttons = QMessageBox::Yes | QMessageBox::No; break;
    case MsgOkCancel: buttons = QMessageBox::Ok | QMessageBox::Cancel; break;
    case MsgYesNoCancel: buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    default: buttons = QMessageBox::Ok; break;
    }
    QMessageBox::Icon icon = QMessageBox::Information;
    if (r.kind == MsgWarning) icon = QMessageBox::Warning;
    if (r.kind == MsgQuestion) icon = QMessageBox::Question;
    if (r.kind == MsgError) icon = QMessageBox::Critical;
    QMessageBox box(icon, r.caption.isEmpty() ? QStringLiteral("提示") : r.caption, r.text, buttons,
                    QApplication::activeWindow());
    dropMaximizeButton(&box);
    // A box shown during a long action (the wait cursor set) still waits for a click.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int pressed = box.exec();
    if (busy) QApplication::restoreOverrideCursor();
    switch (pressed) {
    case QMessageBox::Yes: return AnsYes;
    case QMessageBox::No: return AnsNo;
    case QMessageBox::Cancel: return AnsCancel;
    case QMessageBox::Ok: return AnsOk;
    default: return refusal(r.buttons);  // closed without a button
    }
}
}  // namespace

int showMessage(const QString& text, const QString& caption, MsgButtons buttons, MsgKind kind) {
    MessageRequest r{kind, caption, text, buttons};
    return currentHandler ? currentHandler(r) : realBox(r);
}

bool askYesNo(const QString& text, const QString& caption) {
    return showMessage(text, caption, MsgYesNo, MsgQuestion) == AnsYes;
}

void showErrorBox(const QString& text) { showMessage(text, QStringLiteral("错误"), MsgOk, MsgError); }

void setMessageHandler(MessageHandler handler) { currentHandler = std::move(handler); }

QString exceptionText(const std::exception& e) {
    if (auto s = dynamic_cast<const SystemError*>(&e)) return s->text();
    return QString::fromUtf8(e.what());
}

bool runGuarded(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        showErrorBox(exceptionText(e));
    } catch (...) {
        showErrorBox(QStringLiteral("未知错误"));
    }
    return false;
}
