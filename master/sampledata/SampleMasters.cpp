#include "master/sampledata/SampleMasters.h"

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <set>
#include <utility>

#include "formix/Formix.h"
#include "platform/Cp932.h"
#include "platform/FileUtil.h"

namespace {

using Reader = SampleSectionReader;

std::string Num(int32_t v) { return std::to_string(v); }


// The data version as written, the file version the current one of the format.
void ReadHeader(Reader& r, CMasterHeader& root, const MasterFormat& format) {
    r.RequiredInt("data_version", root.m_dataVersion);
    root.m_fileVersion = format.currentVersion;
}


// A formula as the editors store it: one the formula check accepts.
void CheckFormula(Reader& r, std::string_view key, const std::string& formula) {
    if (!CheckWord(formula.c_str())) r.Fail(r.LineOf(key), "formula '" + formula + "' of " + std::string(key) + " is refused by the formula check");
}

// The part of a formula text between its first two double quotes when it has them, else the text.
std::string QuotedFormula(const std::string& text) {
    const size_t open = text.find('"');
    const size_t close = open == std::string::npos ? open : text.find('"', open + 1);
    return close == std::string::npos ? text : text.substr(open + 1, close - open - 1);
}

// A formula, or a material marker (Z1, Z2 or Z3) that the calculation handles itself.
bool IsMarker(const std::string& text, int markers) {
    std::string upper = vemo::AsciiUpper(text);
    for (int n = 1; n <= markers; ++n)
        if (upper.find("Z" + std::to_string(n)) != std::string::npos) return true;
    return false;
}

// Codes are not kept unique by the lists, but lookups take the first match: a sample repeats none.
template <class T>
void RequireNew(Reader& r, std::string_view key, const T* existing, int32_t code) {
    if (existing) r.Fail(r.LineOf(key), std::string(key) + " " + Num(code) + " is given twice");
}

}  // namespace

// ---- 変化率・補正率 --------------------------------------------------------------------------

