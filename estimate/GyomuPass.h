// The main calculation pass over the rows of one 業務, whose parts are written in several files:
// the walk and the pricing of its rows (SekisanCalcGyomu.cpp), the fixed rows
// (SekisanCalcFixedRows.cpp).
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "estimate/CalcCodes.h"
#include "estimate/CalcEnvironment.h"
#include "estimate/DriverSupport.h"
#include "estimate/SekisanData.h"
#include "master/BukakeFile.h"

// The state of one walk: the running sums, the amounts of the fixed rows met so far and the rows
// that show running sums. Every sum is kept in 64 bits; the two the 業務 caps restart at 0.
class CGyomuPass {
public:
    CGyomuPass(CSekisanData& data, int gyomu, bool final)
        : m_data(data),
          m_list(*data.GetItemList()),
          m_bukake(data.CalcContext().GetBukakeFile()),
          m_settings(data.CalcContext().GetCalcSettings()),
          m_gyomu(gyomu),
          m_final(final) {}

    int Run();

private:
    static constexpr int kClassCount = 9;  // 精度管理費 classes 0..8

    // Mode of a priced row: no price, a unit price, a lump amount, or the amount as the user typed it.
    enum class Mode { None, UnitPrice, Amount, Entered };

    // The row being priced and its master records.
    struct Row {
        CSekisanItem& item;
        const CBukakeKoshu* koshu;
        const CBukakeShubetsu* shubetsu;
        int level;
        bool entered;
    };

    // The value of a 種別 row (its unit price or lump amount) and what its parts are counted from:
    // the value with the 電子計算機使用料 and, where they go to rows of their own, the value with the
    // 精度管理費 (測量) and the material part taken off it (物件調査).
    struct RowValue {
        int value = 0;
        int withDensi = 0;
        int withSeido = 0;
        int material = 0;
    };

    void PriceRow(Row& row);
    void PriceShubetsu(Row& row);
    // The row's value by the 業務's amount calculation; then, for a row that keeps its price, its
    // parts counted into the running sums (returns the 安全費 base, −1 for the row's amount).
    RowValue ValueOf(Row& row, double qty);
    int64_t CountParts(Row& row, double qty, const RowValue& v);
    RowValue SokuryoValue(Row& row);
    int64_t SokuryoParts(Row& row, double qty, const RowValue& v);
    RowValue SekkeiValue(Row& row);
    RowValue BukkenValue(Row& row, double qty);
    void BukkenParts(Row& row, double qty, const RowValue& v);
    void DoshitsuParts(Row& row, double qty);
    // A unit price past what a unit price holds leaves the row without a price (CheckUnitPrice):
    // none of its parts is counted, so that the 業務's figures are those without the row.
    bool LeftWithoutPrice(Row& row, int value) { return !m_data.CheckUnitPrice(value, row.item); }
    void CountLabour(Row& row, double qty, int labour, bool conventional);
    int PartOf(Row& row, AmountPart part);
    void ApplyMode(Row& row, Mode mode, int value, int withDensi);
    Mode ModeByUnit(const Row& row, const CBukakeDetail& detail) const;
    void PriceSpecialShubetsu(Row& row);
    void DaikaRule(Row& row);
    void LumpRow(Row& row);
    void RateRow(Row& row);
    void DensiKeisankiRow(Row& row, int64_t base);
    bool DensiRow(Row& row);
    void FixedRow(Row& row);
    // The fixed rows (工種 code in the comment).
    void LabourTotalRow(CSekisanItem& item, const CBukakeKoshu* koshu);  // 直接人件費 (91)
    void DenshiSeikahinRow(Row& row);         // 電子成果品作成費, 精度管理費 of 業務 4 (92)
    void DirectShareRow(CSekisanItem& item);  // 業務 4: a share of the direct cost (98)
    void ShokeihiRow(Row& row);               // 諸経費 (93)
    void GijutsuKeihiRow(Row& row);           // 技術経費 (94)
    void SonotaGenkaRow(Row& row);            // その他原価 (915)
    void IppanKanrihiRow(Row& row);           // 一般管理費等 (916)
    void GyomuKakakuRow(CSekisanItem& item);  // 業務価格 (95)
    int RoundingRemainder();
    void UpdateTotals();
    // Quantity (×1000) times unit price (×10).
    int32_t Product(int32_t quantity, int32_t unitPrice) {
        return m_store.Value(quantity / 1000.0 * (unitPrice / 10.0));
    }
    void RefreshSumRows();

