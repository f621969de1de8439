// Tests of estimate/VemoWinDocData.h.
#include <gtest/gtest.h>

#include <filesystem>

#include "EstimateBuilders.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "estimate/EstimateTexts.h"
#include "estimate/VemoWinDocData.h"
#include "platform/Archive.h"
#include "platform/Cp932.h"

using namespace estimate_test;
namespace txt = estimate_texts;

namespace {

const char* kSignatureHex =
    "24 90 CF 8E 5A 94 5F 97 D1 CC A7 B2 D9 20 5A 4F 52 56 41 20 44 65 76 65 6C 6F 70 6D 65 6E 74 20 43 6F 72 70 "
    "2E";

void FillHeader(CSekisanItemList& list) {
    list.m_strKenmei = "令和6年度 農道測量設計業務委託";
    list.m_strKashoName = "北山地区";
    list.m_strPrintTitle = "設計書";
    list.m_strMasterFolder = "/opt/vemo/データ格納/参考マスター25";
    list.m_nTankaColumn = 2;
    list.m_strZairyoFile = "/opt/vemo/データ格納/材料単価データ25.zoa";
    list.m_strDate = "令和6年4月1日";
}

// An estimate with every kind of node and every field in use.
void BuildRich(CSekisanItemList& list) {
    FillHeader(list);
    auto filled = [](int32_t seed) {
        return [seed](CSekisanItem& item) {
            const int32_t g = item.m_nGyomu, k = item.m_nKoshu, s = item.m_nShubetsu;
            FillEveryField(item, seed);
            item.m_nGyomu = g;
            item.m_nKoshu = k;
            item.m_nShubetsu = s;
        };
    };
    ItemListBuilder(list)
        .Gyomu(1, "測量業務")
        .Koshu(10, "基準点測量")
        .Shubetsu(101, "4級基準点測量")
        .Set(filled(1))
        .Shubetsu(102)
        .Set(filled(2))
        .Koshu(93, "諸経費")
        .Set([](CSekisanItem& i) {
            i.m_nYearCode = 30101;
            i.m_strRemarkLower = "令和6年度の諸経費率";
            i.m_bKeepRemarkLower = 1;
        })
        .Gyomu(2, "設計業務")
        .Koshu(916)
        .Set([](CSekisanItem& i) { i.m_nYearCode = 30103; })
        .Summary(95, "小計")
        .Summary(98, "消費税相当額")
        .Set([](CSekisanItem& i) { i.m_nRate = 1000; })
        .Summary(99, "合計")
        .Amount(1234567);
}

class DocData : public ::testing::Test {
protected:
    ScriptedHost host;
    TempFolder folder;

    // A document holding a small estimate, to see that failed loads leave it alone.
    void FillDocument(CVemoWinDocData& doc) {
        ItemListBuilder(*doc.GetItemList()).Gyomu(3, "地質調査業務").Koshu(30).Shubetsu(1);
        doc.GetItemList()->m_strKenmei = "元の件名";
    }
};

}  // namespace

TEST_F(DocData, NewDocumentIsEmptyWithTheCurrentVersion) {
    CVemoWinDocData doc;
    EXPECT_EQ(doc.GetSignature(), "積算農林ﾌｧｲﾙ ZORVA Development Corp.");
    EXPECT_EQ(doc.GetFileVersion(), 104);
    EXPECT_EQ(doc.GetGyomuFlags(), 0);
    ASSERT_NE(doc.GetSekisanData(), nullptr);
    EXPECT_EQ(doc.GetItemList(), doc.GetSekisanData()->GetItemList());
    EXPECT_EQ(doc.GetItemList()->GetCount(), 0);
    EXPECT_EQ(doc.GetItemList()->m_nTankaColumn, kUnset);
}

TEST_F(DocData, EmptyEstimateFileByteForByte) {
    CVemoWinDocData doc;
    EXPECT_EQ(Hex(doc.StoreBytes()), std::string(kSignatureHex) +
                                         " 68 00 00 00"     // version 104
                                         " 00 00 00 00"     // business-area flags
                                         " 00 00 00 00"     // 件名, 箇所名, 印刷表題, master-data folder
                                         " 00 00 00 80"     // unit-price column unset
                                         " 00 00"           // material-price file, date
                                         " 00 00 00 00");  // no items
}

