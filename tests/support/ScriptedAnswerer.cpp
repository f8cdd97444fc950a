#include "support/ScriptedAnswerer.h"

void ScriptedAnswerer::install() {
    setMessageHandler([this](const MessageRequest& r) {
        seen << r;
        if (!queue.isEmpty()) return queue.takeFirst();
        return (r.buttons == MsgYesNo || r.buttons == MsgYesNoCancel) ? int(AnsYes) : int(AnsOk);
    });
}

void ScriptedAnswerer::uninstall() { setMessageHandler(nullptr); }

QStringList ScriptedAnswerer::texts() const {
    QStringList out;
    for (const auto& r : seen) out << r.text;
    return out;
}
