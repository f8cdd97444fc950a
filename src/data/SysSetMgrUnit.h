#pragma once
#include <QString>
#include <optional>
#include <vector>

#include "data/POSysSetUnit.h"

// Reads the typed settings; nothing in the system writes them. Every failure is
// swallowed without a message: a missing printer must never stop a ticket run.
class TSysSetMgr {
public:
    static inline const QString printType = QStringLiteral("print");

    static std::optional<TPOSysSet> getSysSet(const QString& type, const QString& code);
    static std::optional<TPOSysSet> getPrintSet(const QString& printerCode);
    // Ordered by code as text; empty on any failure.
    static std::vector<TPOSysSet> getSysSetList(const QString& type);
};