TEST_F(DocData, CurrentFileWrittenReadAndWrittenAgainIsIdentical) {
    CVemoWinDocData doc;
    BuildRich(*doc.GetItemList());
    const std::string first = folder / "見積.sei";
    ASSERT_EQ(doc.SaveFile(first), 1);
    const std::string bytes = ReadTestFile(first);
    // The program's writer agrees with the independent layout writer.
    EXPECT_EQ(Hex(bytes), Hex(SeiFileBytes(*doc.GetItemList(), 104, 0x03)));

    CVemoWinDocData loaded;
    ASSERT_EQ(loaded.LoadFile(first), 1);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(loaded.GetFileVersion(), 104);
    EXPECT_EQ(loaded.GetGyomuFlags(), 0x03);
    ASSERT_EQ(loaded.GetItemList()->GetCount(), doc.GetItemList()->GetCount());
    for (int i = 0; i < doc.GetItemList()->GetCount(); ++i)
        EXPECT_TRUE(SameItem(*loaded.GetItemList()->GetItem(i), *doc.GetItemList()->GetItem(i))) << i;
    EXPECT_EQ(loaded.GetItemList()->m_strKenmei, "令和6年度 農道測量設計業務委託");
    EXPECT_EQ(loaded.GetItemList()->m_strDate, "令和6年4月1日");
    EXPECT_EQ(loaded.GetItemList()->m_nTankaColumn, 2);

    const std::string second = folder / "再保存.sei";
    ASSERT_EQ(loaded.SaveFile(second), 1);
    EXPECT_EQ(Hex(ReadTestFile(second)), Hex(bytes));
}

