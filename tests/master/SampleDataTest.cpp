// Tests of the sample master data: its text reader (master/sampledata/) and the generated files.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "ScriptedHost.h"
#include "TempFolder.h"
#include "formix/Formix.h"
#include "master/MasterCheck.h"
#include "master/MasterStore.h"
#include "master/MasterTexts.h"
#include "master/MasterUpdate.h"
#include "master/sampledata/SampleMasters.h"
#include "platform/Cp932.h"
#include "platform/FileUtil.h"
#include "platform/NumberText.h"

namespace fs = std::filesystem;

namespace {

const std::string kGenerated = VEMO_SAMPLE_DATA_DIR;
const std::string kSources = VEMO_SAMPLE_SOURCE_DIR;

// The set as the text sources describe it (read once).
SampleMasterSet& Sources() {
    static SampleMasterSet set = LoadSampleMasters(kSources);
    return set;
}

// A program folder holding a copy of the generated データ格納, writable as a fresh install is.
struct InstalledProgram {
    TempFolder root;
    std::string program = root / "VemoOvra";

    InstalledProgram() {
        fs::create_directories(program);
        fs::copy(kGenerated + "/データ格納", program + "/データ格納", fs::copy_options::recursive);
        for (const auto& e : fs::recursive_directory_iterator(program))
            fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::add);
    }
};

// Loads a root from bytes (ok must come back 1), stores it again and returns the stored bytes.
template <class Root>
std::string Restore(const std::string& bytes, Root* loaded = nullptr) {
    Root root;
    EXPECT_EQ(LoadMasterFromBytes(root, bytes), MasterLoadResult::loaded);
    std::string again = StoreMasterBytes(root);
    if (loaded) *loaded = std::move(root);
    return again;
}

std::string RestoreByName(const std::string& relativePath, const std::string& bytes) {
    std::string name = vemo::FileNameOf(relativePath);
    if (name == kBukakeFileName) return Restore<CBukakeFile>(bytes);
    if (name == kHenkaritsuFileName) return Restore<CHenkaritsuFile>(bytes);
    if (name == kTankaFileName) return Restore<CTankaFile>(bytes);
    if (name == kShokeihiFileName) return Restore<CShokeihiFile>(bytes);
    if (name == kProgramKingakuFileName) return Restore<CProgramKingakuFile>(bytes);
    if (name == kHyoshiFileName) return Restore<CHyoshiData>(bytes);
    if (vemo::ExtensionOf(name) == kZairyoTankaExtension) return Restore<CZairyoTankaFile>(bytes);
    ADD_FAILURE() << "unexpected file " << relativePath;
    return {};
}

// Execute of a rate formula with LL replaced by a number, as the calculation values it.
double RateAt(std::string formula, double ll) {
    std::string number = vemo::FormatFixed(ll, 4);
    for (size_t at; (at = formula.find("LL")) != std::string::npos;) formula.replace(at, 2, number);
    return Execute(formula.c_str());
}

}  // namespace

// ---- the generated files ------------------------------------------------------------------------

TEST(SampleData, GeneratedFilesAreTheSourcesAsTheWritersStoreThem) {
    SampleMasterSet set = LoadSampleMasters(kSources);
    std::vector<SampleMasterFile> files = BuildSampleMasterFiles(set);
    ASSERT_EQ(files.size(), 14u);
    for (const SampleMasterFile& f : files) {
        EXPECT_EQ(ReadTestFile(kGenerated + "/" + f.relativePath), f.bytes)
            << f.relativePath << " is older than its text source";
    }
    // The shipped reference data for updates is the same set, its 歩掛 and 変化率 in 参考マスター.
    const std::pair<const char*, const char*> copies[] = {
        {"データ格納/参考マスター25/歩掛データ.soa", "初期データ/データ格納/参考マスター/歩掛データ.soa"},
        {"データ格納/参考マスター25/変化率データ.soa", "初期データ/データ格納/参考マスター/変化率データ.soa"},
        {"データ格納/単価データ.daa", "初期データ/データ格納/単価データ.daa"},
        {"データ格納/諸経費データ.daa", "初期データ/データ格納/諸経費データ.daa"},
        {"データ格納/プログラム金額データ.daa", "初期データ/データ格納/プログラム金額データ.daa"},
        {"データ格納/表紙データ.daa", "初期データ/データ格納/表紙データ.daa"},
        {"データ格納/材料単価データ25.zoa", "初期データ/データ格納/材料単価データ25.zoa"},
    };
    for (const auto& [user, shipped] : copies) {
        EXPECT_EQ(ReadTestFile(kGenerated + "/" + user), ReadTestFile(kGenerated + "/" + shipped)) << user;
    }
}

