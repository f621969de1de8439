// The change-rate sheets of 測量 歩掛 priced through auxiliary formulas (歩掛 types 10, 11, 12): the
// inputs of the item, the values S1..S5 and the regional correction, on the sheet the 歩掛 names.
#include <string>

#include "estimate/CalcCodes.h"
#include "estimate/SekisanData.h"
#include "formix/Formix.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "platform/TextUtil.h"
#include "report/EstimateReport.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"
#include "report/SheetWriting.h"
#include "estimate/EstimateTexts.h"

using namespace reporttext;
using namespace reportsheet;

namespace {

// 歩掛 types with a change-rate sheet.
struct HenkaType {
    enum : int32_t {
        AlphaSeko = 10,      // α, 施工 and 地域 blocks
        AlphaBetaSeko = 11,  // α, β, 施工 and 地域 blocks
        Seko = 12,           // 施工 and 地域 blocks
    };
};

// The n-th double-quoted part of a text (from 1); empty when the text has fewer.
std::string QuotedPart(const std::string& text, int n) {
    size_t pos = 0;
    for (int k = 1;; ++k) {
        const size_t open = text.find('"', pos);
        if (open == std::string::npos) return {};
        const size_t close = text.find('"', open + 1);
        if (close == std::string::npos) return {};
        if (k == n) return text.substr(open + 1, close - open - 1);
        pos = close + 1;
    }
}

// Item inputs by their rate slot (1-based), ×10000 as stored.
enum InputSlot { kSagyo = 2, kTensu = 3, kTensuBeta = 4, kSeko = 5, kHosei = 7 };

}  // namespace

namespace {

// The item at index and its 種別; both null when either is missing.
struct Found {
    CSekisanItem* item = nullptr;
    const CBukakeShubetsu* shubetsu = nullptr;
};

Found FindRow(CSekisanData& calc, int index) {
    CSekisanItem* item = calc.GetItemList()->GetItem(index);
    if (!item) return {};
    const CBukakeShubetsu* shubetsu = BukakeShubetsuOf(calc.CalcContext().GetBukakeFile(), item);
    return shubetsu ? Found{item, shubetsu} : Found{};
}

// The input of a slot as the user typed it; nothing for an unset value.
void WriteInput(CReportJob& job, const char* cell, const CSekisanItem& item, InputSlot slot) {
    const int32_t value = item.m_nLL[static_cast<size_t>(slot - 1)];
    if (!IsUnset(value)) job.SetCellDouble(cell, value / 10000.0);
}

// The value of S(n), when its auxiliary formula gives a text.
void WriteAuxiliary(CReportJob& job, const char* cell, CSekisanData& calc, Found row, int n) {
    std::string text;
    if (calc.EvalHojoshiki(n - 1, *row.item, row.shubetsu->GetDetail(), 0, text) == 1 && !text.empty())
        job.SetCellDouble(cell, Execute(text.c_str()));
}

void WriteText(CReportJob& job, const char* cell, const std::string& text) {
    if (!text.empty()) job.SetCellText(cell, text);
}

// A column or row head of the rate table as the sheet shows it: none when it names the rate itself,
// the editor's line break (backslash-n) as one blank.
std::string HeadText(std::string head) {
    if (head.find(estimate_texts::HeadingHenkaritsu) != std::string::npos || head.find(estimate_texts::HeadingHoseiritsu) != std::string::npos)
        return {};
    vemo::ReplaceAll(head, "\\n", " ");
    return head;
}

}  // namespace

void CEstimateReport::WriteHenkaritsuSheet(CSekisanData& calc, int index) {
    const Found row = FindRow(calc, index);
    // Code 0 stands for no 工種 or no 種別 (the codes start at 1): such a row has no sheet.
    if (!row.item || row.item->m_nKoshu == 0 || row.item->m_nShubetsu == 0) return;
    const CBukakeDetail& detail = row.shubetsu->GetDetail();
    const int type = detail.m_bukakeType;
    if (type != HenkaType::AlphaSeko && type != HenkaType::AlphaBetaSeko && type != HenkaType::Seko) return;
    // The sheet text names the template sheet and the texts shown beside the blocks.
    const std::string& text = detail.m_textH;
    m_job.BeginPage(QuotedPart(text, 1), "1");
    WriteHenkaTitle(calc, index);
    switch (type) {
        case HenkaType::AlphaSeko:
            WriteHenkaAlphaBlock(calc, index, QuotedPart(text, 2));
            WriteSekoBlock(calc, index, QuotedPart(text, 3));
            WriteChiikiBlock(calc, index, QuotedPart(text, 4));
            break;
        case HenkaType::AlphaBetaSeko:
            WriteHenkaAlphaBlock(calc, index, QuotedPart(text, 2));
            WriteHenkaBetaBlock(calc, index, QuotedPart(text, 3));
            WriteSekoBlock(calc, index, "");
            WriteChiikiBlock(calc, index, "");
            break;
        default:
            WriteSekoBlock(calc, index, QuotedPart(text, 2));
            WriteChiikiBlock(calc, index, QuotedPart(text, 3));
            break;
    }
    m_job.EndPage();
}

