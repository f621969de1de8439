// The keyword normal form, the keywords of a typed text and the 工種 and material searches.
#include <gtest/gtest.h>

#include "MasterBuilders.h"
#include "dialogkit/KeywordSearch.h"
#include "platform/Cp932.h"

using namespace masterbuild;

namespace {

std::string Repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

}  // namespace

TEST(KeywordSearch, AsciiBecomesTheDoubleByteFormsOfCp932) {
    std::string ascii;
    for (char c = 0x20; c <= 0x7E; ++c) ascii += c;
    // The double-byte partner of each of 0x20..0x7E in CP932, lower-case letters upper-cased first.
    const uint16_t expected[] = {
        0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166, 0x8169, 0x816A, 0x8196, 0x817B,
        0x8143, 0x817C, 0x8144, 0x815E, 0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,
        0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148, 0x8197, 0x8260, 0x8261, 0x8262,
        0x8263, 0x8264, 0x8265, 0x8266, 0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E,
        0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276, 0x8277, 0x8278, 0x8279, 0x816D,
        0x818F, 0x816E, 0x814F, 0x8151, 0x8165, 0x8260, 0x8261, 0x8262, 0x8263, 0x8264, 0x8265, 0x8266,
        0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E, 0x826F, 0x8270, 0x8271, 0x8272,
        0x8273, 0x8274, 0x8275, 0x8276, 0x8277, 0x8278, 0x8279, 0x816F, 0x8162, 0x8170, 0x8150,
    };
    static_assert(std::size(expected) == 95);
    std::string bytes;
    for (uint16_t pair : expected) {
        bytes += static_cast<char>(pair >> 8);
        bytes += static_cast<char>(pair & 0xFF);
    }
    EXPECT_EQ(vemo::Utf8ToCp932(NormalizeKeywordText(ascii)), bytes);
}

