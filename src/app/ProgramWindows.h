#pragma once
// The windows the main window opens, registered once at start by the program and by
// the screenshot tool. A new function window or the options dialog is one line here
// (plus its include), e.g.
//     registerFunctionWindow(1, [] { return new TsellForm; });
//     registerOptionsDialog([] { return new ToptionForm; });
// An id left out opens nothing from the function tree.
#include "backoffice/EmployeeManageUnit.h"
#include "backoffice/MenuInsStatReportUnit.h"
#include "backoffice/MenuManageUnit.h"
#include "backoffice/OptionUnit.h"
#include "backoffice/SellReportUnit.h"
#include "backoffice/SellStatReportUnit.h"
#include "backoffice/TableManageUnit.h"
#include "frame/FunctionWindowsUnit.h"
#include "reservation/ReserveManageUnit.h"
#include "service/CelerityServingUnit.h"
#include "service/PrickUnit.h"
#include "service/SellUnit.h"
#include "service/TollStationUnit.h"

inline void registerProgramWindows() {
    registerFunctionWindow(1, [] { return new TsellForm; });
    registerFunctionWindow(2, [] { return new TreserveManageForm; });
    registerFunctionWindow(3, [] { return new TtableManageForm; });
    registerFunctionWindow(4, [] { return new TmenuManageForm; });
    registerFunctionWindow(5, [] { return new TemployeeManageForm; });
    registerFunctionWindow(6, [] { return new TtollStationForm; });
    registerFunctionWindow(7, [] { return new TcelerityServingForm; });
    registerFunctionWindow(8, [] { return new TsellReportForm; });
    registerFunctionWindow(9, [] { return new TsellStatReportForm; });
    registerFunctionWindow(10, [] { return new TmenuInsStatReportForm; });
    registerFunctionWindow(11, [] { return new TprickForm; });
    registerOptionsDialog([] { return new ToptionForm; });
}
