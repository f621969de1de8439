#include "masteredit/EntryCodes.h"

#include "masteredit/MasterEditTexts.h"
#include "platform/Host.h"

const CodeRange kGyomuCodeRange{1, 32, masteredittext::kNoFreeGyomuCode, masteredittext::kGyomuCodeOutOfRange};
const CodeRange kProgramCodeRange{1, 99, masteredittext::kNoFreeProgramCode, masteredittext::kProgramCodeOutOfRange};
const CodeRange kTankaCodeRange{1000, 1999, masteredittext::kNoFreeTankaCode, masteredittext::kTankaCodeOutOfRange};
const CodeRange kHenkaritsuCodeRange{1, 2000, masteredittext::kNoFreeHenkaritsuCode,
                                     masteredittext::kHenkaritsuCodeOutOfRange};

namespace {
void Refuse(const char* text) { AfxMessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation); }
}  // namespace

bool CheckFreeCode(int code, const CodeRange& range) {
    if (code != -1) return true;
    Refuse(range.noFreeCode);
    return false;
}

bool CheckEntryCode(int code, const CodeRange& range, int count, const std::function<int(int index)>& codeAt,
                    int self) {
    // An entry that keeps its code (a rename) keeps it even outside the range: the 業務 lists hold
    // the summary rows (合計, 消費税相当額, …) under codes above 32.
    if (self >= 0 && self < count && codeAt(self) == code) return true;
    if (code < range.low || code > range.high) {
        Refuse(range.outOfRange);
        return false;
    }
    for (int i = 0; i < count; ++i)
        if (i != self && codeAt(i) == code) {
            Refuse(masteredittext::kCodeInUse);
            return false;
        }
    return true;
}
