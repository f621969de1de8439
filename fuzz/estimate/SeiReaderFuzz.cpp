// Feeds arbitrary bytes to the estimate file reader. A file that loads must store again and load
// back to the same bytes (the reader and writer agree on every layout); a refused file must leave
// the document as it was.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "estimate/VemoWinDocData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    CVemoWinDocData doc;
    const std::string empty = doc.StoreBytes();
    if (doc.LoadBytes(bytes, "fuzz.sei") == 0) {
        if (doc.StoreBytes() != empty) std::abort();
        return 0;
    }
    const std::string stored = doc.StoreBytes();
    CVemoWinDocData again;
    if (again.LoadBytes(stored, "again.sei") != 1) std::abort();
    if (again.StoreBytes() != stored) std::abort();
    return 0;
}
