#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "report/XlsWorkbook.h"

// The print forms the program ships: template workbooks (.xlsx) with their text twins, generated at
// build time from readable descriptions in the text format of the sample data (SampleText.h).
//
// A workbook description ("*.form") names its file, whether it is the colour variant, the style
// file, the sheets and the options that choose among the sheets' parts, and may hold the 25 lines
// of its text twin:
//
//   [workbook]
//   file = ﾓﾉｸﾛA4通常形式.xlsx
//   colour = 0                 # 1: the styles' colours and fills are used
//   styles = styles.txt
//   options = rows10, nomi     # switch the parts of the sheets
//   sheet = sheets/daika.txt                     # one sheet, named by its file
//   sheet = sheets/hokoku.txt, 報告書2, cont     # a name of its own and options of its own
//   [twin]
//   line = 印刷表題 ：           # 25 lines, line 0 first
//
// A style file holds named styles:
//
//   [style]
//   name = amount            # letters, digits and '_'
//   base = cell              # a style named before
//   font = serif             # serif (Noto Serif CJK JP) or sans (Noto Sans CJK JP)
//   size = 10.5              # points
//   bold = 1
//   underline = single       # or double
//   color = 1F3864           # font colour, colour workbooks only
//   fill = DDEBF7            # solid fill, colour workbooks only
//   format = amount          # a number format by name (see PrintFormNumberFormats)
//   align = right            # left, center, right, distributed, justify, center_across
//   valign = center          # top, center, bottom
//   wrap = 1
//   shrink = 1
//   indent = 1
//   border = thin            # every side; left, right, top, bottom one side
//
// A sheet description ("sheets/*.txt") has a head and parts; a part with "when" is used only when
// the workbook sets every option it names, one with "unless" only when it sets none of them:
//
//   [sheet]
//   name = 代価表
//   paper = a4
//   orientation = portrait   # or landscape
//   margins = 18, 12, 15, 12, 8, 8   # mm: left, right, top, bottom, header, footer
//   fit = 1                  # printed on one page
//   center = 1               # centred across the paper
//   default_height = 15      # points
//   print_area = A1:J45      # default: every cell the sheet describes
//   [part]
//   when = rows10
//   width = A:C, 8           # character widths of columns
//   height = 8:27, 14        # points of rows
//   height = 9:27, 20, 2     # of every 2nd row of the range
//   area = A8:J27, cell      # the style of every cell of the range (cells of their own excepted)
//   area = B8, upper, 10, 2  # optionally repeated 10 times, 2 rows apart
//   cell = B2, title, "一　位　代　価　表"   # style may be empty; "**name" is a named cell
//   merge = C8:C9, 10, 2     # merged; optionally repeated 10 times, 2 rows apart
//   frame = A7:J27, medium   # the outline of a range
//   vlines = A7:J27, thin    # the inner vertical lines
//   hlines = A8:J27, thin, 2 # the inner horizontal lines, every 2nd one
//   line = A7:J7, bottom, double
//   print_area = A1:J40      # as in [sheet]; the last one given counts
//
// Lines are drawn in file order over the borders the styles give; a later line replaces an earlier
// one on the same edge. Weights: none, hair, thin, medium, thick, double, dotted, dashed.
//
// Refused, with file and line: unknown keys, styles, options, number formats, weights and values;
// a sheet that names one cell twice ("**name" markers included); formulas; merges that overlap;
// text inside a merge but not in its first cell; twins without exactly 25 lines.

struct PrintFormStyle {
    std::string name;
    std::string font = "serif";  // serif or sans
    double size = 10;
    bool bold = false;
    std::string underline;       // "", "single", "double"
    std::optional<uint32_t> color;  // RRGGBB, colour workbooks only
    std::optional<uint32_t> fill;   // RRGGBB, colour workbooks only
    std::string format = "general";
    std::string horizontal = "general";
    std::string vertical = "center";
    bool wrap = false;
    bool shrink = false;
    int indent = 0;
    std::string left, right, top, bottom;  // border weights; "" none
};

struct PrintFormCell {
    int row = 0, column = 0;
    std::string style;  // "" the area's style or the plain one
    std::string text;
};

// A line drawn over the cells: the outline of a range, its inner lines or one of its sides.
struct PrintFormLines {
    enum Kind { frame, vlines, hlines, side } kind = frame;
    XlsRange range;
    std::string weight;
    int step = 1;      // hlines: every step-th inner line
    std::string edge;  // side: left, right, top, bottom
};

struct PrintFormSheet {
    std::string name;
    std::string file;  // description it came from, for messages
    bool landscape = false;
    int paperSize = 9;  // Excel's paper code, 9 = A4
    XlsMargins margins{0.6, 0.6, 0.6, 0.6, 0.3, 0.3};
    bool fitToPage = false;
    bool centered = false;
    double defaultHeight = 15;
    std::optional<XlsRange> printArea;
    std::map<int, double> widths;   // column → width in characters
    std::map<int, double> heights;  // row → points
    std::vector<std::pair<XlsRange, std::string>> areas;
    std::vector<PrintFormCell> cells;
    std::vector<XlsRange> merges;
    std::vector<PrintFormLines> lines;
};

struct PrintFormBook {
    std::string file;  // output name, "ｶﾗｰA4形式.xlsx"
    std::string source;
    bool colour = false;
    std::map<std::string, PrintFormStyle> styles;
    std::vector<PrintFormSheet> sheets;
    std::optional<std::array<std::string, 25>> twin;
};

// The named number formats of the styles and their format codes.
const std::map<std::string, std::string>& PrintFormNumberFormats();

// Reads a file of the source folder by its name relative to the folder; throws SampleTextError
// (file, line 0) when it cannot.
using PrintFormSourceReader = std::function<std::string(const std::string& name)>;

// Reads one workbook description and the files it names. Throws SampleTextError.
PrintFormBook ParsePrintForm(const std::string& file, const PrintFormSourceReader& read);
// Every "*.form" of the folder, in the order of their names. Throws SampleTextError.
std::vector<PrintFormBook> LoadPrintForms(const std::string& sourceFolder);

// The bytes of a workbook (.xlsx); the same description gives the same bytes.
std::string BuildPrintFormWorkbook(const PrintFormBook& book);
// The bytes of a text twin: CP932, every line ended by CR LF.
std::string BuildPrintFormTwin(const std::array<std::string, 25>& lines);
// Every file of the books: workbook and twin names (relative) with their bytes.
std::vector<std::pair<std::string, std::string>> BuildPrintFormFiles(const std::vector<PrintFormBook>& books);
// Writes the files into the folder (created when missing); false with a reason on the first failure.
bool WritePrintFormFiles(const std::vector<std::pair<std::string, std::string>>& files, const std::string& folder,
                         std::string* error);
