#include "estimate/sampledata/SampleEstimates.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <utility>

#include "estimate/CalcCodes.h"
#include "estimate/NewItems.h"
#include "estimate/SekisanData.h"
#include "master/MasterStore.h"
#include "master/sampledata/SampleMasters.h"
#include "master/sampledata/SampleText.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"

namespace {

using Reader = SampleSectionReader;

std::string Num(int32_t v) { return std::to_string(v); }



using calc::IsLumpUnit;

// Detail types whose rows take the 掛率 slot in the change-rate entry.
bool TakesFactorSlot(int32_t type) {
    return type == 0 || type == 3 || type == 4 || type == 13 || (type >= 27 && type <= 31);
}

// ---- what the text sets on a 種別 row --------------------------------------------------------------

struct RateCellChoice {
    size_t slot;
    int32_t column, row;
};

struct ShubetsuChoices {
    CSekisanItem* item = nullptr;
    const CBukakeShubetsu* shubetsu = nullptr;
    std::optional<int32_t> quantity;
    std::array<std::optional<int32_t>, 8> ll;
    std::vector<RateCellChoice> cells;
    std::optional<int32_t> program;
};

// The entry that follows a 種別 selection, over the 種別 rows of one 工種, with the values the text
// gives in place of the ones the dialogs propose: every rate of the rows (table rates at the chosen
// cell, formula rates with their LL), the 掛率 (1), the プログラム金額 and the quantity.
void FinishShubetsuRows(std::vector<ShubetsuChoices>& rows, const CHenkaritsuFile& henkaritsu) {
    if (rows.empty()) return;
    const CHenkaritsuGyomu* group = henkaritsu.FindGyomu(rows.front().item->m_nGyomu);
    bool factorSlot = true;
    for (const ShubetsuChoices& c : rows)
        if (!TakesFactorSlot(c.shubetsu->GetDetail().m_bukakeType)) factorSlot = false;
    const CHenkaritsuRecord* factorRecord = group ? group->FindRecord(900) : nullptr;
    for (ShubetsuChoices& c : rows) {
        CSekisanItem& item = *c.item;
        const CBukakeDetail& detail = c.shubetsu->GetDetail();
        if (group) {
            for (size_t s = 0; s < 8; ++s) {
                const CHenkaritsuRecord* record =
                    IsUnset(item.m_nRateCode[s]) ? nullptr : group->FindRecord(item.m_nRateCode[s]);
                if (!record) continue;
                if (record->m_mode == 0) {
                    int32_t column = IsUnset(record->m_standardColumn) ? 1 : record->m_standardColumn;
                    int32_t row = IsUnset(record->m_standardRow) || record->m_standardRow == -1 ? 1 : record->m_standardRow;
                    for (const RateCellChoice& cell : c.cells)
                        if (cell.slot == s) column = cell.column, row = cell.row;
                    item.m_nRateCol[s] = column;
                    item.m_nRateRow[s] = record->m_kubunFlag ? -1 : row;
                    item.m_nLL[s] = kUnset;
                } else {
                    item.m_nRateCol[s] = kUnset;
                    item.m_nRateRow[s] = kUnset;
                    item.m_nLL[s] = c.ll[s] ? *c.ll[s] : IsUnset(record->m_llDefault) ? 0 : record->m_llDefault;
                }
            }
            if (factorSlot && factorRecord) {
                item.m_nRateCode[8] = 900;
                item.m_nLL[8] = IsUnset(factorRecord->m_llDefault) ? 0 : factorRecord->m_llDefault;
            }
        }
        if (c.program) item.m_nYearCode = *c.program;
        if (detail.m_bukakeType != 22 && detail.m_bukakeType != 23) {
            item.m_bAmountEntered = 0;
            item.m_strUnit = detail.m_unit;
            item.m_nQuantity = IsLumpUnit(detail.m_unit) ? 1000 : *c.quantity;
        }
    }
    rows.clear();
}

// ---- the text ------------------------------------------------------------------------------------

class EstimateReader {
public:
    EstimateReader(const SampleEstimateMasters& masters, CSekisanItemList& list) : m_masters(masters), m_list(list) {}

    void File(Reader& r) {
        r.Text("title", m_list.m_strKenmei);
        r.Text("place", m_list.m_strKashoName);
        r.Text("print_title", m_list.m_strPrintTitle);
        r.Text("date", m_list.m_strDate);
        m_list.m_nTankaColumn = m_masters.tanka.m_defaultColumn;
        if (r.Int("price_column", m_list.m_nTankaColumn)) RequireSampleRange(r, "price_column", m_list.m_nTankaColumn, 0, 19);
    }

