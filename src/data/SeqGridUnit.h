#pragma once
#include <QString>
#include <QStringList>
#include <functional>

enum class TGridMove { Up, Down, Left, Right };

// A button grid laid out row by row from a 1-based `seq` column: the dish
// categories (two columns) or the dishes of one category (four columns). Keeps
// the positions of its scope 1..n without gaps or repeats.
class TSeqGrid {
public:
    // `scope` narrows the rows to one grid, e.g. " and menu_type_id=3"; empty for
    // a table that is one grid.
    TSeqGrid(const QString& table, int columns, const QString& scope = QString());

    // The position a move of the button at `seq` goes to, or 0 when it would leave
    // the grid. `count` is asked only for moves down and right.
    int neighbour(TGridMove move, int seq, const std::function<int()>& count) const;
    // Swaps the button `id` at `seq` with its neighbour in one transaction. No
    // neighbour: nothing runs, no message, false. Failure: the move's message, false.
    bool move(TGridMove move, int id, int seq, const std::function<int()>& count) const;
    // The statement that closes the gap a row leaving position `seq` leaves behind.
    QString closeGapSQL(int seq) const;

private:
    QString table;
    int columns;
    QString scope;
};
