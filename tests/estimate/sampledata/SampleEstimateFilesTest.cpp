// The sample estimates generated at build time: each opens, holds its 業務 and the summary rows,
// prices again to the very same rows without a message, is written back byte for byte and is what
// its text gives; its rows carry the defaults of the selection commands; and the reader of the
// texts names the line of each mistake.
#include <cstdint>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "EstimateBuilders.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "estimate/SekisanData.h"
#include "estimate/sampledata/SampleEstimates.h"
#include "master/sampledata/SampleText.h"
#include "platform/FileUtil.h"

namespace {

struct Sample {
    const char* text;
    const char* file;
    std::vector<int32_t> gyomu;  // codes of the 業務 rows, in order
};

const Sample kSamples[] = {
    {"sokuryo.txt", "測量サンプル.sei", {1, 95, 98, 99}},
    {"sekkei.txt", "設計サンプル.sei", {2, 95, 96, 97, 98, 99}},
    {"bukken.txt", "物件調査サンプル.sei", {3, 95, 98, 99}},
    {"doshitsu.txt", "土質調査サンプル.sei", {4, 5, 89, 95, 98, 99}},
    {"kukaku.txt", "区画整理サンプル.sei", {6, 7, 95, 98, 99}},
};

std::string SamplePath(const std::string& file) {
    return vemo::JoinPath(vemo::JoinPath(VEMO_SAMPLE_DATA_DIR, kSampleEstimateFolder), file);
}

const CSekisanItem* FindRow(const CSekisanItemList& list, int32_t gyomu, int32_t koshu, int32_t shubetsu = kUnset) {
    for (int i = 0; i < list.GetCount(); ++i) {
        const CSekisanItem* item = list.GetItem(i);
        if (item->m_nGyomu == gyomu && item->m_nKoshu == koshu && item->m_nShubetsu == shubetsu) return item;
    }
    return nullptr;
}

class SampleEstimateFilesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { masters = LoadGeneratedSampleMasters(VEMO_SAMPLE_DATA_DIR); }
    static void TearDownTestSuite() { masters.reset(); }

    static inline std::unique_ptr<SampleEstimateMasters> masters;
    ScriptedHost host;
};