    void Gyomu(Reader& r) {
        EndKoshu();
        int32_t code = kUnset;
        r.RequiredInt("code", code);
        const int index = m_masters.bukake.FindGyomuIndex(code);
        if (index < 0) r.Fail(r.LineOf("code"), "業務 " + Num(code) + " is not in the 歩掛 master");
        if (index <= m_gyomuIndex)
            r.Fail(r.LineOf("code"), "業務 " + Num(code) + " comes after the 業務 that follow it in the 歩掛 master");
        m_gyomuIndex = index;
        m_gyomu = m_masters.bukake.GetGyomu(index);
        m_koshuIndex = -1;
        m_koshu = nullptr;
        auto item = NewGyomuItem(*m_gyomu, m_masters.tanka);
        if (code == calc::Gyomu::Sonota) {
            // The unit, quantity and unit price settings of a priced extra row.
            r.Text("unit", item->m_strUnit);
            if (r.Scaled("quantity", 3, item->m_nQuantity)) RequireSampleRange(r, "quantity", item->m_nQuantity, 0, INT32_MAX);
            if (r.Scaled("unit_price", 1, item->m_nUnitPrice))
                RequireSampleRange(r, "unit_price", item->m_nUnitPrice, 0, INT32_MAX);
        }
        if (code == calc::Gyomu::Nebiki) {
            // The amount setting of the adjustment row: the discount entered is stored negated.
            int32_t discount = kUnset;
            if (r.Int("discount", discount)) {
                RequireSampleRange(r, "discount", discount, 0, INT32_MAX);
                item->m_bAmountEntered = 1;
                item->m_nAmount = -discount;
            }
        }
        m_list.AddItem(std::move(item));
    }

    void Koshu(Reader& r) {
        EndKoshu();
        if (!m_gyomu || m_gyomu->m_code > calc::Gyomu::LastBusiness)
            r.Fail(r.Line(), "[koshu] needs a business [gyomu] before it");
        int32_t code = kUnset;
        r.RequiredInt("code", code);
        const int index = m_gyomu->FindKoshuIndex(code);
        if (index < 0) r.Fail(r.LineOf("code"), "工種 " + Num(code) + " is not in 業務 " + Num(m_gyomu->m_code));
        if (index <= m_koshuIndex)
            r.Fail(r.LineOf("code"), "工種 " + Num(code) + " comes after the 工種 that follow it in the 歩掛 master");
        m_koshuIndex = index;
        m_koshu = m_gyomu->GetKoshu(index);
        auto item = NewKoshuItem(m_gyomu->m_code, *m_koshu);
        if (r.Int("rounding", item->m_nRounding)) {
            if (code != calc::Koshu::GyomuKakaku) r.Fail(r.LineOf("rounding"), "only 工種 95 takes a rounding");
            RequireSampleRange(r, "rounding", item->m_nRounding, 0, 7);
        }
        int32_t amount = kUnset;
        if (r.Int("amount", amount)) {
            // The amount setting of a lump row: 1 式 at the amount entered.
            if (CBukakeKoshu::CodeCategory(code) != KoshuCategory::Lump)
                r.Fail(r.LineOf("amount"), "only a lump 工種 takes an amount");
            RequireSampleRange(r, "amount", amount, 0, INT32_MAX);
            item->m_bAmountEntered = 1;
            item->m_strUnit = "式";
            item->m_nQuantity = 1000;
            item->m_nAmount = amount;
            item->m_nUnitPrice = kUnset;
        }
        m_list.AddItem(std::move(item));
    }

