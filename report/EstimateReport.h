#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

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
struct KeihiComponents;

// Writes the cover sheet (表紙) into a job: one page from the template sheet "表紙" with the cover
// data and the company block of the 単価 master. The estimate report and the cover dialog share it.
void WriteHyoshiPage(CReportJob& job, const CHyoshiData& cover, const CTankaFile& tanka);

// The 材料及び機械経費 block of a breakdown page of a detail whose 費目 are set one by one (費目 mode 0):
// a row for each 費目 entry whose material is in the 材料単価 master (priced entries, and the Z1/Z2/Z3
// rate entries with a positive base), then the block total. calc gives the masters (its calculation
// context); no estimate is needed. Rows go at row offsets after lastRow from "**名称" … "**摘要";
// style 1 is the 代価表 style (names as they are, remarks without brackets), any other the 代価明細
// style. The expense components are set only when their sum is at least 1. Returns the last row
// written.
int WriteZairyoKikaiRows(int lastRow, CReportJob& job, const CSekisanData& calc, const CBukakeDetail& detail,
                         double directLabour, double labour, KeihiComponents& parts, int style);

// The 工種 variant pages of a row that is not a 種別 row (or has no 代価 number), in the order the
// walk writes them; none without a 代価 number.
enum class DaikaVariant {
    PercentOfGyomu,    // percentage page over the rows of the row's 業務 (2/7 工種 79, 4 工種 71)
    PercentOfSokuryo,  // percentage page over 業務 1 and 6 together (工種 71)
    Material,          // the materials the 測量 歩掛 name (業務 1/6 工種 85)
    RateMode0,         // rate page of the first table (2/5/7 工種 85, other 業務 工種 81)
    RateMode1,         // rate page of the second table (工種 838)
};
std::vector<DaikaVariant> DaikaVariantPages(const CSekisanItem& item);

// Whether a 代価歩掛明細表 page follows the 代価表 page of a 種別 row of the 業務: with the 代価明細表
// switch on, for every 業務 but 物件調査 and 土質調査 (3, 4, 5); for those only when the form's text
// twin switches the 物件版内訳明細書 on.
bool DaikaMeisaiFollows(int gyomu, bool meisaiPrinted, bool bukkenUchiwake);

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
    // the item list in order, under the single-number filter (pages of other numbers are left out,
    // the page count still runs from lastPage):
    // - a row that is not a 種別 row but carries a 代価 number gets the 工種 variant pages of
    //   DaikaVariantPages (percentage, material and rate pages);
    // - a 種別 row with a 代価 number whose 種別 is in the 歩掛 master gets, with the 代価表 switch, a
    //   "代価表" page: trade lines (or the 土質 lines of a 費目 歩掛 of 業務 4 and 5), the programme fee,
    //   the labour total, the 材料及び機械経費 block or the rate rows, and the rows of its 業務 with
    //   the per-unit and corrected amounts (the closing rows of type 13 for 測量 and 設計);
    // - when DaikaMeisaiFollows, the 代価歩掛明細表 page after it takes the next page number;
    // - under DouroCalc 1 a type 27-29/31 row without a fixed correction gets no 代価表 page: its
    //   単価表 pages are written in a first walk (rows) and a second walk (pages);
    // - the change-rate sheets of a 業務 6 row and the 業務地区条件設定表 asked by a 業務 7 row, with
    //   the 代価明細表 switch, carry no page number.
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
    // after its last "(" up to its last ")" (full-width brackets count too). True only when that text
    // is a plain number (digits, one decimal point between them) followed by a unit that holds no
    // blank, bracket, operator or separator; a bare number (a 補正係数), a unit alone or a formula of a
    // rate text gives false and leaves quantity and unit as they were.
    static bool SplitBracketQuantity(const std::string& lowerName, double& quantity, std::string& unit);

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
    // column) or in the form's own 経費区分 block; returns their sum in whole yen. afterCorrection, when
    // given, gets the part of that sum the price adds after the correction (a 設計 row's
    // 電子計算機使用料), 0 for none.
    double WriteKeihiKubunRows(CSekisanData& calc, int index, int columns, int startRow, const std::string& amountCell,
                               double directLabour, double labour, int* afterCorrection = nullptr);
    // The texts of the expense entry line of a kind (type-4 detail lines, type-0 費目 entries): returns
    // the name; unit, quantity and price texts out (all empty when no entry matches).
    std::string GetKeihiEntryTexts(CSekisanData& calc, const CBukakeShubetsu& shubetsu, int index, int kind,
                                   std::string& unit, std::string& quantity, std::string& price) const;
    // A copy of the estimate priced with the report's masters.
    std::unique_ptr<CSekisanData> PricingCopy() const;

    // The page number the 代価表 family was last started after; -1 before it ran.
    int DaikaLastPageGiven() const { return m_daikaLastPage; }

    // ---- Change-rate sheets, the 業務 7 district conditions and the 単価表 (HenkaritsuSheets.cpp,
    // ChikuJokenSheet.cpp, TankaSheets.cpp). calc is the priced copy of the estimate the 代価表 walk
    // works on (PricingCopy makes one); index is the item's position in its list.
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
    // The 単価表 writer the row's 歩掛 type calls for (31: 精度管理費, 27-29: 電子計算機使用料).
    int WriteTankaSheet(CSekisanData& calc, int page, int index, const CBukakeShubetsu& shubetsu, int& tankaNo,
                        TankaMode mode);

private:
    // Writes " " into the named cell; true when the template has it.
    bool Probe(const std::string& name);
    // "**<prefix><h>" for each h, skipping the current rows; rows := the first that exists.
    void ProbeRowCount(const char* prefix, int first, int last, int step, int& rows);
    void WriteSokatsuPageHeader(int pageIndex, int firstPage, int gyomuNumber, bool numberedTitles);
    void WriteSokatsuTitles(int gyomuNumber);
    int SokatsuPageCount(int firstRows, int nextRows);
    // One 代価表 page of the 種別 row at index of the calculation copy, numbered page.
    void WriteDaikaPage(CSekisanData& calc, int index, const CBukakeShubetsu& shubetsu, int page);
    void WriteDaikaHeader(const CSekisanItem& item, const CBukakeShubetsu& shubetsu, int page);
    // The parts of a 代価表 page: the trade lines and the 土質 lines after the row last (the last row
    // written, -1 for none); each returns the last row it wrote.
    int WriteTradeLines(int last, CSekisanData& calc, int index, const CBukakeShubetsu& shubetsu,
                        double& directLabour, double& labour);
    int WriteDoshitsuLines(int last, CSekisanData& calc, int index, const CBukakeShubetsu& shubetsu,
                           double& himokuSum);
    // The closing rows of a type-13 測量 and 設計 page after the row last; the last row written.
    // Without the 種別 in the 歩掛 master nothing is written. Amounts stay empty when amounts are
    // omitted, and the per-base and per-unit texts are kept.
    int WriteSokuryoClosingRows(int last, CSekisanData& calc, int index);
    int WriteSekkeiClosingRows(int last, CSekisanData& calc, int index, double directLabour, double labour);
    // The 工種 variant pages of the row at index, numbered page.
    void WriteVariantHeader(const CSekisanItem& item, int page);
    void WritePercentPage(CSekisanData& calc, int index, bool sokuryo, int page);
    void WriteMaterialPage(CSekisanData& calc, int index, int page);
    void WriteRatePage(const CSekisanItem& item, int mode, int page);

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