TEST(SampleData, EveryFileRoundTripsByteForByte) {
    for (const SampleMasterFile& f : BuildSampleMasterFiles(Sources())) {
        const std::string bytes = ReadTestFile(kGenerated + "/" + f.relativePath);
        EXPECT_EQ(RestoreByName(f.relativePath, bytes), bytes) << f.relativePath;
    }
}

TEST(SampleData, LoadsThroughTheStoreAtStartupWithoutAMessage) {
    InstalledProgram install;
    ScriptedHost host;
    CMasterDataStore store(install.program);
    ASSERT_EQ(store.LoadMastersAtStartup(), 1);
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
    for (int id = 0; id < CMasterDataStore::kLockCount; ++id)
        EXPECT_EQ(store.GetLockOwner(static_cast<CMasterDataStore::LockId>(id)), 1) << id;

    const SampleMasterSet& src = Sources();
    EXPECT_TRUE(store.GetBukakeFile() == src.bukake);
    EXPECT_TRUE(store.GetHenkaritsuFile() == src.henkaritsu);
    EXPECT_TRUE(store.GetTankaFile() == src.tanka);
    EXPECT_TRUE(store.GetShokeihiFile() == src.shokeihi);
    EXPECT_TRUE(store.GetProgramKingakuFile() == src.programKingaku);
    EXPECT_TRUE(store.GetZairyoTankaFile() == src.zairyoTanka);
    EXPECT_TRUE(store.GetHyoshiData() == src.hyoshi);

    store.ShowMasterFolderInStatus();
    store.ShowTankaSetInStatus();
    store.ShowZairyoTankaInStatus();
    EXPECT_EQ(host.panes[1].back(), "参考マスター25");
    EXPECT_EQ(host.panes[2].back(), "令和7年度 技術者単価（見本）");
    EXPECT_EQ(host.panes[3].back(), "材料単価（見本）令和7年度");
}

TEST(SampleData, PassesTheConsistencyCheck) {
    InstalledProgram install;
    ScriptedHost host;
    CMasterDataStore store(install.program);
    ASSERT_EQ(store.LoadMastersAtStartup(), 1);
    host.answers = {IDYES};
    EXPECT_EQ(OnCheckConsistency(store), 1);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{mastertext::kAskCheck, mastertext::kRatesAllClear,
                                                             mastertext::kTradesAllClear}));
}

// ---- what the calculation will look up ---------------------------------------------------------

// Every 種別 of the business kinds: its rates are in the group the calculation searches, its 職種
// are 単価 rows priced in the default column, its materials are 材料単価 items.
TEST(SampleData, EveryBusinessKindFindsWhatItsItemsNeed) {
    const SampleMasterSet& s = Sources();
    const int column = s.tanka.m_defaultColumn;
    std::map<int, int> shubetsuCount;
    for (int gyomu = 1; gyomu <= 7; ++gyomu) {
        SCOPED_TRACE("業務 " + std::to_string(gyomu));
        const CBukakeGyomu* g = s.bukake.FindGyomu(gyomu);
        ASSERT_NE(g, nullptr);
        const CHenkaritsuGyomu* rates = s.henkaritsu.FindGyomu(gyomu);
        ASSERT_NE(rates, nullptr);
        EXPECT_EQ(rates->m_code, gyomu == 5 ? 4 : gyomu);
        // Every 業務 carries its 諸経費 row and its total row.
        EXPECT_NE(g->FindKoshu(93), nullptr);
        EXPECT_NE(g->FindKoshu(95), nullptr);
        for (int k = 0; k < g->GetCount(); ++k) {
            const CBukakeKoshu* koshu = g->GetKoshu(k);
            for (int i = 0; i < koshu->GetCount(); ++i) {
                const CBukakeShubetsu* sh = koshu->GetShubetsu(i);
                SCOPED_TRACE(koshu->m_name + " / " + sh->m_name);
                ASSERT_EQ(s.bukake.FindShubetsu(gyomu, koshu->m_code, sh->m_code), sh);
                EXPECT_EQ(koshu->GetCodeCategory(), 0);
                ++shubetsuCount[gyomu];
                const CBukakeDetail& d = sh->GetDetail();
                EXPECT_GT(d.GetLineCount(), 0);
                for (int32_t code : d.m_henkaritsu) {
                    if (!IsUnset(code)) {
                        EXPECT_NE(rates->FindRecord(code), nullptr) << code;
                    }
                }
                if (d.m_bukakeType == 4) {
                    for (int l = 0; l < d.GetLineCount(); ++l) {
                        const CBukakeDetailLine* line = d.GetLine(l);
                        int32_t kind = line->m_columns[0], id = line->m_columns[1];
                        if (kind == 1 || kind == 2) {
                            ASSERT_NE(s.tanka.FindRow(id), nullptr) << id;
                            EXPECT_GT(s.tanka.FindRow(id)->m_prices[column], 0) << id;
                        } else {
                            ASSERT_NE(s.zairyoTanka.FindItem(id), nullptr) << id;
                            bool marker = line->m_name == "Z1" || line->m_name == "Z2";
                            EXPECT_EQ(IsNoPrice(s.zairyoTanka.FindItem(id)->m_price), marker) << id;
                        }
                    }
                    continue;
                }
                int trades = 0;
                for (int32_t id : d.m_shokushu) {
                    if (IsUnset(id)) continue;
                    ++trades;
                    ASSERT_NE(s.tanka.FindRow(id), nullptr) << id;
                    EXPECT_GT(s.tanka.FindRow(id)->m_prices[column], 0) << id;
                }
                EXPECT_GT(trades, 0);
                // Every 職種 column works somewhere, every line works in some column.
                for (int c = 0; c < 10; ++c) {
                    if (!IsUnset(d.m_shokushu[c])) {
                        EXPECT_GT(d.GetShokushuTotal(c), 0) << "column " << c;
                    }
                }
                for (int l = 0; l < d.GetLineCount(); ++l) EXPECT_GT(d.GetLineTotal(l), 0) << "line " << l;
                // A detail priced per unit needs a base quantity to divide by; a lump one is worked
                // for one 業務 (or 式), so that its breakdown reads "1.00 業務 当たり".
                if (d.m_unit != "業務" && d.m_unit != "式") {
                    EXPECT_GT(d.m_quantity, 0);
                } else {
                    EXPECT_EQ(d.m_quantity, 100) << sh->m_name;
                }
                if (!IsUnset(d.m_zairyoId)) {
                    const CZairyoTankaItem* item = s.zairyoTanka.FindItem(d.m_zairyoId);
                    ASSERT_NE(item, nullptr);
                    EXPECT_EQ(item->m_kind, 5);
                    EXPECT_GT(item->m_price, 0.0);
                }
            }
        }
    }
    for (int gyomu = 1; gyomu <= 7; ++gyomu) EXPECT_GE(shubetsuCount[gyomu], 2) << "業務 " << gyomu;
    // The summary rows of an estimate have their names.
    for (int code : {89, 95, 96, 97, 98, 99}) EXPECT_NE(s.bukake.FindGyomu(code), nullptr) << code;
}

