#include "frame/FunctionWindowsUnit.h"

#include "frame/GlobalsUnit.h"

namespace {
const QString backOffice = QStringLiteral("后台维护");
const QString reports = QStringLiteral("报表统计");

const FunctionEntry entries[functionCount] = {
    {6, QStringLiteral("收银台"), QString(), QStringLiteral("tollStation")},
    {1, QStringLiteral("营业管理"), QString(), QStringLiteral("sell")},
    {7, QStringLiteral("传菜管理"), QString(), QStringLiteral("celerityServing")},
    {2, QStringLiteral("预订管理"), QString(), QStringLiteral("reserveManage")},
    {11, QStringLiteral("扎账管理"), QString(), QStringLiteral("prickManage")},
    {4, QStringLiteral("菜单维护"), backOffice, QStringLiteral("menuManage")},
    {3, QStringLiteral("桌台维护"), backOffice, QStringLiteral("tableManage")},
    {5, QStringLiteral("员工管理"), backOffice, QStringLiteral("employeeManage")},
    {8, QStringLiteral("营业清单"), reports, QStringLiteral("sellReport")},
    {9, QStringLiteral("营业额统计"), reports, QStringLiteral("sellStatReport")},
    {10, QStringLiteral("营业菜单统计"), reports, QStringLiteral("menuInsStatReport")},
};

FunctionWindowFactory windowFactories[functionCount + 1];
DialogFactory optionsFactory;
}  // namespace

const QString optionRightKey = QStringLiteral("option");

const FunctionEntry* functionEntries() { return entries; }

const FunctionEntry* functionEntry(int functionId) {
    for (const FunctionEntry& e : entries)
        if (e.functionId == functionId) return &e;
    return nullptr;
}

void registerFunctionWindow(int functionId, FunctionWindowFactory factory) {
    if (functionId >= 1 && functionId <= functionCount) windowFactories[functionId] = std::move(factory);
}

TparentForm* createFunctionWindow(int functionId) {
    if (functionId < 1 || functionId > functionCount || !windowFactories[functionId]) return nullptr;
    return windowFactories[functionId]();
}

void registerOptionsDialog(DialogFactory factory) { optionsFactory = std::move(factory); }

TexclusiveForm* createOptionsDialog() { return optionsFactory ? optionsFactory() : nullptr; }