void CEstimateReport::WriteHenkaTitle(CSekisanData& calc, int index) {
    const Found row = FindRow(calc, index);
    if (!row.item) return;
    std::string name = row.shubetsu->m_name;
    for (const char* circled : {kHenkaCircled1, kHenkaCircled2, kHenkaCircled3}) vemo::ReplaceAll(name, circled, "");
    m_job.SetCellText("**種別名称", name + estimate_texts::HeadingHenkaritsu);
}

void CEstimateReport::WriteHenkaAlphaBlock(CSekisanData& calc, int index, const std::string& text) {
    const Found row = FindRow(calc, index);
    if (!row.item) return;
    WriteInput(m_job, "**作業入力", *row.item, kSagyo);
    WriteInput(m_job, "**点数", *row.item, kTensu);
    WriteAuxiliary(m_job, "**係数αＮ", calc, row, 1);
    WriteText(m_job, "**S7", text);
    WriteAuxiliary(m_job, "**変化率", calc, row, 2);
}

void CEstimateReport::WriteHenkaBetaBlock(CSekisanData& calc, int index, const std::string& text) {
    const Found row = FindRow(calc, index);
    if (!row.item) return;
    WriteInput(m_job, "**点数β", *row.item, kTensuBeta);
    WriteAuxiliary(m_job, "**係数βＮ", calc, row, 3);
    WriteText(m_job, "**S8", text);
    WriteAuxiliary(m_job, "**変化率β", calc, row, 4);
}

void CEstimateReport::WriteSekoBlock(CSekisanData& calc, int index, const std::string& text) {
    const Found row = FindRow(calc, index);
    if (!row.item) return;
    WriteInput(m_job, "**施工入力", *row.item, kSeko);
    WriteText(m_job, "**S8前", text);
    WriteAuxiliary(m_job, "**増減率", calc, row, 5);
}

void CEstimateReport::WriteChiikiBlock(CSekisanData& calc, int index, const std::string& text) {
    const Found row = FindRow(calc, index);
    if (!row.item) return;
    CSekisanItem& item = *row.item;
    const int32_t code = item.m_nRateCode[0];
    const CHenkaritsuGyomu* group = calc.CalcContext().GetHenkaritsuFile().FindGyomu(item.m_nGyomu);
    const CHenkaritsuRecord* record = group && !IsUnset(code) ? group->FindRecord(code) : nullptr;
    if (!record) return;
    const int32_t c = item.m_nRateCol[0];
    const int32_t r = item.m_nRateRow[0];
    if (!IsUnset(c) && !IsUnset(r)) {
        if (c >= 1 && c <= CHenkaritsuRecord::kColumns)
            WriteText(m_job, "**地域区分01", HeadText(record->m_columnTitles[static_cast<size_t>(c - 1)]));
        if (r >= 1 && r <= CHenkaritsuRecord::kRows)
            WriteText(m_job, "**地域区分02", HeadText(record->m_rowTitles[static_cast<size_t>(r - 1)]));
        if (const int32_t value = record->GetCell(c, r); !IsUnset(value))
            m_job.SetCellDouble("**地域重量", value / 1000.0);
    }
    WriteInput(m_job, "**補正係数", item, kHosei);
    const int standard = calc.CalcSokuryoKingaku(&item, index, AmountPart::UnitBeforeFactor);
    if (standard > 0) m_job.SetCellDouble("**標準歩掛り", standard);
    const int work = calc.CalcSokuryoKingaku(&item, index, AmountPart::Amount);
    if (work > 0) m_job.SetCellDouble("**作業歩掛り", work);
    WriteText(m_job, "**S8後", text);
}
