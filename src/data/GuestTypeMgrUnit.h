#pragma once
#include <QStringList>

// Reads the fixed list of guest types.
class TGuestTypeMgr {
public:
    // Names in id order; on failure, the names read so far.
    static QStringList getGuestTypeNames();
};