TEST_F(SampleEstimateFilesTest, EachSampleOpensPricesAgainAndSavesTheSameBytes) {
    const SampleProgramPaths paths = SampleProgramPathsOf(VEMO_SAMPLE_PROGRAM_DIR);
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.file);
        const std::string path = SamplePath(sample.file);
        const std::string bytes = ReadTestFile(path);
        CVemoWinDocData doc;
        ASSERT_EQ(doc.LoadFile(path), 1);
        CSekisanItemList& list = *doc.GetItemList();

        // The header names the program's masters, as a new estimate there does.
        EXPECT_NE(list.m_strKenmei.find("サンプル"), std::string::npos);
        EXPECT_EQ(list.m_strMasterFolder, paths.masterFolder);
        EXPECT_EQ(list.m_strZairyoFile, paths.zairyoFile);
        EXPECT_EQ(list.m_nTankaColumn, masters->tanka.m_defaultColumn);

        std::vector<int32_t> gyomu;
        for (int i = 0; i < list.GetCount(); ++i)
            if (list.GetItem(i)->GetLevel() == 0) gyomu.push_back(list.GetItem(i)->m_nGyomu);
        EXPECT_EQ(gyomu, sample.gyomu);

        // Every 種別 is priced, and the 業務 totals add up in the summary rows.
        int64_t subtotal = 0;
        for (int32_t code : sample.gyomu) {
            if (code > 32) continue;
            const CSekisanItem* total = FindRow(list, code, 95);
            ASSERT_NE(total, nullptr);
            EXPECT_GT(total->m_nAmount, 0);
            subtotal += total->m_nAmount;
        }
        for (int i = 0; i < list.GetCount(); ++i) {
            if (list.GetItem(i)->GetLevel() != 2) continue;
            EXPECT_GT(list.GetItem(i)->m_nAmount, 0) << list.GetItem(i)->m_strNameUpper;
        }
        // A 業務's direct total (工種 90) stands under the rows it adds up, in the order the calculation
        // adds them: the amounts above it in its 業務 make its amount.
        int64_t above = 0;
        for (int i = 0; i < list.GetCount(); ++i) {
            const CSekisanItem* item = list.GetItem(i);
            if (item->GetLevel() == 0) above = 0;
            if (item->GetLevel() == 1 && item->m_nKoshu == 90) {
                EXPECT_EQ(item->m_nAmount, above) << "業務 " << item->m_nGyomu;
            } else if (!IsUnset(item->m_nAmount)) {
                above += item->m_nAmount;
            }
        }
        // その他 is its quantity times its unit price; 値引き lowers what the tax is counted on.
        if (const CSekisanItem* extra = FindRow(list, 89, kUnset)) {
            EXPECT_EQ(extra->m_nAmount, int64_t{extra->m_nQuantity} * extra->m_nUnitPrice / 10000);
            subtotal += extra->m_nAmount;
        }
        const CSekisanItem* sum = FindRow(list, 95, kUnset);
        const CSekisanItem* tax = FindRow(list, 98, kUnset);
        const CSekisanItem* all = FindRow(list, 99, kUnset);
        ASSERT_TRUE(sum && tax && all);
        EXPECT_EQ(sum->m_nAmount, subtotal);
        int64_t net = subtotal;
        if (const CSekisanItem* discount = FindRow(list, 96, kUnset)) {
            EXPECT_LT(discount->m_nAmount, 0);
            net += discount->m_nAmount;
            ASSERT_NE(FindRow(list, 97, kUnset), nullptr);
            EXPECT_EQ(FindRow(list, 97, kUnset)->m_nAmount, net);
        }
        EXPECT_EQ(tax->m_nRate, masters->tanka.m_consumptionTax);
        EXPECT_EQ(tax->m_nAmount, net * tax->m_nRate / 10000);
        EXPECT_EQ(all->m_nAmount, net + tax->m_nAmount);
        EXPECT_GT(all->m_nAmount, 0);

        // Pricing again changes no row and shows nothing.
        CSekisanItemList before;
        before.Copy(list);
        EXPECT_TRUE(PriceSampleEstimate(doc, *masters).empty());
        EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
        EXPECT_TRUE(MissingPriceName().empty());
        ASSERT_EQ(list.GetCount(), before.GetCount());
        for (int i = 0; i < list.GetCount(); ++i)
            EXPECT_TRUE(estimate_test::SameItem(*list.GetItem(i), *before.GetItem(i))) << "row " << i;

        // Saved again, the file is the same; and it is what its text gives today.
        TempFolder folder;
        ASSERT_EQ(doc.SaveFile(folder / sample.file), 1);
        EXPECT_EQ(ReadTestFile(folder / sample.file), bytes);
        const std::string source = vemo::JoinPath(VEMO_SAMPLE_ESTIMATE_SOURCE_DIR, sample.text);
        auto made = ParseSampleEstimate(ReadTestFile(source), source, *masters, paths);
        EXPECT_TRUE(PriceSampleEstimate(*made, *masters).empty());
        EXPECT_TRUE(made->StoreBytes() == bytes);
    }
}

// Every row and header field of two estimates alike, and the same bytes stored.
void ExpectSameEstimate(CVemoWinDocData& a, CVemoWinDocData& b) {
    const CSekisanItemList& x = *a.GetItemList();
    const CSekisanItemList& y = *b.GetItemList();
    ASSERT_EQ(x.GetCount(), y.GetCount());
    for (int i = 0; i < x.GetCount(); ++i)
        EXPECT_TRUE(estimate_test::SameItem(*x.GetItem(i), *y.GetItem(i))) << "row " << i;
    EXPECT_TRUE(a.StoreBytes() == b.StoreBytes());
}

int32_t EstimateTotal(const CSekisanItemList& list) {
    const CSekisanItem* total = FindRow(list, 99, kUnset);
    return total ? total->m_nAmount : kUnset;
}

