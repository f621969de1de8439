// Tests of master/HyoshiData.h.
#include <gtest/gtest.h>

#include "ByteFixture.h"
#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "master/HyoshiData.h"
#include "master/MasterTexts.h"
#include "platform/Cp932.h"

using namespace masterbuild;

namespace {
std::vector<std::string> History(const CHyoshiData& d, int list) {
    std::vector<std::string> out;
    for (int i = 0; i < d.GetHistoryCount(list); ++i) out.push_back(d.GetHistoryItem(list, i));
    return out;
}
}  // namespace

TEST(HyoshiData, AddHistoryMovesToTheFrontWithoutDuplicates) {
    CHyoshiData d;
    for (const char* t : {"A", "B", "A"}) d.AddHistory(CHyoshiData::kHistoryPrintTitle, t);
    EXPECT_EQ(History(d, 0), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(d.FindHistory(0, "B"), 1);
    EXPECT_EQ(d.FindHistory(0, "b"), -1);  // case-sensitive
    EXPECT_EQ(d.GetHistoryCount(1), 0);

    // A 件名 read from other codes of its characters and the same 件名 typed are one entry.
    const std::string read = vemo::Cp932ToUtf8("\xED\x40\xFA\x4A");
    d.AddHistory(CHyoshiData::kHistorySubject, read);
    d.AddHistory(CHyoshiData::kHistorySubject, "纊Ⅰ");
    EXPECT_EQ(History(d, CHyoshiData::kHistorySubject), std::vector<std::string>{"纊Ⅰ"});
    EXPECT_EQ(d.FindHistory(CHyoshiData::kHistorySubject, read), 0);
}

TEST(HyoshiData, TwentyEntriesAtMost) {
    CHyoshiData d;
    for (int i = 1; i <= 20; ++i) d.AddHistory(2, "件名" + std::to_string(i));
    EXPECT_EQ(d.GetHistoryCount(2), 20);
    d.AddHistory(2, "新しい件名");  // the oldest entry drops out
    EXPECT_EQ(d.GetHistoryCount(2), 20);
    EXPECT_EQ(d.GetHistoryItem(2, 0), "新しい件名");
    EXPECT_EQ(d.GetHistoryItem(2, 19), "件名2");
    EXPECT_EQ(d.FindHistory(2, "件名1"), -1);
    d.AddHistory(2, "件名10");  // present: only moved to the front
    EXPECT_EQ(d.GetHistoryCount(2), 20);
    EXPECT_EQ(d.GetHistoryItem(2, 0), "件名10");
    EXPECT_EQ(d.GetHistoryItem(2, 1), "新しい件名");
    EXPECT_EQ(d.GetHistoryItem(2, 19), "件名2");

    // A file may hold more than 20: adding brings the list back to 20.
    CHyoshiData loaded;
    for (int i = 0; i < 25; ++i) loaded.AppendHistory(3, std::to_string(i));
    EXPECT_EQ(loaded.GetHistoryCount(3), 25);
    loaded.AddHistory(3, "new");
    EXPECT_EQ(loaded.GetHistoryCount(3), 20);
    EXPECT_EQ(loaded.GetHistoryItem(3, 0), "new");
    EXPECT_EQ(loaded.GetHistoryItem(3, 19), "18");
}

TEST(HyoshiData, AddressLinesShareOneListAndBadListNumbersAreHarmless) {
    CHyoshiData d;
    d.m_address1 = "農林水産省";
    d.m_address2 = "御中";
    d.AddHistory(CHyoshiData::kHistoryAddress, d.m_address1);
    d.AddHistory(CHyoshiData::kHistoryAddress, d.m_address2);
    EXPECT_EQ(History(d, 1), (std::vector<std::string>{"御中", "農林水産省"}));

    EXPECT_EQ(d.GetHistoryCount(4), -1);
    EXPECT_EQ(d.GetHistoryCount(-1), -1);
    EXPECT_EQ(d.GetHistoryItem(4, 0), "");
    EXPECT_EQ(d.GetHistoryItem(1, 2), "");
    EXPECT_EQ(d.GetHistoryItem(1, -1), "");
    EXPECT_EQ(d.FindHistory(4, "御中"), -1);
    EXPECT_EQ(d.AppendHistory(4, "x"), -1);
    d.AddHistory(4, "x");
    d.RemoveHistoryAt(1, 5);
    d.RemoveHistoryAt(9, 0);
    EXPECT_EQ(d.GetHistoryCount(1), 2);

    d.RemoveHistory(1, "御中");
    EXPECT_EQ(History(d, 1), std::vector<std::string>{"農林水産省"});
    d.RemoveHistory(1, "ない");
    d.AppendHistory(1, "末尾");
    EXPECT_EQ(History(d, 1), (std::vector<std::string>{"農林水産省", "末尾"}));
    d.RemoveHistoryAt(1, 0);
    EXPECT_EQ(History(d, 1), std::vector<std::string>{"末尾"});
    d.ClearHistory(1);
    EXPECT_EQ(d.GetHistoryCount(1), 0);
}

TEST(HyoshiData, FileLayoutAndRoundTrip) {
    CHyoshiData d;
    d.m_fileVersion = 100;
    d.m_printTitle = "T";
    d.m_spare[9] = "S";
    d.m_amount = "A";
    d.AddHistory(0, "x");
    d.AddHistory(0, "y");
    d.AppendHistory(3, "p");

    ByteFixture expected;
    expected.Byte(36).Raw(kHyoshiSignatureBytes).Int(100);  // no data version
    expected.ShortText("T").EmptyTexts(11).ShortText("S").EmptyTexts(4).ShortText("A");
    expected.Int(2).ShortText("y").ShortText("x").Int(0).Int(0).Int(1).ShortText("p");
    EXPECT_EQ(StoreMasterBytes(d), expected.Bytes());

    CHyoshiData sample = SampleHyoshiData();
    std::string first = StoreMasterBytes(sample);
    int ok = 0;
    CHyoshiData back = LoadRoot<CHyoshiData>(first, &ok);
    EXPECT_EQ(ok, 1);
    EXPECT_TRUE(back == sample);
    EXPECT_EQ(History(back, 1), (std::vector<std::string>{"農林水産省", "御中"}));
    EXPECT_EQ(StoreMasterBytes(back), first);

    CHyoshiData copy;
    copy.AddHistory(2, "消える");
    copy.Copy(sample);
    EXPECT_TRUE(copy == sample);
}

TEST(HyoshiData, VersionIsStoredAsHeldAndRaisedTo100OnLoad) {
    CHyoshiData d;
    d.m_fileVersion = 0;
    std::string bytes = StoreMasterBytes(d);
    EXPECT_EQ(bytes.substr(37, 4), ByteFixture().Int(0).Bytes());  // no raise on storing
    CHyoshiData back = LoadRoot<CHyoshiData>(bytes);
    EXPECT_EQ(back.m_fileVersion, 100);
    EXPECT_EQ(g_hyoshiLoadedVersion, 0);
    EXPECT_EQ(StoreMasterBytes(back).substr(37, 4), ByteFixture().Int(100).Bytes());

    d.m_fileVersion = 250;  // a newer version is kept
    EXPECT_EQ(LoadRoot<CHyoshiData>(StoreMasterBytes(d)).m_fileVersion, 250);

    // A foreign signature: the message, ok = 0 and no raise.
    ScriptedHost host;
    CHyoshiData target;
    target.m_fileVersion = 7;
    std::string foreign = StoreMasterBytes(d);
    foreign[36] = ',';
    CArchive ar(foreign);
    int ok = -1;
    target.Serialize(ar, &ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(target.m_fileVersion, 7);
    EXPECT_EQ(host.MessageTexts(),
              std::vector<std::string>{mastertext::kHyoshiForeignFile});
}