CHenkaritsuFile ParseSampleHenkaritsu(std::string_view source, const std::string& file) {
    SampleText text = SampleText::Parse(source, file);
    CHenkaritsuFile root;
    CHenkaritsuGyomu* group = nullptr;
    WalkSampleSections(text, {
        {"file", [&](Reader& r) { ReadHeader(r, root, kHenkaritsuFormat); }},
        {"group", [&](Reader& r) {
             auto g = std::make_unique<CHenkaritsuGyomu>();
             r.RequiredInt("code", g->m_code);
             RequireSampleRange(r, "code", g->m_code, 1, 32);
             RequireNew(r, "code", root.GetGyomu(root.FindGyomuIndex(g->m_code)), g->m_code);
             r.RequiredText("name", g->m_name);
             group = root.GetGyomu(root.AddGyomu(std::move(g)));
         }},
        {"record", [&](Reader& r) {
             if (!group) r.Fail(r.Line(), "[record] before any [group]");
             auto rec = std::make_unique<CHenkaritsuRecord>();
             r.RequiredInt("code", rec->m_code);
             RequireSampleRange(r, "code", rec->m_code, 1, 2000);
             RequireNew(r, "code", group->FindRecord(rec->m_code), rec->m_code);
             r.RequiredText("name", rec->m_name);
             r.Int("user_created", rec->m_userCreated);
             r.Int("type", rec->m_type);
             RequireSampleRange(r, "type", rec->m_type, 0, 1);
             r.TextList("column_titles", rec->m_columnTitles);
             // One "row" per table row: its title, then the values of columns 1, 2, … (×1000).
             auto rows = r.All("row");
             if (rows.size() > CHenkaritsuRecord::kRows)
                 r.Fail(rows[CHenkaritsuRecord::kRows]->line, "a table has at most 32 rows");
             for (size_t i = 0; i < rows.size(); ++i) {
                 auto parts = r.SplitList(*rows[i], CHenkaritsuRecord::kColumns + 1);
                 if (parts.empty()) r.Fail(rows[i]->line, "a row needs a title");
                 rec->m_rowTitles[i] = r.ParseText(*rows[i], parts[0]);
                 for (size_t c = 1; c < parts.size(); ++c)
                     if (!parts[c].empty())
                         rec->SetCell(static_cast<int>(c), static_cast<int>(i + 1), r.ParseScaled(*rows[i], parts[c], 3));
             }
             std::array<int32_t, 2> standard{kUnset, kUnset};
             if (r.IntList("standard", standard)) {
                 rec->m_standardColumn = standard[0];
                 rec->m_standardRow = standard[1];
                 if (rec->GetCell(standard[0], standard[1]) == kUnset)
                     r.Fail(r.LineOf("standard"), "the standard cell holds no value");
             }
             r.Int("kubun", rec->m_kubunFlag);
             r.Int("mode", rec->m_mode);
             RequireSampleRange(r, "mode", rec->m_mode, 0, 1);
             r.Text("formula", rec->m_formula);
             r.Text("formula_name", rec->m_formulaName);
             r.Text("unit", rec->m_unit);
             r.Text("remarks", rec->m_remarks);
             r.Scaled("ll_default", 4, rec->m_llDefault);
             r.Int("use_aux", rec->m_useAuxiliary);
             // One "aux" per auxiliary formula S1..S8: range start, range end, formula.
             auto aux = r.All("aux");
             if (aux.size() > 8) r.Fail(aux[8]->line, "a record has at most 8 auxiliary formulas");
             for (size_t i = 0; i < aux.size(); ++i) {
                 auto parts = r.SplitList(*aux[i], 3);
                 if (parts.size() != 3) r.Fail(aux[i]->line, "aux takes a range start, a range end and a formula");
                 rec->m_auxStart[i] = r.ParseText(*aux[i], parts[0]);
                 rec->m_auxEnd[i] = r.ParseText(*aux[i], parts[1]);
                 rec->m_auxFormula[i] = r.ParseText(*aux[i], parts[2]);
                 for (const std::string* f : {&rec->m_auxStart[i], &rec->m_auxEnd[i], &rec->m_auxFormula[i]})
                     if (!CheckWord(f->c_str()))
                         r.Fail(aux[i]->line, "formula '" + *f + "' of aux is refused by the formula check");
             }
             r.Text("default_aux", rec->m_defaultAuxFormula);
             if (!rec->m_defaultAuxFormula.empty()) CheckFormula(r, "default_aux", rec->m_defaultAuxFormula);
             if (rec->m_mode == 1) {
                 // A district-condition formula (業務 7) carries its working between two double quotes.
                 CheckFormula(r, "formula", QuotedFormula(rec->m_formula));
             } else if (rows.empty()) {
                 r.Fail(r.Line(), "a record in table mode needs at least one row");
             }
             if (rec->m_useAuxiliary && aux.empty()) r.Fail(r.LineOf("use_aux"), "use_aux without any aux");
             group->AddRecord(std::move(rec));
         }},
    });
    return root;
}

// ---- 単価 --------------------------------------------------------------------------------------