TEST(SampleData, EachKindHasItsSpecialCases) {
    const SampleMasterSet& s = Sources();
    // 測量: a detail with 費目 set one by one. Every entry names an item, which the breakdown sheets
    // print it by: a priced one, or, for each of the markers Z1, Z2, Z3 (a rate of the labour), one
    // without a price.
    const CBukakeDetail& genchi = s.bukake.FindShubetsu(1, 120, 1)->GetDetail();
    EXPECT_EQ(genchi.m_himokuMode, 0);
    std::set<std::string> markers;
    for (int i = 0; i < genchi.GetHimokuSet().GetHimokuCount(); ++i) {
        const CBukakeHimoku& entry = *genchi.GetHimokuSet().GetHimoku(i);
        SCOPED_TRACE(entry.m_name);
        const bool marker = entry.m_name == "Z1" || entry.m_name == "Z2" || entry.m_name == "Z3";
        if (marker) markers.insert(entry.m_name);
        const CZairyoTankaItem* item = s.zairyoTanka.FindItem(entry.m_values[1]);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(IsNoPrice(item->m_price), marker);
    }
    EXPECT_EQ(markers.size(), 3u);
    // 設計: a 区分率 rate with a row for each 工程 line, a conventional 種別, a プログラム金額 item.
    const CBukakeShubetsu* kihon = s.bukake.FindShubetsu(2, 320, 1);
    const CHenkaritsuRecord* kubun = s.henkaritsu.FindGyomu(2)->FindRecord(kihon->GetDetail().m_henkaritsu[0]);
    EXPECT_EQ(kubun->m_kubunFlag, 1);
    for (int l = 0; l < kihon->GetDetail().GetLineCount(); ++l) {
        EXPECT_EQ(kubun->m_rowTitles[l], kihon->GetDetail().GetLine(l)->m_name);
        EXPECT_EQ(kubun->GetCell(1, l + 1), 1000);
    }
    EXPECT_EQ(kihon->m_conventional, 1);
    EXPECT_EQ(s.bukake.FindShubetsu(2, 300, 1)->GetDetail().m_programKingaku, 1);
    ASSERT_NE(s.programKingaku.FindRecord(1), nullptr);
    EXPECT_GT(s.programKingaku.FindRecord(1)->m_fee, 0);
    // 土質一般: material details with Z1 and Z2 lines and their bases and rates.
    const CBukakeDetail& sand = s.bukake.FindShubetsu(4, 100, 2)->GetDetail();
    EXPECT_EQ(sand.m_bukakeType, 4);
    EXPECT_EQ(sand.m_shokushu[0], 4);
    EXPECT_EQ(sand.m_shokushu[1], 8);
    EXPECT_EQ(sand.m_rates[0], 500);
    EXPECT_EQ(sand.m_rates[2], 1000);
    // 諸経費: the fixed rates the calculation reads (業務 5 uses the one of 業務 2).
    for (int gyomu : {2, 3, 7}) {
        ASSERT_NE(s.shokeihi.FindRecord(gyomu), nullptr) << gyomu;
        EXPECT_GT(s.shokeihi.FindRecord(gyomu)->m_rate, 0) << gyomu;
    }
    for (int gyomu = 1; gyomu <= 7; ++gyomu) EXPECT_NE(s.shokeihi.FindRecord(gyomu), nullptr) << gyomu;
    // 区画整理測量: types 10, 11 and 12 priced through auxiliary formulas, their sheet texts naming the
    // change-rate sheets of the print forms; 区画整理設計: rate types of the district conditions; types
    // 29 and 31 priced line by line.
    const std::map<int32_t, std::string> sheets = {{10, "変化率計算書α"}, {11, "変化率計算書αβ"}, {12, "変化率計算書施工"}};
    std::set<int32_t> types;
    for (int gyomu : {6, 7})
        for (int k = 0; k < s.bukake.FindGyomu(gyomu)->GetCount(); ++k) {
            const CBukakeKoshu* koshu = s.bukake.FindGyomu(gyomu)->GetKoshu(k);
            for (int i = 0; i < koshu->GetCount(); ++i) {
                const CBukakeDetail& d = koshu->GetShubetsu(i)->GetDetail();
                types.insert(d.m_bukakeType);
                if (!sheets.count(d.m_bukakeType)) continue;
                EXPECT_EQ(d.m_textH.substr(0, sheets.at(d.m_bukakeType).size() + 2),
                          "\"" + sheets.at(d.m_bukakeType) + "\"");
                EXPECT_EQ(d.m_useAuxiliary, 1);
                EXPECT_NE(d.m_formula.find('S'), std::string::npos) << d.m_formula;
            }
        }
    for (int32_t type : {10, 11, 12, 14, 16, 17, 25, 29, 31}) EXPECT_TRUE(types.count(type)) << type;
    // 単価: titled price columns, 10 % tax, a column where some prices are not entered.
    EXPECT_EQ(s.tanka.m_defaultColumn, 0);
    EXPECT_EQ(s.tanka.m_consumptionTax, 1000);
    for (int c = 0; c < 3; ++c) EXPECT_FALSE(s.tanka.m_columnTitles[c].empty()) << c;
    EXPECT_TRUE(IsUnset(s.tanka.FindRow(1001)->m_prices[2]));
    // 材料単価: every kind is present; the items without a price are the four of the rate lines (the
    // 土質 Z lines and the 測量 markers).
    int noPrice = 0;
    for (int kind = 0; kind < kZairyoKindCount; ++kind) EXPECT_GT(s.zairyoTanka.GetItemCountOfKind(kind), 0) << kind;
    for (int i = 0; i < s.zairyoTanka.GetCount(); ++i) noPrice += IsNoPrice(s.zairyoTanka.GetItem(i)->m_price);
    EXPECT_EQ(noPrice, 4);
}

