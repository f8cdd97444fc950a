#include "support/ScriptedAnswerer.h"

#include "data/DatabaseCtrlUnit.h"

void ScriptedAnswerer::install() {
    setMessageHandler([this](const MessageRequest& r) {
        seen << r;
        // A box waiting for an answer while the write lock is held stops every other station.
        if (dataInstance && dataInstance->adoConnection.inTransaction()) shownInsideTransaction << r.text;
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
