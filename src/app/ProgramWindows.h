#pragma once
// The windows the main window opens, registered once at start by the program and by
// the screenshot tool. A new function window or the options dialog is one line here
// (plus its include), e.g.
//     registerFunctionWindow(1, [] { return new TsellForm; });
//     registerOptionsDialog([] { return new ToptionForm; });
// An id left out opens nothing from the function tree.
#include "backoffice/MenuManageUnit.h"
#include "frame/FunctionWindowsUnit.h"

inline void registerProgramWindows() {
    registerFunctionWindow(4, [] { return new TmenuManageForm; });
}