// The standard condition of every rate is 1.000: the standard cell of a table, the formula at its LL
// default. Worked by hand, e.g. (10/LL)^0.1 at LL = 10 and %(90+LL*10) at LL = 1 are both 1.
TEST(SampleData, EveryRateIsOneAtItsStandardCondition) {
    const CHenkaritsuFile& h = Sources().henkaritsu;
    int tables = 0, formulas = 0;
    for (int g = 0; g < h.GetSize(); ++g) {
        const CHenkaritsuGyomu* group = h.GetGyomu(g);
        EXPECT_NE(group->FindRecord(900), nullptr) << "group " << group->m_code;
        for (int i = 0; i < group->GetSize(); ++i) {
            const CHenkaritsuRecord* r = group->GetRecord(i);
            SCOPED_TRACE("group " + std::to_string(group->m_code) + " record " + r->m_name);
            if (r->m_formula.find('"') != std::string::npos) continue;  // a district formula, below
            if (r->m_mode == 0) {
                ++tables;
                EXPECT_EQ(r->GetCell(r->m_standardColumn, r->m_standardRow), 1000);
            } else {
                ++formulas;
                ASSERT_FALSE(IsUnset(r->m_llDefault));
                EXPECT_NEAR(RateAt(r->m_formula, r->m_llDefault / 10000.0), 1.0, 1e-9) << r->m_formula;
            }
        }
    }
    EXPECT_GE(tables, 6);
    EXPECT_GE(formulas, 6);

    // 区画整理設計: the district formulas K1 and H1 (between double quotes) at the standard district —
    // 地区面積 50 ha, 総棟数積 150, 総画地数 200 (the defaults of records 1, 5, 6) — give K1 = 150 ÷ 50
    // = 3 and H1 = 200 ÷ 50 = 4, the standard LL of β1 and β2.
    const CHenkaritsuGyomu* g7 = h.FindGyomu(7);
    ASSERT_NE(g7, nullptr);
    const double standard[3] = {g7->FindRecord(1)->m_llDefault / 10000.0, g7->FindRecord(5)->m_llDefault / 10000.0,
                                g7->FindRecord(6)->m_llDefault / 10000.0};
    for (auto [formula, beta] : {std::pair{9, 11}, std::pair{10, 12}}) {
        std::string text = g7->FindRecord(formula)->m_formula;
        const size_t open = text.find('"');
        ASSERT_NE(open, std::string::npos) << formula;
        text = text.substr(open + 1, text.find('"', open + 1) - open - 1);
        for (int k = 0; k < 3; ++k) {
            const std::string marker = "H" + std::to_string(k + 1);
            for (size_t at; (at = text.find(marker)) != std::string::npos;)
                text.replace(at, 2, vemo::FormatFixed(standard[k], 4));
        }
        const CHenkaritsuRecord* rate = g7->FindRecord(beta);
        EXPECT_DOUBLE_EQ(Execute(text.c_str()), rate->m_llDefault / 10000.0) << formula;
        EXPECT_NEAR(RateAt(rate->m_formula, rate->m_llDefault / 10000.0), 1.0, 1e-9) << beta;
    }
}