    void Shubetsu(Reader& r) {
        if (!m_koshu) r.Fail(r.Line(), "[shubetsu] needs a [koshu] before it");
        int32_t code = kUnset;
        r.RequiredInt("code", code);
        const CBukakeShubetsu* shubetsu = m_koshu->FindShubetsu(code);
        if (!shubetsu)
            r.Fail(r.LineOf("code"),
                   "種別 " + Num(code) + " is not in 工種 " + Num(m_koshu->m_code) + " of 業務 " + Num(m_gyomu->m_code));
        const CBukakeDetail& detail = shubetsu->GetDetail();
        const CHenkaritsuGyomu* group = m_masters.henkaritsu.FindGyomu(m_gyomu->m_code);
        auto rateRecord = [&](size_t slot) -> const CHenkaritsuRecord* {
            const int32_t h = detail.m_henkaritsu[slot];
            return group && !IsUnset(h) ? group->FindRecord(h) : nullptr;
        };

        ShubetsuChoices c;
        c.shubetsu = shubetsu;
        int32_t quantity = kUnset;
        if (r.Scaled("quantity", 3, quantity)) {
            if (IsLumpUnit(detail.m_unit))
                r.Fail(r.LineOf("quantity"), "a 種別 of the unit " + detail.m_unit + " is 1 " + detail.m_unit);
            RequireSampleRange(r, "quantity", quantity, 1, INT32_MAX);
            c.quantity = quantity;
        } else if (!IsLumpUnit(detail.m_unit)) {
            r.Fail(r.Line(), "[shubetsu] " + shubetsu->m_name + " needs 'quantity' (" + detail.m_unit + ")");
        }
        if (auto entries = r.All("ll"); !entries.empty()) {
            if (entries.size() > 1) r.Fail(entries[1]->line, "'ll' is given twice in [shubetsu]");
            const SampleEntry& e = *entries.front();
            auto parts = r.SplitList(e, 8);
            for (size_t s = 0; s < parts.size(); ++s) {
                if (parts[s].empty()) continue;
                const CHenkaritsuRecord* record = rateRecord(s);
                if (!record || record->m_mode != 1)
                    r.Fail(e.line, "H" + std::to_string(s + 1) + " of " + shubetsu->m_name + " is no formula rate");
                c.ll[s] = r.ParseScaled(e, parts[s], 4);
            }
        }
        for (const SampleEntry* e : r.All("cell")) {
            auto parts = r.SplitList(*e, 3);
            if (parts.size() < 2) r.Fail(e->line, "'cell' takes the slot, the column and the row");
            const int32_t slot = r.ParseScaled(*e, parts[0], 0);
            if (slot < 1 || slot > 8) r.Fail(e->line, "slot " + Num(slot) + " is outside 1..8");
            const CHenkaritsuRecord* record = rateRecord(static_cast<size_t>(slot - 1));
            if (!record || record->m_mode != 0)
                r.Fail(e->line, "H" + Num(slot) + " of " + shubetsu->m_name + " is no table rate");
            const int32_t column = r.ParseScaled(*e, parts[1], 0);
            const bool rowGiven = parts.size() > 2 && !parts[2].empty();
            if (rowGiven == (record->m_kubunFlag != 0))
                r.Fail(e->line, record->m_kubunFlag ? "a 区分率 takes only the column" : "'cell' needs the row");
            const int32_t row = rowGiven ? r.ParseScaled(*e, parts[2], 0) : 1;
            if (record->m_kubunFlag ? IsUnset(record->GetCell(column, 1)) : IsUnset(record->GetCell(column, row)))
                r.Fail(e->line, "cell " + Num(column) + ", " + Num(row) + " of rate " + record->m_name + " holds no value");
            c.cells.push_back({static_cast<size_t>(slot - 1), column, row});
        }
        int32_t program = kUnset;
        if (r.Int("program", program)) {
            const int32_t g = m_gyomu->m_code;
            if (detail.m_programKingaku != 1 || calc::TakesNoProgramKingaku(g))
                r.Fail(r.LineOf("program"), shubetsu->m_name + " takes no プログラム金額");
            if (!m_masters.programKingaku.FindRecord(program))
                r.Fail(r.LineOf("program"), "プログラム金額 " + Num(program) + " is not in its master");
            c.program = program;
        }

        auto item = NewShubetsuItem(m_gyomu->m_code, *m_koshu, *shubetsu, m_masters.henkaritsu);
        // The 代価 number as the 代価No. setting stores it: 1000 + n numbers this row n and the
        // rows after it when the estimate is priced.
        if (r.Int("daika", item->m_nDaikaNo)) RequireSampleRange(r, "daika", item->m_nDaikaNo, 1, 1999);
        c.item = item.get();
        m_list.AddItem(std::move(item));
        m_shubetsu.push_back(std::move(c));
    }

    void EndKoshu() { FinishShubetsuRows(m_shubetsu, m_masters.henkaritsu); }

private:
    const SampleEstimateMasters& m_masters;
    CSekisanItemList& m_list;
    const CBukakeGyomu* m_gyomu = nullptr;
    const CBukakeKoshu* m_koshu = nullptr;
    int m_gyomuIndex = -1;
    int m_koshuIndex = -1;
    std::vector<ShubetsuChoices> m_shubetsu;
};

// Records the messages the calculation shows; everything else answers like the quiet host.
class RecordingHost : public IHost {
public:
    explicit RecordingHost(IHost& fallback) : m_fallback(fallback), m_previous(SetHost(this)) {}
    ~RecordingHost() override { SetHost(m_previous); }
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    std::vector<std::string> messages;

