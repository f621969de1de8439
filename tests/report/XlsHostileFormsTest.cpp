// Hostile print forms read by the report engine (XlsPackage, XlsTemplate, XlsPageCopy) and refused by the
// report job (FormRefusalMessage). Each form is opened in a child process whose allocations are counted
// and capped: the child reports the engine's result and its peak, and a runaway allocation ends the
// child instead of the machine.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <malloc.h>
#include <poll.h>
#include <pugixml.hpp>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <new>

#include "ScriptedHost.h"
#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "master/MasterTexts.h"
#include "report/ReportJob.h"
#include "report/ReportTexts.h"
#include "report/XlsReportEngine.h"

// ---- counted allocations ----
// Every allocation of this program goes through here: operator new and pugixml's allocation functions.
// Over the cap an allocation fails as the system's would (operator new throws, pugixml gets null).

namespace {

std::atomic<size_t> g_live{0};
std::atomic<size_t> g_peak{0};
std::atomic<size_t> g_cap{SIZE_MAX};

void* CountedAllocate(size_t n) {
    if (n == 0) n = 1;
    if (n > g_cap.load() || g_live.load() > g_cap.load() - n) return nullptr;
    void* p = std::malloc(n);
    if (!p) return nullptr;
    const size_t live = g_live += malloc_usable_size(p);
    size_t peak = g_peak.load();
    while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {
    }
    return p;
}

void CountedFree(void* p) {
    if (!p) return;
    g_live -= malloc_usable_size(p);
    std::free(p);
}

// Installed before main, before any document exists.
const bool g_pugiCounted = [] {
    pugi::set_memory_management_functions(CountedAllocate, CountedFree);
    return true;
}();

}  // namespace