CTankaFile ParseSampleTanka(std::string_view source, const std::string& file) {
    SampleText text = SampleText::Parse(source, file);
    CTankaFile root;
    int travelLine = 0;
    WalkSampleSections(text, {
        {"file", [&](Reader& r) {
             ReadHeader(r, root, kTankaFormat);
             const char* companyKeys[] = {"postal_code", "address1",       "address2", "company1",
                                          "company2",    "representative", "tel",      "fax"};
             for (size_t i = 0; i < root.m_company.size(); ++i) r.Text(companyKeys[i], root.m_company[i]);
             r.Int("footer_flag", root.m_footerFlag);
             r.Int("travel_flag", root.m_travelFlag);
             r.RequiredInt("default_column", root.m_defaultColumn);
             RequireSampleRange(r, "default_column", root.m_defaultColumn, 0, CTankaRow::kPriceColumns - 1);
             if (r.Int("travel_trade", root.m_travelTrade)) travelLine = r.LineOf("travel_trade");
             r.TextList("column_titles", root.m_columnTitles);
             if (root.m_columnTitles[static_cast<size_t>(root.m_defaultColumn)].empty())
                 r.Fail(r.LineOf("default_column"), "the default price column has no title");
             r.Scaled("consumption_tax", 2, root.m_consumptionTax);
         }},
        {"row", [&](Reader& r) {
             auto row = std::make_unique<CTankaRow>();
             r.RequiredInt("id", row->m_id);
             RequireSampleRange(r, "id", row->m_id, 1000, 1999);
             RequireNew(r, "id", root.FindRow(row->m_id), row->m_id);
             r.Int("setting", row->m_setting);
             r.Text("unit", row->m_unit);
             r.RequiredText("name", row->m_name);
             r.Int("kind", row->m_kind);
             RequireSampleRange(r, "kind", row->m_kind, 0, 1);
             r.IntList("prices", row->m_prices);
             r.Text("remarks", row->m_remarks);
             r.Int("related", row->m_related);
             r.Text("spare", row->m_spare);
             root.AddRow(std::move(row));
         }},
    });
    if (!IsUnset(root.m_travelTrade) && !root.FindRow(root.m_travelTrade))
        text.Fail(travelLine, "travel_trade " + Num(root.m_travelTrade) + " is not a [row] of this file");
    return root;
}

// ---- 諸経費 and プログラム金額 ------------------------------------------------------------------

CShokeihiFile ParseSampleShokeihi(std::string_view source, const std::string& file) {
    SampleText text = SampleText::Parse(source, file);
    CShokeihiFile root;
    WalkSampleSections(text, {
        {"file", [&](Reader& r) { ReadHeader(r, root, kShokeihiFormat); }},
        {"record", [&](Reader& r) {
             auto rec = std::make_unique<CShokeihiRecord>();
             r.RequiredInt("gyomu", rec->m_code);
             RequireSampleRange(r, "gyomu", rec->m_code, 1, 32);
             RequireNew(r, "gyomu", root.FindRecord(rec->m_code), rec->m_code);
             r.RequiredText("name", rec->m_name);
             r.Scaled("rate", 2, rec->m_rate);
             root.AddRecord(std::move(rec));
         }},
    });
    return root;
}

CProgramKingakuFile ParseSampleProgramKingaku(std::string_view source, const std::string& file) {
    SampleText text = SampleText::Parse(source, file);
    CProgramKingakuFile root;
    WalkSampleSections(text, {
        {"file", [&](Reader& r) { ReadHeader(r, root, kProgramKingakuFormat); }},
        {"record", [&](Reader& r) {
             auto rec = std::make_unique<CProgramKingakuRecord>();
             r.RequiredInt("code", rec->m_code);
             RequireSampleRange(r, "code", rec->m_code, 1, 99);
             RequireNew(r, "code", root.FindRecord(rec->m_code), rec->m_code);
             r.RequiredText("name1", rec->m_name1);
             r.Text("name2", rec->m_name2);
             r.Text("condition1", rec->m_condition1);
             r.Text("condition2", rec->m_condition2);
             r.RequiredInt("fee", rec->m_fee);
             root.AddRecord(std::move(rec));
         }},
    });
    return root;
}

// ---- 材料単価 ------------------------------------------------------------------------------------

CZairyoTankaFile ParseSampleZairyoTanka(std::string_view source, const std::string& file) {
    SampleText text = SampleText::Parse(source, file);
    CZairyoTankaFile root;
    WalkSampleSections(text, {
        {"file", [&](Reader& r) {
             ReadHeader(r, root, kZairyoTankaFormat);
             r.RequiredText("title", root.m_title);
         }},
        {"item", [&](Reader& r) {
             auto item = std::make_unique<CZairyoTankaItem>();
             r.RequiredInt("id", item->m_id);
             RequireSampleRange(r, "id", item->m_id, 1000, 1999);
             RequireNew(r, "id", root.FindItem(item->m_id), item->m_id);
             // Shipped items carry setting 0: the update keeps items with 1 as the user's own.
             item->m_setting = 0;
             r.Int("setting", item->m_setting);
             r.RequiredInt("kind", item->m_kind);
             RequireSampleRange(r, "kind", item->m_kind, 0, kZairyoKindCount - 1);
             r.RequiredText("name", item->m_name);
             r.Text("spec", item->m_spec);
             r.Text("unit", item->m_unit);
             r.Double("price", NoPrice(), item->m_price);
             r.Text("remarks", item->m_remarks);
             r.Text("extra", item->m_extra);
             root.AddItem(std::move(item));
         }},
    });
    return root;
}

