#pragma once
#include "platform/IconListView.h"

// A dining table on a floor plan. The table's id is the item's data id, so any
// item of a floor plan can be traced back to its table.
class TTableItem : public TIconListItem {
public:
    int getTableId() const { return dataId(); }
    void setTableId(int id) { setDataId(id); }
};