TEST_F(DocData, TextBytesThatAreNotCp932SurviveLoadAndStore) {
    using vemo::Utf8ToCp932;
    const std::string texts[] = {
        "\x80",
        "\xA0" + Utf8ToCp932("測量業務") + "\xFD",
        "\x85\x40" + Utf8ToCp932("北山地区"),  // an unassigned pair
        Utf8ToCp932("基準点") + "\x82",         // a lead byte cut off at the end
        "\x81 " + Utf8ToCp932("設計書"),        // a lead byte without its trail byte
    };
    for (const std::string& text : texts) {
        // A file whose 件名 and first item name hold these bytes.
        CVemoWinDocData doc;
        doc.GetItemList()->m_strKenmei = vemo::Cp932ToUtf8(text);
        ItemListBuilder(*doc.GetItemList()).Gyomu(1, vemo::Cp932ToUtf8(text));
        const std::string path = folder / "元.sei";
        ASSERT_EQ(doc.SaveFile(path), 1);
        const std::string bytes = ReadTestFile(path);
        ASSERT_NE(bytes.find(static_cast<char>(text.size()) + text), std::string::npos) << Hex(text);

        CVemoWinDocData loaded;
        ASSERT_EQ(loaded.LoadFile(path), 1);
        EXPECT_EQ(Utf8ToCp932(loaded.GetItemList()->m_strKenmei), text);
        EXPECT_EQ(Utf8ToCp932(loaded.GetItemList()->GetItem(0)->m_strNameUpper), text);
        const std::string again = folder / "再保存.sei";
        ASSERT_EQ(loaded.SaveFile(again), 1);
        EXPECT_EQ(Hex(ReadTestFile(again)), Hex(bytes)) << Hex(text);
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DocData, TextsAtTheOneAndThreeBytePrefixBoundary) {
    std::string kanji254;
    for (int i = 0; i < 127; ++i) kanji254 += "積";
    const std::string ascii255(255, 'A');
    CVemoWinDocData doc;
    ItemListBuilder(*doc.GetItemList()).Gyomu(1, kanji254).Set([&](CSekisanItem& i) { i.m_strNameLower = ascii255; });
    const std::string bytes = doc.StoreBytes();
    EXPECT_NE(bytes.find("\xFE" + vemo::Utf8ToCp932(kanji254)), std::string::npos);
    EXPECT_NE(bytes.find(std::string("\xFF\xFF\x00", 3) + ascii255), std::string::npos);

    CVemoWinDocData back;
    ASSERT_EQ(back.LoadBytes(bytes, "x.sei"), 1);
    EXPECT_EQ(back.GetItemList()->GetItem(0)->m_strNameUpper, kanji254);
    EXPECT_EQ(back.GetItemList()->GetItem(0)->m_strNameLower, ascii255);
    EXPECT_EQ(back.StoreBytes(), bytes);
}

TEST_F(DocData, Version101LoadsEightSlotsShowsTheNoticeAndStoresAs104) {
    CSekisanItemList source;
    FillHeader(source);
    ItemListBuilder(source).Gyomu(3).Koshu(30).Shubetsu(5).Set([](CSekisanItem& i) {
        FillEveryField(i, 9);
        i.m_nGyomu = 3;
        i.m_nKoshu = 30;
        i.m_nShubetsu = 5;
    });
    const std::string old = SeiFileBytes(source, 101, 0x04);
    CVemoWinDocData doc;
    ASSERT_EQ(doc.LoadBytes(old, "旧.sei"), 1);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "このVemo Ovra 積算データ ファイルは、以前のファイル バージョンです。\n"
              "ファイル バージョンの更新を適用するには、上書き保存または名前を付けて保存を行ってください。");
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(host.messages[0].icon, MsgIcon::None);
    EXPECT_EQ(GetSekisanLoadingVersion(), 101);
    EXPECT_EQ(doc.GetFileVersion(), 104);

    const CSekisanItem& shubetsu = *doc.GetItemList()->GetItem(2);
    EXPECT_EQ(shubetsu.m_nRateCode[7], source.GetItem(2)->m_nRateCode[7]);
    EXPECT_EQ(shubetsu.m_nRateCode[8], kUnset);
    EXPECT_EQ(shubetsu.m_nRateRow[8], kUnset);
    EXPECT_EQ(shubetsu.m_nLL[8], kUnset);
    EXPECT_EQ(shubetsu.m_nExtraRate, kUnset);
    EXPECT_EQ(shubetsu.m_nYearCode, source.GetItem(2)->m_nYearCode);
    EXPECT_EQ(doc.GetItemList()->m_strZairyoFile, source.m_strZairyoFile);

    // Stored as 1.04: 9 slots and the extra rate, 4 + 1 integers more per item.
    const std::string stored = doc.StoreBytes();
    EXPECT_EQ(stored.size(), old.size() + 3 * 5 * 4);
    EXPECT_EQ(Hex(stored), Hex(SeiFileBytes(*doc.GetItemList(), 104, 0x04)));
    CVemoWinDocData again;
    ASSERT_EQ(again.LoadBytes(stored, "新.sei"), 1);
    EXPECT_EQ(host.messages.size(), 1u);  // no second notice
}

TEST_F(DocData, Version100HasNoMaterialFileOrDate) {
    CSekisanItemList source;
    FillHeader(source);
    ItemListBuilder(source).Gyomu(1);
    CVemoWinDocData doc;
    ASSERT_EQ(doc.LoadBytes(SeiFileBytes(source, 100), "旧.sei"), 1);
    EXPECT_EQ(doc.GetItemList()->m_strMasterFolder, source.m_strMasterFolder);
    EXPECT_EQ(doc.GetItemList()->m_nTankaColumn, 2);
    EXPECT_EQ(doc.GetItemList()->m_strZairyoFile, "");
    EXPECT_EQ(doc.GetItemList()->m_strDate, "");
    EXPECT_EQ(doc.GetItemList()->GetCount(), 1);
}