// The auxiliary formulas of a rate meet at the ends of their ranges, so the rate does not jump:
// 延長 1 km: 1 and 0.8+0.2×1 = 1.0; 5 km: 0.8+0.2×5 = 1.6+0.04×5 = 1.8; 20 km: 1.6+0.04×20 = 2.4.
TEST(SampleData, AuxiliaryFormulasMeetAtTheirRangeEnds) {
    const CHenkaritsuRecord* r = Sources().henkaritsu.FindGyomu(2)->FindRecord(2);
    ASSERT_EQ(r->m_useAuxiliary, 1);
    const double ends[] = {1.0, 5.0, 20.0};
    const double values[] = {1.0, 1.8, 2.4};
    for (int i = 0; i < 3; ++i) {
        double end = Execute(r->m_auxEnd[i].c_str());
        EXPECT_EQ(end, ends[i]);
        EXPECT_NEAR(RateAt(r->m_auxFormula[i], end), values[i], 1e-9) << i;
        std::string next = i < 2 ? r->m_auxFormula[i + 1] : r->m_defaultAuxFormula;
        EXPECT_NEAR(RateAt(next, end), values[i], 1e-9) << i;
    }
}

// 3級基準点測量, direct labour per 10 points at the default price column, worked by hand:
//   測量主任技師 1.00 × 56,000 =  56,000     測量技師   9.20 × 46,500 = 427,800
//   測量技師補   8.20 × 38,000 = 311,600     測量助手   4.80 × 33,500 = 160,800
//   測量補助員   2.40 × 28,500 =  68,400     total                      1,024,600
TEST(SampleData, SurveyDetailWorksOutByHand) {
    const SampleMasterSet& s = Sources();
    const CBukakeDetail& d = s.bukake.FindShubetsu(1, 100, 1)->GetDetail();
    const int64_t days[] = {100, 920, 820, 480, 240};
    int64_t labour = 0;
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(d.GetShokushuTotal(c), days[c]) << c;
        labour += d.GetShokushuTotal(c) * s.tanka.FindRow(d.m_shokushu[c])->m_prices[0] / 100;
    }
    EXPECT_EQ(labour, 1'024'600);
    EXPECT_EQ(d.m_quantity, 1000);
    EXPECT_EQ(d.m_unit, "点");
}

// ---- malformed text ------------------------------------------------------------------------------

