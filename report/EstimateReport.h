#pragma once
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "report/PrintFormText.h"

class CBukakeDetail;
class CBukakeShubetsu;
class CHyoshiData;
class CReportJob;
class CSekisanData;
class CSekisanItem;
class CSekisanItemList;
class CTankaFile;
class ICalcEnvironment;

// Writes the cover sheet (表紙) into a job: one page from the template sheet "表紙" with the cover
// data and the company block of the 単価 master. The estimate report and the cover dialog share it.
void WriteHyoshiPage(CReportJob& job, const CHyoshiData& cover, const CTankaFile& tanka);

// The 材料及び機械経費 block of a breakdown page: a row for each 費目 entry of the detail whose material
// is in the 材料単価 master (priced entries, and the Z1/Z2/Z3 rate entries with a positive base), then
// the block total. calc gives the masters (its calculation context); no estimate is needed. Rows go
// at row offsets after lastRow from "**名称" … "**摘要"; style 1 is the 代価表 style (names as they
// are, remarks without brackets), any other the 代価明細 style. The three parts (材料, 機械, その他)
// are set only when their sum is at least 1. Returns the last row written.
int WriteZairyoKikaiRows(int lastRow, CReportJob& job, const CSekisanData& calc, const CBukakeDetail& detail,
                         double directLabour, double labour, double& part1, double& part2, double& part3, int style);

// The estimate report: the sheets the job's page settings select, built from the current print
// form into the job, in this order: 表紙, 業務価格総括表, 総括表/内訳書 and the 代価表 family. The
// estimate view makes one for each print and forwards its builders to it.
//
// The template's named cells (text "**name") take the values. A few cells are probes: the builder
// writes " " into them and asks the job whether the template has them, to learn the rows of a page
// ("**総括表行数12", "**業務価格総括表行数8"), the indentation ("**半角スペース3") and which cells of
// a form carry the names and totals.
class CEstimateReport {
public:
    // env gives the 歩掛 master (業務 names, 種別 rates) and the 単価 master (company block); twin is
    // the form's text twin when it has one. formGyou: the rows of the summary sheets; outside 1 to 30
    // it counts as 10 (a template's row-count cell wins either way).
    CEstimateReport(CReportJob& job, const CSekisanItemList& estimate, const ICalcEnvironment& env,
                    const CHyoshiData& cover, int formGyou, std::string formPath,
                    std::optional<CPrintFormText> twin = std::nullopt);

    // Opens the form and writes every sheet the settings select; the message pane says so meanwhile.
    // A form that does not open has been told to the user by the job, and nothing is written.
    void BuildReport();
    void WriteHyoshi();
    // The 業務価格総括表 from the first page number; the number of pages written.
    int WriteGyomuKakakuSokatsu(int firstPage);
    // The 総括表 and 内訳書 from the first page number; the number of the last page written (the first
    // page number − 1 when none was).
    int WriteSokatsu(int firstPage);
    // The 代価表 family after the last page written so far; the number of the last page written. Walks
    // the item list in order and writes a "代価表" page for each 種別 row of a 測量 業務 (1, 6) with a
    // 代価 number, under the 代価表 switch and the single-number filter; a 種別 missing from the 歩掛
    // master, and a type 27-29/31 row without a fixed correction under DouroCalc 1 (its 単価表 pages),
    // get none. A page holds the trade lines, the programme fee, the labour total, the 材料及び機械経費
    // block or the rate rows, 精度管理費, 合計 and the per-unit rows (none for type 13, nor type 30
    // under DouroCalc 1).
    // The rows of other 業務, the 工種 variant pages and the 代価歩掛明細表 are not written yet.
    int BuildDaikaSheets(int lastPage);
    // The title word after "第 n 号" on the pages (DaikaName); empty takes "一位代価表".
    void SetDaikaName(std::string name) { m_daikaName = std::move(name); }

    // The value's decimal digits with a comma before every group of three from the right; a negative
    // value's sign stands before the grouped digits.
    static void FormatNumberWithCommas(int value, std::string& text);
    // Rows of a summary page for the FormGyou setting: the setting within 1 to 30, else 10.
    static int SummaryRows(int formGyou);
    // The price name of a 業務: "測量業務" gives "測量業務価格", "設計" gives "設計業務価格".
    static std::string GyomuPriceName(const std::string& name);
    // The quantity and unit a lower name ends with in brackets, "(10km)" giving 10 and "km": the text
    // after its last "(" up to its last ")", split into its leading digits and the rest.
    static void SplitBracketQuantity(const std::string& lowerName, double& quantity, std::string& unit);

