// Times the way from a filled report job to a PDF file: the workbook model of its pages, their
// layout, and painting them on a PDF printer. The job holds 100 pages of a one-page form with 20
// filled lines each (texts, numbers through their formats, borders, fills, merges).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include "ScriptedHost.h"
#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "report/ReportJob.h"
#include "report/qt/ReportLayout.h"
#include "report/qt/ReportPainter.h"

namespace {

constexpr int kPages = 100;

struct FilledJob {
    FilledJob() {
        WriteTestFile(dir / "form.xlsx", xlstest::BuildTemplate(xlstest::FormTemplate()));
        if (!job.OpenTemplate(dir / "form.xlsx")) std::abort();
        for (int page = 1; page <= kPages; ++page) xlstest::FillForm(job, page);
    }
    ScriptedHost host;
    TempFolder dir;
    CReportJob job;
};

FilledJob& Job() {
    static FilledJob filled;
    return filled;
}

int PrintToPdf(const std::vector<reportqt::PageLayout>& pages, const std::string& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    return reportqt::PrintPages(printer, pages).pages;
}

// Model, layout and PDF: what printing the job to a PDF file costs.
void BM_FilledPagesToPdf(benchmark::State& state) {
    FilledJob& filled = Job();
    const std::string pdf = filled.dir / "out.pdf";
    for (auto _ : state) {
        auto pages = reportqt::LayoutWorkbook(filled.job.Engine().Model());
        if (PrintToPdf(pages, pdf) != kPages) state.SkipWithError("not every page printed");
    }
    state.counters["pages"] = kPages;
}
BENCHMARK(BM_FilledPagesToPdf)->Unit(benchmark::kMillisecond);

// The parts: the workbook model of the pages, their layout, and the painting alone.
void BM_Model(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(Job().job.Engine().Model());
}
BENCHMARK(BM_Model)->Unit(benchmark::kMillisecond);

void BM_Layout(benchmark::State& state) {
    const XlsWorkbook model = Job().job.Engine().Model();
    for (auto _ : state) benchmark::DoNotOptimize(reportqt::LayoutWorkbook(model));
}
BENCHMARK(BM_Layout)->Unit(benchmark::kMillisecond);

void BM_PaintPdf(benchmark::State& state) {
    const auto pages = reportqt::LayoutWorkbook(Job().job.Engine().Model());
    const std::string pdf = Job().dir / "paint.pdf";
    for (auto _ : state) benchmark::DoNotOptimize(PrintToPdf(pages, pdf));
}
BENCHMARK(BM_PaintPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
