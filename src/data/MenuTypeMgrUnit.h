#pragma once
#include <optional>
#include <vector>

#include "data/POMenuTypeUnit.h"

enum class TGridMove;

// Reads and writes `menu_type`; keeps the categories' `seq` 1..n in the
// two-column grid.
class TMenuTypeMgr {
public:
    // The new id, or 0 (after a message) when nothing was stored. The record's own
    // id is left as it was.
    static int insert(const TPOMenuType& record);
    static bool update(const TPOMenuType& record);
    // Refused while dishes still belong to the category.
    static bool Delete(int id);
    static int getMaxId();
    static std::optional<TPOMenuType> getMenuTypeById(int id);
    static std::vector<TPOMenuType> getMenuTypeList();
    static int getCount();
    static bool moveUp(int id);
    static bool moveDown(int id);
    static bool moveLeft(int id);
    static bool moveRight(int id);

private:
    static bool move(int id, TGridMove direction);
};
