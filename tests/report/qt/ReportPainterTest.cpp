// Painting laid-out pages (report/qt/ReportPainter): texts are drawn as wide as the layout measured them,
// each run of a line on the line's baseline, also where the pages are recorded and played back.
#include <gtest/gtest.h>

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPicture>
#include <QTextItem>
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "XlsTestSupport.h"
#include "report/qt/ReportLayout.h"
#include "report/qt/ReportPainter.h"

using namespace xlstest;

namespace {

// A paint device at a printer's resolution that records where every run of text is drawn, in device
// pixels; a text of several scripts comes as several runs side by side.
class TextWidthEngine : public QPaintEngine {
public:
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override {
        if (state.state() & QPaintEngine::DirtyTransform) m_transform = state.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        const QPointF at = m_transform.map(p);
        runs.push_back({at.x(), at.x() + item.width() * m_transform.m11()});
        baselines.push_back(at.y());
    }
    Type type() const override { return QPaintEngine::User; }

    std::vector<std::pair<double, double>> runs;  // left and right
    std::vector<double> baselines;

private:
    QTransform m_transform;
};

class TextWidthDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &m_engine; }
    // The widths of the texts drawn: runs that join up make one text.
    std::vector<double> Widths() const {
        std::vector<double> widths;
        double left = 0, right = -1e9;
        for (const auto& run : m_engine.runs) {
            if (std::abs(run.first - right) > 1) {
                if (right > left) widths.push_back(right - left);
                left = run.first;
            }
            right = run.second;
        }
        if (right > left) widths.push_back(right - left);
        return widths;
    }
    const std::vector<double>& Baselines() const { return m_engine.baselines; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return kDpi;
        case PdmWidth: return 210 * kDpi * 10 / 254;
        case PdmHeight: return 297 * kDpi * 10 / 254;
        case PdmDepth: return 32;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        default: return 1;
        }
    }

public:
    static constexpr int kDpi = 1200;

private:
    mutable TextWidthEngine m_engine;
};

// The pages of one sheet holding text in its first row, one cell a column, in columns of the widths
// given (characters), in 11-point Mincho that shrinks to fit.
std::vector<reportqt::PageLayout> PagesOfRow(const std::string& text, const std::vector<int>& widths) {
    std::string cols = "<cols>", row = "<row r=\"1\">";
    for (size_t i = 0; i < widths.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        cols += "<col min=\"" + n + "\" max=\"" + n + "\" width=\"" + std::to_string(widths[i]) + "\" customWidth=\"1\"/>";
        row += InlineCell(std::string(1, static_cast<char>('A' + i)) + "1", text, 1);
    }
    cols += "</cols>";
    row += "</row>";
    TemplateContent content;
    content.sheets = {{"S", SheetXml(row, "", cols)}};
    content.styles = std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><styleSheet xmlns=\"") + kMain +
                     "\"><fonts count=\"1\"><font><sz val=\"11\"/><name val=\"ＭＳ 明朝\"/></font></fonts>"
                     "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill></fills>"
                     "<borders count=\"1\"><border/></borders><cellXfs count=\"2\">"
                     "<xf fontId=\"0\" fillId=\"0\" borderId=\"0\" numFmtId=\"0\"/>"
                     "<xf fontId=\"0\" fillId=\"0\" borderId=\"0\" numFmtId=\"0\"><alignment shrinkToFit=\"1\"/></xf>"
                     "</cellXfs></styleSheet>";
    XlsWorkbook book;
    if (ReadXlsWorkbook(BuildTemplate(content), book) != XlsOpenError::none) return {};
    return reportqt::LayoutWorkbook(book);
}

TEST(ReportPainter, ShrunkTextsDrawnAsWideAsMeasured) {
    // One shrink-to-fit text in columns of several widths: its font ends up at sizes between whole
    // pixels, where a point-sized font would be rounded and drawn wider or narrower than measured.
    const auto pages = PagesOfRow("全工程,市街地 甲,障害物多,作業量(2.50ha),点数(60点),補正係数(1.00)", {8, 10, 12, 14, 16, 18});
    ASSERT_EQ(pages.size(), 1u);
    const reportqt::PageLayout& page = pages.front();

    TextWidthDevice device;
    QPainter painter(&device);
    reportqt::PaintPage(painter, page, QSizeF());
    painter.end();

    const double pixelsPerPoint = TextWidthDevice::kDpi / 72.0 * page.scale;
    size_t drawn = 0;
    for (size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE("column " + std::to_string(i + 1));
        const reportqt::TextBox* box = page.TextAt(1, static_cast<int>(i) + 1);
        ASSERT_NE(box, nullptr);
        // Too long to stay legible on one line, the text takes two lines of the cell less its
        // padding, and each is drawn as wide as it was measured.
        ASSERT_EQ(box->lines.size(), 2u);
        for (const reportqt::TextLine& line : box->lines) {
            EXPECT_LE(line.width, box->cell.width() - 2 * reportqt::kCellPadding + 0.01);
            ASSERT_LT(drawn, device.Widths().size());
            EXPECT_NEAR(device.Widths()[drawn], line.width * pixelsPerPoint, line.width * pixelsPerPoint * 0.005);
            ++drawn;
        }
    }
    EXPECT_EQ(drawn, device.Widths().size());
}

TEST(ReportPainter, RunsOfOneLineShareItsBaselineAlsoWhenPlayedBack) {
    // Digits and ideographs come from different faces. The print preview records the pages and plays
    // them back, placing each run by its own font's ascent: every run keeps the line's baseline.
    const auto pages = PagesOfRow("令和 8 年 12 月 10 日 φ66mm", {40});
    ASSERT_EQ(pages.size(), 1u);
    QPicture picture;
    QPainter recorder(&picture);
    reportqt::PaintPage(recorder, pages.front(), QSizeF());
    recorder.end();

    TextWidthDevice device;
    QPainter painter(&device);
    picture.play(&painter);
    painter.end();
    ASSERT_GE(device.Baselines().size(), 2u);
    const auto [low, high] = std::minmax_element(device.Baselines().begin(), device.Baselines().end());
    const double pixelsPerPoint = TextWidthDevice::kDpi / 72.0;
    EXPECT_LT(*high - *low, 0.05 * 11 * pixelsPerPoint);
}

}  // namespace