// ---- 表紙 ----------------------------------------------------------------------------------------

CHyoshiData ParseSampleHyoshi(std::string_view source, const std::string& file) {
    SampleText text = SampleText::Parse(source, file);
    CHyoshiData root;
    bool cover = false;
    WalkSampleSections(text, {
        {"file", [&](Reader& r) { r.RequiredInt("file_version", root.m_fileVersion); }},
        {"cover", [&](Reader& r) {
             if (cover) r.Fail(r.Line(), "[cover] is given twice");
             cover = true;
             r.Text("print_title", root.m_printTitle);
             r.Text("number", root.m_number);
             r.Text("date", root.m_date);
             auto spare = r.All("spare");
             if (spare.size() > root.m_spare.size()) r.Fail(spare[root.m_spare.size()]->line, "at most 10 spare lines");
             for (size_t i = 0; i < spare.size(); ++i) root.m_spare[i] = r.ParseText(*spare[i], spare[i]->value);
             r.Text("address1", root.m_address1);
             r.Text("address2", root.m_address2);
             r.Text("subject", root.m_subject);
             r.Text("place", root.m_place);
             r.Text("amount", root.m_amount);
             // Histories newest first, as the cover dialog keeps them.
             const char* historyKeys[CHyoshiData::kHistoryLists] = {"history_print_title", "history_address",
                                                                   "history_subject", "history_place"};
             for (int list = 0; list < CHyoshiData::kHistoryLists; ++list) {
                 for (const SampleEntry* e : r.All(historyKeys[list])) {
                     std::string entry = r.ParseText(*e, e->value);
                     if (root.FindHistory(list, entry) >= 0) r.Fail(e->line, "'" + entry + "' is in the history twice");
                     if (root.GetHistoryCount(list) == CHyoshiData::kMaxHistory)
                         r.Fail(e->line, "a history holds at most 20 entries");
                     root.AppendHistory(list, entry);
                 }
             }
         }},
    });
    return root;
}

// ---- 歩掛 ----------------------------------------------------------------------------------------