TEST_F(DocData, Version103MigratesTheOverheadRows) {
    CSekisanItemList source;
    ItemListBuilder(source)
        .Gyomu(1).Koshu(93).Set([](CSekisanItem& i) { i.m_nYearCode = 30102; i.m_nExtraRate = 500; })
        .Gyomu(4).Koshu(93).Shubetsu(1).Set([](CSekisanItem& i) { i.m_strRemarkLower = "手入力"; })
        .Gyomu(7).Koshu(916)
        .Gyomu(2).Koshu(93).Set([](CSekisanItem& i) { i.m_nYearCode = 30102; });
    source.GetItem(1)->m_nRateCode[8] = 900;
    CVemoWinDocData doc;
    ASSERT_EQ(doc.LoadBytes(SeiFileBytes(source, 103), "x.sei"), 1);
    EXPECT_EQ(host.messages.size(), 1u);  // the old-version notice
    const CSekisanItemList& list = *doc.GetItemList();
    EXPECT_EQ(list.GetItem(1)->m_nYearCode, 30100);
    EXPECT_EQ(list.GetItem(1)->m_strRemarkLower, txt::ShokeihiRateH26);
    EXPECT_EQ(list.GetItem(1)->m_bKeepRemarkLower, 1);
    EXPECT_EQ(list.GetItem(1)->m_nRateCode[8], 900);  // nine slots from 1.03
    EXPECT_EQ(list.GetItem(1)->m_nExtraRate, 500);
    EXPECT_EQ(list.GetItem(3)->m_nYearCode, 30100);
    EXPECT_EQ(list.GetItem(3)->m_strRemarkLower, txt::ShokeihiRateH26);
    EXPECT_EQ(list.GetItem(4)->m_nYearCode, 30100);  // the 種別 row too, its own text kept
    EXPECT_EQ(list.GetItem(4)->m_strRemarkLower, "手入力");
    EXPECT_EQ(list.GetItem(4)->m_bKeepRemarkLower, 0);
    EXPECT_EQ(list.GetItem(6)->m_nYearCode, 30100);
    EXPECT_EQ(list.GetItem(6)->m_strRemarkLower, txt::IppanRateH26);
    EXPECT_EQ(list.GetItem(8)->m_nYearCode, 30102);  // 業務 2 has no 工種 93 rule
    EXPECT_EQ(list.GetItem(8)->m_strRemarkLower, "");
}

TEST_F(DocData, NewerVersionLoadsSilentlyAndKeepsItsNumber) {
    CSekisanItemList source;
    BuildRich(source);
    const std::string newer = SeiFileBytes(source, 105, 0x03);
    CVemoWinDocData doc;
    ASSERT_EQ(doc.LoadBytes(newer, "新.sei"), 1);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(doc.GetFileVersion(), 105);
    EXPECT_EQ(Hex(doc.StoreBytes()), Hex(newer));
}

TEST_F(DocData, BusinessAreaFlags) {
    auto flagsOf = [](std::initializer_list<int32_t> codes) {
        CSekisanItemList list;
        for (int32_t code : codes) list.AddItem(MakeItem(code, code == 95 ? kUnset : 10));
        return CVemoWinDocData::ComputeGyomuFlags(list);
    };
    EXPECT_EQ(flagsOf({1, 5, 7}), 0x19);
    EXPECT_EQ(flagsOf({32}), static_cast<int32_t>(0x80000000u));
    EXPECT_EQ(flagsOf({4}), 0x08);
    EXPECT_EQ(flagsOf({6}), 0x10);
    EXPECT_EQ(flagsOf({2, 3, 8, 31}), 0x40000086);
    EXPECT_EQ(flagsOf({0, -1, 33, 89, 95, 96, 97, 98, 99, kUnset}), 0);
    // Bits 0x20 and 0x40 are never set.
    int32_t all = flagsOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24,
                           25, 26, 27, 28, 29, 30, 31, 32});
    EXPECT_EQ(static_cast<uint32_t>(all), 0xFFFFFF9Fu);

    // Recomputed on every store, whatever the file held.
    CVemoWinDocData doc;
    CSekisanItemList source;
    ItemListBuilder(source).Summary(95).Summary(98).Summary(99);
    ASSERT_EQ(doc.LoadBytes(SeiFileBytes(source, 104, 0x7FFF), "x.sei"), 1);
    EXPECT_EQ(doc.GetGyomuFlags(), 0x7FFF);
    const std::string stored = doc.StoreBytes();
    EXPECT_EQ(Hex(stored.substr(41, 4)), "00 00 00 00");
    EXPECT_EQ(doc.GetGyomuFlags(), 0);
    ItemListBuilder(*doc.GetItemList()).Gyomu(32);
    EXPECT_EQ(Hex(doc.StoreBytes().substr(41, 4)), "00 00 00 80");
}

