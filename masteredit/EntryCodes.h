#pragma once
#include <functional>

// The codes the editors give their entries. A master's free-code search answers -1 when every code
// of its range is taken, and the name dialog returns whatever code was typed: both are checked
// here before anything is stored, so that no entry ever gets -1, a code outside its range or a
// code another entry of the same list already has.
struct CodeRange {
    int low, high;
    const char* noFreeCode;  // told when the range is full
    const char* outOfRange;  // told for a code outside low..high
};

// 業務 codes of the 歩掛, 変化率・補正率 and 諸経費 lists, and the codes of the プログラム金額 records.
extern const CodeRange kGyomuCodeRange;
extern const CodeRange kProgramCodeRange;
// Ids of the trades of the 単価 master.
extern const CodeRange kTankaCodeRange;
// Codes of the 変化率・補正率 records: 1..999 shipped, 1000..2000 the user's.
extern const CodeRange kHenkaritsuCodeRange;

// false, after telling the user, when the free-code search found none (-1).
bool CheckFreeCode(int code, const CodeRange& range);
// false, after telling the user, when code lies outside the range or an entry other than the one
// at self (-1: a new entry) already has it; count and codeAt describe the list. The code the entry
// at self has already is always accepted.
bool CheckEntryCode(int code, const CodeRange& range, int count, const std::function<int(int index)>& codeAt,
                    int self);