void* operator new(size_t n) {
    if (void* p = CountedAllocate(n)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t n) {
    if (void* p = CountedAllocate(n)) return p;
    throw std::bad_alloc();
}
void* operator new(size_t n, const std::nothrow_t&) noexcept { return CountedAllocate(n); }
void* operator new[](size_t n, const std::nothrow_t&) noexcept { return CountedAllocate(n); }
void operator delete(void* p) noexcept { CountedFree(p); }
void operator delete[](void* p) noexcept { CountedFree(p); }
void operator delete(void* p, size_t) noexcept { CountedFree(p); }
void operator delete[](void* p, size_t) noexcept { CountedFree(p); }

using namespace xlstest;

namespace {

constexpr size_t kMB = size_t{1} << 20;
// What one open may use at its peak, and the cap that stops a child long before the machine suffers.
constexpr size_t kPeakBound = 200 * kMB;
constexpr size_t kChildCap = 1024 * kMB;

// What a child reports.
struct Outcome {
    int error = -1;       // XlsOpenError of the open
    size_t peak = 0;      // bytes above those in use when the child started
    bool escaped = false; // an exception left the child's work
    char detail[512] = {};
    char message[1024] = {};
};

void Copy(char* to, size_t size, const std::string& from) {
    std::snprintf(to, size, "%s", from.c_str());
}

// Runs work in a child process under the cap; nullopt text when the child did not report (a crash, or
// no report within a deadline only a hang reaches).
struct ChildResult {
    bool reported = false;
    std::string how;  // how the child ended when it did not report
    Outcome outcome;
};

ChildResult InChild(const std::function<void(Outcome&)>& work, size_t cap = kChildCap) {
    ChildResult result;
    int fds[2];
    if (::pipe(fds) != 0) {
        result.how = "no pipe";
        return result;
    }
    fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        Outcome o;
        const size_t base = g_live.load();
        g_peak = base;
        g_cap = base + cap;
        try {
            work(o);
        } catch (...) {
            o.escaped = true;
        }
        o.peak = g_peak.load() - base;
        const char* p = reinterpret_cast<const char*>(&o);
        size_t left = sizeof o;
        while (left > 0) {
            ssize_t n = ::write(fds[1], p, left);
            if (n <= 0) break;
            p += n;
            left -= static_cast<size_t>(n);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    char* p = reinterpret_cast<char*>(&result.outcome);
    size_t got = 0;
    pollfd wait{fds[0], POLLIN, 0};
    while (got < sizeof(Outcome) && ::poll(&wait, 1, 120000) == 1) {
        ssize_t n = ::read(fds[0], p + got, sizeof(Outcome) - got);
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fds[0]);
    if (got < sizeof(Outcome)) ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.reported = got == sizeof(Outcome);
    if (!result.reported)
        result.how = WIFSIGNALED(status) ? "ended by signal " + std::to_string(WTERMSIG(status))
                                         : "exited with " + std::to_string(WEXITSTATUS(status)) + " without a report";
    return result;
}

// ---- hostile archives, written with libzip ----

// A part: head, then body repeated over `size` bytes, then tail.
struct Part {
    Part(std::string name_, std::string head_, std::string body_ = "", uint64_t size_ = 0, std::string tail_ = "")
        : name(std::move(name_)), head(std::move(head_)), body(std::move(body_)), size(size_), tail(std::move(tail_)) {}
    std::string name;
    std::string head;
    std::string body;
    uint64_t size;
    std::string tail;
};

uint64_t PartSize(const Part& p) { return p.head.size() + (p.body.empty() ? 0 : p.size) + p.tail.size(); }

struct PartReader {
    const Part* part;
    uint64_t at = 0;
    size_t Read(char* out, size_t len) {
        const uint64_t total = PartSize(*part);
        const uint64_t bodyEnd = total - part->tail.size();
        size_t n = 0;
        while (n < len && at < total) {
            size_t k;
            if (at < part->head.size()) {
                k = static_cast<size_t>(std::min<uint64_t>(len - n, part->head.size() - at));
                std::memcpy(out + n, part->head.data() + at, k);
            } else if (at < bodyEnd) {
                const uint64_t offset = (at - part->head.size()) % part->body.size();
                k = static_cast<size_t>(std::min<uint64_t>({len - n, part->body.size() - offset, bodyEnd - at}));
                std::memcpy(out + n, part->body.data() + offset, k);
            } else {
                k = static_cast<size_t>(std::min<uint64_t>(len - n, total - at));
                std::memcpy(out + n, part->tail.data() + (at - bodyEnd), k);
            }
            n += k;
            at += k;
        }
        return n;
    }
};

zip_int64_t PartSource(void* state, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
    auto* reader = static_cast<PartReader*>(state);
    switch (cmd) {
    case ZIP_SOURCE_OPEN: reader->at = 0; return 0;
    case ZIP_SOURCE_READ: return static_cast<zip_int64_t>(reader->Read(static_cast<char*>(data), static_cast<size_t>(len)));
    case ZIP_SOURCE_CLOSE: return 0;
    case ZIP_SOURCE_STAT: {
        auto* st = static_cast<zip_stat_t*>(data);
        zip_stat_init(st);
        st->size = PartSize(*reader->part);
        st->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR: return 2 * sizeof(int);
    case ZIP_SOURCE_FREE: delete reader; return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default: return -1;
    }
}

// Writes the parts as a zip file, each deflated as small as it goes.
void WriteArchive(const std::string& path, const std::vector<Part>& parts) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_TRUE(archive) << "cannot create " << path;
    for (const Part& part : parts) {
        zip_source_t* source = zip_source_function(archive, PartSource, new PartReader{&part});
        const zip_int64_t index = zip_file_add(archive, part.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        ASSERT_GE(index, 0) << part.name;
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 9);
    }
    ASSERT_EQ(zip_close(archive), 0) << path;
}

std::vector<Part> AsParts(const Parts& parts) {
    std::vector<Part> out;
    for (auto& [name, bytes] : parts) out.emplace_back(name, bytes);
    return out;
}

// The standard template with a part replaced (or added).
std::vector<Part> With(std::vector<Part> parts, Part replacement) {
    for (Part& p : parts)
        if (p.name == replacement.name) {
            p = std::move(replacement);
            return parts;
        }
    parts.push_back(std::move(replacement));
    return parts;
}

std::vector<Part> Without(std::vector<Part> parts, const std::string& name) {
    std::erase_if(parts, [&](const Part& p) { return p.name == name; });
    return parts;
}

const std::string kSheet1 = "xl/worksheets/sheet1.xml";  // "代価表"
const std::string kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

std::string WorksheetOpen() { return kDecl + "<worksheet xmlns=\"" + std::string(kMain) + "\" xmlns:r=\"" + kRel + "\">"; }

std::string Repeat(const std::string& s, int n) {
    std::string out;
    out.reserve(s.size() * static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// Sets the uncompressed size of an entry, in its local header and in the central directory.
std::string WithSizeClaimed(std::string zip, const std::string& name, uint32_t size) {
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) zip[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    auto matches = [&](size_t at, const char* signature, size_t nameAt) {
        return zip.compare(at, 4, signature, 4) == 0 && zip.compare(at + nameAt, name.size(), name) == 0;
    };
    int patched = 0;
    for (size_t at = 0; at + 46 + name.size() <= zip.size(); ++at) {
        if (matches(at, "PK\x03\x04", 30)) put32(at + 22, size), ++patched;
        else if (matches(at, "PK\x01\x02", 46)) put32(at + 24, size), ++patched;
    }
    EXPECT_EQ(patched, 2) << name;
    return zip;
}

// ---- the child's work ----

// Opens the form through the engine; when it opens, writes a page (an alignment over A1:B2, a text in
// A1), saves the workbook beside the form as "<form>.out.xlsx" and reads its model for the preview.
void OpenAndFill(const std::string& path, Outcome& o) {
    CXlsReportEngine engine;
    const XlsOpenError error = engine.OpenTemplate(path);
    o.error = static_cast<int>(error);
    Copy(o.detail, sizeof o.detail, engine.FailureDetail());
    Copy(o.message, sizeof o.message, FormRefusalMessage(path, error));
    if (error != XlsOpenError::none) return;
    engine.PageBegin("代価表");
    engine.Pos(1, 1, 2, 2);
    engine.AttrPutPosHorz(xlsHorzCenter);
    engine.Cell("A1");
    engine.PutValueString("x");
    engine.PageEnd();
    if (engine.Save(path + ".out.xlsx") != XlsSaveError::none) o.error = -2;
    if (engine.Model().sheets.size() != 1) o.error = -3;
}

struct Case {
    Case(const char* what_, std::function<void(const std::string&)> make_, XlsOpenError error_,
         const char* detailHas_ = "", const char* reason_ = "", std::function<void(Output&)> check_ = {})
        : what(what_), make(std::move(make_)), error(error_), detailHas(detailHas_), reason(reason_),
          check(std::move(check_)) {}
    const char* what;
    std::function<void(const std::string& path)> make;
    XlsOpenError error;
    const char* detailHas;               // a piece of the engine's detail
    const char* reason;                  // the reason the refusal gives
    std::function<void(Output&)> check;  // what the saved workbook of a form that opens holds
};

}  // namespace

class HostileForms : public ::testing::Test {
protected:
    TempFolder m_dir;
};

TEST_F(HostileForms, AreRefusedOrOpenedHarmlesslyWithinBoundedMemory) {
    const std::vector<Part> standard = AsParts(TemplateParts(StandardTemplate()));
    const std::string rowOfCells = "<row>" + Repeat("<c><v>1</v></c>", 100) + "</row>";
    auto deep = [](const std::string& open, const std::string& close, int depth) {
        return std::pair(Repeat(open, depth), Repeat(close, depth));
    };
    auto archive = [&](std::vector<Part> parts) {
        return [parts = std::move(parts)](const std::string& path) { WriteArchive(path, parts); };
    };
    const auto [deepA, deepAEnd] = deep("<a>", "</a>", 100000);
    const auto [deepX, deepXEnd] = deep("<x:a>", "</x:a>", 100000);
    const std::string prefixedSheet = kDecl + "<x:worksheet xmlns:x=\"" + std::string(kMain) +
                                      "\"><x:sheetData><x:row r=\"1\"><x:c r=\"A1\">" + deepX + deepXEnd +
                                      "</x:c></x:row></x:sheetData></x:worksheet>";
    const std::string emptyCellXfs =
        kDecl + "<styleSheet xmlns=\"" + std::string(kMain) +
        "\"><fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
        "<fills count=\"1\"><fill><patternFill patternType=\"none\"/></fill></fills>"
        "<borders count=\"1\"><border/></borders><cellXfs count=\"0\"/></styleSheet>";

    const Case cases[] = {
        {"elements nested 100,000 deep in a cell",
         archive(With(standard, {kSheet1, SheetXml("<row r=\"1\"><c r=\"A1\">" + deepA + deepAEnd + "</c></row>")})),
         XlsOpenError::tooDeep, "xl/worksheets/sheet1.xml", reporttext::kFormReasonTooDeep},
        {"elements nested 100,000 deep in the sheet data",
         archive(With(standard, {kSheet1, SheetXml(deepA + deepAEnd)})), XlsOpenError::tooDeep,
         "xl/worksheets/sheet1.xml", reporttext::kFormReasonTooDeep},
        {"prefixed elements nested 100,000 deep", archive(With(standard, {kSheet1, prefixedSheet})),
         XlsOpenError::tooDeep, "xl/worksheets/sheet1.xml", reporttext::kFormReasonTooDeep},
        {"an empty cellXfs opens with the default format", archive(With(standard, {"xl/styles.xml", emptyCellXfs})),
         XlsOpenError::none, "", "",
         [](Output& out) {
             ASSERT_GE(out.CellFormats().size(), 2u);  // the default one and the centred copy
             EXPECT_EQ(std::string(out.CellFormats()[0].attribute("fontId").value()), "0");
             const size_t centred = static_cast<size_t>(out.Style(0, "A1"));
             ASSERT_LT(centred, out.CellFormats().size());
             EXPECT_EQ(std::string(out.CellFormats()[centred].child("alignment").attribute("horizontal").value()),
                       "center");
         }},
        {"a sheet of 250 MB of cells",
         archive(With(standard, {kSheet1, WorksheetOpen() + "<sheetData>", rowOfCells, 250 * kMB, "</sheetData></worksheet>"})),
         XlsOpenError::tooLarge, "xl/worksheets/sheet1.xml", reporttext::kFormReasonTooLarge},
        {"a million rows",
         archive(With(standard, {kSheet1, WorksheetOpen() + "<sheetData>", "<row/>", 6 * 1000000, "</sheetData></worksheet>"})),
         XlsOpenError::tooLarge, "xl/worksheets/sheet1.xml", reporttext::kFormReasonTooLarge},
        {"four unused parts of 255 MB are not read",
         [&](const std::string& path) {
             std::vector<Part> parts = standard;
             for (int i = 1; i <= 4; ++i)
                 parts.emplace_back("xl/media/unused" + std::to_string(i) + ".bin", "", std::string(4096, '\0'), 255 * kMB);
             WriteArchive(path, parts);
         },
         XlsOpenError::none},
        {"an entry of 2.2 GB",
         archive(With(standard, {kSheet1, WorksheetOpen() + "<sheetData>", std::string(4096, ' '), 2200 * kMB,
                                 "</sheetData></worksheet>"})),
         XlsOpenError::tooLarge, "entry too large: xl/worksheets/sheet1.xml", reporttext::kFormReasonTooLarge},
        {"an entry that claims half its size",
         [&](const std::string& path) {
             const std::string sheet = SheetXml(Repeat("<row><c><v>1</v></c></row>", 200));
             Parts parts = TemplateParts(StandardTemplate());
             for (auto& [name, bytes] : parts)
                 if (name == kSheet1) bytes = sheet;
             WriteTestFile(path, WithSizeClaimed(ZipParts(parts), kSheet1, static_cast<uint32_t>(sheet.size() / 2)));
         },
         XlsOpenError::notZip, "damaged entry xl/worksheets/sheet1.xml", reporttext::kFormReasonNotZip},
        {"a bad cell address", archive(With(standard, {kSheet1, SheetXml("<row r=\"1\"><c r=\"1A\"/></row>")})),
         XlsOpenError::damagedXml, "bad cell address", reporttext::kFormReasonDamagedXml},
        {"a bad row number", archive(With(standard, {kSheet1, SheetXml("<row r=\"1048577\"/>")})),
         XlsOpenError::damagedXml, "bad row number", reporttext::kFormReasonDamagedXml},
        {"a missing sheet part", archive(Without(standard, kSheet1)), XlsOpenError::missingPart,
         "missing part xl/worksheets/sheet1.xml", reporttext::kFormReasonMissingPart},
        {"a missing styles part", archive(Without(standard, "xl/styles.xml")), XlsOpenError::missingPart,
         "missing part xl/styles.xml", reporttext::kFormReasonMissingPart},
        {"merges out of bounds are dropped",
         archive(With(standard, {kSheet1, SheetXml("<row r=\"1\"><c r=\"A1\"/></row>",
                                                   "<mergeCells count=\"4\"><mergeCell ref=\"A1:XFE2\"/>"
                                                   "<mergeCell ref=\"C1:C1048577\"/><mergeCell ref=\"junk\"/>"
                                                   "<mergeCell ref=\"D4:E5\"/></mergeCells>")})),
         XlsOpenError::none, "", "",
         [](Output& out) { EXPECT_EQ(out.Merges(0), std::vector<std::string>{"D4:E5"}); }},
        {"shared strings out of range are dropped",
         archive(With(standard, {kSheet1, SheetXml("<row r=\"2\"><c r=\"A2\" t=\"s\"><v>5</v></c>"
                                                   "<c r=\"B2\" t=\"s\"><v>-1</v></c><c r=\"C2\" t=\"s\"><v>x</v></c>"
                                                   "<c r=\"D2\" t=\"s\"><v>2</v></c></row>")})),
         XlsOpenError::none, "", "",
         [](Output& out) {
             EXPECT_FALSE(out.HasValue(0, "A2"));
             EXPECT_FALSE(out.HasValue(0, "B2"));
             EXPECT_FALSE(out.HasValue(0, "C2"));
             EXPECT_EQ(out.Value(0, "D2"), "plain");
         }},
        {"more rows than a form has",
         archive(With(standard, {kSheet1, WorksheetOpen() + "<sheetData>", "<row/>", 6 * 65537, "</sheetData></worksheet>"})),
         XlsOpenError::tooLarge, "rows", reporttext::kFormReasonTooLarge},
        {"more cells than a form has",
         archive(With(standard, {kSheet1, WorksheetOpen() + "<sheetData>", "<row>" + Repeat("<c/>", 100) + "</row>",
                                 (4 * 100 + 11) * 1001, "</sheetData></worksheet>"})),
         XlsOpenError::tooLarge, "cells", reporttext::kFormReasonTooLarge},
        {"more cell formats than a form has",
         archive(With(standard, {"xl/styles.xml", kDecl + "<styleSheet xmlns=\"" + std::string(kMain) + "\"><cellXfs>",
                                 "<xf/>", 5 * 64001, "</cellXfs></styleSheet>"})),
         XlsOpenError::tooLarge, "xl/styles.xml", reporttext::kFormReasonTooLarge},
        {"more elements than a form's memory holds",
         archive(With(standard, {kSheet1, WorksheetOpen() + "<sheetData></sheetData><extLst>", "<a/>", 40 * kMB,
                                 "</extLst></worksheet>"})),
         XlsOpenError::tooLarge, "xl/worksheets/sheet1.xml", reporttext::kFormReasonTooLarge},
        {"a file larger than a form",
         [](const std::string& path) { WriteSparseTestFile(path, "PK\x03\x04", 40 * kMB); }, XlsOpenError::tooLarge,
         "", reporttext::kFormReasonTooLarge},
        {"a named pipe", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); },
         XlsOpenError::notAFile, "is no regular file", mastertext::kFileMissing},
        {"a folder", [](const std::string& path) { ASSERT_EQ(::mkdir(path.c_str(), 0700), 0); }, XlsOpenError::notAFile,
         "is no regular file", mastertext::kFileMissing},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = m_dir / ("form" + std::to_string(++n) + ".xlsx");
        c.make(path);
        const ChildResult child = InChild([&](Outcome& o) { OpenAndFill(path, o); });
        EXPECT_TRUE(child.reported) << child.how;
        if (!child.reported) continue;
        const Outcome& o = child.outcome;
        EXPECT_FALSE(o.escaped);
        EXPECT_EQ(o.error, static_cast<int>(c.error)) << o.detail;
        EXPECT_LT(o.peak, kPeakBound) << o.peak / kMB << " MB";
        EXPECT_NE(std::string(o.detail).find(c.detailHas), std::string::npos) << o.detail;
        if (c.error == XlsOpenError::none) {
            Output out(ReadTestFile(path + ".out.xlsx"));
            if (c.check) c.check(out);
        } else if (c.error == XlsOpenError::notAFile) {
            EXPECT_EQ(std::string(o.message), path + c.reason);
        } else {
            EXPECT_EQ(std::string(o.message), path + reporttext::kFormRefusedAfter + c.reason);
        }
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
}

TEST_F(HostileForms, OpeningWithTooLittleMemoryIsRefused) {
    const std::string path = m_dir / "帳票.xlsx";
    WriteTestFile(path, BuildTemplate(StandardTemplate()));
    auto open = [&](Outcome& o) {
        CXlsReportEngine engine;
        o.error = static_cast<int>(engine.OpenTemplate(path));
        o.escaped = engine.HasWorkbook() != (o.error == 0);
    };
    const ChildResult enough = InChild(open);
    ASSERT_TRUE(enough.reported) << enough.how;
    ASSERT_EQ(enough.outcome.error, static_cast<int>(XlsOpenError::none));
    // Half of what the open took runs out on the way, in operator new or in pugixml.
    for (size_t cap : {enough.outcome.peak / 2, enough.outcome.peak / 8}) {
        SCOPED_TRACE(cap);
        const ChildResult scarce = InChild(open, cap);
        ASSERT_TRUE(scarce.reported) << scarce.how;
        EXPECT_FALSE(scarce.outcome.escaped);
        EXPECT_EQ(scarce.outcome.error, static_cast<int>(XlsOpenError::outOfMemory));
    }
}

TEST_F(HostileForms, BuildingWithTooLittleMemoryIsStoppedWithAMessage) {
    const std::string path = m_dir / "帳票.xlsx";
    WriteTestFile(path, BuildTemplate(StandardTemplate()));
    const ChildResult child = InChild([&](Outcome& o) {
        ScriptedHost host;
        CReportJob job;
        if (!job.OpenTemplate(path)) return;
        // Half a megabyte more than the open template: the pages below need far more.
        g_cap = g_live.load() + kMB / 2;
        o.error = job.Build([&] {
            for (int page = 0; page < 5000; ++page) {
                job.BeginPage("代価表", "1");
                for (int row = 1; row <= 20; ++row) job.SetCellTextAt("**名称", 0, row, "測量業務 基準点測量");
                job.EndPage();
            }
        });
        o.escaped = job.HasWorkbook();
        if (!host.messages.empty()) Copy(o.message, sizeof o.message, host.messages.back().text);
    });
    ASSERT_TRUE(child.reported) << child.how;
    EXPECT_EQ(child.outcome.error, 0) << "the build reports its failure";
    EXPECT_FALSE(child.outcome.escaped) << "no workbook is left";
    EXPECT_EQ(std::string(child.outcome.message), reporttext::kReportOutOfMemory);
}

TEST_F(HostileForms, PagesShareWhatTheyDoNotChangeOfTheTemplate) {
    // A sheet of 20,000 cells; each page writes one cell, or copies its second row in and writes one
    // cell of the rows that moved below it.
    std::string rows;
    for (int r = 1; r <= 200; ++r) {
        rows += "<row r=\"" + std::to_string(r) + "\">";
        for (int c = 1; c <= 100; ++c) rows += "<c><v>" + std::to_string(r * c) + "</v></c>";
        rows += "</row>";
    }
    TemplateContent content;
    content.sheets = {{"表", SheetXml(rows)}};
    const std::string path = m_dir / "表.xlsx";
    WriteTestFile(path, BuildTemplate(content));
    constexpr int kPages = 20;
    for (const bool copyRows : {false, true}) {
        SCOPED_TRACE(copyRows ? "rows copied in" : "one cell written");
        size_t templateBytes = 0, pageBytes = 0;
        const ChildResult child = InChild([&](Outcome& o) {
            CXlsReportEngine engine;
            const size_t before = g_live.load();
            o.error = static_cast<int>(engine.OpenTemplate(path));
            const size_t open = g_live.load();
            for (int page = 0; page < kPages; ++page) {
                engine.PageBegin("表");
                if (copyRows) engine.RepeatRows(2, 2, 1);
                if (engine.GetErrorNo() != 0) o.error = -1;
                engine.Cell("A" + std::to_string(page + 3));
                engine.PutValueLong(page);
                engine.PageEnd();
            }
            // Reported through the outcome's fields: the template's bytes, then those of one page.
            std::snprintf(o.detail, sizeof o.detail, "%zu %zu", open - before, (g_live.load() - open) / kPages);
        });
        ASSERT_TRUE(child.reported) << child.how;
        ASSERT_EQ(child.outcome.error, static_cast<int>(XlsOpenError::none));
        ASSERT_EQ(std::sscanf(child.outcome.detail, "%zu %zu", &templateBytes, &pageBytes), 2);
        // A page that copied the template, or the rows below those it copied in, would take about what
        // the template takes.
        EXPECT_LT(pageBytes, templateBytes / 20) << "template " << templateBytes << " bytes, a page " << pageBytes;
    }
}