namespace {

// Reads the 種別 section with its detail and checks what it refers to.
std::unique_ptr<CBukakeShubetsu> ReadShubetsu(Reader& r, int32_t gyomu, const SampleReferences& refs) {
    auto sh = std::make_unique<CBukakeShubetsu>();
    r.RequiredInt("code", sh->m_code);
    RequireSampleRange(r, "code", sh->m_code, 1, 999);
    r.RequiredText("name", sh->m_name);
    r.Int("user_created", sh->m_userCreated);
    r.Scaled("coefficient", 2, sh->m_coefficient);
    r.Int("denshi_kind", sh->m_denshiKind);
    r.Int("conventional", sh->m_conventional);

    CBukakeDetail& d = sh->GetDetail();
    if (r.Text("formula", d.m_formula)) CheckFormula(r, "formula", d.m_formula);
    r.IntList("h", d.m_henkaritsu);
    r.Scaled("quantity", 2, d.m_quantity);
    r.Text("unit", d.m_unit);
    r.Int("bukake_type", d.m_bukakeType);
    bool soil = d.m_bukakeType == 4;
    // A 土質 material detail keeps the basis codes of its Z1 and Z2 lines where others name 職種.
    std::array<int32_t, 2> zBases{kUnset, kUnset};
    bool hasShokushu = r.IntList("shokushu", d.m_shokushu);
    if (hasShokushu && soil) r.Fail(r.LineOf("shokushu"), "a detail of bukake_type 4 takes z_bases, not shokushu");
    if (r.IntList("z_bases", zBases)) {
        if (!soil) r.Fail(r.LineOf("z_bases"), "z_bases belongs to a detail of bukake_type 4");
        if (hasShokushu) r.Fail(r.LineOf("z_bases"), "a detail takes shokushu or z_bases, not both");
        d.m_shokushu[0] = zBases[0];
        d.m_shokushu[1] = zBases[1];
    }
    r.ScaledList("rates", 2, d.m_rates);
    r.Int("setting_f4", d.m_settingF4);
    r.Int("program_kingaku", d.m_programKingaku);
    r.Int("use_aux", d.m_useAuxiliary);
    if (r.TextList("aux", d.m_auxiliary))
        for (const std::string& f : d.m_auxiliary)
            if (!f.empty()) CheckFormula(r, "aux", f);
    r.Text("text_h", d.m_textH);
    r.Int("himoku_mode", d.m_himokuMode);
    r.Int("zairyo_id", d.m_zairyoId);
    CBukakeHimokuSet& hs = d.GetHimokuSet();
    r.Int("himoku_setting", hs.m_setting);
    r.IntList("himoku_bases", hs.m_bases);
    r.ScaledList("himoku_rates", 2, hs.m_rates);

    // References into the other masters.
    const CHenkaritsuGyomu* group = refs.henkaritsu.FindGyomu(gyomu);
    for (int32_t code : d.m_henkaritsu) {
        if (IsUnset(code)) continue;
        if (!group || !group->FindRecord(code))
            r.Fail(r.LineOf("h"), "変化率 record " + Num(code) + " is not in the group of 業務 " + Num(gyomu));
    }
    if (!soil)
        for (int32_t id : d.m_shokushu)
            if (!IsUnset(id) && !refs.tanka.FindRow(id))
                r.Fail(r.LineOf("shokushu"), "職種 " + Num(id) + " is not a row of the 単価 master");
    if (!IsUnset(d.m_zairyoId)) {
        const CZairyoTankaItem* item = refs.zairyoTanka.FindItem(d.m_zairyoId);
        if (!item || item->m_kind != 5)
            r.Fail(r.LineOf("zairyo_id"), "zairyo_id " + Num(d.m_zairyoId) + " is not a 材料単価 item of kind 5");
    }
    return sh;
}

void ReadLine(Reader& r, CBukakeShubetsu& sh, const SampleReferences& refs) {
    CBukakeDetail& d = sh.GetDetail();
    if (d.GetLineCount() == 20) r.Fail(r.Line(), "a detail takes at most 20 lines (an item selects 20)");
    auto line = std::make_unique<CBukakeDetailLine>();
    r.Text("name", line->m_name);
    r.Int("setting", line->m_setting);
    r.Int("value", line->m_value);
    bool soil = d.m_bukakeType == 4;
    // Man-days (hundredths) per 職種 column, or for a 土質 material line: kind, id and percentage.
    if (r.ScaledList("man_days", 2, line->m_columns)) {
        if (soil) r.Fail(r.LineOf("man_days"), "a detail of bukake_type 4 has sub_entry lines");
        for (size_t c = 0; c < line->m_columns.size(); ++c)
            if (!IsUnset(line->m_columns[c]) && IsUnset(d.m_shokushu[c]))
                r.Fail(r.LineOf("man_days"), "man-days in column " + Num(static_cast<int32_t>(c + 1)) +
                                                 ", which names no 職種");
    }
    std::array<int32_t, 3> entry{kUnset, kUnset, kUnset};
    if (r.IntList("sub_entry", entry)) {
        if (!soil) r.Fail(r.LineOf("sub_entry"), "sub_entry belongs to a detail of bukake_type 4");
        int32_t kind = entry[0], id = entry[1];
        RequireSampleRange(r, "sub_entry", kind, 0, 5);
        bool found = kind == 0 || ((kind == 1 || kind == 2) ? refs.tanka.FindRow(id) != nullptr
                                                            : refs.zairyoTanka.FindItem(id) != nullptr);
        if (!found)
            r.Fail(r.LineOf("sub_entry"), "sub_entry of kind " + Num(kind) + " names " + Num(id) + ", which " +
                                              (kind <= 2 ? "is not a row of the 単価 master"
                                                         : "is not an item of the 材料単価 master"));
        for (size_t i = 0; i < entry.size(); ++i) line->m_columns[i] = entry[i];
        // The line's name is its quantity formula, or a Z1/Z2 marker.
        if (!IsMarker(line->m_name, 2)) CheckFormula(r, "name", line->m_name);
    } else if (soil) {
        r.Fail(r.Line(), "a line of a bukake_type 4 detail needs sub_entry");
    }
    d.AddLine(std::move(line));
}

void ReadHimoku(Reader& r, CBukakeShubetsu& sh, const SampleReferences& refs) {
    CBukakeHimokuSet& set = sh.GetDetail().GetHimokuSet();
    if (set.GetHimokuCount() == 15) r.Fail(r.Line(), "a detail takes at most 15 費目 entries");
    auto h = std::make_unique<CBukakeHimoku>();
    r.RequiredInt("key", h->m_values[0]);
    RequireSampleRange(r, "key", h->m_values[0], 0, 2);
    r.Int("material", h->m_values[1]);
    r.Int("percent", h->m_values[2]);
    r.RequiredText("formula", h->m_name);
    if (!IsMarker(h->m_name, 3)) CheckFormula(r, "formula", h->m_name);
    if (!IsUnset(h->m_values[1]) && !refs.zairyoTanka.FindItem(h->m_values[1]))
        r.Fail(r.LineOf("material"), "material " + Num(h->m_values[1]) + " is not an item of the 材料単価 master");
    set.AddHimoku(std::move(h));
}

}  // namespace

