// Fuzzes the readers of the seven master files. Any bytes must load or be refused (a foreign signature
// or an archive exception) without crashing; a file that loads must store, load and store again to
// the same bytes, and its copy must equal it.
//
// Input: the first byte chooses the master (its value modulo 7); with its top bit set the master's
// own signature is put in front of the remaining bytes, so that the fuzzer spends its time on the body.
#include <cstddef>
#include <cstdint>
#include <string>

#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/HyoshiData.h"
#include "master/ProgramKingakuFile.h"
#include "master/ShokeihiFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"
#include "platform/Cp932.h"

namespace {

std::string WithSignature(std::string_view signature, std::string body) {
    std::string cp932 = vemo::Utf8ToCp932(signature);
    CArchive ar;
    ar.WriteRawString(cp932);
    return ar.Buffer() + body;
}

template <class Root>
void Check(const std::string& bytes) {
    Root root;
    if (LoadMasterFromBytes(root, bytes) != MasterLoadResult::loaded) return;
    Root copy;
    copy.Copy(root);
    if (!(copy == root)) __builtin_trap();
    std::string first = StoreMasterBytes(root);
    Root again;
    if (LoadMasterFromBytes(again, first) != MasterLoadResult::loaded) __builtin_trap();
    if (StoreMasterBytes(again) != first) __builtin_trap();
}

// The lookups and totals the calculation runs over a loaded 歩掛 master.
void Walk(const std::string& bytes) {
    CBukakeFile f;
    if (LoadMasterFromBytes(f, bytes) != MasterLoadResult::loaded) return;
    for (int g = 0; g < f.GetCount(); ++g) {
        CBukakeGyomu* gyomu = f.GetGyomu(g);
        for (int category = -1; category <= 6; ++category) gyomu->GetNewKoshuCode(category);
        for (int k = 0; k < gyomu->GetCount(); ++k) {
            CBukakeKoshu* koshu = gyomu->GetKoshu(k);
            gyomu->MoveKoshu(k, k + 1);
            koshu->GetNewShubetsuCode();
            for (int s = 0; s < koshu->GetCount(); ++s) {
                const CBukakeDetail& d = koshu->GetShubetsu(s)->GetDetail();
                for (int c = -1; c <= 10; ++c) d.GetShokushuTotal(c);
                for (int l = -1; l <= d.GetLineCount(); ++l) d.GetLineTotal(l);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const bool prefix = (data[0] & 0x80) != 0;
    std::string body(reinterpret_cast<const char*>(data + 1), size - 1);
    auto input = [&](const MasterFormat& format) {
        return prefix ? WithSignature(format.signature, body) : body;
    };
    switch ((data[0] & 0x7F) % 7) {
        case 0: {
            std::string bytes = input(kBukakeFormat);
            Check<CBukakeFile>(bytes);
            Walk(bytes);
            break;
        }
        case 1: Check<CHenkaritsuFile>(input(kHenkaritsuFormat)); break;
        case 2: Check<CTankaFile>(input(kTankaFormat)); break;
        case 3: Check<CZairyoTankaFile>(input(kZairyoTankaFormat)); break;
        case 4: Check<CShokeihiFile>(input(kShokeihiFormat)); break;
        case 5: Check<CProgramKingakuFile>(input(kProgramKingakuFormat)); break;
        case 6: Check<CHyoshiData>(input(kHyoshiFormat)); break;
    }
    return 0;
}
