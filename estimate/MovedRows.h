#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "master/BukakeFile.h"
#include "master/BukakeMoveRecord.h"

class CSekisanItemList;

// The rows of an estimate that name a user 工種 or 種別 by a code an update of the 歩掛 master took
// from it (master/BukakeMoveRecord.h): an estimate made before the update is pointed at the entry's
// new code instead of being priced, without a word, by whatever entry the master now holds at the
// old one.

// A row a move concerns.
struct MovedRow {
    int index;          // its position in the list
    std::string names;  // the names the estimate shows: 業務, 工種 and, on a 種別 row, 種別
    bool shubetsu;      // a 種別 row whose 種別 code moved; else a 工種 row
    int32_t oldCode;    // its 工種 (種別) code before the check
    int32_t newCode;    // its code after it; kUnset on a row left as it was
};

// What a check did: the rows it pointed at new codes, and the rows it left for the user to choose
// again, each in the order of the list.
struct MovedRowsCheck {
    std::vector<MovedRow> moved;
    std::vector<MovedRow> left;
    bool Empty() const { return moved.empty() && left.empty(); }
};

// Applies the moves to the rows, one after the other in their order (an entry moved twice ends on its
// last code). A 工種 row on a move's 業務 and old code whose upper name is the moved entry's, while
// the master holds no 工種 of that name at the old code, takes the new code together with the 種別
// rows under it; a 種別 row likewise for a move of a 種別. Such a row is left as it is, and listed,
// when the master's entry at the old code has the same name, when the user edited its name, or when
// the entry could not be carried. Rows of other names are not the moved entry's: they are left
// alone.
MovedRowsCheck RepointMovedRows(CSekisanItemList& list, const std::vector<BukakeMoveLine>& moves,
                                const CBukakeFile& master);

// The message that tells the user what the check did to the estimate of that name; "" when it did
// nothing.
std::string MovedRowsMessage(const MovedRowsCheck& check, const std::string& estimateName);
