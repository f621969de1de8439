#include "masteredit/EntryCodes.h"

#include "masteredit/MasterEditTexts.h"
#include "platform/Host.h"

const CodeRange kGyomuCodeRange{1, 32, masteredittext::kNoFreeGyomuCode, masteredittext::kGyomuCodeOutOfRange};
const CodeRange kProgramCodeRange{1, 99, masteredittext::kNoFreeProgramCode, masteredittext::kProgramCodeOutOfRange};

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
