#pragma once
// Drives the modal dialogs of a test in the order they are expected to appear. Each
// step names the dialog class and what to do with it while it is shown (type, click,
// check). A dialog that appears unscripted or out of order fails the test; it is
// then closed as rejected, so nothing ever waits for a person.
//
//     DialogScript script;
//     script.expect<TloginForm>([](TloginForm* d) { ... d->loginBtn->click(); });
//     mainWindow.switchUserClick();
#include <QStringList>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

#include "frame/ExclusiveUnit.h"

class DialogScript {
public:
    DialogScript() {
        TexclusiveForm::setDialogDriver([this](TexclusiveForm* dialog) { next(dialog); });
    }
    ~DialogScript() {
        TexclusiveForm::setDialogDriver(nullptr);
        EXPECT_TRUE(steps.empty()) << steps.size() << " scripted dialog(s) never shown";
    }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    template <class Dialog>
    void expect(std::function<void(Dialog*)> action = {}) {
        steps.push_back([action](TexclusiveForm* shown) {
            auto* dialog = qobject_cast<Dialog*>(shown);
            if (!dialog) {
                ADD_FAILURE() << "expected " << Dialog::staticMetaObject.className() << ", shown "
                              << shown->metaObject()->className();
                return;
            }
            if (action) action(dialog);
        });
    }
    bool finished() const { return steps.empty(); }
    QStringList shown;  // class names, in the order the dialogs appeared

private:
    void next(TexclusiveForm* dialog) {
        shown << dialog->metaObject()->className();
        if (steps.empty()) {
            ADD_FAILURE() << "unscripted dialog " << dialog->metaObject()->className();
            return;
        }
        auto step = steps.front();
        steps.pop_front();
        step(dialog);
    }
    std::deque<std::function<void(TexclusiveForm*)>> steps;
};