TEST(KeywordSearch, NormalForm) {
    struct Row {
        const char* text;
        const char* normal;
    };
    const Row rows[] = {
        {"ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞ", "ガギグゲゴザジズゼゾ"},
        {"ﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ", "ダヂヅデドバビブベボ"},
        {"ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", "パピプペポ"},
        {"ｳﾞｧｲｵﾘﾝ", "ヴァイオリン"},
        {"ｱﾞｶﾟﾅﾞ", "ア゛カ゜ナ゛"},  // marks that join nothing stay marks
        {"ﾞｶﾞﾞ", "゛ガ゛"},
        {"｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰﾝ", "。「」、・ヲァィゥェォャュョッーン"},
        {"abc Xyz", "ＡＢＣ　ＸＹＺ"},
        {"ａｂｃ　ガ", "ＡＢＣ　ガ"},  // double-byte letters are upper-cased too
        {"ｚＺｙ", "ＺＺＹ"},
        {"αβ　ガ", "αβ　ガ"},  // other double-byte characters stay
        {"測量 ｿｸﾘｮｳ", "測量　ソクリョウ"},
        {"纊\U000E0031田≒\U000E0031", "纊田≒"},  // a character read from another of its codes
        {"\t\n", "\t\n"},
        {"", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(NormalizeKeywordText(r.text), r.normal);
    }
}

TEST(KeywordSearch, OnlyTheFirst600StoredBytesAreLookedAt) {
    const std::string kanji = "漢";  // two bytes in CP932
    const std::string fullA = "Ａ";
    struct Row {
        std::string text;
        std::string normal;
    };
    const Row rows[] = {
        {Repeat("a", 600), Repeat(fullA, 600)},
        {Repeat("a", 601), Repeat(fullA, 600)},
        {Repeat(kanji, 299) + "ab", Repeat(kanji, 299) + "ＡＢ"},
        {Repeat(kanji, 300) + "x", Repeat(kanji, 300)},
        // A character that would cross the limit is left out.
        {"a" + Repeat(kanji, 300), fullA + Repeat(kanji, 299)},
        // Half-width katakana take one byte each.
        {Repeat("ｱ", 601), Repeat("ア", 600)},
        // A voicing mark beyond the limit is not seen.
        {Repeat("a", 599) + "ｶﾞ", Repeat(fullA, 599) + "カ"},
        {Repeat("a", 598) + "ｶﾞ", Repeat(fullA, 598) + "ガ"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text.size());
        EXPECT_EQ(NormalizeKeywordText(r.text), r.normal);
    }
    // A keyword beyond the limit of a name is not found in it.
    EXPECT_FALSE(MatchesKeywords(Repeat("x", 600) + "設計", {"設計"}));
    EXPECT_TRUE(MatchesKeywords(Repeat("x", 596) + "設計", {"設計"}));
}

TEST(KeywordSearch, KeywordsOfATypedText) {
    struct Row {
        const char* text;
        std::vector<std::string> keywords;
    };
    const Row rows[] = {
        {"ﾎﾞｰﾘﾝｸﾞ  ﾁｮｳｻ", {"ボーリング", "チョウサ"}},  // two spaces
        {"　a　　b　", {"Ａ", "Ｂ"}},
        {"1 2 3 4", {"１", "２", "３"}},  // a fourth keyword is ignored
        {"測量 設計\u3000照査 積算 4", {"測量", "設計", "照査"}},
        {"", {}},
        {"  　 ", {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(SplitKeywords(r.text), r.keywords);
    }
}

TEST(KeywordSearch, ANameMatchesWhenItHoldsEveryKeyword) {
    struct Row {
        const char* name;
        const char* typed;
        bool matches;
    };
    const Row rows[] = {
        {"ボーリング・サンプリング調査", "ﾎﾞｰﾘﾝｸﾞ  ｻﾝﾌﾟﾘﾝｸﾞ", true},
        {"ボーリング・サンプリング調査", "ｻﾝﾌﾟﾘﾝｸﾞ ﾎﾞｰﾘﾝｸﾞ", true},  // any order
        {"ボーリング・サンプリング調査", "ﾎﾞｰﾘﾝｸﾞ ｻﾝﾌﾟﾘﾝｸﾞ 解析", false},
        {"機械ﾎﾞｰﾘﾝｸﾞ調査", "ボーリング", true},  // the name is normalised too
        {"ABC工法", "abc", true},
        {"ＡＢＣ工法", "abc", true},
        {"ａｂｃ工法", "abc", true},
        {"ＡＢＣ工法", "ａ", true},
        {"機械ボーリング調査", "", false},
        // Only three keywords count: the fourth is not required.
        {"測量設計照査", "測量 設計 照査 積算", true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.name) + " / " + r.typed);
        EXPECT_EQ(MatchesKeywords(r.name, SplitKeywords(r.typed)), r.matches);
    }
}

TEST(KeywordSearch, KoshuHitsThenShubetsuHitsUpToOneHundred) {
    CBukakeGyomu gyomu;
    CBukakeKoshu& survey = AddKoshu(gyomu, 10, "基準点測量");
    AddShubetsu(survey, 1, "１級基準点測量");
    AddShubetsu(survey, 2, "水準測量");
    CBukakeKoshu& design = AddKoshu(gyomu, 20, "詳細設計");
    AddShubetsu(design, 1, "測量成果の整理");
    AddShubetsu(design, 2, "設計図");
    AddKoshu(gyomu, 30, "路線測量");
    EXPECT_EQ(SearchKoshu(gyomu, SplitKeywords("測量")),
              (std::vector<KoshuSearchHit>{{10, kUnset}, {30, kUnset}, {10, 1}, {10, 2}, {20, 1}}));
    EXPECT_EQ(SearchKoshu(gyomu, SplitKeywords("基準点 測量")),
              (std::vector<KoshuSearchHit>{{10, kUnset}, {10, 1}}));
    EXPECT_TRUE(SearchKoshu(gyomu, {}).empty());

    // 60 matching 工種 with a matching 種別 each: the 60 工種, then the first 40 種別.
    CBukakeGyomu many;
    for (int k = 1; k <= 60; ++k) AddShubetsu(AddKoshu(many, k, "作業" + std::to_string(k)), 1, "作業種別");
    const std::vector<KoshuSearchHit> hits = SearchKoshu(many, SplitKeywords("作業"));
    ASSERT_EQ(hits.size(), 100u);
    EXPECT_EQ(hits[59], (KoshuSearchHit{60, kUnset}));
    EXPECT_EQ(hits[60], (KoshuSearchHit{1, 1}));
    EXPECT_EQ(hits[99], (KoshuSearchHit{40, 1}));
}

TEST(KeywordSearch, ArticlesByNameOrSpecification) {
    CZairyoTankaFile file;
    AddZairyoItem(file, 1000, 0, "杭", 100).m_spec = "木製 L=1.0m";
    AddZairyoItem(file, 1001, 0, "ペンキ", 200).m_spec = "白";
    AddZairyoItem(file, 1002, 1, "木製杭", 300).m_spec = "";
    AddZairyoItem(file, 1003, 2, "測量鋲", 400).m_spec = "金属";
    EXPECT_EQ(SearchZairyoTanka(file, SplitKeywords("木製")), (std::vector<int>{0, 2}));
    EXPECT_EQ(SearchZairyoTanka(file, SplitKeywords("杭 木製")), (std::vector<int>{2}));
    EXPECT_EQ(SearchZairyoTanka(file, SplitKeywords("l=1")), (std::vector<int>{0}));
    // Name and 規格 are tested one at a time: keywords split over both find nothing.
    EXPECT_EQ(SearchZairyoTanka(file, SplitKeywords("ペンキ 白")), (std::vector<int>{}));

    CZairyoTankaFile many;
    for (int i = 0; i < 120; ++i) AddZairyoItem(many, 1000 + i, 0, "砂利", 1);
    EXPECT_EQ(SearchZairyoTanka(many, SplitKeywords("砂利")).size(), 100u);
}
