#pragma once
// Small helpers the sheet writers of the estimate report share (used inside report/ only): printf
// texts, numbered cell names, the probe of a template cell and the names of the shared sheets.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <type_traits>

#include <array>

#include "estimate/EstimateTexts.h"
#include "estimate/SekisanData.h"
#include "estimate/SekisanItem.h"
#include "master/BukakeFile.h"
#include "master/MasterTexts.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"

namespace reportsheet {

// Template sheets written by more than one writer.
inline constexpr char kSheetDaika[] = "代価表";

namespace detail {
inline const char* FormatArg(const std::string& text) { return text.c_str(); }
template <class T>
    requires std::is_arithmetic_v<T> || std::is_pointer_v<T>
T FormatArg(T value) {
    return value;
}
}  // namespace detail

// A printf format filled in; std::string arguments go in as their text.
template <class... Args>
std::string Format(const char* format, const Args&... args) {
    const int size = std::snprintf(nullptr, 0, format, detail::FormatArg(args)...);
    if (size <= 0) return {};
    std::string out(static_cast<size_t>(size), '\0');
    std::snprintf(out.data(), out.size() + 1, format, detail::FormatArg(args)...);
    return out;
}

// A cell name with a number after it ("**行1").
inline std::string Numbered(const char* stem, int n) { return stem + std::to_string(n); }

// The 代価 number as the pages print it ("第 12 号").
inline std::string DaikaNumber(int number) { return Format(reporttext::kDaikaNumberFormat, number); }

inline bool Between(int value, int low, int high) { return value >= low && value <= high; }

// Whether the open page has the cell: writes a blank into it and asks the job for an error.
inline bool ProbeCell(CReportJob& job, const std::string& name) {
    job.SetCellText(name, " ");
    return job.GetErrorNo() == 0;
}

// The expense rows of a detail whose 費目 are rates of the direct labour, in the order the pages
// print them: each with its name, its rate (×100 %) and its amount among the components.
struct RateExpenseRow {
    const char* name;
    int32_t rate;
    int amount;
};
inline std::array<RateExpenseRow, 3> RateExpenseRows(const CBukakeDetail& detail, const KeihiComponents& parts) {
    return {{{reporttext::kDaikaKikaiKeihi, detail.m_rates[0], parts.kikai},
             {reporttext::kDaikaTsushinUnpanhi, detail.m_rates[1], parts.sonota},
             {mastertext::kZairyoKindZairyo, detail.m_rates[2], parts.zairyo}}};
}

// A correction factor as the breakdown sheets print it: the digits it has, from three to six decimals.
std::string FactorText(double factor);

// The decimals a figure printed as text ("1.250", "152.5", "6,200") shows.
inline int DecimalsShown(const std::string& text) {
    const size_t point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}
// The decimals FactorText prints a factor with.
inline int FactorDecimals(double factor) { return DecimalsShown(FactorText(factor)); }

// A price as text: grouped by thousands, with its decimals (up to four) when it has a fraction.
std::string PriceText(double price);
// The decimals PriceText prints a price with: 0 for whole yen, 1 for 152.5.
inline int PriceDecimals(double price) { return DecimalsShown(PriceText(price)); }

// Writes a text the sheets build for a figure ("1.000", "6,200", "152.5") as that figure, with the
// decimals it has (grouped by thousands when grouped), into the cell dy rows below the named one;
// any other text (a basis word, a rate) as text.
inline void SetFigureOrText(CReportJob& job, const std::string& name, int dy, const std::string& text, bool grouped) {
    std::string digits;
    int decimals = -1;
    bool figure = !text.empty();
    for (char c : text) {
        if (c == ',') continue;
        if (c == '.' && decimals < 0) {
            decimals = 0;
        } else if (c >= '0' && c <= '9') {
            if (decimals >= 0) ++decimals;
        } else {
            figure = false;
            break;
        }
        digits += c;
    }
    if (!figure || digits.empty() || digits.front() == '.' || digits.back() == '.') {
        job.SetCellTextAt(name, 0, dy, text);
        return;
    }
    job.SetCellFigureAt(name, 0, dy, std::strtod(digits.c_str(), nullptr), std::max(decimals, 0), grouped);
}

// The amount per unit of a breakdown total, priced as the calculation prices the row: divided by the
// detail's quantity basis, or times the row's rate for the units 業務 and 式; none while the basis is
// zero or unset.
std::optional<double> PerUnitAmount(const CBukakeDetail& detail, const CSekisanItem& item, double total);

// Lays out as many lines of two sheet rows as a page of a summary sheet takes. The form's lines are
// counted down from the line of the named cell while a line is drawn under their lower row; a form
// that rules fewer gets copies of an inner line (the last line, with the table's closing rule, stays
// last), so that every line prints ruled, in the table's formats and inside the print area. A cell
// without lines under it (a form that rules nothing) is left as it is.
inline void LayOutLines(CReportJob& job, const char* lineCell, int lines) {
    int x = 0, y = 0;
    if (!job.GetCellPosition(lineCell, x, y)) return;
    int ruled = 0;
    while (ruled < lines && job.HasLineBelow(x, y + 2 * ruled + 1)) ++ruled;
    if (ruled == 0 || ruled >= lines) return;
    const int source = y + 2 * std::max(0, ruled - 2);
    job.RepeatRows(source, source + 1, lines - ruled);
}

// Joins a name over the two sheet rows of its line and centres it between them, as the figures
// beside it are. The join runs from the name's cell (nameCell, at the line) to the column of
// spanCell when that stands right of it on the same row or the next (the rest of the name column);
// otherwise the name's cell and the one under it are joined.
inline void CentreOnLine(CReportJob& job, const char* nameCell, const char* spanCell, int line) {
    int x = 0, y = 0, spanX = 0, spanY = 0;
    if (!job.GetCellPosition(nameCell, x, y)) return;
    int lastX = x;
    if (job.GetCellPosition(spanCell, spanX, spanY) && (spanY == y || spanY == y + 1) && spanX > x) lastX = spanX;
    job.JoinCells(x, y + line, lastX, y + line + 1);
    job.SetVertAlignAt(x, y + line, lastX, y + line + 1, xlsVertCenter);
}

// The 歩掛 種別 of an estimate row; null without the row or without its 種別 in the master.
inline const CBukakeShubetsu* BukakeShubetsuOf(const CBukakeFile& bukake, const CSekisanItem* item) {
    return item ? bukake.FindShubetsu(item->m_nGyomu, item->m_nKoshu, item->m_nShubetsu) : nullptr;
}

// The rate text of the lower name line without its 工程 prefix: the first "全工程," or, when it has
// none, the first "一部工程," removed. A name with neither is no rate text: empty.
inline std::string RateText(const std::string& lower) {
    std::string text = lower;
    for (const std::string prefix : {estimate_texts::AllKotei, estimate_texts::SomeKotei}) {
        const size_t at = text.find(prefix);
        if (at == std::string::npos) continue;
        text.erase(at, prefix.size());
        return text;
    }
    return {};
}

}  // namespace reportsheet