TEST_F(DocData, ForeignSignatureIsRefusedAndNothingChanges) {
    CSekisanItemList source;
    BuildRich(source);
    const std::string good = SeiFileBytes(source, 104);
    std::vector<std::string> foreign;
    foreign.push_back(SeiFileBytes(source, 104, 0, "積算農林ﾌｧｲﾙ ZORVA Development Corp,"));  // one byte
    foreign.push_back(SeiFileBytes(source, 104, 0, "積算農林ﾌｧｲﾙ ZORVA DEVELOPMENT Corp."));  // case
    foreign.push_back(SeiFileBytes(source, 104, 0, "積算農林ﾌｧｲﾙ ZORVA Development Corp"));    // shorter
    foreign.push_back(SeiFileBytes(source, 104, 0, ""));
    std::string flipped = good;
    flipped[1] ^= 0x01;
    foreign.push_back(flipped);

    CVemoWinDocData doc;
    FillDocument(doc);
    const std::string before = doc.StoreBytes();
    for (const std::string& bytes : foreign) {
        host.messages.clear();
        EXPECT_EQ(doc.LoadBytes(bytes, "他社.sei"), 0);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, txt::MsgForeignSekisanFile);
        EXPECT_EQ(host.messages[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(host.messages[0].icon, MsgIcon::None);
        EXPECT_EQ(doc.StoreBytes(), before);
    }
}

TEST_F(DocData, EveryTruncationIsRefusedWithoutAHalfReadEstimate) {
    CSekisanItemList source;
    BuildRich(source);
    const std::string good = SeiFileBytes(source, 103);  // old, so a complete read would show the notice
    CVemoWinDocData doc;
    FillDocument(doc);
    const std::string before = doc.StoreBytes();
    const std::string damaged = MsgDamagedSekisanFile("切れた.sei");
    for (size_t cut = 0; cut < good.size(); ++cut) {
        host.messages.clear();
        ASSERT_EQ(doc.LoadBytes(good.substr(0, cut), "切れた.sei"), 0) << cut;
        ASSERT_EQ(host.MessageTexts(), std::vector<std::string>{damaged}) << cut;
        ASSERT_EQ(doc.StoreBytes(), before) << cut;
    }
    EXPECT_EQ(damaged, "積算データ ファイル「切れた.sei」を読み込めません。\nファイルが途中で切れているか、壊れています。");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
}

TEST_F(DocData, HostileCountsAndLengthsAreRefused) {
    CSekisanItemList source;
    ItemListBuilder(source).Gyomu(1, "測量");
    const std::string good = SeiFileBytes(source, 104);
    // Offset of the item count: signature 37, version 4, flags 4, four empty texts, column 4, two texts.
    const size_t countAt = 37 + 4 + 4 + 4 + 4 + 2;
    ASSERT_EQ(Hex(good.substr(countAt, 4)), "01 00 00 00");

    auto withCount = [&](uint32_t count) {
        std::string bytes = good;
        for (int i = 0; i < 4; ++i) bytes[countAt + i] = static_cast<char>((count >> (8 * i)) & 0xFF);
        return bytes;
    };
    CVemoWinDocData doc;
    for (uint32_t count : {2u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
        host.messages.clear();
        EXPECT_EQ(doc.LoadBytes(withCount(count), "x.sei"), 0) << count;
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{MsgDamagedSekisanFile("x.sei")});
    }
    // A count that passes the size check but whose second item runs out of bytes.
    host.messages.clear();
    EXPECT_EQ(doc.LoadBytes(withCount(2) + std::string(310, '\0'), "x.sei"), 0);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{MsgDamagedSekisanFile("x.sei")});
    // With three more bytes the second item is complete (all zero).
    ASSERT_EQ(doc.LoadBytes(withCount(2) + std::string(313, '\0'), "x.sei"), 1);
    EXPECT_EQ(doc.GetItemList()->GetCount(), 2);
    EXPECT_EQ(doc.GetItemList()->GetItem(1)->m_nGyomu, 0);

    // A 件名 claiming 4 GB.
    std::string longText = good.substr(0, 45) + std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7) + good.substr(46);
    host.messages.clear();
    EXPECT_EQ(doc.LoadBytes(longText, "x.sei"), 0);
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{MsgDamagedSekisanFile("x.sei")});
}