CBukakeFile ParseSampleBukake(std::string_view source, const std::string& file, const SampleReferences& refs) {
    SampleText text = SampleText::Parse(source, file);
    CBukakeFile root;
    CBukakeGyomu* gyomu = nullptr;
    CBukakeKoshu* koshu = nullptr;
    CBukakeShubetsu* shubetsu = nullptr;
    WalkSampleSections(text, {
        {"file", [&](Reader& r) {
             ReadHeader(r, root, kBukakeFormat);
             r.Int("split_flag", root.m_splitFlag);
         }},
        {"gyomu", [&](Reader& r) {
             auto g = std::make_unique<CBukakeGyomu>();
             r.RequiredInt("code", g->m_code);
             RequireSampleRange(r, "code", g->m_code, 1, 99);
             RequireNew(r, "code", root.FindGyomu(g->m_code), g->m_code);
             r.RequiredText("name", g->m_name);
             gyomu = root.GetGyomu(root.AddGyomu(std::move(g)));
             koshu = nullptr;
             shubetsu = nullptr;
         }},
        {"koshu", [&](Reader& r) {
             if (!gyomu) r.Fail(r.Line(), "[koshu] before any [gyomu]");
             auto k = std::make_unique<CBukakeKoshu>();
             r.RequiredInt("code", k->m_code);
             RequireSampleRange(r, "code", k->m_code, 1, 999);
             RequireNew(r, "code", gyomu->FindKoshu(k->m_code), k->m_code);
             r.RequiredText("name", k->m_name);
             r.Int("user_created", k->m_userCreated);
             r.Int("split_flag", k->m_splitFlag);
             r.Int("koshu_type", k->m_koshuType);
             r.IntList("settings", k->m_settings);
             koshu = gyomu->GetKoshu(gyomu->AddKoshu(std::move(k)));
             shubetsu = nullptr;
         }},
        {"shubetsu", [&](Reader& r) {
             if (!koshu) r.Fail(r.Line(), "[shubetsu] before any [koshu]");
             auto sh = ReadShubetsu(r, gyomu->m_code, refs);
             RequireNew(r, "code", koshu->FindShubetsu(sh->m_code), sh->m_code);
             shubetsu = koshu->GetShubetsu(koshu->AddShubetsu(std::move(sh)));
         }},
        {"line", [&](Reader& r) {
             if (!shubetsu) r.Fail(r.Line(), "[line] before any [shubetsu]");
             ReadLine(r, *shubetsu, refs);
         }},
        {"himoku", [&](Reader& r) {
             if (!shubetsu) r.Fail(r.Line(), "[himoku] before any [shubetsu]");
             ReadHimoku(r, *shubetsu, refs);
         }},
    });
    return root;
}