    std::string AppName() const override { return m_fallback.AppName(); }
    int MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons, MsgIcon icon,
                   int defaultButton) override {
        messages.push_back(text);
        return m_fallback.MessageBox(text, caption, buttons, icon, defaultButton);
    }
    bool ChooseOpenFile(const std::string& t, const std::string& f, const std::string& i, std::string& c) override {
        return m_fallback.ChooseOpenFile(t, f, i, c);
    }
    bool ChooseSaveFile(const std::string& t, const std::string& f, const std::string& i, std::string& c) override {
        return m_fallback.ChooseSaveFile(t, f, i, c);
    }
    bool ChooseFolder(const std::string& t, const std::string& i, std::string& c) override {
        return m_fallback.ChooseFolder(t, i, c);
    }
    std::unique_ptr<IProgress> CreateProgress(const std::string& caption) override {
        return m_fallback.CreateProgress(caption);
    }
    void SetStatusPane(int pane, const std::string& text) override { m_fallback.SetStatusPane(pane, text); }
    void BeginWaitCursor() override { m_fallback.BeginWaitCursor(); }
    void EndWaitCursor() override { m_fallback.EndWaitCursor(); }
    ISettings& Settings() override { return m_fallback.Settings(); }

private:
    IHost& m_fallback;
    IHost* m_previous;
};

template <class Root>
void LoadGenerated(Root& root, const std::string& path) {
    std::string bytes, error;
    if (vemo::ReadWholeFile(path, vemo::kDataFileLimit, bytes, &error) != vemo::ReadResult::read)
        throw std::runtime_error(path + ": cannot be read: " + error);
    if (LoadMasterFromBytes(root, std::move(bytes), &error) != MasterLoadResult::loaded)
        throw std::runtime_error(path + ": not a readable master file " + error);
}

}  // namespace

std::unique_ptr<SampleEstimateMasters> LoadGeneratedSampleMasters(const std::string& dataFolder) {
    auto masters = std::make_unique<SampleEstimateMasters>();
    const std::string data = vemo::JoinPath(dataFolder, kSampleDataFolder);
    const std::string master = vemo::JoinPath(dataFolder, kSampleMasterFolder);
    LoadGenerated(masters->bukake, vemo::JoinPath(master, kBukakeFileName));
    LoadGenerated(masters->henkaritsu, vemo::JoinPath(master, kHenkaritsuFileName));
    LoadGenerated(masters->tanka, vemo::JoinPath(data, kTankaFileName));
    LoadGenerated(masters->shokeihi, vemo::JoinPath(data, kShokeihiFileName));
    LoadGenerated(masters->programKingaku, vemo::JoinPath(data, kProgramKingakuFileName));
    LoadGenerated(masters->zairyoTanka,
                  vemo::JoinPath(data, std::string(kZairyoTankaDefaultStem) + kZairyoTankaExtension));
    return masters;
}

SampleProgramPaths SampleProgramPathsOf(const std::string& programFolder) {
    if (programFolder.empty()) return {};
    // The program knows its folder with every link resolved.
    std::error_code ec;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(programFolder, ec);
    CMasterDataStore store(ec ? programFolder : resolved.string());
    return {store.DefaultMasterDataFolder(), store.DefaultZairyoTankaPath()};
}

std::unique_ptr<CVemoWinDocData> ParseSampleEstimate(std::string_view source, const std::string& file,
                                                     const SampleEstimateMasters& masters,
                                                     const SampleProgramPaths& paths) {
    SampleText text = SampleText::Parse(source, file);
    auto doc = std::make_unique<CVemoWinDocData>();
    CSekisanItemList& list = *doc->GetItemList();
    list.m_strMasterFolder = paths.masterFolder;
    list.m_strZairyoFile = paths.zairyoFile;
    EstimateReader reader(masters, list);
    WalkSampleSections(text, {
        {"file", [&](Reader& r) { reader.File(r); }},
        {"gyomu", [&](Reader& r) { reader.Gyomu(r); }},
        {"koshu", [&](Reader& r) { reader.Koshu(r); }},
        {"shubetsu", [&](Reader& r) { reader.Shubetsu(r); }},
    });
    reader.EndKoshu();
    if (list.CountGyomu() == 0) text.Fail(1, "the estimate has no [gyomu]");
    return doc;
}

std::vector<std::string> PriceSampleEstimate(CVemoWinDocData& doc, SampleEstimateMasters& masters) {
    ICalcEnvironment* previousEnv = SetCalcEnv(&masters);
    RecordingHost host(Host());
    try {
        doc.GetSekisanData()->Recalculate(0);
    } catch (...) {
        SetCalcEnv(previousEnv);
        throw;
    }
    SetCalcEnv(previousEnv);
    return host.messages;
}

SamplePlacing PlaceSampleEstimate(const std::string& file, const SampleProgramPaths& paths) {
    CVemoWinDocData doc;
    if (!doc.LoadFile(file)) return SamplePlacing::unreadable;
    CSekisanItemList& list = *doc.GetItemList();
    if (list.m_strMasterFolder == paths.masterFolder && list.m_strZairyoFile == paths.zairyoFile)
        return SamplePlacing::alreadyThere;
    list.m_strMasterFolder = paths.masterFolder;
    list.m_strZairyoFile = paths.zairyoFile;
    return doc.SaveFile(file) ? SamplePlacing::placed : SamplePlacing::unwritable;
}
