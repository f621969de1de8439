// Test support for the tests of master/: MasterBuilders.
#include "MasterBuilders.h"

#include <memory>

namespace masterbuild {

namespace {
template <class T, class Parent, class AddFn>
T& Append(Parent& parent, AddFn add) {
    auto p = std::make_unique<T>();
    T& ref = *p;
    (parent.*add)(std::move(p));
    return ref;
}

// A text of 300 bytes in CP932 (150 two-byte characters): stored with the 0xFF prefix.
std::string LongText() {
    std::string s;
    for (int i = 0; i < 150; ++i) s += "長";
    return s;
}
}  // namespace

CBukakeGyomu& AddGyomu(CBukakeFile& file, int32_t code, const std::string& name) {
    CBukakeGyomu& g = Append<CBukakeGyomu>(file, &CBukakeFile::AddGyomu);
    g.m_code = code;
    g.m_name = name;
    return g;
}

CBukakeKoshu& AddKoshu(CBukakeGyomu& gyomu, int32_t code, const std::string& name, int32_t splitFlag) {
    CBukakeKoshu& k = Append<CBukakeKoshu>(gyomu, &CBukakeGyomu::AddKoshu);
    k.m_code = code;
    k.m_name = name;
    k.m_splitFlag = splitFlag;
    return k;
}

CBukakeShubetsu& AddShubetsu(CBukakeKoshu& koshu, int32_t code, const std::string& name) {
    CBukakeShubetsu& s = Append<CBukakeShubetsu>(koshu, &CBukakeKoshu::AddShubetsu);
    s.m_code = code;
    s.m_name = name;
    return s;
}

CBukakeDetailLine& AddLine(CBukakeDetail& detail, const std::string& name, std::initializer_list<int32_t> columns,
                           int32_t value) {
    CBukakeDetailLine& line = Append<CBukakeDetailLine>(detail, &CBukakeDetail::AddLine);
    line.m_name = name;
    line.m_value = value;
    size_t i = 0;
    for (int32_t c : columns)
        if (i < line.m_columns.size()) line.m_columns[i++] = c;
    return line;
}

CBukakeHimoku& AddHimoku(CBukakeDetail& detail, const std::string& name, int32_t a, int32_t b, int32_t c) {
    CBukakeHimoku& h = Append<CBukakeHimoku>(detail.GetHimokuSet(), &CBukakeHimokuSet::AddHimoku);
    h.m_name = name;
    h.m_values = {a, b, c};
    return h;
}

CHenkaritsuGyomu& AddGroup(CHenkaritsuFile& file, int32_t code, const std::string& name) {
    CHenkaritsuGyomu& g = Append<CHenkaritsuGyomu>(file, &CHenkaritsuFile::AddGyomu);
    g.m_code = code;
    g.m_name = name;
    return g;
}

CHenkaritsuRecord& AddTableRecord(CHenkaritsuGyomu& group, int32_t code, const std::string& name) {
    CHenkaritsuRecord& r = Append<CHenkaritsuRecord>(group, &CHenkaritsuGyomu::AddRecord);
    r.m_code = code;
    r.m_name = name;
    r.m_mode = 0;
    return r;
}

CHenkaritsuRecord& AddFormulaRecord(CHenkaritsuGyomu& group, int32_t code, const std::string& formula,
                                    int32_t llDefault, const std::string& name) {
    CHenkaritsuRecord& r = AddTableRecord(group, code, name);
    r.m_mode = 1;
    r.m_formula = formula;
    r.m_llDefault = llDefault;
    return r;
}

CTankaRow& AddTankaRow(CTankaFile& file, int32_t id, const std::string& name, std::initializer_list<int32_t> prices) {
    CTankaRow& row = Append<CTankaRow>(file, &CTankaFile::AddRow);
    row.m_id = id;
    row.m_name = name;
    size_t i = 0;
    for (int32_t p : prices)
        if (i < row.m_prices.size()) row.m_prices[i++] = p;
    return row;
}

CZairyoTankaItem& AddZairyoItem(CZairyoTankaFile& file, int32_t id, int32_t kind, const std::string& name,
                                double price) {
    CZairyoTankaItem& item = Append<CZairyoTankaItem>(file, &CZairyoTankaFile::AddItem);
    item.m_id = id;
    item.m_kind = kind;
    item.m_name = name;
    item.m_price = price;
    return item;
}

CShokeihiRecord& AddShokeihi(CShokeihiFile& file, int32_t gyomu, const std::string& name, int32_t rate) {
    CShokeihiRecord& r = Append<CShokeihiRecord>(file, &CShokeihiFile::AddRecord);
    r.m_code = gyomu;
    r.m_name = name;
    r.m_rate = rate;
    return r;
}

CProgramKingakuRecord& AddProgram(CProgramKingakuFile& file, int32_t code, const std::string& name, int32_t fee) {
    CProgramKingakuRecord& r = Append<CProgramKingakuRecord>(file, &CProgramKingakuFile::AddRecord);
    r.m_code = code;
    r.m_name1 = name;
    r.m_fee = fee;
    return r;
}

CBukakeFile SampleBukakeFile() {
    CBukakeFile f;
    f.m_fileVersion = 110;
    f.m_dataVersion = 2501;
    f.m_splitFlag = 1;
    CBukakeGyomu& g1 = AddGyomu(f, 1, "測量業務");
    CBukakeKoshu& k1 = AddKoshu(g1, 101, "基準点測量", 1);
    k1.m_userCreated = 1;
    k1.m_koshuType = 3;
    for (size_t i = 0; i < k1.m_settings.size(); ++i) k1.m_settings[i] = static_cast<int32_t>(i * 7 + 1);
    CBukakeShubetsu& s1 = AddShubetsu(k1, 1, "3級基準点測量");
    s1.m_userCreated = 1;
    s1.m_coefficient = 150;
    s1.m_denshiKind = 2;
    s1.m_conventional = 1;
    CBukakeDetail& d = s1.GetDetail();
    d.m_formula = "H1*H2+S1";
    d.m_henkaritsu = {1, 2, kUnset, 4, 5, 6, 7, 1008};
    d.m_quantity = 250;
    d.m_unit = "点";
    d.m_shokushu = {1001, 1002, 1003, kUnset, 1005, 1006, 1007, 1008, 1009, 1010};
    d.m_rates = {500, -1, kUnset};
    d.m_settingF4 = 44;
    d.m_programKingaku = 1;
    d.m_bukakeType = 30;
    d.m_useAuxiliary = 1;
    for (size_t i = 0; i < d.m_auxiliary.size(); ++i) d.m_auxiliary[i] = "LL*" + std::to_string(i + 1);
    d.m_textH = LongText();
    d.m_himokuMode = 0;
    d.m_zairyoId = 1500;
    AddLine(d, "計画準備", {10, 20, kUnset, 40}, 3).m_setting = 2;
    AddLine(d, "", {}, 0);
    AddLine(d, "観測", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, -5);
    CBukakeHimokuSet& hs = d.GetHimokuSet();
    hs.m_setting = 9;
    hs.m_bases = {1, kUnset, 2};
    hs.m_rates = {300, 400, kUnset};
    AddHimoku(d, "材料費", 1, 2, 3);
    AddHimoku(d, "機械経費", kUnset, 0, -7);
    AddShubetsu(k1, 2, "4級基準点測量");
    AddKoshu(g1, 69, "直接人件費");
    AddKoshu(g1, 91, "諸経費");
    CBukakeGyomu& g2 = AddGyomu(f, 2, "設計業務");
    AddKoshu(g2, 300, "設計", 0);
    AddGyomu(f, 95, "共通業務");
    return f;
}

CHenkaritsuFile SampleHenkaritsuFile() {
    CHenkaritsuFile f;
    f.m_fileVersion = 103;
    f.m_dataVersion = 2502;
    CHenkaritsuGyomu& g = AddGroup(f, 1, "測量業務");
    CHenkaritsuRecord& t = AddTableRecord(g, 1, "地形補正");
    t.m_userCreated = 1;
    for (int c = 0; c < CHenkaritsuRecord::kColumns; ++c) t.m_columnTitles[static_cast<size_t>(c)] = "列" + std::to_string(c + 1);
    for (int r = 0; r < CHenkaritsuRecord::kRows; ++r) t.m_rowTitles[static_cast<size_t>(r)] = "行" + std::to_string(r + 1);
    t.m_type = 0;
    t.m_standardColumn = 2;
    t.m_standardRow = 3;
    t.m_kubunFlag = 1;
    for (int c = 1; c <= CHenkaritsuRecord::kColumns; ++c)
        for (int r = 1; r <= CHenkaritsuRecord::kRows; ++r)
            if ((c + r) % 5 != 0) t.SetCell(c, r, c * 1000 + r);
    t.m_formulaName = "式名";
    t.m_unit = "km";
    t.m_remarks = "備考";
    t.m_llDefault = 12500;
    CHenkaritsuRecord& fr = AddFormulaRecord(g, 1000, "LL*0.5+S1", 20000, "利用者式");
    fr.m_useAuxiliary = 1;
    for (size_t i = 0; i < 8; ++i) {
        fr.m_auxStart[i] = std::to_string(i * 10);
        fr.m_auxEnd[i] = std::to_string(i * 10 + 9);
        fr.m_auxFormula[i] = "LL*" + std::to_string(i);
    }
    fr.m_defaultAuxFormula = "1";
    AddGroup(f, 4, "物件調査");
    return f;
}

CTankaFile SampleTankaFile() {
    CTankaFile f;
    f.m_fileVersion = 104;
    f.m_dataVersion = 2503;
    f.m_company = {"100-0001", "東京都千代田区", "1-1", "ZORVA測量設計", "株式会社", "代表 太郎", "03-0000-0000",
                   "03-0000-0001"};
    f.m_footerFlag = 0;
    f.m_travelFlag = 1;
    f.m_defaultColumn = 3;
    f.m_travelTrade = 1002;
    for (size_t i = 0; i < f.m_columnTitles.size(); ++i) f.m_columnTitles[i] = "令和" + std::to_string(i + 1) + "年度";
    f.m_consumptionTax = 1000;
    CTankaRow& r1 = AddTankaRow(f, 1000, "測量主任技師", {50000, 51000, 52000});
    r1.m_setting = 2;
    r1.m_kind = 1;
    r1.m_remarks = "備考";
    r1.m_related = 77;
    r1.m_spare = "予備";
    AddTankaRow(f, 1001, "測量技師", {});
    return f;
}

CZairyoTankaFile SampleZairyoTankaFile() {
    CZairyoTankaFile f;
    f.m_fileVersion = 102;
    f.m_dataVersion = 2504;
    f.m_title = "材料単価データ25";
    CZairyoTankaItem& a = AddZairyoItem(f, 1000, 0, "杭", 1234.5);
    a.m_setting = 3;
    a.m_spec = "木製 45×45×600";
    a.m_unit = "本";
    a.m_remarks = "備考";
    a.m_extra = "追加";
    AddZairyoItem(f, 1001, 2, "トータルステーション", NoPrice());
    AddZairyoItem(f, 1002, 5, "電子納品", -0.0);
    return f;
}

CShokeihiFile SampleShokeihiFile() {
    CShokeihiFile f;
    f.m_fileVersion = 102;
    f.m_dataVersion = 2505;
    AddShokeihi(f, 1, "測量業務", 1250);
    AddShokeihi(f, 2, "設計業務", kUnset);
    return f;
}

CProgramKingakuFile SampleProgramKingakuFile() {
    CProgramKingakuFile f;
    f.m_fileVersion = 101;
    f.m_dataVersion = 2506;
    CProgramKingakuRecord& r = AddProgram(f, 1, "構造計算", 35000);
    r.m_name2 = "(橋梁)";
    r.m_condition1 = "1橋あたり";
    r.m_condition2 = "電算";
    AddProgram(f, 99, "", kUnset);
    return f;
}

CHyoshiData SampleHyoshiData() {
    CHyoshiData d;
    d.m_fileVersion = 100;
    d.m_printTitle = "御見積書";
    d.m_number = "No.25-001";
    d.m_date = "令和7年4月1日";
    for (size_t i = 0; i < d.m_spare.size(); ++i) d.m_spare[i] = "予備" + std::to_string(i + 1);
    d.m_address1 = "農林水産省";
    d.m_address2 = "御中";
    d.m_subject = "基準点測量業務";
    d.m_place = "〇〇地区";
    d.m_amount = "1,234,000";
    d.AddHistory(CHyoshiData::kHistoryPrintTitle, "御見積書");
    d.AddHistory(CHyoshiData::kHistoryAddress, "御中");
    d.AddHistory(CHyoshiData::kHistoryAddress, "農林水産省");
    d.AddHistory(CHyoshiData::kHistoryPlace, LongText());
    return d;
}

}  // namespace masterbuild
