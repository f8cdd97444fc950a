#pragma once
#include <QString>
#include <functional>

// Every message box of the system goes through here, so tests can answer them.
enum MsgButtons { MsgOk = 1, MsgYesNo = 2, MsgOkCancel = 3, MsgYesNoCancel = 4 };
enum MsgAnswer { AnsOk = 1, AnsCancel = 2, AnsYes = 6, AnsNo = 7 };
enum MsgKind { MsgInformation, MsgWarning, MsgQuestion, MsgError };

struct MessageRequest {
    MsgKind kind;
    QString caption;
    QString text;
    MsgButtons buttons;
};

// Shows a message box and returns the button pressed.
int showMessage(const QString& text, const QString& caption = QString(), MsgButtons buttons = MsgOk,
                MsgKind kind = MsgInformation);
// Yes/No question; true for Yes.
bool askYesNo(const QString& text, const QString& caption = QString());
// The default error box for a failure that ended the user's action.
void showErrorBox(const QString& text);

using MessageHandler = std::function<int(const MessageRequest&)>;
// Replaces the real boxes (tests); an empty handler restores them.
void setMessageHandler(MessageHandler handler);
