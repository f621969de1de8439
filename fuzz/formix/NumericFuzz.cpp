// Feeds arbitrary bytes to every reader of the numeric classes: archive loads, binary records, text
// forms and the bracket readers. Each must either take the input or refuse it leaving the object as
// it was, without a crash, undefined behaviour or an allocation beyond what the input holds; what a
// reader takes must write out in a form that reads back to the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "formix/FormixArchive.h"
#include "formix/Matrix.h"
#include "formix/TextList.h"
#include "formix/Vektor.h"

namespace {

using namespace formix;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

template <typename T>
std::string Stored(T& object) {
    CArchive ar;
    object.Serialize(ar);
    return ar.Buffer();
}

// Loads `bytes`; a refused load leaves the object unchanged, a taken one stores bytes that load
// into a fresh object storing the same bytes again.
template <typename T>
void LoadArchive(T& object, const std::string& bytes) {
    const std::string before = Stored(object);
    CArchive in(bytes);
    try {
        object.Serialize(in);
    } catch (const CArchiveException&) {
        Require(Stored(object) == before);
        return;
    }
    const std::string stored = Stored(object);
    T again;
    CArchive in2(stored);
    again.Serialize(in2);
    Require(in2.Remaining() == 0 && Stored(again) == stored);
}

template <typename T>
std::string Record(const T& object) {
    std::ostringstream os;
    object.WriteBinary(os);
    return os.str();
}

template <typename T>
void ReadRecord(T& object, const std::string& bytes) {
    const std::string before = Record(object);
    std::istringstream is(bytes);
    object.ReadBinary(is);
    if (is.fail()) {
        Require(Record(object) == before);
        return;
    }
    const std::string written = Record(object);
    T again;
    std::istringstream is2(written);
    again.ReadBinary(is2);
    Require(!is2.fail() && Record(again) == written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    CVektor v(1.0, 2.0);
    CMatrix m(1.0, 2.0, 3.0, 4.0);
    switch (data[0] % 9) {
        case 0: LoadArchive(v, bytes); break;
        case 1: LoadArchive(m, bytes); break;
        case 2: {
            CTextList list("list", 2, 2);
            LoadArchive(list, bytes);
            break;
        }
        case 3: {
            CFloatVektor f(2);
            LoadArchive(f, bytes);
            break;
        }
        case 4: ReadRecord(v, bytes); break;
        case 5: ReadRecord(m, bytes); break;
        case 6: {
            std::istringstream is(bytes);
            is >> v;
            std::istringstream is2(bytes);
            is2 >> m;
            break;
        }
        case 7: {
            std::istringstream is(bytes);
            ReadBracketed(is, v);
            break;
        }
        default: {
            std::istringstream is(bytes);
            ReadBracketed(is, m);
            break;
        }
    }
    return 0;
}
