// Fuzzes the reading of "AutoVerup.txt": any bytes split into ten lines, their versions read, and
// the rewritten text read back to the same lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "master/AutoVerup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CAutoVerupText text = CAutoVerupText::Parse(bytes);
    for (int n = 1; n <= static_cast<int>(CAutoVerupText::kLineCount); ++n) text.VersionOf(n);
    text.LineIs(6, "All AutoVerup = 対応する");
    // Lines hold no LF, so the rewritten text splits into the same lines again (a missing line comes
    // back empty) as long as it stays within the read limit.
    const std::string rewritten = text.Format();
    if (rewritten.size() <= CAutoVerupText::kReadLimit) {
        CAutoVerupText again = CAutoVerupText::Parse(rewritten);
        for (int n = 1; n <= static_cast<int>(CAutoVerupText::kLineCount); ++n) {
            const std::string& line = text.Line(n);
            const std::string expected = line == CAutoVerupText::kMissingLine ? std::string() : line;
            if (again.Line(n) != expected) std::abort();
        }
    }
    return 0;
}
