// Truncated, corrupt and hostile master files: each is refused with an archive exception or loads
// cleanly; none crashes, reads past the end or allocates what the file cannot hold.
#include <gtest/gtest.h>

#include <random>

#include "ByteFixture.h"
#include "MasterBuilders.h"
#include "ScriptedHost.h"

using namespace masterbuild;

namespace {

template <class Root>
void EveryTruncationIsRefused(const Root& sampleConst) {
    Root sample;
    sample.Copy(sampleConst);
    const std::string bytes = StoreMasterBytes(sample);
    for (size_t n = 0; n < bytes.size(); ++n) {
        Root target;
        EXPECT_THROW(LoadRoot<Root>(bytes.substr(0, n)), CArchiveException) << "length " << n;
        EXPECT_EQ(LoadMasterFromBytes(target, bytes.substr(0, n)), MasterLoadResult::corrupt);
    }
    EXPECT_NO_THROW(LoadRoot<Root>(bytes));
}

// Flips bytes at random; whatever happens must be a clean load, a foreign signature or an archive
// exception (the sanitizers watch the rest).
template <class Root>
void RandomDamageIsHandled(const Root& sampleConst, unsigned seed) {
    Root sample;
    sample.Copy(sampleConst);
    const std::string bytes = StoreMasterBytes(sample);
    std::mt19937 rng(seed);
    for (int round = 0; round < 300; ++round) {
        std::string damaged = bytes;
        int flips = 1 + static_cast<int>(rng() % 4);
        for (int i = 0; i < flips; ++i) {
            size_t at = 37 + rng() % (damaged.size() - 37);  // keep most signatures intact
            damaged[at] = static_cast<char>(rng());
        }
        Root target;
        MasterLoadResult r = LoadMasterFromBytes(target, damaged);
        EXPECT_TRUE(r == MasterLoadResult::loaded || r == MasterLoadResult::corrupt ||
                    r == MasterLoadResult::foreignSignature);
    }
}

}  // namespace

TEST(HostileFiles, EveryTruncationOfEveryMasterIsRefused) {
    ScriptedHost host;
    EveryTruncationIsRefused(SampleBukakeFile());
    EveryTruncationIsRefused(SampleHenkaritsuFile());
    EveryTruncationIsRefused(SampleTankaFile());
    EveryTruncationIsRefused(SampleZairyoTankaFile());
    EveryTruncationIsRefused(SampleShokeihiFile());
    EveryTruncationIsRefused(SampleProgramKingakuFile());
    EveryTruncationIsRefused(SampleHyoshiData());
}

TEST(HostileFiles, RandomDamageNeverCrashes) {
    ScriptedHost host;
    RandomDamageIsHandled(SampleBukakeFile(), 1);
    RandomDamageIsHandled(SampleHenkaritsuFile(), 2);
    RandomDamageIsHandled(SampleTankaFile(), 3);
    RandomDamageIsHandled(SampleZairyoTankaFile(), 4);
    RandomDamageIsHandled(SampleShokeihiFile(), 5);
    RandomDamageIsHandled(SampleProgramKingakuFile(), 6);
    RandomDamageIsHandled(SampleHyoshiData(), 7);
}

TEST(HostileFiles, HugeAndNegativeCountsAreRefusedBeforeAllocating) {
    auto header = [] { return ByteFixture().Byte(0x24).Raw(kBukakeSignatureBytes).Int(110).Int(1).Int(0); };
    for (int32_t count : {-1, INT32_MIN, INT32_MAX, 1000000}) {
        try {
            LoadRoot<CBukakeFile>(header().Int(count).Bytes());
            ADD_FAILURE() << "count " << count << " accepted";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, CArchiveException::badCount) << count;
        }
    }
    // A 業務 announcing more 工種 than the rest of the file could hold.
    EXPECT_THROW(LoadRoot<CBukakeFile>(header().Int(1).Int(1).ShortText("").Int(50).Raw(std::string(100, '\0')).Bytes()),
                 CArchiveException);
    // A cover history list with more entries than bytes.
    ByteFixture cover;
    cover.Byte(36).Raw(kHyoshiSignatureBytes).Int(100).EmptyTexts(18).Int(0x7FFFFFFF);
    EXPECT_THROW(LoadRoot<CHyoshiData>(cover.Bytes()), CArchiveException);
    // A text whose length runs past the end.
    ByteFixture text;
    text.Byte(0x24).Raw(kBukakeSignatureBytes).Int(110).Int(1).Int(0).Int(1).Int(1);
    text.Byte(0xFF).Byte(0xFF).Byte(0xFF).Int(0x7FFFFFF0);
    EXPECT_THROW(LoadRoot<CBukakeFile>(text.Bytes()), CArchiveException);
}

TEST(HostileFiles, TheRecordBeingReadIsNotAppended) {
    // Two 業務, the second cut off inside its name: only the first one stays in the root.
    CBukakeFile f;
    AddGyomu(f, 1, "一");
    AddGyomu(f, 2, "二二二");
    std::string bytes = StoreMasterBytes(f);
    CBukakeFile target;
    CArchive ar(bytes.substr(0, bytes.size() - 6));
    int ok = -1;
    EXPECT_THROW(target.Serialize(ar, &ok), CArchiveException);
    ASSERT_EQ(target.GetCount(), 1);
    EXPECT_EQ(target.GetGyomu(0)->m_code, 1);
}
