// Fuzzes the reading of print forms. Any bytes must open as a template or be refused with a reason,
// never crash nor run away with memory; a form that opens takes a page of writes on each of its first
// two sheets (rows copied in among them), and the workbook built from them reads back.
//
// Input: the first byte chooses how the rest is read. Its lowest bit even: the rest is the form's file,
// a zip archive. Odd: the rest is the parts of a workbook, separated by the byte 0x01, in the order of
// kPartNames (the parts the input does not reach are left out); they are zipped here, stored, so that
// the fuzzer works on the XML rather than on the compression and its checksums. Its other bits choose
// the rows copied into each page: bits 1-3 the first row (1-8), bits 4-5 the rows after it (0-3),
// bits 6-7 the copies (1-4).
#include <sys/mman.h>
#include <unistd.h>
#include <zip.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/XlsReportEngine.h"
#include "report/XlsWorkbook.h"
#include "tests/report/ZipSourceBytes.h"

namespace {

constexpr const char* kPartNames[] = {
    "_rels/.rels",           "xl/workbook.xml",          "xl/_rels/workbook.xml.rels", "xl/styles.xml",
    "xl/sharedStrings.xml",  "xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml",   "xl/theme/theme1.xml",
};

std::string ZipStored(std::string_view parts) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = target ? zip_open_from_source(target, ZIP_TRUNCATE, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) std::abort();
    zip_source_keep(target);
    std::vector<std::string> pieces;
    for (size_t start = 0, n = 0; n < std::size(kPartNames) && start <= parts.size(); ++n) {
        size_t end = parts.find('\x01', start);
        if (end == std::string_view::npos) end = parts.size();
        pieces.emplace_back(parts.substr(start, end - start));
        start = end + 1;
    }
    for (size_t i = 0; i < pieces.size(); ++i) {
        zip_source_t* s = zip_source_buffer(archive, pieces[i].data(), pieces[i].size(), 0);
        zip_int64_t index = zip_file_add(archive, kPartNames[i], s, 0);
        if (index < 0) std::abort();
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    if (zip_close(archive) != 0) std::abort();
    std::optional<std::string> bytes = TakeZipSourceBytes(target);
    if (!bytes) std::abort();
    return *bytes;
}

// The form lives in a file in memory, opened by its path as any form is.
const std::string& FormPath(int& fd) {
    static int file = memfd_create("form.xlsx", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(file);
    fd = file;
    return path;
}

// Copies rows into the open page. When they are taken, the named cells below them stand lower by as
// many rows, those above stay, and every copied row draws the lines under its cells that its source
// draws (the rows under both being alike: copies of the source's next row).
void CopyRows(CXlsReportEngine& engine, const std::vector<std::string>& names, int first, int last, int times) {
    constexpr int kColumns = 4;
    // Where the names stand (0 for one the engine does not find, which the model reader may read
    // otherwise).
    std::vector<std::pair<int, int>> before;
    for (const std::string& name : names) {
        int x = 0, y = 0;
        if (!engine.CellPosition(name, x, y)) x = y = 0;
        before.emplace_back(x, y);
    }
    engine.RepeatRows(first, last, times);
    if (engine.GetErrorNo() != 0) return;
    const int added = (last - first + 1) * times;
    for (size_t n = 0; n < names.size(); ++n) {
        int x = 0, y = 0;
        const auto [x0, y0] = before[n];
        if (!engine.CellPosition(names[n], x, y)) x = y = 0;
        if (x != x0 || y != (y0 > last ? y0 + added : y0)) std::abort();
    }
    for (int row = first; row < last; ++row)
        for (int k = 1; k <= times; ++k)
            for (int x = 1; x <= kColumns; ++x)
                if (engine.HasLineBelow(x, row) != engine.HasLineBelow(x, row + k * (last - first + 1))) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string form = (data[0] & 1) ? ZipStored(rest) : std::string(rest);
    int fd;
    const std::string& path = FormPath(fd);
    if (fd < 0 || ::ftruncate(fd, 0) != 0 || ::pwrite(fd, form.data(), form.size(), 0) != static_cast<ssize_t>(form.size()))
        std::abort();

    CXlsReportEngine engine;
    if (engine.OpenTemplate(path) != XlsOpenError::none) {
        // Refused: with a reason, and nothing left open.
        if (engine.HasWorkbook() || engine.FailureDetail().empty()) std::abort();
        return 0;
    }
    // The sheets and their named cells, from the model reader (which may refuse what the engine took).
    XlsWorkbook model;
    std::vector<std::string> sheets;
    std::vector<std::vector<std::string>> names;
    if (ReadXlsWorkbook(form, model) == XlsOpenError::none)
        for (const XlsSheet& sheet : model.sheets) {
            if (sheets.size() == 2) break;
            sheets.push_back(sheet.name);
            names.emplace_back();
            for (const XlsCell& cell : sheet.cells)
                if (cell.kind == XlsValueKind::text && cell.text.size() > 2 && cell.text.compare(0, 2, "**") == 0 &&
                    names.back().size() < 8)
                    names.back().push_back(cell.text);
        }
    if (sheets.empty()) {
        sheets = {"S1"};  // the name the seeds give their first sheet
        names.emplace_back();
    }
    const int first = 1 + ((data[0] >> 1) & 7), last = first + ((data[0] >> 4) & 3), times = 1 + (data[0] >> 6);
    int pages = 0;
    for (size_t i = 0; i < sheets.size(); ++i) {
        engine.PageBegin(sheets[i]);
        if (!engine.HasOpenPage()) continue;
        CopyRows(engine, names[i], first, last, times);
        // As a summary sheet lays out its lines: copies of the two rows under the first name's line.
        int x = 0, y = 0;
        if (!names[i].empty() && engine.CellPosition(names[i][0], x, y) && engine.HasLineBelow(x, y + 1))
            CopyRows(engine, names[i], y + 2, y + 3, 2);
        for (const std::string& name : names[i]) {
            engine.Cell(name);
            engine.PutValueString("測量業務");
            engine.Cell(name, 1, 1);
            engine.PutValueDouble(1500.25);
        }
        engine.Cell("C3");
        engine.PutValueLong(-7);
        engine.Pos(1, 1, 3, 2);
        engine.AttrPutPosHorz(xlsHorzCenter);
        engine.AttrPutPosVert(xlsVertCenter);
        engine.AttrPutJoint(1);
        engine.Pos(2, 4, 2, 5);
        engine.AttrPutJoint(0);
        engine.PageEnd();
        ++pages;
    }
    if (pages == 0) return 0;
    std::string built;
    if (!engine.BuildXlsx(built)) std::abort();
    if (static_cast<int>(engine.Model().sheets.size()) != pages) std::abort();
    XlsWorkbook again;
    if (ReadXlsWorkbook(built, again) != XlsOpenError::none || static_cast<int>(again.sheets.size()) != pages)
        std::abort();
    return 0;
}