// ---- the set -------------------------------------------------------------------------------------

SampleMasterSet LoadSampleMasters(const std::string& sourceFolder) {
    auto read = [&](const char* name) {
        std::string path = vemo::JoinPath(sourceFolder, name);
        std::string bytes, error;
        if (vemo::ReadWholeFile(path, vemo::kDataFileLimit, bytes, &error) != vemo::ReadResult::read)
            throw SampleTextError(path, 0, "cannot be read: " + error);
        return std::pair{bytes, path};
    };
    SampleMasterSet set;
    auto [henkaritsu, henkaritsuPath] = read(kSampleHenkaritsuSource);
    set.henkaritsu = ParseSampleHenkaritsu(henkaritsu, henkaritsuPath);
    auto [tanka, tankaPath] = read(kSampleTankaSource);
    set.tanka = ParseSampleTanka(tanka, tankaPath);
    auto [shokeihi, shokeihiPath] = read(kSampleShokeihiSource);
    set.shokeihi = ParseSampleShokeihi(shokeihi, shokeihiPath);
    auto [program, programPath] = read(kSampleProgramKingakuSource);
    set.programKingaku = ParseSampleProgramKingaku(program, programPath);
    auto [zairyo, zairyoPath] = read(kSampleZairyoTankaSource);
    set.zairyoTanka = ParseSampleZairyoTanka(zairyo, zairyoPath);
    auto [hyoshi, hyoshiPath] = read(kSampleHyoshiSource);
    set.hyoshi = ParseSampleHyoshi(hyoshi, hyoshiPath);
    auto [bukake, bukakePath] = read(kSampleBukakeSource);
    set.bukake = ParseSampleBukake(bukake, bukakePath, {set.henkaritsu, set.tanka, set.zairyoTanka});
    return set;
}

std::vector<SampleMasterFile> BuildSampleMasterFiles(SampleMasterSet& set) {
    std::string zairyoName = std::string(kZairyoTankaDefaultStem) + kZairyoTankaExtension;
    std::vector<std::pair<std::string, std::string>> data = {
        {kBukakeFileName, StoreMasterBytes(set.bukake)},
        {kHenkaritsuFileName, StoreMasterBytes(set.henkaritsu)},
        {kTankaFileName, StoreMasterBytes(set.tanka)},
        {kShokeihiFileName, StoreMasterBytes(set.shokeihi)},
        {kProgramKingakuFileName, StoreMasterBytes(set.programKingaku)},
        {kHyoshiFileName, StoreMasterBytes(set.hyoshi)},
        {zairyoName, StoreMasterBytes(set.zairyoTanka)},
    };
    std::vector<SampleMasterFile> files;
    for (auto [dataFolder, masterFolder] : {std::pair{kSampleDataFolder, kSampleMasterFolder},
                                            std::pair{kSampleShippedDataFolder, kSampleShippedMasterFolder}}) {
        for (const auto& [name, bytes] : data) {
            bool inMasterFolder = name == kBukakeFileName || name == kHenkaritsuFileName;
            files.push_back({vemo::JoinPath(inMasterFolder ? masterFolder : dataFolder, name), bytes});
        }
    }
    return files;
}

bool WriteSampleMasterFiles(const std::vector<SampleMasterFile>& files, const std::string& folder,
                            std::string* error) {
    for (const SampleMasterFile& f : files) {
        std::string path = vemo::JoinPath(folder, f.relativePath);
        std::error_code ec;
        std::filesystem::create_directories(vemo::ParentFolder(path), ec);
        if (ec) {
            if (error) *error = "cannot create the folder of " + path + ": " + ec.message();
            return false;
        }
        if (!vemo::WriteFileReplacing(path, f.bytes, error)) return false;
    }
    return true;
}
