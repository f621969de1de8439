#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "estimate/CalcEnvironment.h"
#include "estimate/CalcCodes.h"
#include "estimate/SekisanItemList.h"

class CArchive;
class CBukakeDetail;
class CBukakeHimoku;
class CBukakeHimokuSet;
class CBukakeKoshu;
class CBukakeShubetsu;
class CHenkaritsuRecord;
class CRecalcCache;
class CTankaRow;

// The three expense components of a 歩掛 detail, by what they are.
struct KeihiComponents {
    int zairyo = 0;  // 材料費: 費目 component 0 (marker Z1), or the 材料費率 of the direct labour
    int kikai = 0;   // 機械経費: component 1 (Z2), or the 機械経費率
    int sonota = 0;  // その他 (通信運搬費等): component 2 (Z3), or the 通信運搬費等率
    int64_t Sum() const { return int64_t{zairyo} + kikai + sonota; }
};

// The estimate object: one per document, holding the item list. Its calculation (recalculation,
// totals, pricing of the rows) is declared here too and implemented in its own source files
// (SekisanCalc*.cpp); this file keeps only the object and its storage.
class CSekisanData {
public:
    CSekisanData() = default;
    virtual ~CSekisanData() = default;
    CSekisanData(const CSekisanData&) = delete;
    CSekisanData& operator=(const CSekisanData&) = delete;

    // The embedded list; the caller does not own it.
    CSekisanItemList* GetItemList() { return &m_ItemList; }
    const CSekisanItemList* GetItemList() const { return &m_ItemList; }

    // Hands the archive to the item list in both directions; the object stores nothing of its own.
    virtual void Serialize(CArchive& ar);

    // The context the estimate is priced with (masters and settings), set by its owner and not owned:
    // it must outlive every calculation of the estimate or be reset first. Null: none of its own.
    void SetCalcContext(const ICalcEnvironment* context) { m_calcContext = context; }
    const ICalcEnvironment* GetCalcContext() const { return m_calcContext; }
    // The context in use: the estimate's own or, without one, the environment installed
    // process-wide (CalcEnv(); std::logic_error when there is neither).
    const ICalcEnvironment& CalcContext() const { return m_calcContext ? *m_calcContext : CalcEnv(); }

    // Calculation operations follow here.

    // Pricing ---------------------------------------------------------------------------------
    // The amounts of one row and the rules they share. Masters and settings come read-only
    // through CalcContext(); the only writes go into the estimate's own items (an unset LL value
    // filled with its rate's default, a rate slot's standard cell, the quantities of the rows a
    // 設計 type-2 item stands for, the special rows 847/899/917 and the texts named below).
    // An amount that cannot be formed (a non-finite formula value, a zero or unset base
    // quantity, a value beyond 32 bits) makes the row's amount 0 and puts the row's upper name
    // into MissingPriceName(), so that the recalculation names it.

    // Shared rules.
    // Four significant digits of 10,000..99,999,999 (123,456 gives 123,400); others unchanged.
    static int TruncTo4Digits(int a);
    // Whether the row's price is its amount cut to four significant digits (DouroCalc 1, a 歩掛
    // that does not keep every digit: 測量 types 30 and 31, and 業務 4).
    bool CutsToFourDigits(const CSekisanItem& item) const;
    // The two rules it follows: a 測量 歩掛 of types 30 and 31, and every row of 業務 4.
    bool SokuryoCutsToFourDigits(const CBukakeDetail& detail) const;
    bool DoshitsuCutsToFourDigits(int gyomu, const CBukakeDetail& detail) const;
    // Unit price in yen beyond 0..214,748,364: the item's upper name is named under its 業務 in the
    // record of the limits (unitPriceRows), then price := 0 and the item's unit price and amounts
    // := unset (its LL values, cells kept), and false: the row is left without a price, and the sums
    // of the walk that is running leave it out (LeftWithoutPrice). True for a price within.
    bool CheckUnitPrice(int& price, CSekisanItem& item);
    // 技術経費率 of the item at index (×10000; 0 when none), by its own 種別 or by DefGijyutuCalc.
    int GetGijutsuKeihiRate(int index, int byShubetsu) const;
    // Coefficient of the 種別 group with the largest amount among the earlier rows of the 業務.
    int GetMaxRateBySum(int index) const;
    // Expense parts of the detail's three rates over base (parts without a positive rate untouched).
    static void CalcKeihiByRate(const CBukakeDetail& detail, int base, int& p0, int& p1, int& p2);