TEST_F(SampleEstimateFilesTest, WholeRecalculationGivesTheSameBeforeAndAfterASaveAndLoad) {
    const SampleProgramPaths paths = SampleProgramPathsOf(VEMO_SAMPLE_PROGRAM_DIR);
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.file);
        const std::string source = vemo::JoinPath(VEMO_SAMPLE_ESTIMATE_SOURCE_DIR, sample.text);
        auto priced = ParseSampleEstimate(ReadTestFile(source), source, *masters, paths);
        EXPECT_TRUE(PriceSampleEstimate(*priced, *masters).empty());
        ASSERT_GT(EstimateTotal(*priced->GetItemList()), 0);

        TempFolder folder;
        ASSERT_EQ(priced->SaveFile(folder / sample.file), 1);
        CVemoWinDocData loaded;
        ASSERT_EQ(loaded.LoadFile(folder / sample.file), 1);
        ExpectSameEstimate(*priced, loaded);
        // Recalculated after the round trip, and once more, every row stays as it was.
        for (int run = 0; run < 2; ++run) {
            EXPECT_TRUE(PriceSampleEstimate(loaded, *masters).empty());
            ExpectSameEstimate(*priced, loaded);
        }
        EXPECT_TRUE(host.messages.empty());
    }
}

// What one recalculation remembers of the masters is gone by the next: after each edit of the
// masters (in place, or through a copy that replaces them, codes changed), an estimate priced before
// prices exactly as a copy of it priced for the first time, and the edit shows in some total.
TEST_F(SampleEstimateFilesTest, RecalculationAfterMasterEditsUsesTheEditedMasters) {
    using Edit = std::function<void(SampleEstimateMasters&)>;
    const Edit edits[] = {
        // 歩掛 formulas edited in place: the details keep their addresses.
        [](SampleEstimateMasters& m) {
            for (int g = 0; g < m.bukake.GetCount(); ++g)
                for (int k = 0; k < m.bukake.GetGyomu(g)->GetCount(); ++k)
                    for (int s = 0; s < m.bukake.GetGyomu(g)->GetKoshu(k)->GetCount(); ++s) {
                        CBukakeDetail& detail = m.bukake.GetGyomu(g)->GetKoshu(k)->GetShubetsu(s)->GetDetail();
                        detail.m_formula = "(" + detail.m_formula + ")*1.25";
                    }
        },
        // Formula rates edited in place.
        [](SampleEstimateMasters& m) {
            for (int g = 0; g < m.henkaritsu.GetSize(); ++g)
                for (int r = 0; r < m.henkaritsu.GetGyomu(g)->GetSize(); ++r) {
                    CHenkaritsuRecord& record = *m.henkaritsu.GetGyomu(g)->GetRecord(r);
                    if (record.m_mode == 1 && record.m_useAuxiliary != 1 && !record.m_formula.empty() &&
                        record.m_formula[0] != '%')
                        record.m_formula = "(" + record.m_formula + ")*1.1";
                }
        },
        // Prices raised in a copy that replaces the 単価 master.
        [](SampleEstimateMasters& m) {
            CTankaFile tanka = m.tanka;
            for (int r = 0; r < tanka.GetCount(); ++r)
                for (int32_t& price : tanka.GetRow(r)->m_prices)
                    if (price > 0) price += 1000;
            m.tanka = tanka;
        },
        // The codes of the first two 種別 of each 工種 swapped in a copy that replaces the 歩掛 master.
        [](SampleEstimateMasters& m) {
            CBukakeFile bukake = m.bukake;
            for (int g = 0; g < bukake.GetCount(); ++g)
                for (int k = 0; k < bukake.GetGyomu(g)->GetCount(); ++k) {
                    CBukakeKoshu& koshu = *bukake.GetGyomu(g)->GetKoshu(k);
                    if (koshu.GetCount() >= 2) std::swap(koshu.GetShubetsu(0)->m_code, koshu.GetShubetsu(1)->m_code);
                }
            m.bukake = bukake;
        },
    };
    const SampleProgramPaths paths = SampleProgramPathsOf(VEMO_SAMPLE_PROGRAM_DIR);
    std::vector<int> changed(std::size(edits), 0);  // samples whose total each edit changed
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.file);
        std::unique_ptr<SampleEstimateMasters> own = LoadGeneratedSampleMasters(VEMO_SAMPLE_DATA_DIR);
        const std::string source = vemo::JoinPath(VEMO_SAMPLE_ESTIMATE_SOURCE_DIR, sample.text);
        auto doc = ParseSampleEstimate(ReadTestFile(source), source, *own, paths);
        EXPECT_TRUE(PriceSampleEstimate(*doc, *own).empty());
        for (size_t e = 0; e < std::size(edits); ++e) {
            SCOPED_TRACE("edit " + std::to_string(e + 1));
            const int32_t totalBefore = EstimateTotal(*doc->GetItemList());
            edits[e](*own);
            CVemoWinDocData fresh;
            ASSERT_EQ(fresh.LoadBytes(doc->StoreBytes(), sample.file), 1);
            PriceSampleEstimate(*doc, *own);
            PriceSampleEstimate(fresh, *own);
            ExpectSameEstimate(*doc, fresh);
            if (EstimateTotal(*doc->GetItemList()) != totalBefore) ++changed[e];
        }
    }
    for (size_t e = 0; e < std::size(edits); ++e) EXPECT_GT(changed[e], 0) << "edit " << e + 1;
}

