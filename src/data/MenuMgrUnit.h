#pragma once
#include <optional>
#include <vector>

#include "data/POMenuUnit.h"

enum class TGridMove;

// Reads and writes `menu`; keeps each category's `seq` 1..n in its four-column grid.
class TMenuMgr {
public:
    // The new id, or 0 (after a message) when nothing was stored. The record's own
    // id is left as it was.
    static int insert(const TPOMenu& record);
    // A dish that changes category leaves a closed gap behind and goes last in its
    // new category; the record then holds its new `seq`.
    static bool update(TPOMenu& record);
    static bool Delete(int id);
    static int getMaxId();
    static std::optional<TPOMenu> getMenuById(int id);
    static std::vector<TPOMenu> getMenusByType(int menuTypeId);
    static int getCountByType(int menuTypeId);
    static int getCount();
    // Moves within the grid of category `menuTypeId`.
    static bool moveUp(int menuTypeId, int id);
    static bool moveDown(int menuTypeId, int id);
    static bool moveLeft(int menuTypeId, int id);
    static bool moveRight(int menuTypeId, int id);

private:
    static bool move(int menuTypeId, int id, TGridMove direction);
};