    // The page number the 代価表 family was last started after; -1 before it ran.
    int DaikaLastPageGiven() const { return m_daikaLastPage; }

    // ---- Change-rate sheets, the 業務 7 district conditions and the 単価表 (HenkaritsuSheets.cpp,
    // ChikuJokenSheet.cpp, TankaSheets.cpp). calc is the priced copy of the estimate the 代価表 walk
    // works on (NewCalcCopy makes one); index is the item's position in its list.
    std::unique_ptr<CSekisanData> NewCalcCopy() const;
    // The change-rate sheet of a 歩掛 of type 10, 11 or 12: one page from the template sheet named by
    // the first quoted part of the detail's sheet text (m_textH), with the blocks of its type.
    void WriteHenkaritsuSheet(CSekisanData& calc, int index);
    void WriteHenkaTitle(CSekisanData& calc, int index);
    void WriteHenkaAlphaBlock(CSekisanData& calc, int index, const std::string& text);
    void WriteHenkaBetaBlock(CSekisanData& calc, int index, const std::string& text);
    void WriteSekoBlock(CSekisanData& calc, int index, const std::string& text);
    void WriteChiikiBlock(CSekisanData& calc, int index, const std::string& text);
    // The 業務 7 change rates from the district conditions of the items. startRow < 1: the page
    // "業務地区条件設定表" over every item (index and amountTotal unused), result 0. Otherwise the
    // rate rows of the item at index below its 代価歩掛明細表 table, from "**区分"/"**数量1" row
    // startRow, with the table's amount total; the row after the rows written.
    int WriteGyomuChikuJoken(CSekisanData& calc, int startRow, int index, int amountTotal);
    // Where the rate rows go below a table whose totals stand at totalsRow: row 18, or the row after
    // the totals when they reach it.
    static int ChikuJokenStartRow(int totalsRow);
    // What a 単価表 writer writes: the rows on the 代価表 page that is open and the 単価表 pages (Both),
    // the rows alone, or the pages alone.
    enum class TankaMode { Both = 0, DaikaRows = 1, TankaPages = 2 };
    // The 単価表 of a 種別 priced line by line: 精度管理費 variant (歩掛 type 31) and 電子計算機使用料
    // variant (types 27-29). page: the last page number written; perLineRate: 1 when a rate of the
    // 歩掛 is a 区分率; tankaNo: the running 単価表 number, advanced. The last page number written.
    int WriteSeidoTankaSheet(CSekisanData& calc, int page, int index, int perLineRate, int& tankaNo, TankaMode mode);
    int WriteDensiTankaSheet(CSekisanData& calc, int page, int index, int perLineRate, int& tankaNo, TankaMode mode);

private:
    // Writes " " into the named cell; true when the template has it.
    bool Probe(const std::string& name);
    // "**<prefix><h>" for each h, skipping the current rows; rows := the first that exists.
    void ProbeRowCount(const char* prefix, int first, int last, int step, int& rows);
    void WriteSokatsuPageHeader(int pageIndex, int firstPage, int gyomuNumber, bool firstOfSheet);
    void WriteSokatsuTitles(int gyomuNumber);
    int SokatsuPageCount(int rows);
    // One 代価表 page of the 種別 row at index of the calculation copy, numbered page.
    void WriteDaikaPage(CSekisanData& calc, int index, const CBukakeShubetsu& shubetsu, int page);
    void WriteDaikaHeader(const CSekisanItem& item, const CBukakeShubetsu& shubetsu, int page);

    CReportJob& m_job;
    const CSekisanItemList& m_estimate;
    const ICalcEnvironment& m_env;
    const CHyoshiData& m_cover;
    int m_formGyou;
    std::string m_formPath;
    std::optional<CPrintFormText> m_twin;
    int m_daikaLastPage = -1;  // what the 代価表 driver was given last (-1: not run)
    std::string m_daikaName;
};