// Rows as the selection commands and the entry after them leave them, with the values the texts set.
TEST_F(SampleEstimateFilesTest, RowsCarryTheDefaultsOfTheSelectionCommands) {
    struct Row {
        const char* file;
        int32_t gyomu, koshu, shubetsu;
        const char* unit;
        int32_t quantity, rate, extraRate, special, yearCode;
        std::vector<int32_t> codes, columns, rows, ll;  // rate slots 1..9
        int kotei;                                      // 工程 lines selected
    };
    const int32_t u = kUnset;
    const Row rows[] = {
        // Formula rate at the LL the text gives, table rate at its standard cell, 掛率 1, 安全費 2.5 %.
        {"測量サンプル.sei", 1, 100, 1, "点", 12000, u, 250, 1, u,
         {1, 2, u, u, u, u, u, u, 900}, {1, u, u, u, u, u, u, u, u}, {1, u, u, u, u, u, u, u, u},
         {u, 120000, u, u, u, u, u, u, 10000}, 7},
        // The cell the text chose.
        {"測量サンプル.sei", 1, 100, 2, "点", 30000, u, 250, 1, u,
         {1, u, u, u, u, u, u, u, 900}, {2, u, u, u, u, u, u, u, u}, {1, u, u, u, u, u, u, u, u},
         {u, u, u, u, u, u, u, u, 10000}, 7},
        // A 区分率 keeps the whole column; the プログラム金額 and the 電子計算機使用料 flag.
        {"設計サンプル.sei", 2, 320, 1, "ha", 3500, u, u, 1, u,
         {3, u, u, u, u, u, u, u, 900}, {2, u, u, u, u, u, u, u, u}, {-1, u, u, u, u, u, u, u, u},
         {u, u, u, u, u, u, u, u, 10000}, 6},
        {"設計サンプル.sei", 2, 300, 1, "km", 1200, u, u, 1, 1,
         {1, 2, u, u, u, u, u, u, 900}, {2, u, u, u, u, u, u, u, u}, {1, u, u, u, u, u, u, u, u},
         {u, 12000, u, u, u, u, u, u, 10000}, 9},
        // A lump 種別 is 1 業務 at 100 %; without a 電子計算機使用料 rate its flag is off.
        {"設計サンプル.sei", 2, 330, 1, "業務", 1000, 10000, u, 0, u,
         {u, u, u, u, u, u, u, u, 900}, {u, u, u, u, u, u, u, u, u}, {u, u, u, u, u, u, u, u, u},
         {u, u, u, u, u, u, u, u, 10000}, 3},
        // 材料費 flag by the 材料費率.
        {"物件調査サンプル.sei", 3, 110, 1, "件", 12000, u, u, 0, u,
         {u, u, u, u, u, u, u, u, 900}, {u, u, u, u, u, u, u, u, u}, {u, u, u, u, u, u, u, u, u},
         {u, u, u, u, u, u, u, u, 10000}, 3},
        // 土質調査: 安全費 4.5 %, every material line counted.
        {"土質調査サンプル.sei", 4, 100, 2, "m", 17000, u, 450, 1, u,
         {1, 2, u, u, u, u, u, u, 900}, {1, 1, u, u, u, u, u, u, u}, {1, 2, u, u, u, u, u, u, u},
         {u, u, u, u, u, u, u, u, 10000}, 11},
        {"土質調査サンプル.sei", 5, 100, 1, "業務", 1000, 10000, u, 1, u,
         {3, u, u, u, u, u, u, u, 900}, {u, u, u, u, u, u, u, u, u}, {u, u, u, u, u, u, u, u, u},
         {30000, u, u, u, u, u, u, u, 10000}, 2},
        // Values typed for the auxiliary formulas (作業量, 点数, 施工量, 補正係数) beside a table cell; no 掛率.
        {"区画整理サンプル.sei", 6, 120, 1, "点", 60000, u, 250, 1, u,
         {3, 4, 5, u, 7, u, 8, u, u}, {1, u, u, u, u, u, u, u, u}, {2, u, u, u, u, u, u, u, u},
         {u, 25000, 600000, u, 20000, u, 10500, u, u}, 5},
        // The district conditions: 地区面積, 総棟数積, 総画地数 and the 補正係数.
        {"区画整理サンプル.sei", 7, 120, 1, "地区", 1000, u, u, 0, u,
         {1, 5, 6, 8, u, u, u, u, u}, {u, u, u, u, u, u, u, u, u}, {u, u, u, u, u, u, u, u, u},
         {800000, 3000000, 4000000, 10000, u, u, u, u, u}, 4},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.file) + " " + std::to_string(r.gyomu) + "/" + std::to_string(r.koshu) + "/" +
                     std::to_string(r.shubetsu));
        CVemoWinDocData doc;
        ASSERT_EQ(doc.LoadFile(SamplePath(r.file)), 1);
        const CSekisanItem* item = FindRow(*doc.GetItemList(), r.gyomu, r.koshu, r.shubetsu);
        ASSERT_NE(item, nullptr);
        const CBukakeShubetsu* master = masters->bukake.FindShubetsu(r.gyomu, r.koshu, r.shubetsu);
        ASSERT_NE(master, nullptr);
        EXPECT_EQ(item->m_strNameUpper, master->m_name);
        EXPECT_EQ(item->m_strUnit, r.unit);
        EXPECT_EQ(item->m_nQuantity, r.quantity);
        EXPECT_EQ(item->m_nRate, r.rate);
        EXPECT_EQ(item->m_nExtraRate, r.extraRate);
        EXPECT_EQ(item->m_bSpecialExpense, r.special);
        EXPECT_EQ(item->m_nYearCode, r.yearCode);
        EXPECT_EQ(std::vector<int32_t>(item->m_nRateCode.begin(), item->m_nRateCode.end()), r.codes);
        EXPECT_EQ(std::vector<int32_t>(item->m_nRateCol.begin(), item->m_nRateCol.end()), r.columns);
        EXPECT_EQ(std::vector<int32_t>(item->m_nRateRow.begin(), item->m_nRateRow.end()), r.rows);
        EXPECT_EQ(std::vector<int32_t>(item->m_nLL.begin(), item->m_nLL.end()), r.ll);
        EXPECT_EQ(item->CountSelectedKotei(), r.kotei);
        for (int i = 0; i < r.kotei; ++i) EXPECT_EQ(item->m_bKotei[static_cast<size_t>(i)], 1);
        EXPECT_EQ(item->m_bAmountEntered, 0);
    }

    // The 工種 and summary rows: a lump amount entered as 1 式, 1 式 for 電子成果品作成費, the 丸め of
    // the 業務 total, the tax rate and its text.
    CVemoWinDocData doc;
    ASSERT_EQ(doc.LoadFile(SamplePath("測量サンプル.sei")), 1);
    const CSekisanItemList& list = *doc.GetItemList();
    ASSERT_TRUE(FindRow(list, 1, 69) && FindRow(list, 1, 92) && FindRow(list, 1, 95) && FindRow(list, 98, kUnset));
    EXPECT_EQ(FindRow(list, 1, 69)->m_bAmountEntered, 1);
    EXPECT_EQ(FindRow(list, 1, 69)->m_strUnit, "式");
    EXPECT_EQ(FindRow(list, 1, 69)->m_nQuantity, 1000);
    EXPECT_EQ(FindRow(list, 1, 69)->m_nAmount, 150'000);
    EXPECT_EQ(FindRow(list, 1, 92)->m_strUnit, "式");
    EXPECT_EQ(FindRow(list, 1, 92)->m_nQuantity, 1000);
    EXPECT_EQ(FindRow(list, 1, 95)->m_nRounding, 3);
    EXPECT_EQ(FindRow(list, 1, 95)->m_nAmount % 1000, 0);
    EXPECT_EQ(FindRow(list, 98, kUnset)->m_strUnit, "式");
    EXPECT_EQ(FindRow(list, 98, kUnset)->m_nQuantity, 1000);
    EXPECT_EQ(FindRow(list, 98, kUnset)->m_strRemarkUpper, "10.00%");
    EXPECT_EQ(FindRow(list, 98, kUnset)->m_strNameUpper, masters->bukake.FindGyomu(98)->m_name);
}