namespace {

struct BadText {
    const char* what;
    std::function<void(const std::string&)> parse;
    std::string text;
    std::string message;
};

auto Shokeihi = [](const std::string& t) { ParseSampleShokeihi(t, "shokeihi.txt"); };
auto Tanka = [](const std::string& t) { ParseSampleTanka(t, "tanka.txt"); };
auto Henkaritsu = [](const std::string& t) { ParseSampleHenkaritsu(t, "henkaritsu.txt"); };
auto Zairyo = [](const std::string& t) { ParseSampleZairyoTanka(t, "zairyo_tanka.txt"); };
auto Hyoshi = [](const std::string& t) { ParseSampleHyoshi(t, "hyoshi.txt"); };
auto Bukake = [](const std::string& t) {
    const SampleMasterSet& s = Sources();
    ParseSampleBukake(t, "bukake.txt", {s.henkaritsu, s.tanka, s.zairyoTanka});
};

const std::string kBukakeHead = "[file]\ndata_version = 110\n[gyomu]\ncode = 1\nname = 測量業務\n[koshu]\ncode = 100\nname = 基準点測量\n";

std::vector<BadText> BadTexts() {
    return {
        {"unknown key", Shokeihi, "[file]\ndata_version = 102\n[record]\ngyomu = 2\nname = 設計\nrte = 90\n",
         "shokeihi.txt:6: unknown key 'rte' in [record]"},
        {"missing required key", Shokeihi, "# header\n[file]\n[record]\ngyomu = 2\nname = 設計\n",
         "shokeihi.txt:2: [file] needs 'data_version'"},
        {"missing name", Shokeihi, "[file]\ndata_version = 102\n\n[record]\ngyomu = 2\n",
         "shokeihi.txt:4: [record] needs 'name'"},
        {"malformed number", Shokeihi, "[file]\ndata_version = 102\n[record]\ngyomu = 2\nname = 設計\nrate = 9O.00\n",
         "shokeihi.txt:6: value '9O.00' of 'rate' is not a number"},
        {"too many decimals", Shokeihi, "[file]\ndata_version = 102\n[record]\ngyomu = 2\nname = 設計\nrate = 90.005\n",
         "shokeihi.txt:6: value '90.005' of 'rate' has more than 2 decimals"},
        {"fraction for a whole number", Shokeihi, "[file]\ndata_version = 1.02\n",
         "shokeihi.txt:2: value '1.02' of 'data_version' is not a whole number"},
        {"out of range", Shokeihi, "[file]\ndata_version = 102\n[record]\ngyomu = 2\nname = 設計\nrate = 30000000\n",
         "shokeihi.txt:6: value '30000000' of 'rate' is out of range"},
        {"code outside its range", Shokeihi, "[file]\ndata_version = 102\n[record]\ngyomu = 33\nname = x\n",
         "shokeihi.txt:4: gyomu 33 is outside 1..32"},
        {"code given twice", Shokeihi,
         "[file]\ndata_version = 102\n[record]\ngyomu = 2\nname = a\n[record]\ngyomu = 2\nname = b\n",
         "shokeihi.txt:7: gyomu 2 is given twice"},
        {"key given twice", Shokeihi, "[file]\ndata_version = 102\n[record]\ngyomu = 2\nname = a\nname = b\n",
         "shokeihi.txt:6: 'name' is given twice in [record]"},
        {"key outside a section", Shokeihi, "data_version = 102\n",
         "shokeihi.txt:1: key 'data_version' outside a section"},
        {"line without a value", Shokeihi, "[file]\ndata_version\n",
         "shokeihi.txt:2: expected '[section]' or 'key = value'"},
        {"malformed key", Shokeihi, "[file]\nData Version = 1\n", "shokeihi.txt:2: malformed key 'Data Version'"},
        {"unclosed section", Shokeihi, "[file\n", "shokeihi.txt:1: a section line must end in ']'"},
        {"unknown section", Shokeihi, "[file]\ndata_version = 102\n[recrod]\n",
         "shokeihi.txt:3: unknown section [recrod]"},
        {"no file section", Shokeihi, "\n[record]\ngyomu = 2\n", "shokeihi.txt:2: the text must begin with [file]"},
        {"file section twice", Shokeihi, "[file]\ndata_version = 102\n[file]\n", "shokeihi.txt:3: [file] is given twice"},
        {"text outside CP932", Shokeihi, "[file]\ndata_version = 102\n[record]\ngyomu = 2\nname = 設計😀\n",
         "shokeihi.txt:5: text '設計😀' of 'name' cannot be written in CP932"},
        {"unclosed quote", Shokeihi, "[file]\ndata_version = 102\n[record]\ngyomu = 2\nname = \"設計\n",
         "shokeihi.txt:5: unclosed quote in 'name'"},
        {"lone quote inside quotes", Shokeihi, "[file]\ndata_version = 102\n[record]\ngyomu = 2\nname = \"a\"b\"\n",
         "shokeihi.txt:5: stray quote in 'name'"},
        {"quote in an unquoted text", Shokeihi, "[file]\ndata_version = 102\n[record]\ngyomu = 2\nname = a\"\"b\n",
         "shokeihi.txt:5: stray quote in 'name'"},
        {"too many list values", Tanka,
         "[file]\ndata_version = 104\ndefault_column = 0\ncolumn_titles = a\n[row]\nid = 1000\nname = x\n"
         "prices = 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21\n",
         "tanka.txt:8: 'prices' takes at most 20 values, not 21"},
        {"untitled default column", Tanka, "[file]\ndata_version = 104\ndefault_column = 1\ncolumn_titles = a\n",
         "tanka.txt:3: the default price column has no title"},
        {"travel trade not a row", Tanka,
         "[file]\ndata_version = 104\ndefault_column = 0\ncolumn_titles = a\ntravel_trade = 1005\n[row]\nid = 1000\nname = x\n",
         "tanka.txt:5: travel_trade 1005 is not a [row] of this file"},
        {"formula refused", Henkaritsu,
         "[file]\ndata_version = 103\n[group]\ncode = 1\nname = g\n[record]\ncode = 2\nname = r\nmode = 1\nformula = ll*2\n",
         "henkaritsu.txt:10: formula 'll*2' of formula is refused by the formula check"},
        {"table without rows", Henkaritsu,
         "[file]\ndata_version = 103\n[group]\ncode = 1\nname = g\n[record]\ncode = 2\nname = r\n",
         "henkaritsu.txt:6: a record in table mode needs at least one row"},
        {"standard cell empty", Henkaritsu,
         "[file]\ndata_version = 103\n[group]\ncode = 1\nname = g\n[record]\ncode = 2\nname = r\nrow = a, 1.000\nstandard = 2, 1\n",
         "henkaritsu.txt:10: the standard cell holds no value"},
        {"record before group", Henkaritsu, "[file]\ndata_version = 103\n[record]\ncode = 2\nname = r\n",
         "henkaritsu.txt:3: [record] before any [group]"},
        {"material kind", Zairyo, "[file]\ndata_version = 102\ntitle = t\n[item]\nid = 1000\nkind = 6\nname = x\n",
         "zairyo_tanka.txt:6: kind 6 is outside 0..5"},
        {"price not a number", Zairyo,
         "[file]\ndata_version = 102\ntitle = t\n[item]\nid = 1000\nkind = 0\nname = x\nprice = 1,000\n",
         "zairyo_tanka.txt:8: value '1,000' of 'price' is not a number"},
        {"history repeated", Hyoshi, "[file]\nfile_version = 100\n[cover]\nhistory_place = a\nhistory_place = a\n",
         "hyoshi.txt:5: 'a' is in the history twice"},
        {"koshu before gyomu", Bukake, "[file]\ndata_version = 110\n[koshu]\ncode = 100\nname = k\n",
         "bukake.txt:3: [koshu] before any [gyomu]"},
        {"rate code not in the group", Bukake, kBukakeHead + "[shubetsu]\ncode = 1\nname = s\nh = 1, 7\n",
         "bukake.txt:12: 変化率 record 7 is not in the group of 業務 1"},
        {"trade not in 単価", Bukake, kBukakeHead + "[shubetsu]\ncode = 1\nname = s\nshokushu = 1010, 1999\n",
         "bukake.txt:12: 職種 1999 is not a row of the 単価 master"},
        {"man-days without a trade", Bukake,
         kBukakeHead + "[shubetsu]\ncode = 1\nname = s\nshokushu = 1010\n[line]\nname = 観測\nman_days = 1.00, 2.00\n",
         "bukake.txt:15: man-days in column 2, which names no 職種"},
        {"material line of a labour detail", Bukake,
         kBukakeHead + "[shubetsu]\ncode = 1\nname = s\n[line]\nname = 1\nsub_entry = 3, 1003\n",
         "bukake.txt:14: sub_entry belongs to a detail of bukake_type 4"},
        {"material not in 材料単価", Bukake,
         kBukakeHead + "[shubetsu]\ncode = 1\nname = s\nbukake_type = 4\n[line]\nname = 2\nsub_entry = 3, 1777, 100\n",
         "bukake.txt:15: sub_entry of kind 3 names 1777, which is not an item of the 材料単価 master"},
        {"material line formula", Bukake,
         kBukakeHead + "[shubetsu]\ncode = 1\nname = s\nbukake_type = 4\n[line]\nname = 2.0.1\nsub_entry = 3, 1003\n",
         "bukake.txt:14: formula '2.0.1' of name is refused by the formula check"},
        {"検定料 of another kind", Bukake, kBukakeHead + "[shubetsu]\ncode = 1\nname = s\nzairyo_id = 1000\n",
         "bukake.txt:12: zairyo_id 1000 is not a 材料単価 item of kind 5"},
        {"line before shubetsu", Bukake, kBukakeHead + "[line]\nname = x\n", "bukake.txt:9: [line] before any [shubetsu]"},
    };
}

}  // namespace