    // 歩掛 formula and rate values.
    // Value of the detail's formula (type 0..2) or of line `line` (types 3, 4) for the item.
    double CalcBukakeFormula(const CBukakeShubetsu* shubetsu, int itemIndex, int type, int line);
    // Rate value ×1000 of record `code` of the 業務 for a table cell or an LL value; 0 when missing.
    int GetHenkaritsuValue(int gyomu, int code, int row, int column, int ll) const;

    // Rate texts and auxiliary formulas.
    int GetKoteiText(std::string& text, int index) const;                 // "全工程," or the line names
    // Cell of rate slot `slot` (0-based) by mode; initialises an unset slot from the standard cell.
    int GetRateCell(int slot, CSekisanItem& item, int mode, int value, int& row, int& column) const;
    static std::string SelectRateFormula(const CHenkaritsuRecord& record, int ll);  // by LL range
    // Value text of auxiliary formula S(slot+1) of the detail for the item; 0 for a bad slot.
    int EvalHojoshiki(int slot, CSekisanItem& item, const CBukakeDetail& detail, int mode, std::string& text) const;
    int HasKubunritsu(const CBukakeShubetsu& shubetsu, int gyomu) const;    // a 区分率 rate among H1..H8
    static std::string RemoveRoundingMarkers(std::string text);               // RD2(x) → x, LF likewise
    static std::string TrimTrailingComma(std::string text);
    static std::string RemoveText(std::string text, const std::string& what, int firstOnly);
    // Description of the item's rates (工程 prefix and one piece per slot); 0, or −1 on a missing record.
    int BuildHenkaritsuText(std::string& text, int index, std::array<std::string, 9>& names,
                            std::array<std::string, 9>& values, std::array<double, 9>& numbers, int omitAmounts) const;

    // Overhead rates and expense parts.
    int GetShokeihiRate(int gyomu, int base, int yearCode) const;             // 諸経費率 ×10000
    double CalcZairyoAmount(const CBukakeHimoku* entry, double* quantity, double* price) const;
    double SumZairyoOfKey(const CBukakeDetail* detail, int key) const;
    static int FindKeihiEntry(int from, const CBukakeHimokuSet* set, int component);
    void CalcKeihiParts(const CBukakeDetail* detail, int labour, int directLabour, int mode, int* part1, int* part2,
                        int* part0) const;
    // The components over labour and direct labour: as rates of the direct labour when the detail's
    // 費目 mode is 1, else from its 費目 entries. Every amount that names a component takes it here.
    KeihiComponents CalcKeihiComponents(const CBukakeDetail& detail, int labour, int directLabour) const;

    // 測量 and 土質調査 amounts, worker slots, days and the rounding of the 業務 total.
    // Labour, direct labour, expense components and 精度管理費 of one detail line.
    struct RowTotals {
        int labour = 0, direct = 0;
        KeihiComponents keihi;
        int seido = 0;
    };
    int CalcWorkerSlot(const CBukakeDetail& detail, int line, int column, double factor, double& roundedDays,
                       double& days, CTankaRow& row) const;
    int CalcShokushuSlot(const CBukakeDetail& detail, const int32_t* koteiFlags, double& labour, int column) const;
    static int GetShokushuDays(const CBukakeDetail& detail, int id, int key);
    int CalcSokuryoKingaku(CSekisanItem* item, int index, AmountPart part);
    int CalcSokuryoShubetsu(CSekisanItem* item, int index, AmountPart part);
    int CalcRowKingaku(const CBukakeShubetsu& shubetsu, int line, int index, RowTotals& totals, AmountPart part,
                       CSekisanItem* item, double& factorOut);
    int CalcSokuryoRows(CSekisanItem* item, int index, AmountPart part);
    int CalcDoshitsuKingakuPart(CSekisanItem* item, int index, AmountPart part);
    int CalcDoshitsuKingaku(CSekisanItem* item, int index, AmountPart part);
    double SumZairyoByKey(CSekisanItem* item, int index, const CBukakeShubetsu& shubetsu, int kind);
    double CalcZairyoEntry(CSekisanItem* item, int index, const CBukakeShubetsu& shubetsu, int formulaType, int line);
    int FindZairyoMarkerLine(int start, const CBukakeShubetsu& shubetsu, int& line, int& basis, int which) const;
    int CalcShubetsuDays(int index, int id, int mode);
    int SumKoshuChildren(int index) const;
    int CalcDayChargeAmount(int index);
    int GetMarumeChoiceCount(int gyomu) const;
    // Code (93, 94, 916) of the row absorbing the 95 row's rounding, 0 without a rounding choice;
    // row and totalRow are positions (−1 when absent).
    int FindRoundingRow(int gyomu, int& total, int& rowAmount, int& row, int& totalRow) const;
    int CalcRoundingRemainder(int gyomu);

