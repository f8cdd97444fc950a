#pragma once
// Drives the modal dialogs of a test in the expected order: each step names the
// dialog class and what to do while it is shown. A dialog unscripted or out of order
// fails the test and is closed as rejected, so nothing ever waits for a person.
#include <deque>
#include <functional>
#include <gtest/gtest.h>

#include "frame/ExclusiveUnit.h"

class DialogScript {
public:
    DialogScript() { TexclusiveForm::setDialogDriver([this](TexclusiveForm* dialog) { next(dialog); }); }
    ~DialogScript() {
        TexclusiveForm::setDialogDriver(nullptr);
        EXPECT_TRUE(steps.empty()) << steps.size() << " scripted dialog(s) never shown";
    }

    template <class Dialog>
    void expect(std::function<void(Dialog*)> action = {}) {
        steps.push_back([action](TexclusiveForm* shown) {
            auto* dialog = qobject_cast<Dialog*>(shown);
            if (!dialog)
                ADD_FAILURE() << "expected " << Dialog::staticMetaObject.className() << ", shown "
                              << shown->metaObject()->className();
            else if (action)
                action(dialog);
        });
    }

private:
    void next(TexclusiveForm* dialog) {
        if (steps.empty()) {
            ADD_FAILURE() << "unscripted dialog " << dialog->metaObject()->className();
            return;
        }
        auto step = std::move(steps.front());
        steps.pop_front();
        step(dialog);
    }
    std::deque<std::function<void(TexclusiveForm*)>> steps;
};