TEST_F(DocData, MissingFileIsReportedAndNothingChanges) {
    CVemoWinDocData doc;
    FillDocument(doc);
    const std::string before = doc.StoreBytes();
    const std::string path = folder / "ない.sei";
    EXPECT_EQ(doc.LoadFile(path), 0);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text.rfind("積算データ ファイル「" + path + "」を開けません。\n", 0), 0u)
        << host.messages[0].text;
    EXPECT_EQ(doc.StoreBytes(), before);
}

// (A file that is not an estimate file gets the file type's own message: see above.)
TEST_F(DocData, EveryUnreadableFileIsNamedWithTheWarningIcon) {
    CSekisanItemList source;
    BuildRich(source);
    const std::string good = SeiFileBytes(source, 104);
    struct Case {
        const char* what;
        std::string path;
    };
    const Case cases[] = {
        {"missing", folder / "ない.sei"},
        {"cut short", folder / "切れた.sei"},
        {"a folder", folder / "フォルダ.sei"},
    };
    WriteTestFile(cases[1].path, good.substr(0, good.size() / 2));
    WriteTestFile(cases[2].path + "/中身.txt", "keep");
    for (const Case& c : cases) {
        host.messages.clear();
        CVemoWinDocData doc;
        EXPECT_EQ(doc.LoadFile(c.path), 0) << c.what;
        ASSERT_EQ(host.messages.size(), 1u) << c.what;
        EXPECT_NE(host.messages[0].text.find(c.path), std::string::npos) << c.what << ": " << host.messages[0].text;
        EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation) << c.what;
        EXPECT_EQ(host.messages[0].buttons, MsgButtons::Ok) << c.what;
    }
}

TEST_F(DocData, SaveReplacesTheFileAndAFailedSaveLeavesThingsAsTheyWere) {
    CVemoWinDocData doc;
    FillDocument(doc);
    const std::string path = folder / "見積.sei";
    WriteTestFile(path, "older contents");
    ASSERT_EQ(doc.SaveFile(path), 1);
    EXPECT_EQ(ReadTestFile(path), doc.StoreBytes());

    // A target that is a folder cannot be replaced: the save reports it and the folder stays.
    const std::string blocked = folder / "塞がれた.sei";
    WriteTestFile(blocked + "/中身.txt", "keep");
    EXPECT_EQ(doc.SaveFile(blocked), 0);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text.rfind("積算データ ファイル「" + blocked + "」を保存できません。", 0), 0u);
    EXPECT_EQ(ReadTestFile(blocked + "/中身.txt"), "keep");
    size_t entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder.Path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 2u);  // no temporary file left behind

    // A missing folder: nothing is created.
    EXPECT_EQ(doc.SaveFile(folder / "ない/見積.sei"), 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "ない"));
}

TEST_F(DocData, TrailingBytesAfterTheLastItemAreIgnored) {
    CSekisanItemList source;
    BuildRich(source);
    const std::string good = SeiFileBytes(source, 104, 3);
    CVemoWinDocData doc;
    ASSERT_EQ(doc.LoadBytes(good + "trailer", "x.sei"), 1);
    EXPECT_EQ(doc.StoreBytes(), good);
}