    // 設計 and 物件調査 amounts.
    int CalcSekkeiKingaku(CSekisanItem* item, int index, AmountPart part);
    // As CalcSekkeiKingaku with DensiDsp taken as 0 for this call: 電子計算機使用料 included.
    int CalcSekkeiKingakuWithDensi(CSekisanItem* item, int index, AmountPart part);
    int CalcSekkeiShubetsu(CSekisanItem* item, int index, AmountPart part, int formulaType);
    int CalcSekkeiKubun(CSekisanItem* item, int index, AmountPart part);
    int CalcSekkeiKingakuByRows(CSekisanItem* item, int index, AmountPart part, int formulaType, int& labourOut);
    int CalcRowWorkers(const CBukakeDetail& detail, int line, double factor, int& direct, int& densi, AmountPart part,
                       CSekisanItem* item, int& lineTotal);
    int CalcBukkenKingaku(CSekisanItem* item, int index, AmountPart part);
    // As CalcBukkenKingaku with the detail's 材料費率 taken as unset for this call.
    int CalcBukkenKingakuWithoutZairyo(CSekisanItem* item, int index, AmountPart part);
    int CalcBukkenShubetsu(CSekisanItem* item, int index, AmountPart part);
    int CalcBukkenKubun(CSekisanItem* item, int index, AmountPart part);
    // Part `part` of the amount of the 種別 row at index by its 業務's calculation (0 for a 業務
    // without one).
    int CalcShubetsuPart(CSekisanItem* item, int index, AmountPart part);
    // The correction factor the amount calculation of the 種別 row at index applies to the row as a
    // whole, with the digits it applies (cut to 0.001, half up to 0.01 or kept whole, as its 業務's
    // calculation takes it); none when a 区分率 corrects each 工程 line on its own or the calculation
    // applied no factor to the row. Learnt by pricing the row, as the sheets do.
    std::optional<double> AppliedFactor(int index);

    // Special expense items and day charges.
    static int CalcSeidoKanrihi(int kind, double base, std::string& text, int gyomu);  // 精度管理費
    int GetSeidoKind(const CSekisanItem& item, int byKoshu) const;
    int CalcDensiKeisanki(int gyomu, int index, int base, int baseB, std::string& text, int table);
    int UpdateDensiRow(int gyomu, int mode);   // 工種 899; mode 0 inserts, 1 removes
    int UpdateSeidoRow(int gyomu, int mode);   // 工種 847
    int UpdateZairyoRow(int gyomu, int mode);  // 工種 917
    int CalcDensiRowAmount(int gyomu, int index, int& extra);
    int SumZairyoCost(int gyomu, int count) const;
    void SetZairyoRemark(CSekisanItem& item) const;
    void SumKoshuQuantities(int index, int count, int& quantity, int& amount) const;
    int GetKoshu81Amount() const;
    int GetKoshu92Amount() const;
    void CollectShokushu(int ids[], int count, int index) const;
    int GetMaxShokushuDays(int index);
    int GetMaxCalendarDays(int index);
    int GetDayCharge(int index, int id, std::string& text);
    int CalcDayCharges(int index);
    int CalcShokushuCharges(int index);
    // Pricing end -----------------------------------------------------------------------------