TEST_F(SampleEstimateFilesTest, ReaderNamesTheLineOfEachMistake) {
    const std::string base = "[file]\n[gyomu]\ncode = 1\n[koshu]\ncode = 100\n[shubetsu]\ncode = 1\n";
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {"[file]\ncolour = red\n", "見本.txt:2: unknown key 'colour' in [file]"},
        {"[file]\n", "見本.txt:1: the estimate has no [gyomu]"},
        {"[file]\n[gyomu]\ncode = 33\n", "見本.txt:3: 業務 33 is not in the 歩掛 master"},
        {"[file]\n[gyomu]\ncode = 95\n[gyomu]\ncode = 1\n",
         "見本.txt:5: 業務 1 comes after the 業務 that follow it in the 歩掛 master"},
        {"[file]\n[gyomu]\ncode = 1\n[koshu]\ncode = 110\n[koshu]\ncode = 100\n",
         "見本.txt:7: 工種 100 comes after the 工種 that follow it in the 歩掛 master"},
        {"[file]\n[gyomu]\ncode = 1\n[koshu]\ncode = 100\n[shubetsu]\ncode = 9\nquantity = 1\n",
         "見本.txt:7: 種別 9 is not in 工種 100 of 業務 1"},
        {base, "見本.txt:6: [shubetsu] 3級基準点測量 needs 'quantity' (点)"},
        {base + "quantity = 1\nll = 2\n", "見本.txt:9: H1 of 3級基準点測量 is no formula rate"},
        {base + "quantity = 1\ncell = 1, 9, 1\n", "見本.txt:9: cell 9, 1 of rate 地形補正 holds no value"},
        {"[file]\n[gyomu]\ncode = 2\n[koshu]\ncode = 320\n[shubetsu]\ncode = 1\nquantity = 1\ncell = 1, 2, 1\n",
         "見本.txt:9: a 区分率 takes only the column"},
        {base + "quantity = 1\nprogram = 1\n", "見本.txt:9: 3級基準点測量 takes no プログラム金額"},
        {base + "quantity = 1\n[koshu]\ncode = 93\nrounding = 3\n", "見本.txt:11: only 工種 95 takes a rounding"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ParseSampleEstimate(c.text, "見本.txt", *masters, {});
            ADD_FAILURE() << "no error";
        } catch (const SampleTextError& e) {
            EXPECT_EQ(e.what(), c.message);
        }
    }
}

}  // namespace

