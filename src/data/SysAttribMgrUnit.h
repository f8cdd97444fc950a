#pragma once
#include <QString>
#include <optional>
#include <vector>

#include "data/POSysAttribUnit.h"

// Reads the fixed attribute lists. Nothing is caught here: a failure ends the
// caller's action in the default error box.
class TSysAttribMgr {
public:
    // In database order, which is the display order.
    static std::vector<TPOSysAttrib> getSysAttribsByType(const QString& type);
    static std::optional<TPOSysAttrib> getSysAttribByNumber(const QString& number);
};