    // Main pass and recalculation -------------------------------------------------------------
    // Prices the whole estimate (gyomu 0) or one 業務 (1..31): the main pass three times per
    // 業務, then the summary rows, the automatic remarks and the missing-price message. Returns 1.
    int Recalculate(int gyomu);
    // One walk over the rows of a 業務 (1..31): prices every row and fills the 業務's sum rows;
    // only a run with final 1 takes the 業務 total's rounding off its absorbing row. Returns 1, or
    // 0 when a position of the list holds no item (the rows written so far stay written).
    int CalcGyomu(int gyomu, int final);
    // Subtotal, adjustment, consumption tax and total of the summary rows (業務 89, 95..99).
    int CalcSummaryRows();
    // Rewrites the automatic texts of every row (rate descriptions, 摘要, 代価 numbers). Returns
    // 0, or −1 when a 種別 row's 歩掛 was missing (that row is skipped, the later ones are done).
    int UpdateRemarks();
    // Which limits the last recalculation applied: a 業務's direct sum or 業務原価 beyond
    // 999,999,999 was restarted from 0, an amount of a 業務 did not fit 32 bits and was held at the
    // limit, a row of a 業務 was left without a price because its unit price was beyond what a unit
    // price can hold (CheckUnitPrice), or the total beyond 0..999,999,999 was shown as 0 (or an
    // amount of the summary rows did not fit 32 bits).
    struct CalcLimits {
        std::set<int> directCapped;     // 業務 codes
        std::set<int> costCapped;       // 業務 codes
        std::set<int> saturated;        // 業務 codes
        // The upper names of the rows left without a price, by 業務 code, one for each row, in the order
        // they were priced.
        std::map<int, std::vector<std::string>> unitPriceRows;
        bool totalCapped = false;
        // The 業務 codes the record names; those whose amounts went past a limit (a row without a
        // price aside).
        std::set<int> Gyomu() const;
        std::set<int> AmountGyomu() const;
        // The 業務 codes with a row left without a price.
        std::set<int> UnitPriceGyomu() const;
        bool Any() const { return totalCapped || !Gyomu().empty(); }
        // Every limit this record names is named by other too.
        bool Within(const CalcLimits& other) const { return !Beyond(other).Any(); }
        // The limits this record names that before does not (the rows without a price that before
        // does not name).
        CalcLimits Beyond(const CalcLimits& before) const;
    };
    const CalcLimits& GetCalcLimits() const { return m_limits; }
    // Prices a copy of the estimate without a word and takes the copy's record of the limits as its
    // own; the estimate's figures stay as they stand (an opened estimate shows what it was saved
    // with). Returns the record.
    const CalcLimits& CheckLimits();
    // What a priced copy tells the user: nothing, or the missing-price message as Recalculate gives it.
    enum class CopyTells { Nothing, MissingPrice };
    // A copy of the estimate with its context, priced whole (every 業務, the summary rows and the
    // remarks); the estimate and the missing-price name, shared by every estimate, stay as they were.
    // followed: the node in the copy of the row at index follow (the pricing may add rows before it),
    // null when there is none.
    struct PricedCopy {
        std::unique_ptr<CSekisanData> data;
        const CSekisanItem* followed = nullptr;
    };
    PricedCopy PriceCopy(CopyTells tells, int follow = -1) const;

    enum class InputResult { Taken, PastLimit };
    // One input on the estimate (a quantity, unit price, amount, weight or rate typed into a row, a
    // switch of a row, 工種 or 種別 selected, a guided entry), made before the input writes. Commit
    // recalculates and keeps the input unless it went past a limit; an input ended without a commit
    // (a cancel, an early return) is put back when the object ends, so that no caller has to.
    class Input {
    public:
        explicit Input(CSekisanData& data);
        ~Input();
        Input(const Input&) = delete;
        Input& operator=(const Input&) = delete;

        // Recalculates gyomu (0: every 業務), once. When the recalculation goes past a limit the
        // estimate had not gone past before the input, the rows and the record of the limits are put
        // back as they were and the result is PastLimit: nothing is told, the caller tells the user
        // (by Past). Otherwise Taken, with the missing-price message as Recalculate gives it.
        InputResult Commit(int gyomu);
        // After a PastLimit: the limits that recalculation went past and the estimate had not.
        const CalcLimits& Past() const { return m_past; }
        // Puts the input back now, as the end of an uncommitted input does.
        void Cancel();
        // Whether the estimate's stored contents differ from those before the input.
        bool Changed() const;

    private:
        void PutBack();

        CSekisanData& m_data;
        CSekisanItemList m_items;  // the rows before the input
        CStoredContents m_stored;  // and their stored bytes
        CalcLimits m_limits;
        CalcLimits m_past;
        bool m_open = true;
    };
    // Main pass end ---------------------------------------------------------------------------

private:
    CSekisanItemList m_ItemList;
    const ICalcEnvironment* m_calcContext = nullptr;

