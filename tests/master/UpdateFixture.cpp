// Test support for the tests of master/: UpdateFixture.
#include "UpdateFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "master/MasterTexts.h"

namespace fs = std::filesystem;
using namespace masterbuild;

namespace updatetest {

namespace {

CBukakeShubetsu& UserShubetsu(CBukakeKoshu& k, int32_t code, const std::string& name) {
    CBukakeShubetsu& s = AddShubetsu(k, code, name);
    s.m_userCreated = 1;
    return s;
}

CHenkaritsuRecord& UserRecord(CHenkaritsuGyomu& g, int32_t code, const std::string& name) {
    CHenkaritsuRecord& r = AddTableRecord(g, code, name);
    r.m_userCreated = 1;
    return r;
}

CZairyoTankaItem& Item(CZairyoTankaFile& z, int32_t id, const std::string& name, double price, int32_t user) {
    CZairyoTankaItem& item = AddZairyoItem(z, id, 0, name, price);
    item.m_setting = user;
    return item;
}

}  // namespace

std::vector<int32_t> KoshuCodes(const CBukakeGyomu& g) {
    std::vector<int32_t> codes;
    for (int i = 0; i < g.GetCount(); ++i) codes.push_back(g.GetKoshu(i)->m_code);
    return codes;
}

std::vector<int32_t> ShubetsuCodes(const CBukakeKoshu& k) {
    std::vector<int32_t> codes;
    for (int i = 0; i < k.GetCount(); ++i) codes.push_back(k.GetShubetsu(i)->m_code);
    return codes;
}

std::vector<int32_t> RecordCodes(const CHenkaritsuGyomu& g) {
    std::vector<int32_t> codes;
    for (int i = 0; i < g.GetSize(); ++i) codes.push_back(g.GetRecord(i)->m_code);
    return codes;
}

CBukakeFile UserBukake() {
    CBukakeFile b;
    b.m_dataVersion = 2400;
    CBukakeGyomu& g1 = AddGyomu(b, 1, "測量");
    CBukakeKoshu& k1 = AddKoshu(g1, 1, "基準点測量");
    AddShubetsu(k1, 1, "1級基準点");
    UserShubetsu(k1, 2, "利用者基準点").GetDetail().m_formula = "H1*2";
    AddKoshu(g1, 69, "一式");
    AddKoshu(g1, 91, "直接費");

    CBukakeGyomu& g2 = AddGyomu(b, 2, "設計");
    AddKoshu(g2, 1, "基本設計");
    CBukakeKoshu& own = AddKoshu(g2, 150, "利用者工種");
    own.m_userCreated = 1;
    UserShubetsu(own, 1, "利用者種別A");
    UserShubetsu(own, 2, "利用者種別B");
    AddKoshu(g2, 69, "一式");
    AddKoshu(g2, 915, "諸経費対象外");

    CBukakeGyomu& g3 = AddGyomu(b, 3, "物件調査");
    CBukakeKoshu& old = AddKoshu(g3, 5, "旧工種");
    UserShubetsu(old, 7, "消える種別");
    AddKoshu(g3, 91, "直接費");
    return b;
}

CBukakeFile ShippedBukake() {
    CBukakeFile b;
    b.m_dataVersion = 2500;
    CBukakeGyomu& g1 = AddGyomu(b, 1, "測量");
    CBukakeKoshu& k1 = AddKoshu(g1, 1, "基準点測量");
    AddShubetsu(k1, 1, "1級基準点（新）");
    AddShubetsu(k1, 2, "2級基準点");
    AddKoshu(g1, 69, "一式");
    AddKoshu(g1, 91, "直接費");

    CBukakeGyomu& g2 = AddGyomu(b, 2, "設計");
    AddKoshu(g2, 1, "基本設計（新）");
    AddKoshu(g2, 69, "一式");
    AddKoshu(g2, 915, "諸経費対象外");

    CBukakeGyomu& g3 = AddGyomu(b, 3, "物件調査");
    AddKoshu(g3, 6, "新工種");
    AddKoshu(g3, 91, "直接費");
    return b;
}

std::string UserShubetsuNote() {
    const std::string codeBefore = mastertext::kFindingSeparator + std::string(mastertext::kShubetsuCodeBefore);
    return mastertext::kMovedShubetsuHeading + ("測量 基準点測量 利用者基準点" + codeBefore) + "2" +
           mastertext::kKoshuCodeArrow + "3\n" + mastertext::kDroppedShubetsuHeading + "物件調査 旧工種 消える種別" +
           codeBefore + "7\n";
}

CHenkaritsuFile UserHenkaritsu() {
    CHenkaritsuFile h;
    h.m_dataVersion = 2400;
    CHenkaritsuGyomu& g1 = AddGroup(h, 1, "測量");
    AddTableRecord(g1, 1, "地形");
    AddTableRecord(g1, 2, "縮尺");
    UserRecord(g1, 1001, "利用者補正A");
    for (int32_t code = 3; code <= 6; ++code) AddTableRecord(g1, code, "旧補正");
    UserRecord(g1, 1000, "利用者補正B");  // index 7
    CHenkaritsuGyomu& g4 = AddGroup(h, 4, "土質");
    AddTableRecord(g4, 1, "地盤");
    UserRecord(g4, 1002, "利用者土質");
    return h;
}

CHenkaritsuFile ShippedHenkaritsu() {
    CHenkaritsuFile h;
    h.m_dataVersion = 2500;
    CHenkaritsuGyomu& g1 = AddGroup(h, 1, "測量");
    for (int32_t code = 1; code <= 5; ++code) AddTableRecord(g1, code, "新補正");
    CHenkaritsuGyomu& g4 = AddGroup(h, 4, "土質");
    AddTableRecord(g4, 1, "地盤（新）");
    AddTableRecord(g4, 2, "地下水");
    CHenkaritsuGyomu& g5 = AddGroup(h, 5, "土質解析");
    AddTableRecord(g5, 1, "解析");
    return h;
}

CTankaFile UserTanka() {
    CTankaFile t;
    t.m_dataVersion = 2400;
    t.m_company = {"100-0001", "東京都千代田区", "一丁目", "測量株式会社", "設計部", "山田太郎", "03-0000-0000",
                   "03-0000-0001"};
    t.m_footerFlag = 0;
    t.m_travelFlag = 1;
    t.m_defaultColumn = 3;
    t.m_travelTrade = 1001;
    t.m_consumptionTax = 800;
    for (int i = 0; i < CTankaRow::kPriceColumns; ++i) t.m_columnTitles[static_cast<size_t>(i)] = "単価" + std::to_string(i);
    CTankaRow& own = AddTankaRow(t, 1500, "利用者職種", {777});
    own.m_remarks = "私の備考";
    own.m_unit = "日";
    own.m_setting = 3;
    CTankaRow& r1000 = AddTankaRow(t, 1000, "測量技師", {});
    for (int i = 0; i < CTankaRow::kPriceColumns; ++i) r1000.m_prices[static_cast<size_t>(i)] = 10000 + i;
    AddTankaRow(t, 1600, "利用者助手", {1600});
    AddTankaRow(t, 1001, "測量助手", {20000});
    return t;
}

CTankaFile ShippedTanka() {
    CTankaFile t;
    t.m_dataVersion = 2500;
    t.m_consumptionTax = 1000;
    t.m_columnTitles[0] = "令和7年度";
    for (int i = 1; i < CTankaRow::kPriceColumns; ++i) t.m_columnTitles[static_cast<size_t>(i)] = "新" + std::to_string(i);
    AddTankaRow(t, 1000, "測量技師（新）", {30000}).m_remarks = "新備考";
    AddTankaRow(t, 1001, "測量助手（新）", {25000});
    AddTankaRow(t, 1002, "新職種", {5});
    return t;
}

CZairyoTankaFile UserZairyo() {
    CZairyoTankaFile z;
    z.m_dataVersion = 2400;
    z.m_title = "材料単価 令和6年度";
    Item(z, 1000, "杭", 100.0, 0);
    Item(z, 1001, "旧品", 50.0, 0);
    Item(z, 1500, "自作品", 55.0, 1);
    Item(z, 1002, "ボルト", 10.0, 0);
    return z;
}

CZairyoTankaFile ShippedZairyo() {
    CZairyoTankaFile z;
    z.m_dataVersion = 2500;
    z.m_title = "材料単価 令和7年度";
    Item(z, 1000, "杭", 120.0, 0);
    Item(z, 1002, "ボルト", 12.0, 0);
    Item(z, 1003, "新品", 30.0, 0);
    return z;
}

CShokeihiFile UserShokeihi() {
    CShokeihiFile s;
    s.m_dataVersion = 2400;
    AddShokeihi(s, 1, "測量", 1000);
    return s;
}

CShokeihiFile ShippedShokeihi() {
    CShokeihiFile s;
    s.m_dataVersion = 2500;
    AddShokeihi(s, 1, "測量", 1200);
    AddShokeihi(s, 2, "設計", 1500);
    return s;
}

CProgramKingakuFile UserProgramKingaku() {
    CProgramKingakuFile p;
    p.m_dataVersion = 2400;
    AddProgram(p, 1, "旧プログラム", 5000);
    return p;
}

CProgramKingakuFile ShippedProgramKingaku() {
    CProgramKingakuFile p;
    p.m_dataVersion = 2500;
    AddProgram(p, 1, "新プログラム", 6000);
    return p;
}

CHyoshiData UserHyoshi() { return SampleHyoshiData(); }

std::map<std::string, std::string> FolderSnapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (!it->is_regular_file()) {
            if (it->is_directory()) files[it->path().string() + "/"] = "";
            continue;
        }
        auto perms = static_cast<unsigned>(fs::status(it->path()).permissions());
        files[it->path().string()] = std::to_string(perms) + ":" + ReadTestFile(it->path().string());
    }
    return files;
}