// A sample laid beside another program names that program's masters and keeps every row; a file
// that is not an estimate is left as it is.
TEST_F(SampleEstimateFilesTest, PlacingASampleNamesTheProgramsMastersAndKeepsTheRows) {
    TempFolder program;
    const SampleProgramPaths there = SampleProgramPathsOf(program.Path());
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.file);
        const std::string laid = program / sample.file;
        WriteTestFile(laid, ReadTestFile(SamplePath(sample.file)));
        EXPECT_EQ(PlaceSampleEstimate(laid, there), SamplePlacing::placed);

        CVemoWinDocData expected;
        ASSERT_EQ(expected.LoadFile(SamplePath(sample.file)), 1);
        expected.GetItemList()->m_strMasterFolder = program / "データ格納/参考マスター25";
        expected.GetItemList()->m_strZairyoFile = program / "データ格納/材料単価データ25.zoa";
        EXPECT_TRUE(ReadTestFile(laid) == expected.StoreBytes());
        // Placed again, it is there already.
        EXPECT_EQ(PlaceSampleEstimate(laid, there), SamplePlacing::alreadyThere);
    }
    WriteTestFile(program / "壊れた.sei", "not an estimate");
    EXPECT_EQ(PlaceSampleEstimate(program / "壊れた.sei", there), SamplePlacing::unreadable);
    EXPECT_EQ(ReadTestFile(program / "壊れた.sei"), "not an estimate");
}
