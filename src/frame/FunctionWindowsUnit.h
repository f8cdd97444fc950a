#pragma once
#include <QString>
#include <functional>

class TparentForm;
class TexclusiveForm;

// What each function id of the main window's tree is: its node text, its group
// ("" at top level), the right that gates it, in the order the tree shows them.
struct FunctionEntry {
    int functionId;
    QString text;
    QString group;
    QString rightKey;
};
const FunctionEntry* functionEntries();  // functionCount entries, in tree order
const FunctionEntry* functionEntry(int functionId);  // nullptr for an unknown id
extern const QString optionRightKey;  // the right that enables "选项"

// The windows are built in later libraries, so the main window creates them through
// factories that the program registers at start (one line per window), e.g.
//     registerFunctionWindow(1, [] { return new TsellForm; });
// An id without a factory opens nothing.
using FunctionWindowFactory = std::function<TparentForm*()>;
void registerFunctionWindow(int functionId, FunctionWindowFactory factory);  // empty unregisters
TparentForm* createFunctionWindow(int functionId);  // nullptr when none is registered

// Likewise the options dialog behind the menu item "选项".
using DialogFactory = std::function<TexclusiveForm*()>;
void registerOptionsDialog(DialogFactory factory);
TexclusiveForm* createOptionsDialog();  // nullptr when none is registered