MasterCopies::MasterCopies(CMasterDataStore& store)
    : bukake(store.GetBukakeFile()),
      henkaritsu(store.GetHenkaritsuFile()),
      tanka(store.GetTankaFile()),
      shokeihi(store.GetShokeihiFile()),
      programKingaku(store.GetProgramKingakuFile()),
      hyoshi(store.GetHyoshiData()),
      zairyo(store.GetZairyoTankaFile()),
      masterFolder(store.GetMasterDataFolder()),
      zairyoPath(store.GetZairyoTankaPath()) {}

std::string MasterCopies::Differences(CMasterDataStore& store) const {
    std::string d;
    if (!(bukake == store.GetBukakeFile())) d += "歩掛 ";
    if (!(henkaritsu == store.GetHenkaritsuFile())) d += "変化率 ";
    if (!(tanka == store.GetTankaFile())) d += "単価 ";
    if (!(shokeihi == store.GetShokeihiFile())) d += "諸経費 ";
    if (!(programKingaku == store.GetProgramKingakuFile())) d += "プログラム金額 ";
    if (!(hyoshi == store.GetHyoshiData())) d += "表紙 ";
    if (!(zairyo == store.GetZairyoTankaFile())) d += "材料単価 ";
    if (masterFolder != store.GetMasterDataFolder()) d += "master folder ";
    if (zairyoPath != store.GetZairyoTankaPath()) d += "material path ";
    return d;
}