    // The masters and settings of CalcContext(), as the calculation sources read them.
    const CCalcSettings& Settings() const { return CalcContext().GetCalcSettings(); }
    const CBukakeFile& Bukake() const { return CalcContext().GetBukakeFile(); }
    const CHenkaritsuFile& Henkaritsu() const { return CalcContext().GetHenkaritsuFile(); }
    const CTankaFile& Tanka() const { return CalcContext().GetTankaFile(); }
    const CZairyoTankaFile& ZairyoTanka() const { return CalcContext().GetZairyoTankaFile(); }
    // The 歩掛 種別 of an item's three codes, or null.
    const CBukakeShubetsu* FindShubetsu(const CSekisanItem& item) const;
    // Master records by their codes, as the masters' finders give them (null when missing): through
    // the cache of the recalculation that is running, else from the masters themselves.
    const CBukakeKoshu* FindBukakeKoshu(int32_t gyomu, int32_t koshu) const;
    const CBukakeShubetsu* FindBukakeShubetsu(int32_t gyomu, int32_t koshu, int32_t shubetsu) const;
    const CHenkaritsuRecord* FindRateRecord(int32_t gyomu, int32_t code) const;
    const CTankaRow* FindTankaRow(int32_t id) const;
    // Value ×1000 of a formula rate record at an LL value (0 when it has none); a value that cannot
    // become an amount marks the current amount call as failed.
    int FormulaRateValue(const CHenkaritsuRecord& record, int ll) const;
    // The 単価 row of a 職種 id with its price in the estimate's column; null when the row is missing or
    // its price is not entered (the latter names the row in MissingPriceName()).
    const CTankaRow* PricedRow(int32_t id, int32_t column, const CSekisanItem& item, int32_t& price) const;

    // Pricing state: one amount call at a time (no second thread). Local to the estimate; the
    // settings it stands in for are never written.
    struct PricingState {
        int depth = 0;              // nesting of guarded amount calls
        bool fault = false;         // a value that could not become an amount met in this call
        int densiDspOverride = -1;  // ≥ 0: DensiDsp as this call sees it
        bool noZairyoRate = false;  // the detail's 材料費率 taken as unset for this call
        const CSekisanItem* factorRow = nullptr;  // AppliedFactor: the row whose factor is noted
        std::optional<double> factor;             // the factor applied to that row as a whole
    };
    mutable PricingState m_pricing;
    friend class PricingScope;
    // Notes the factor an amount calculation applies to the item as a whole (none: line by line),
    // when AppliedFactor asks for that item.
    void NoteFactor(const CSekisanItem* item, std::optional<double> factor) const {
        if (item && item == m_pricing.factorRow) m_pricing.factor = factor;
    }
    // The two 物件調査 calculations share one body (factor per line when byLine).
    int CalcBukkenParts(CSekisanItem* item, int index, AmountPart part, bool byLine);

    // Main pass and recalculation.
    // The work of Recalculate before its message: the passes, the summary rows and the remarks.
    void RecalculateRows(int gyomu);
    // The missing-price message, when a row was found without a price.
    void TellMissingPrice() const;
    CalcLimits m_limits;
    // The rows the walk that is running left without a price (CheckUnitPrice), so that the sums over
    // the rows before a row leave them out as the walk does; empty outside a walk.
    std::set<const CSekisanItem*> m_unpriced;
    bool LeftWithoutPrice(const CSekisanItem& item) const { return m_unpriced.count(&item) != 0; }
    // The cache of the recalculation that is running (see RecalcCache.h), null outside one.
    CRecalcCache* m_recalcCache = nullptr;
    friend class CGyomuPass;
};

// Name (upper line) of the last item found without a unit price during a recalculation, or empty.
// Kept process-wide: the recalculation empties it first and the amount calculations overwrite it.
std::string& MissingPriceName();

// Keeps the missing-price name while a pricing apart from an estimate's own recalculation runs (a
// priced copy, a factor looked up) and puts it back when that ends.
class MissingPriceKept {
public:
    MissingPriceKept() : m_kept(MissingPriceName()) {}
    ~MissingPriceKept() { MissingPriceName() = m_kept; }
    MissingPriceKept(const MissingPriceKept&) = delete;
    MissingPriceKept& operator=(const MissingPriceKept&) = delete;

private:
    std::string m_kept;
};