namespace {

// A new 業務 node of 業務 code 1 as the file holds it, written out by hand: every other field at
// the default of a new item.
std::string HandWrittenDefaultGyomuItem() {
    std::string h = "01 00 00 00 00 00 00 80 00 00 00 80 ";  // 業務 1, 工種 and 種別 unset
    for (int i = 0; i < 9 + 18; ++i) h += "00 00 00 80 ";   // rate codes and table cells unset
    h += "00 00 00 00 00 00 00 00 00 00 00 ";                // names "", "", flags 0 0, unit ""
    h += "00 00 00 80 00 00 00 80 00 00 00 00 ";             // quantity, unit price unset, rounding 0
    h += "00 00 00 80 00 00 00 80 ";                         // amount, second amount unset
    h += "00 00 00 00 00 00 00 00 00 00 ";                   // 摘要 "", "", keep flags 0 0
    h += "00 00 00 00 00 00 00 00 01 00 00 00 00 00 00 80 ";  // entered 0, summary 0, special 有, rate unset
    for (int i = 0; i < 9; ++i) h += "00 00 00 80 ";         // LL values unset
    for (int i = 0; i < 20; ++i) h += "00 00 00 00 ";        // no 工程 selected
    h += "00 00 00 00 00 00 00 80 00 00 00 80 00 00 00 80 ";  // 印刷無 0, 重量平均値, 代価, year unset
    return FromHex(h);
}

}  // namespace

TEST_F(DocData, HandWrittenFileWithHeaderAndOneItem) {
    const std::string header = " 01 4B 01 42 01 54 01 4D"  // 件名 "K", 箇所名 "B", 印刷表題 "T", folder "M"
                               " 13 00 00 00";             // unit-price column 19
    const std::string item = HandWrittenDefaultGyomuItem();

    // The current layout: version, business-area flags of 業務 1, header with material file and date.
    const std::string v104 = FromHex(std::string(kSignatureHex) + " 68 00 00 00 01 00 00 00" + header +
                                     " 01 5A 01 44 01 00 00 00") +  // "Z", "D", one item
                             item + FromHex("00 00 00 80");         // extra rate unset
    CVemoWinDocData doc;
    ASSERT_EQ(doc.LoadBytes(v104, "手書き.sei"), 1);
    EXPECT_TRUE(host.messages.empty());
    const CSekisanItemList& list = *doc.GetItemList();
    EXPECT_EQ(list.m_strKenmei, "K");
    EXPECT_EQ(list.m_strKashoName, "B");
    EXPECT_EQ(list.m_strPrintTitle, "T");
    EXPECT_EQ(list.m_strMasterFolder, "M");
    EXPECT_EQ(list.m_nTankaColumn, 19);
    EXPECT_EQ(list.m_strZairyoFile, "Z");
    EXPECT_EQ(list.m_strDate, "D");
    ASSERT_EQ(list.GetCount(), 1);
    CSekisanItem expected;
    expected.m_nGyomu = 1;
    EXPECT_TRUE(SameItem(*list.GetItem(0), expected));
    EXPECT_EQ(Hex(doc.StoreBytes()), Hex(v104));

    // Version 1.00: no material-price file or date, eight rate slots, no extra rate.
    std::string item100 = item;
    item100.erase(item100.size() - 16 - 80 - 4, 4);  // the ninth LL value
    item100.erase(12 + 9 * 4 + 8 * 8, 8);            // the ninth table cell
    item100.erase(12 + 8 * 4, 4);                    // the ninth rate code
    const std::string v100 =
        FromHex(std::string(kSignatureHex) + " 64 00 00 00 00 00 00 00" + header + " 01 00 00 00") + item100;
    CVemoWinDocData old;
    ASSERT_EQ(old.LoadBytes(v100, "旧.sei"), 1);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kMsgOldSekisanFile);
    EXPECT_EQ(old.GetItemList()->m_nTankaColumn, 19);
    EXPECT_EQ(old.GetItemList()->m_strZairyoFile, "");
    ASSERT_EQ(old.GetItemList()->GetCount(), 1);
    EXPECT_TRUE(SameItem(*old.GetItemList()->GetItem(0), expected));
    // Saved as 1.04: the same bytes as the current file but for the empty material file and date.
    std::string upgraded = v104;
    upgraded.replace(37 + 8 + 8 + 4, 4, FromHex("00 00"));
    EXPECT_EQ(Hex(old.StoreBytes()), Hex(upgraded));
}