TEST(SampleData, MalformedTextIsRefusedWithFileAndLine) {
    for (const BadText& bad : BadTexts()) {
        SCOPED_TRACE(bad.what);
        try {
            bad.parse(bad.text);
            ADD_FAILURE() << "accepted";
        } catch (const SampleTextError& e) {
            EXPECT_EQ(std::string(e.what()), bad.message);
        }
    }
}

TEST(SampleData, CommentsQuotesAndListDefaults) {
    CTankaFile t = ParseSampleTanka(
        "\xEF\xBB\xBF# sample\r\n[file]\r\ndata_version = 104\ndefault_column = 0\n"
        "column_titles = \"A, B\", , \" #3 \"   # a comment\n[row]\nid = 1000\nname = 測量技師#1\n"
        "prices = 100, , 300, unset\nremarks = \"\"\n",
        "tanka.txt");
    EXPECT_EQ(t.m_columnTitles[0], "A, B");
    EXPECT_EQ(t.m_columnTitles[1], "");
    EXPECT_EQ(t.m_columnTitles[2], " #3 ");
    const CTankaRow* row = t.FindRow(1000);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->m_name, "測量技師#1");  // '#' without a blank before it is text
    EXPECT_EQ(row->m_unit, "人");           // constructor default kept
    EXPECT_EQ(row->m_prices[0], 100);
    EXPECT_TRUE(IsUnset(row->m_prices[1]));
    EXPECT_EQ(row->m_prices[2], 300);
    EXPECT_TRUE(IsUnset(row->m_prices[3]));
    EXPECT_EQ(t.m_fileVersion, 104);

    // Inside quotes a doubled quote is one quote of the text, in a value and in a list element.
    CTankaFile q = ParseSampleTanka(
        "[file]\ndata_version = 104\ndefault_column = 0\ncolumn_titles = \"\"\"A\"\", #\", \"\"\"\"\"\", \"\"\n"
        "[row]\nid = 1000\nname = \"S7 \"\"作業量\"\"\"   # quoted\n",
        "tanka.txt");
    EXPECT_EQ(q.m_columnTitles[0], "\"A\", #");
    EXPECT_EQ(q.m_columnTitles[1], "\"\"");
    EXPECT_EQ(q.m_columnTitles[2], "");
    EXPECT_EQ(q.FindRow(1000)->m_name, "S7 \"作業量\"");
}