UpdateProgram::UpdateProgram() {
    WriteMaster(masters + "/歩掛データ.soa", UserBukake());
    WriteMaster(masters + "/変化率データ.soa", UserHenkaritsu());
    WriteMaster(data + "/単価データ.daa", UserTanka());
    WriteMaster(data + "/諸経費データ.daa", UserShokeihi());
    WriteMaster(data + "/プログラム金額データ.daa", UserProgramKingaku());
    WriteMaster(data + "/表紙データ.daa", UserHyoshi());
    WriteMaster(data + "/材料単価データ25.zoa", UserZairyo());
    WriteShipped();
}

void UpdateProgram::WriteShipped() {
    WriteMaster(shippedMasters + "/歩掛データ.soa", ShippedBukake());
    WriteMaster(shippedMasters + "/変化率データ.soa", ShippedHenkaritsu());
    WriteMaster(shipped + "/単価データ.daa", ShippedTanka());
    WriteMaster(shipped + "/諸経費データ.daa", ShippedShokeihi());
    WriteMaster(shipped + "/プログラム金額データ.daa", ShippedProgramKingaku());
    WriteMaster(shipped + "/表紙データ.daa", CHyoshiData());
    WriteMaster(shipped + "/材料単価データ25.zoa", ShippedZairyo());
}

std::unique_ptr<CMasterDataStore> UpdateProgram::Start() {
    auto store = std::make_unique<CMasterDataStore>(program);
    EXPECT_EQ(store->LoadMastersAtStartup(), 1);
    return store;
}

}  // namespace updatetest

namespace updatetest {

std::string SnapshotDifferences(const std::map<std::string, std::string>& a,
                                const std::map<std::string, std::string>& b) {
    std::string d;
    for (const auto& [path, content] : a) {
        auto it = b.find(path);
        if (it == b.end())
            d += "removed " + path + "\n";
        else if (it->second != content)
            d += "changed " + path + "\n";
    }
    for (const auto& [path, content] : b)
        if (!a.count(path)) d += "added " + path + "\n";
    return d;
}

int CancelAtEveryStep(UpdateProgram& f, CMasterDataStore& store, ScriptedHost& host, const std::function<void()>& run,
                      const std::deque<int>& answers) {
    const ChangeWatch watch(f, store);
    int cancelled = 0;
    for (int k = 1;; ++k) {
        host.cancelChecksSoFar = 0;
        host.cancelOnCheck = k;
        host.answers = answers;
        run();
        if (host.cancelChecksSoFar < k) break;  // ran to the end without a cancel
        ++cancelled;
        EXPECT_EQ(watch.Changes(), "") << "cancelled at check " << k;
    }
    host.cancelOnCheck = 0;
    host.answers.clear();
    return cancelled;
}

}  // namespace updatetest
