#include "report/EstimateReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "estimate/CalcCodes.h"
#include "estimate/CalcEnvironment.h"
#include "estimate/SekisanData.h"
#include "estimate/SekisanItemList.h"
#include "master/BukakeFile.h"
#include "master/HyoshiData.h"
#include "master/MasterTexts.h"
#include "master/TankaFile.h"
#include "platform/Host.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"
#include "report/SheetWriting.h"
#include "estimate/EstimateTexts.h"

using namespace reporttext;
using namespace reportsheet;
using calc::Gyomu;
using calc::Koshu;

namespace {

// Template sheets.
constexpr char kSheetHyoshi[] = "表紙";
constexpr char kSheetGyomuKakaku[] = "業務価格総括表";
constexpr char kSheetSokatsuFirst[] = "報告書1";
constexpr char kSheetSokatsuNext[] = "報告書2";

bool IsGyomuRow(const CSekisanItem& item) { return item.GetLevel() == 0; }
bool IsKoshuRow(const CSekisanItem& item, int koshu) { return item.GetLevel() == 1 && item.m_nKoshu == koshu; }

// The pages a run of 総括表 rows takes: the first page of the sheet holds firstRows rows, every
// further one nextRows.
class PageTally {
public:
    PageTally(int firstRows, int nextRows) : m_first(firstRows), m_next(nextRows) {}
    // n rows from the top of a new page.
    void Group(int n) {
        m_free = 0;
        Append(n);
    }
    // n rows after the last one counted, on the free rows of its page first.
    void Append(int n) {
        const int onLast = std::min(n, m_free);
        m_free -= onLast;
        for (n -= onLast; n > 0;) {
            const int rows = std::max(1, m_pages == 0 ? m_first : m_next);
            const int placed = std::min(n, rows);
            ++m_pages;
            n -= placed;
            m_free = rows - placed;
        }
    }
    int Pages() const { return m_pages; }
    int FreeRows() const { return m_free; }

private:
    int m_first, m_next;
    int m_pages = 0;
    int m_free = 0;  // rows left on the last page
};

// How far the 総括表 indents a row's name.
enum class Indent { None, One, Double, Wide };

Indent IndentOf(const CSekisanItem& item, int gyomuOf913, int gyomuOf912) {
    const int level = item.GetLevel();
    if (level == 2) return Indent::Double;
    if (level != 1) return Indent::None;
    const int g = item.m_nGyomu;
    const int k = item.m_nKoshu;
    const bool sekkeiOrKaiseki = g == Gyomu::Sekkei || g == Gyomu::DoshitsuKaiseki;
    const bool at913 = g == gyomuOf913;
    const bool at912 = g == gyomuOf912;
    const bool sokuryoOrBukken = calc::IsSokuryoGyomu(g) || g == Gyomu::Bukken;
    switch (k) {
        case Koshu::ChokusetsuhiKei:
        case Koshu::GyomuKakaku:
        case Koshu::Nebiki:
        case Koshu::Aratamekei:
        case Koshu::GyomuGenka:
        case Koshu::ShownTotal: return Indent::None;
        case Koshu::ChokusetsuJinkenhi: return g == Gyomu::Sekkei ? Indent::One : Indent::None;
        case Koshu::DenshiSeikahin:
            return sekkeiOrKaiseki ? Indent::Wide : (g == Gyomu::DoshitsuIppan ? Indent::One : Indent::None);
        case Koshu::Shokeihi: return sekkeiOrKaiseki || (at913 && sokuryoOrBukken) ? Indent::One : Indent::None;
        case Koshu::GijutsuKeihi: return sekkeiOrKaiseki || (at913 && g == Gyomu::Bukken) ? Indent::One : Indent::None;
        case Koshu::DensiRow: return Indent::Wide;
        default: break;
    }
    if (calc::IsLumpKoshu(k)) return sekkeiOrKaiseki ? Indent::Wide : Indent::One;
    if (calc::IsRateAKoshu(k) || calc::IsSpecialKoshu(k)) {
        if (at912 && calc::IsSokuryoGyomu(g)) return k == Koshu::SeidoRow ? Indent::One : Indent::Wide;
        return sekkeiOrKaiseki ? Indent::Wide : Indent::One;
    }
    // The rate rows B and the tail rows (the 電子計算機使用料 row among them has its indent above).
    if (calc::IsRateBKoshu(k) || calc::IsTailKoshu(k)) {
        Indent state = Indent::None;
        if (sekkeiOrKaiseki) state = at912 ? Indent::Wide : Indent::One;
        if (at913 && sokuryoOrBukken) state = Indent::One;
        return state;
    }
    return Indent::One;
}

std::string Indented(Indent state, const std::string& indent, const std::string& name) {
    switch (state) {
        case Indent::One: return indent + name;
        case Indent::Double: return indent + indent + name;
        case Indent::Wide: return "  " + indent + indent + name;
        default: return name;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Cover sheet

void WriteHyoshiPage(CReportJob& job, const CHyoshiData& cover, const CTankaFile& tanka) {
    job.BeginPage(kSheetHyoshi, "1");
    job.SetCellText("**印刷表題", cover.m_printTitle);
    job.SetCellText("**No", cover.m_number);
    job.SetCellText("**日付", cover.m_date);
    for (int i = 1; i <= 10; ++i) job.SetCellText(Numbered("**予備", i), cover.m_spare[static_cast<size_t>(i - 1)]);
    job.SetCellText("**宛名1", cover.m_address1);
    job.SetCellText("**宛名2", cover.m_address2);
    job.SetCellText("**件名", cover.m_subject);
    job.SetCellText("**箇所名", cover.m_place);
    if (!cover.m_amount.empty()) job.SetCellText("**見積金額", cover.m_amount);
    static constexpr const char* kCompanyCells[8] = {"**郵便番号", "**住所1",   "**住所2", "**社名1",
                                                     "**社名2",   "**代表者名", "**TEL",   "**FAX"};
    for (size_t i = 0; i < 8; ++i) job.SetCellText(kCompanyCells[i], tanka.m_company[i]);
    job.EndPage();
}

// ---------------------------------------------------------------------------------------------
// Driver

CEstimateReport::CEstimateReport(CReportJob& job, const CSekisanItemList& estimate, const ICalcEnvironment& env,
                                 const CHyoshiData& cover, int formGyou, std::string formPath,
                                 std::optional<CPrintFormText> twin)
    : m_job(job),
      m_estimate(estimate),
      m_env(env),
      m_cover(cover),
      m_formGyou(formGyou),
      m_formPath(std::move(formPath)),
      m_twin(std::move(twin)) {}

void CEstimateReport::BuildReport() {
    Host().SetStatusPane(0, kStatusBuildingReport);
    if (!m_job.OpenTemplate(m_formPath)) return;
    if (m_job.IsHyoshiPrinted()) WriteHyoshi();
    int firstPage = 1;
    int lastPage = 0;
    // A start page left empty counts as not set.
    if (m_job.IsStartPageSet() && !IsUnset(m_job.GetStartPage())) {
        firstPage = m_job.GetStartPage();
        lastPage = firstPage - 1;
    }
    if (m_job.IsGyomuSokatsuPrinted()) WriteGyomuKakakuSokatsu(firstPage);
    if (m_job.IsSokatsuPrinted()) lastPage = WriteSokatsu(firstPage);
    if ((m_job.IsDaikaPrinted() || m_job.IsDaikaMeisaiPrinted()) && m_estimate.HasDaikaTable())
        BuildDaikaSheets(lastPage);
    Host().SetStatusPane(0, mastertext::kStatusHelpHint);
}

void CEstimateReport::WriteHyoshi() { WriteHyoshiPage(m_job, m_cover, m_env.GetTankaFile()); }

// ---------------------------------------------------------------------------------------------
// Shared helpers

void CEstimateReport::FormatNumberWithCommas(int value, std::string& text) { text = vemo::FormatThousands(value); }

int CEstimateReport::SummaryRows(int formGyou) { return formGyou >= 1 && formGyou <= 30 ? formGyou : 10; }

std::string CEstimateReport::GyomuPriceName(const std::string& name) {
    const std::string_view word = estimate_texts::UnitGyomu;
    const bool endsInGyomu = name.size() >= word.size() && name.compare(name.size() - word.size(), word.size(), word) == 0;
    return name + (endsInGyomu ? kKakakuSuffix : kGyomuKakakuSuffix);
}

bool CEstimateReport::SplitBracketQuantity(const std::string& lowerName, double& quantity, std::string& unit) {
    // The later of the half- and full-width bracket.
    const auto lastOf = [](const std::string& text, const char* half, const char* full) {
        const size_t a = text.rfind(half);
        const size_t b = text.rfind(full);
        if (a == std::string::npos) return b;
        if (b == std::string::npos) return a;
        return std::max(a, b);
    };
    std::string text = lowerName;
    if (const size_t close = lastOf(text, ")", "）"); close != std::string::npos) text.erase(close);
    const size_t open = lastOf(text, "(", "（");
    if (open == std::string::npos) return false;
    text.erase(0, open + (text[open] == '(' ? 1 : std::string_view("（").size()));
    // The number: digits, with one decimal point between digits.
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    size_t end = 0;
    while (end < text.size() && isDigit(text[end])) ++end;
    if (end > 0 && end + 1 < text.size() && text[end] == '.' && isDigit(text[end + 1])) {
        ++end;
        while (end < text.size() && isDigit(text[end])) ++end;
    }
    const std::string rest = text.substr(end);
    // A unit starts with no digit or point and holds nothing of a formula or a list.
    static constexpr std::string_view kNotInUnit[] = {" ", "　", "(", ")", "（", "）", "+", "-", "*", "/",
                                                      "^", "=", ",", "、", "＝", "×", "÷"};
    if (end == 0 || rest.empty() || isDigit(rest[0]) || rest[0] == '.') return false;
    for (std::string_view bad : kNotInUnit)
        if (rest.find(bad) != std::string::npos) return false;
    const std::optional<double> number = vemo::ParseDouble(text.substr(0, end));
    if (!number) return false;
    quantity = *number;
    unit = rest;
    return true;
}

bool CEstimateReport::Probe(const std::string& name) { return ProbeCell(m_job, name); }

void CEstimateReport::ProbeRowCount(const char* prefix, int first, int last, int step, int& rows) {
    for (int h = first; h <= last; h += step) {
        if (h == rows) continue;
        if (Probe(Numbered(prefix, h))) {
            rows = h;
            return;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// 業務価格総括表

int CEstimateReport::WriteGyomuKakakuSokatsu(int firstPage) {
    const bool omit = m_job.IsKingakuOmitted() != 0;
    const bool perGyomu = m_job.IsPageBreakPerGyomu() != 0;
    const CBukakeFile& bukake = m_env.GetBukakeFile();

    m_job.BeginPage(kSheetGyomuKakaku, "1");
    const int formRows = SummaryRows(m_formGyou);
    int rows = formRows;
    ProbeRowCount("**業務価格総括表行数", 6, 16, 2, rows);
    const int linesPerPage = rows * 2;
    LayOutLines(m_job, "**金額", rows);

    const int count = m_estimate.GetCount();
    int index = 0;
    int pageIndex = 0;
    int reference = 0;  // the 総括表 and 内訳書 numbers of the 業務 rows, over the sheet
    bool headingDone = false;
    for (;;) {
        if (pageIndex > 0) {
            m_job.BeginPage(kSheetGyomuKakaku, "1");
            LayOutLines(m_job, "**金額", rows);
        }
        if (m_job.IsDatePrinted()) m_job.SetCellText("**日付", m_estimate.m_strDate);
        m_job.SetCellInt("**ページ", firstPage + pageIndex);
        std::string subject = m_estimate.m_strKenmei;
        if (!m_estimate.m_strKashoName.empty()) subject += kPlaceOpen + m_estimate.m_strKashoName + kPlaceClose;
        m_job.SetCellText("**件名", subject);
        if (m_twin) {
            auto fill = [this](const std::string& name, const std::string& text) {
                if (!text.empty()) m_job.SetCellText(name, text);
            };
            fill("**件名", m_cover.m_subject);
            fill("**箇所名", m_cover.m_place);
            fill("**No", m_cover.m_number);
            fill("**宛名1", m_cover.m_address1);
            for (int i = 1; i <= 10; ++i) fill(Numbered("**予備", i), m_cover.m_spare[static_cast<size_t>(i - 1)]);
            fill("**見積金額", m_cover.m_amount);
        }

        int line = 0;
        int number = 1;
        int previousKind = 0;
        bool pageFull = false;
        for (; index < count; ++index) {
            const CSekisanItem* item = m_estimate.GetItem(index);
            if (!item || item->m_bNoPrint) continue;
            int kind = 0;
            if (IsKoshuRow(*item, Koshu::GyomuKakaku)) {
                kind = 1;
            } else if (IsKoshuRow(*item, Koshu::Aratamekei)) {
                kind = 2;
            } else if (IsGyomuRow(*item) && item->m_nGyomu == Gyomu::Sonota) {
                kind = 3;
            } else if (IsGyomuRow(*item) && Between(item->m_nGyomu, Gyomu::Goukei, Gyomu::ItakuryoKei)) {
                static constexpr const char* kOnlyCells[5] = {"**合計のみ", "**値引きのみ", "**改メ計のみ",
                                                              "**消費税相当額のみ", "**業務委託料計のみ"};
                const char* only = kOnlyCells[item->m_nGyomu - Gyomu::Goukei];
                if (Probe(only)) {
                    // The form shows this total in a cell of its own instead of a row.
                    if (!omit && !IsUnset(item->m_nAmount)) m_job.SetCellLong(only, item->m_nAmount);
                    continue;
                }
                kind = 3;
            }
            if (kind == 0) continue;

            bool replacing = false;
            if (kind == 2 && previousKind == 1) {
                // The 業務's total after adjustment takes the place of its subtotal.
                line -= 2;
                --number;
                replacing = true;
                m_job.SetCellTextAt("**費目上段", 0, line, "");
                m_job.SetCellTextAt("**単位", 0, line, "");
            }
            if (!replacing && line >= linesPerPage) {
                pageFull = true;
                break;
            }
            if (!headingDone) {
                headingDone = true;
                const char* headingCell = "**dudaroda用費目";
                m_job.SetCellTextAt(headingCell, 0, 0, kGyomuKakakuHeading);
                bool headed = m_job.GetErrorNo() == 0;
                if (!headed) {
                    headingCell = "**業務価格総括表費目";
                    m_job.SetCellTextAt(headingCell, 0, 0, kGyomuKakakuHeading);
                    headed = m_job.GetErrorNo() == 0;
                }
                if (headed) {
                    CentreOnLine(m_job, headingCell, "**費目上段", 0);
                    line += 2;
                }
                if (line >= linesPerPage) {
                    pageFull = true;
                    break;
                }
            }

            bool named = false;
            if (IsGyomuRow(*item) && (item->m_nGyomu == Gyomu::Goukei || item->m_nGyomu == Gyomu::ItakuryoKei)) {
                m_job.SetCellTextAt("**dudaroda用費目", 0, line,
                                    item->m_nGyomu == Gyomu::Goukei ? kGyomuKakakuTotal : kGyomuKakakuGrandTotal);
                named = m_job.GetErrorNo() == 0;
                if (named) CentreOnLine(m_job, "**dudaroda用費目", "**費目上段", line);
            }
            if (!named) {
                std::string name;
                if (item->m_bNameUpperEdited || kind == 3) {
                    name = item->m_strNameUpper;
                } else {
                    const CBukakeGyomu* gyomu = bukake.FindGyomu(item->m_nGyomu);
                    name = GyomuPriceName(gyomu ? gyomu->m_name : item->m_strNameUpper);
                }
                if (!name.empty()) {
                    m_job.SetCellTextAt("**費目上段", 0, line, name);
                    CentreOnLine(m_job, "**費目上段", "**費目上段", line);
                }
            }
            if (kind != 3) {
                m_job.SetCellTextAt("**単位", 0, line, estimate_texts::UnitShiki);
                m_job.SetCellIntAt("**数量", 0, line, 1);
            }
            if (!IsUnset(item->m_nAmount) && !omit) m_job.SetCellLongAt("**金額", 0, line, item->m_nAmount);
            m_job.SetCellIntAt("**番号", 0, line, number++);
            if (perGyomu) {
                if (kind == 1) {
                    ++reference;
                    m_job.SetCellTextAt("**業務価格総括表摘要", 0, line, Numbered(kSokatsuReference, reference));
                    m_job.SetCellTextAt("**業務価格内訳表摘要", 0, line, Numbered(kUchiwakeReference, reference));
                } else if (kind == 3 && !item->m_strRemarkUpper.empty()) {
                    m_job.SetCellTextAt("**業務価格総括表摘要", 0, line, item->m_strRemarkUpper);
                    m_job.SetCellTextAt("**業務価格内訳表摘要", 0, line, item->m_strRemarkUpper);
                }
            }
            previousKind = kind;
            line += 2;
        }
        m_job.EndPage();
        ++pageIndex;
        if (!pageFull) break;
    }
    return pageIndex;
}

// ---------------------------------------------------------------------------------------------
// 総括表 and 内訳書

int CEstimateReport::SokatsuPageCount(int firstRows, int nextRows) {
    PageTally tally(firstRows, nextRows);
    if (!m_job.IsPageBreakPerGyomu()) {
        tally.Group(m_estimate.CountPrinted());
        return tally.Pages();
    }
    for (int i = 0; i < m_estimate.GetCount(); ++i) {
        const CSekisanItem* item = m_estimate.GetItem(i);
        if (!item || !IsGyomuRow(*item) || !Between(item->m_nGyomu, Gyomu::Sokuryo, Gyomu::LastBusiness)) continue;
        int n = m_estimate.CountGyomuItems(item->m_nGyomu, true);
        if (!item->m_bNoPrint) ++n;
        tally.Group(n);
    }
    int summaryRows = 0;
    for (int code = Gyomu::Sonota; code <= Gyomu::ItakuryoKei; ++code) {
        const CSekisanItem* item = m_estimate.GetItem(m_estimate.FindGyomu(code));
        if (!item) continue;
        if (code == Gyomu::Goukei && !IsUnset(item->m_nAmount)) {
            // The label stands only beside its amount (or its place, when amounts are left out).
            m_job.SetCellText("**業務合計名称", kSokatsuGyomuTotalLabel);
            if (!m_job.IsKingakuOmitted()) m_job.SetCellLong("**業務合計", item->m_nAmount);
        }
        if (!item->m_bNoPrint) ++summaryRows;
    }
    // Without the 業務価格総括表 the closing rows follow the last 業務's rows.
    if (!m_job.IsGyomuSokatsuPrinted()) tally.Append(summaryRows);
    return tally.Pages();
}

void CEstimateReport::WriteSokatsuTitles(int gyomuNumber) {
    m_job.SetCellText("**総括表番号", Numbered(kSokatsuTitle, gyomuNumber));
    m_job.SetCellText("**内訳書番号", Numbered(kUchiwakeTitle, gyomuNumber));
}

void CEstimateReport::WriteSokatsuPageHeader(int pageIndex, int firstPage, int gyomuNumber, bool numberedTitles) {
    if (pageIndex == 0) {
        m_job.SetCellText("**印刷表題", m_estimate.m_strPrintTitle);
        m_job.SetCellText("**件名", m_estimate.m_strKenmei);
        m_job.SetCellText("**箇所名", m_estimate.m_strKashoName);
    }
    // Every page carries its title: the engine shows a named cell blank until it is written.
    if (numberedTitles) {
        WriteSokatsuTitles(gyomuNumber);
    } else {
        m_job.SetCellText("**総括表番号", kSokatsuTitle);
        m_job.SetCellText("**内訳書番号", kUchiwakeTitle);
    }
    if (m_job.IsDatePrinted()) m_job.SetCellText("**日付", m_estimate.m_strDate);
    for (int i = 1; i <= 10; ++i) m_job.SetCellText(Numbered("**予備", i), m_cover.m_spare[static_cast<size_t>(i - 1)]);
    m_job.SetCellText("**宛名1", m_cover.m_address1);
    m_job.SetCellText("**宛名2", m_cover.m_address2);
    m_job.SetCellInt("**ページ", firstPage + pageIndex);
}

int CEstimateReport::WriteSokatsu(int firstPage) {
    const bool perGyomu = m_job.IsPageBreakPerGyomu() != 0;
    const bool withGyomuSokatsu = m_job.IsGyomuSokatsuPrinted() != 0;
    const bool numberedTitles = perGyomu && withGyomuSokatsu;
    const bool omit = m_job.IsKingakuOmitted() != 0;
    const CBukakeFile& bukake = m_env.GetBukakeFile();

    m_job.BeginPage(kSheetSokatsuFirst, "1");
    int rows = SummaryRows(m_formGyou);
    ProbeRowCount("**総括表行数", 8, 50, 1, rows);
    std::string indent;
    for (int k = 1; k <= 16; ++k)
        if (Probe(Numbered("**半角スペース", k))) {
            indent.assign(static_cast<size_t>(k), ' ');
            break;
        }
    const bool hasKubunCell = Probe("**費目区分あり");
    // The further pages may hold another number of rows: their sheet tells before the first page is
    // filled, so that the page count follows the rows of the sheet each page is filled on.
    int nextRows = rows;
    m_job.BeginPage(kSheetSokatsuNext, "1");
    ProbeRowCount("**総括表行数", 8, 50, 1, nextRows);
    m_job.BeginPage(kSheetSokatsuFirst, "1");
    LayOutLines(m_job, "**金額", rows);
    const int pages = SokatsuPageCount(rows, nextRows);

    const int count = m_estimate.GetCount();
    int index = 0;
    int written = 0;       // pages ended
    bool reuse = false;    // the open page had no row and is filled again
    int gyomuNumber = 1;
    int previousGyomu = kUnset;
    int gyomuOf913 = kUnset;
    int gyomuOf912 = kUnset;
    std::string heading;
    bool firstItem = true;
    while (written < pages && index < count) {
        if (written > 0 && !reuse) {
            m_job.BeginPage(kSheetSokatsuNext, "1");
            ProbeRowCount("**総括表行数", 8, 50, 1, rows);
            LayOutLines(m_job, "**金額", rows);
        }
        WriteSokatsuPageHeader(written, firstPage, gyomuNumber, numberedTitles);
        // A 業務 that runs over pages heads each of them (its 業務 row, met again, writes its own).
        if (numberedTitles && !heading.empty()) m_job.SetCellText("**総括表費目表題", heading);

        int line = 0;
        int placed = 0;
        int lastTakenGyomu = previousGyomu;
        while (placed < rows && index < count) {
            const CSekisanItem* item = m_estimate.GetItem(index);
            if (!item) {
                ++index;
                continue;
            }
            const int level = item->GetLevel();
            const int gyomu = item->m_nGyomu;
            std::string upper = item->m_strNameUpper;
            std::string lower = item->m_strNameLower;
            std::string remarkUpper = item->m_strRemarkUpper;
            std::string remarkLower = item->m_strRemarkLower;
            if (level == 1 && item->m_nKoshu == Koshu::ShownTotal) gyomuOf913 = gyomu;
            if (level == 1 && item->m_nKoshu == Koshu::ChokusetsuKeihi) gyomuOf912 = gyomu;
            const CBukakeShubetsu* shubetsu = bukake.FindShubetsu(gyomu, item->m_nKoshu, item->m_nShubetsu);
            // 物件調査: a 種別 priced with a 技術経費率 shows the rate (when its 種別 prints it) under the
            // remark, unless the amount was entered by hand.
            if (gyomu == Gyomu::Bukken && shubetsu && shubetsu->m_coefficient > 0 && item->m_bAmountEntered == 0) {
                remarkUpper = remarkLower;
                remarkLower = shubetsu->m_denshiKind != 0
                                  ? kGijutsuKeihiRateBefore + vemo::FormatFixed(shubetsu->m_coefficient / 100.0, 2)
                                  : std::string();
            }
            if (firstItem) previousGyomu = gyomu;
            firstItem = false;
            lastTakenGyomu = gyomu;
            if (perGyomu && !IsUnset(previousGyomu) && previousGyomu <= Gyomu::LastBusiness && gyomu != previousGyomu &&
                (withGyomuSokatsu || gyomu <= Gyomu::LastBusiness)) {
                ++gyomuNumber;
                break;
            }
            if (level == 0 && gyomu <= Gyomu::LastBusiness)
                heading = item->m_bNameUpperEdited ? upper : GyomuPriceName(upper);
            if (item->m_bNoPrint) {
                ++index;
                continue;
            }
            if (level == 2) {
                upper.insert(0, "  ");
                lower.insert(0, "    ");
            }

            bool named = false;
            const char* nameCell = nullptr;  // where the name went
            if (level == 0 && (gyomu <= Gyomu::LastBusiness || gyomu == Gyomu::Goukei || gyomu == Gyomu::ItakuryoKei)) {
                const char* text = kSokatsuTotal;
                if (gyomu <= Gyomu::LastBusiness) {
                    if (numberedTitles) m_job.SetCellText("**総括表費目表題", heading);
                    text = upper.c_str();
                } else if (gyomu == Gyomu::ItakuryoKei) {
                    text = kSokatsuGrandTotal;
                }
                nameCell = "**dudaroda用総括表費目";
                m_job.SetCellTextAt(nameCell, 0, line, text);
                named = m_job.GetErrorNo() == 0;
                if (!named) {
                    nameCell = "**総括表費目";
                    m_job.SetCellTextAt(nameCell, 0, line, upper);
                    named = m_job.GetErrorNo() == 0;
                }
            }
            m_job.SetCellTextAt("**大名称変更", 0, line, " ");

            Indent state = Indent::None;
            if (!indent.empty()) {
                state = IndentOf(*item, gyomuOf913, gyomuOf912);
                if (IsKoshuRow(*item, Koshu::GyomuKakaku) && !heading.empty()) m_job.SetCellText("**業務価格名称", heading);
            }
            if (!named) {
                nameCell = state == Indent::None && hasKubunCell ? "**費目区分あり" : "**費目上段";
                m_job.SetCellTextAt(nameCell, 0, line, Indented(state, indent, upper));
            }
            m_job.SetCellTextAt("**費目下段", 0, line, lower);
            // A name without a lower line stands in the middle of its line, as the figures do.
            if (lower.find_first_not_of(' ') == std::string::npos) CentreOnLine(m_job, nameCell, "**費目下段", line);
            if (!item->m_strUnit.empty()) m_job.SetCellTextAt("**単位", 0, line, item->m_strUnit);
            if (!IsUnset(item->m_nQuantity)) m_job.SetCellDoubleAt("**数量", 0, line, item->m_nQuantity / 1000.0);
            if (!IsUnset(item->m_nUnitPrice) && !omit)
                m_job.SetCellDoubleAt("**単価", 0, line, item->m_nUnitPrice / 10.0);
            if (!IsUnset(item->m_nAmount)) {
                int amount = item->m_nAmount;
                const int digits = item->m_nRounding;
                if (digits > 0 && digits <= 9)
                    amount = DoubleToLong(RoundDown(static_cast<double>(amount), std::pow(10.0, digits)));
                if (!omit) {
                    m_job.SetCellLongAt("**金額", 0, line, amount);
                    if (IsKoshuRow(*item, Koshu::GyomuKakaku) && amount >= 0) m_job.SetCellLong("**工種合計のみ", amount);
                }
            }
            bool dropUpper = false;
            bool dropLower = false;
            if (omit) {
                bool& first = gyomu == Gyomu::Bukken ? dropLower : dropUpper;
                bool& second = gyomu == Gyomu::Bukken ? dropUpper : dropLower;
                first = true;
                if (IsUnset(item->m_nDaikaNo) || item->m_nDaikaNo < 0) second = true;
            }
            if (item->m_bKeepRemarkUpper == 1) dropUpper = false;
            if (item->m_bKeepRemarkLower == 1) dropLower = false;
            if (!dropUpper) m_job.SetCellTextAt("**摘要上段", 0, line, remarkUpper);
            if (!dropLower) m_job.SetCellTextAt("**摘要下段", 0, line, remarkLower);
            line += 2;
            ++placed;

            // The quantity and unit of the lower name, and the 歩掛's standard quantity, for forms
            // that print them apart.
            if (shubetsu) {
                double quantity = 0.0;
                std::string unit;
                // Only a bracket of a plain quantity and unit fills the columns; a rate text, a
                // 補正係数 or a name without one leaves them empty.
                if (SplitBracketQuantity(lower, quantity, unit)) {
                    m_job.SetCellFigureAt("**費目下段数量のみ", 0, line, quantity, 3);
                    m_job.SetCellTextAt("**費目下段単位のみ", 0, line, unit);
                }
                const int base = shubetsu->GetDetail().m_quantity;
                if (!IsUnset(base)) m_job.SetCellFigureAt("**標準作業量", 0, line, base / 100.0, 2);
            }
            ++index;
        }
        if (placed > 0) {
            m_job.EndPage();
            ++written;
            reuse = false;
        } else {
            reuse = true;
        }
        previousGyomu = lastTakenGyomu;
    }
    return firstPage + written - 1;
}