TEST(SampleData, MissingSourceFolderNamesTheFile) {
    TempFolder empty;
    try {
        LoadSampleMasters(empty.Path());
        ADD_FAILURE() << "loaded";
    } catch (const SampleTextError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(empty.Path() + "/henkaritsu.txt:0: cannot be read", 0), 0u) << e.what();
    }
}

TEST(SampleData, GeneratorWritesTheLayoutAndReportsAFolderItCannotMake) {
    TempFolder out;
    SampleMasterSet set = LoadSampleMasters(kSources);
    std::string error;
    ASSERT_TRUE(WriteSampleMasterFiles(BuildSampleMasterFiles(set), out.Path(), &error)) << error;
    for (const char* path : {"データ格納/参考マスター25/歩掛データ.soa", "データ格納/参考マスター25/変化率データ.soa",
                             "データ格納/単価データ.daa", "データ格納/諸経費データ.daa", "データ格納/プログラム金額データ.daa",
                             "データ格納/表紙データ.daa", "データ格納/材料単価データ25.zoa",
                             "初期データ/データ格納/参考マスター/歩掛データ.soa", "初期データ/データ格納/単価データ.daa"})
        EXPECT_TRUE(vemo::FileExists(out / path)) << path;
    // A folder that cannot be created is reported with its path.
    TempFolder blocked;
    WriteTestFile(blocked / "データ格納", "a file where the folder should be");
    EXPECT_FALSE(WriteSampleMasterFiles(BuildSampleMasterFiles(set), blocked.Path(), &error));
    EXPECT_NE(error.find("データ格納"), std::string::npos) << error;
}

// ---- the shipped copy as the master update reads it ----------------------------------------------

// Shipped material items are not the user's own, so updating from the shipped copy replaces them
// instead of keeping them beside the shipped ones (which would give every id twice).
TEST(SampleData, ShippedMaterialItemsUpdateWithoutDuplicates) {
    InstalledProgram install;
    fs::copy(kGenerated + "/初期データ", install.program + "/初期データ", fs::copy_options::recursive);
    ScriptedHost host;
    CMasterDataStore store(install.program);
    ASSERT_EQ(store.LoadMastersAtStartup(), 1);
    const int before = store.GetZairyoTankaFile().GetCount();
    ASSERT_GT(before, 0);
    for (int i = 0; i < before; ++i) EXPECT_EQ(store.GetZairyoTankaFile().GetItem(i)->m_setting, 0) << i;

    CMasterUpdater updater(store);
    ASSERT_EQ(updater.UpdateZairyoTankaFile(updater.ShippedZairyoTankaPath()), 1);
    const CZairyoTankaFile& after = store.GetZairyoTankaFile();
    EXPECT_EQ(after.GetCount(), before);
    std::set<int32_t> ids;
    for (int i = 0; i < after.GetCount(); ++i) EXPECT_TRUE(ids.insert(after.GetItem(i)->m_id).second) << i;
}