    void AddDirect(int64_t amount);
    void AddCost(int64_t amount, const CSekisanItem& item);
    void AddClass(std::array<int64_t, kClassCount>& sums, int kind, int64_t amount);
    bool SumGroup(const Row& row) const { return row.koshu && row.koshu->m_settings[0] == 1; }
    bool KoshuSplitIs(const Row& row, int flag) const { return row.koshu && row.koshu->m_splitFlag == flag; }
    // The lower 摘要 of a labour split ("新(…),従(…)"): written while the 歩掛 keeps the split, the
    // user has not set the line and the row is printed; empty unless both kinds of labour occur.
    void SetSplitLower(CSekisanItem& item, const std::string& text);

    // Runs an operation that inserts or removes one row of the 業務 and keeps the walk on the
    // current row. Returns false when the current row itself was taken out.
    template <class Op>
    bool Restructure(Op op);

    CSekisanData& m_data;
    CSekisanItemList& m_list;
    const CBukakeFile& m_bukake;
    const CCalcSettings& m_settings;
    const int m_gyomu;
    const bool m_final;
    // An amount the walk stores into a row or adds into a running sum, as 32 bits: held at the
    // limits, and the 業務 named in the record of the limits when it did not fit.
    const driver::AmountStore m_store{[this] { m_data.m_limits.saturated.insert(m_gyomu); }};
    int m_index = 0;
    int m_count = 0;

    // Running sums.
    int64_t m_direct = 0, m_rated = 0, m_ratedB = 0, m_tail = 0;
    int64_t m_newLabour = 0, m_convLabour = 0, m_grouped = 0;
    std::array<int64_t, kClassCount> m_classAll{}, m_classNew{};
    int64_t m_soil4 = 0, m_soil6 = 0, m_soil7 = 0, m_soil8 = 0;
    int64_t m_accuracy = 0, m_computer = 0, m_extra = 0;
    int64_t m_cost = 0, m_costNotInGenka = 0, m_shown = 0, m_mixed = 0, m_material = 0, m_technical = 0;
    double m_techBaseBukken = 0.0, m_techBaseDoshitsu = 0.0;

    // Fixed rows met so far: the amounts as adjusted by the total's rounding and before it.
    int64_t m_denshi = 0, m_denshiNew = 0, m_directShare = 0, m_sonotaGenka = 0, m_adjustment = 0;
    int64_t m_shokeihi = 0, m_shokeihiBefore = 0, m_gijutsu = 0, m_gijutsuBefore = 0;
    int64_t m_ippan = 0, m_ippanBefore = 0;
    int64_t m_total = 0, m_totalBefore = 0;

    bool m_densiRowUpdated = false;
    bool m_seidoRowUpdated = false;
    bool m_materialSplit = false;
    bool m_hasJinkenhiRow = false;

    // Rows showing running sums.
    CSekisanItem* m_directRow = nullptr;  // 直接費計 (90)
    CSekisanItem* m_costRow = nullptr;    // 業務原価 (910)
    CSekisanItem* m_convRow = nullptr;    // conventional total (911; 910 of a conventional 物件調査 工種)
    CSekisanItem* m_mixedRow = nullptr;   // 直接経費 (912)
    CSekisanItem* m_shownRow = nullptr;   // shown total (913)
};
