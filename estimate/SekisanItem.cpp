#include "estimate/SekisanItem.h"

#include "estimate/CalcCodes.h"
#include "estimate/EstimateTexts.h"
#include "platform/Archive.h"

namespace {

int32_t g_loadingVersion = kSekisanFileVersion;

// Integers of one item with the given number of rate slots, without the extra rate: the three
// codes, code + cell + LL value of every slot, and 17 single values with the 20 工程 flags.
constexpr size_t IntsPerItem(int slots) { return 3 + 4 * static_cast<size_t>(slots) + 17 + 20; }
constexpr int kTextsPerItem = 5;

static_assert(IntsPerItem(9) + 1 == 77, "a current item holds 77 integers");

using calc::Gyomu;
using calc::IsOneOf;
using calc::Koshu;
namespace txt = estimate_texts;

}  // namespace

int32_t GetSekisanLoadingVersion() { return g_loadingVersion; }
void SetSekisanLoadingVersion(int32_t version) { g_loadingVersion = version; }

CSekisanItem::CSekisanItem() {
    m_nRateCode.fill(kUnset);
    m_nRateCol.fill(kUnset);
    m_nRateRow.fill(kUnset);
    m_nLL.fill(kUnset);
    m_bKotei.fill(0);
}

int CSekisanItem::CountSelectedKotei() const {
    int n = 0;
    for (int32_t flag : m_bKotei)
        if (flag != 0) ++n;
    return n;
}

size_t CSekisanItem::MinStoredBytes(int32_t version) {
    size_t ints = IntsPerItem(StoredRateSlots(version)) + (version > 101 ? 1 : 0);
    return ints * 4 + kTextsPerItem * CArchive::kMinTextBytes;
}

void CSekisanItem::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        Store(ar);
    else
        Load(ar, GetSekisanLoadingVersion());
}

void CSekisanItem::Store(CArchive& ar) const {
    ar << m_nGyomu << m_nKoshu << m_nShubetsu;
    for (int32_t v : m_nRateCode) ar << v;
    for (int i = 0; i < kRateSlots; ++i) ar << m_nRateCol[i] << m_nRateRow[i];
    ar << m_strNameUpper << m_strNameLower << m_bNameUpperEdited << m_bNameLowerEdited;
    ar << m_strUnit << m_nQuantity << m_nUnitPrice << m_nRounding << m_nAmount << m_nAmount2;
    ar << m_strRemarkUpper << m_strRemarkLower << m_bKeepRemarkUpper << m_bKeepRemarkLower;
    ar << m_bAmountEntered << m_bSummary << m_bSpecialExpense << m_nRate;
    for (int32_t v : m_nLL) ar << v;
    for (int32_t v : m_bKotei) ar << v;
    ar << m_bNoPrint << m_nWeightAverage << m_nDaikaNo << m_nYearCode << m_nExtraRate;
}

void CSekisanItem::Load(CArchive& ar, int32_t version) {
    const int slots = StoredRateSlots(version);
    ar >> m_nGyomu >> m_nKoshu >> m_nShubetsu;
    for (int i = 0; i < slots; ++i) ar >> m_nRateCode[i];
    for (int i = 0; i < slots; ++i) ar >> m_nRateCol[i] >> m_nRateRow[i];
    ar >> m_strNameUpper >> m_strNameLower >> m_bNameUpperEdited >> m_bNameLowerEdited;
    ar >> m_strUnit >> m_nQuantity >> m_nUnitPrice >> m_nRounding >> m_nAmount >> m_nAmount2;
    ar >> m_strRemarkUpper >> m_strRemarkLower >> m_bKeepRemarkUpper >> m_bKeepRemarkLower;
    ar >> m_bAmountEntered >> m_bSummary >> m_bSpecialExpense >> m_nRate;
    for (int i = 0; i < slots; ++i) ar >> m_nLL[i];
    for (int32_t& v : m_bKotei) ar >> v;
    ar >> m_bNoPrint >> m_nWeightAverage >> m_nDaikaNo >> m_nYearCode;
    AdjustLoadedOverheadRow(version);
    if (version > 101) ar >> m_nExtraRate;
}

void CSekisanItem::AdjustLoadedOverheadRow(int32_t version) {
    const bool lowerFree = m_bKeepRemarkLower == 0 && m_strRemarkLower.empty();
    auto setLower = [this](const char* text) {
        m_strRemarkLower = text;
        m_bKeepRemarkLower = 1;
    };

    // 諸経費 rows of 業務 1, 6 and 4: files before 1.04 knew only the rate table up to 平成26年度.
    if (m_nKoshu == Koshu::Shokeihi &&
        IsOneOf(m_nGyomu, {Gyomu::Sokuryo, Gyomu::KukakuSokuryo, Gyomu::DoshitsuIppan})) {
        if (version <= 103) {
            m_nYearCode = kYearH26OrEarlier;
            if (lowerFree) setLower(txt::ShokeihiRateH26);
        } else if (lowerFree) {
            if (m_nGyomu == Gyomu::DoshitsuIppan) {
                if (m_nYearCode == 30101)
                    setLower(txt::ShokeihiRateH27);
                else if (m_nYearCode == 30102)
                    setLower(txt::ShokeihiRateH29);
                else if (m_nYearCode == 30103)
                    setLower(txt::ShokeihiRateR5);
            } else if (m_nYearCode == 30101) {
                setLower(txt::ShokeihiRateR6);
            }
        }
    }

    // 一般管理費等 rows of 業務 2, 5, 3 and 7.
    if (m_nKoshu == Koshu::IppanKanrihi && calc::IsLabourSplitGyomu(m_nGyomu) && version <= 103) {
        m_nYearCode = kYearH26OrEarlier;
        if (lowerFree) setLower(txt::IppanRateH26);
    }
}
