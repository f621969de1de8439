#pragma once
#include <cstdint>
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

    // The 代価歩掛明細表 (DaikaMeisai.cpp). calc is a copy of the estimate priced with the report's
    // masters (PricingCopy) and index a 種別 row of it. The page of the row, numbered page: its head,
    // the correction texts, the staffing table, the expense lines and the totals; 1 when written, 0
    // when there is no row at index.
    int WriteDaikaMeisaiPage(CSekisanData& calc, int index, const CBukakeShubetsu& shubetsu, int page);
    // The trade headings, then the staffing table (WriteJininkeiRows, whose result it returns).
    int WriteShokushuColumns(CSekisanData& calc, int index, int columns, const std::string& amountCell,
                             std::optional<double> correction, double& directLabour, double& labour);
    // The trade of a column, the first 労務費 column and a trade's quantity (×100) in a line of the row's
    // 歩掛 (a type-4 歩掛: the formula of its trade line, asked with line 0); kUnset when none.
    int32_t GetColumnShokushuId(const CSekisanData& calc, int index, int column) const;
    int32_t FindFirstRomuhiColumn(const CSekisanData& calc, int index, int columns) const;
    int32_t GetLineShokushuQuantity(CSekisanData& calc, int index, int line, int column) const;
    // The body of the staffing table: a row per chosen 工程 line with an amount, the 人員計 and amount
    // totals and the amounts by cost kind. correction: the row's single correction factor (0 when not
    // positive), nullopt when the rates differ by 区分. Out: the unrounded 直接人件費 and 労務費;
    // returns the row of the totals.
    int WriteJininkeiRows(CSekisanData& calc, int index, int columns, const std::string& amountCell,
                          std::optional<double> correction, double& directLabour, double& labour);
    // The expense lines of the row after the staffing table (from startRow + 2, in the page's amount
    // column) or in the form's own 経費区分 block; returns their sum in whole yen.
    double WriteKeihiKubunRows(CSekisanData& calc, int index, int columns, int startRow, const std::string& amountCell,
                               double directLabour, double labour);
    // The texts of the expense entry line of a kind (type-4 detail lines, type-0 費目 entries): returns
    // the name; unit, quantity and price texts out (all empty when no entry matches).
    std::string GetKeihiEntryTexts(CSekisanData& calc, const CBukakeShubetsu& shubetsu, int index, int kind,
                                   std::string& unit, std::string& quantity, std::string& price) const;
    // A copy of the estimate priced with the report's masters.
    std::unique_ptr<CSekisanData> PricingCopy() const;

    // The page number the 代価表 family was last started after; -1 before it ran.
    int DaikaLastPageGiven() const { return m_daikaLastPage; }

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
