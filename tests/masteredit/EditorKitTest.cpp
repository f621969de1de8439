// The kit the master editors share: the grid-block clamp, the list of an editor's entries with its
// image strips, and the checks of entry codes.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include "EventWait.h"
#include "ScriptedHost.h"
#include "dialogkit/Tx.h"
#include "masteredit/EditorList.h"
#include "masteredit/EntryCodes.h"
#include "masteredit/GridBlock.h"
#include "masteredit/MasterEditTexts.h"
#include "platform/Constants.h"

// ---- grid blocks -----------------------------------------------------------------------------------

TEST(GridBlock, CornersAreOrderedAndCutToTheData) {
    struct Row {
        const char* what;
        int col, row, col2, row2, cols, rows;
        std::optional<GridBlock> expected;
    };
    const Row rows[] = {
        {"inside", 2, 1, 4, 3, 5, 4, GridBlock{2, 1, 4, 3}},
        {"corners reversed", 4, 3, 2, 1, 5, 4, GridBlock{2, 1, 4, 3}},
        {"every column", -1, 2, -1, 3, 5, 4, GridBlock{1, 2, 5, 3}},
        {"every row", 3, -1, 3, -1, 5, 4, GridBlock{3, 1, 3, 4}},
        {"one corner -1", 2, 2, -1, 3, 5, 4, GridBlock{1, 2, 5, 3}},
        {"heading row and column", 0, 0, 2, 2, 5, 4, GridBlock{1, 1, 2, 2}},
        {"rows past the data", 4, 3, 5, 99, 5, 4, GridBlock{4, 3, 5, 4}},
        {"columns past the data", 4, 1, 9, 1, 5, 4, GridBlock{4, 1, 5, 1}},
        {"only past the data", 1, 6, 5, 8, 5, 4, std::nullopt},
        {"only the heading", 0, 0, 0, 0, 5, 4, std::nullopt},
        {"no rows of data", 1, 1, 5, 1, 5, 0, std::nullopt},
        {"every row of none", -1, -1, -1, -1, 5, 0, std::nullopt},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ClampGridBlock(r.col, r.row, r.col2, r.row2, r.cols, r.rows), r.expected) << r.what;
}

// ---- image strips ----------------------------------------------------------------------------------

TEST(ListStrips, EachStripHasTheImagesItsListsIndex) {
    const std::pair<ListStrip, size_t> strips[] = {
        {ListStrip::Bukake, 45}, {ListStrip::Henkaritsu, 3}, {ListStrip::Shokeihi, 1}};
    for (const auto& [strip, count] : strips) {
        const std::vector<QIcon> images = ListStripImages(strip);
        ASSERT_EQ(images.size(), count) << static_cast<int>(strip);
        for (const QIcon& icon : images) {
            const QImage picture = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
            EXPECT_EQ(picture.size(), QSize(16, 16));
            // Magenta is the mask colour: the corners are transparent, something is drawn.
            EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
            bool drawn = false;
            for (int y = 0; y < 16 && !drawn; ++y)
                for (int x = 0; x < 16 && !drawn; ++x) drawn = qAlpha(picture.pixel(x, y)) != 0;
            EXPECT_TRUE(drawn);
        }
    }
}

// ---- the list --------------------------------------------------------------------------------------

namespace {

class EditorListTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.resize(240, 200);
        list.SetTitle(Tx("業務データ一覧"));
        list.SetImages(ListStripImages(ListStrip::Henkaritsu));
        list.Fill({{Tx("一"), 0}, {Tx("二"), 1}, {Tx("三"), 0}});
        list.show();
        list.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list, kHangMs));
    }
    QPoint Centre(int index) { return list.visualItemRect(list.topLevelItem(index)).center(); }

    CEditorList list;
};

}  // namespace

TEST_F(EditorListTest, OneColumnWithTheCountInItsTitleAndAPictureBeforeEachEntry) {
    EXPECT_EQ(list.columnCount(), 1);
    EXPECT_EQ(list.Title(), Tx("業務データ一覧(3)"));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.EntryText(1), Tx("二"));
    EXPECT_EQ(list.iconSize(), QSize(16, 16));
    const std::vector<QIcon> images = ListStripImages(ListStrip::Henkaritsu);
    EXPECT_EQ(list.topLevelItem(1)->icon(0).pixmap(16, 16).toImage(), images[1].pixmap(16, 16).toImage());
    EXPECT_EQ(list.topLevelItem(2)->icon(0).pixmap(16, 16).toImage(), images[0].pixmap(16, 16).toImage());

    // As wide as the list less a vertical scroll bar, also after a resize.
    const int scrollBar = list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list);
    EXPECT_EQ(list.header()->sectionSize(0), list.width() - 2 * list.frameWidth() - scrollBar);
    list.resize(300, 200);
    EXPECT_EQ(list.header()->sectionSize(0), 300 - 2 * list.frameWidth() - scrollBar);

    list.Fill({});
    EXPECT_EQ(list.Title(), Tx("業務データ一覧(0)"));
    EXPECT_EQ(list.ChosenIndex(), -1);
}

TEST_F(EditorListTest, ClickKeysAndDoubleClickChooseAndOpen) {
    QSignalSpy chosen(&list, &CEditorList::Chosen);
    QSignalSpy clicked(&list, &CEditorList::Clicked);
    QSignalSpy opened(&list, &CEditorList::Opened);
    EXPECT_EQ(list.ChosenIndex(), 0);

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, Centre(2));
    EXPECT_EQ(list.ChosenIndex(), 2);
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_EQ(clicked[0][0].toInt(), 2);

    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(list.ChosenIndex(), 1);
    EXPECT_EQ(chosen.last()[0].toInt(), 1);

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, Centre(0));
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, Centre(0));
    EXPECT_EQ(list.ChosenIndex(), 0);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0][0].toInt(), 0);
}

// A click on the empty space below the entries chooses none (-1); a double-click there opens nothing.
TEST_F(EditorListTest, AClickOnEmptySpaceChoosesNone) {
    QSignalSpy chosen(&list, &CEditorList::Chosen);
    QSignalSpy clicked(&list, &CEditorList::Clicked);
    QSignalSpy opened(&list, &CEditorList::Opened);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, Centre(1));
    ASSERT_EQ(list.ChosenIndex(), 1);
    const QPoint empty(10, list.viewport()->height() - 5);
    ASSERT_EQ(list.itemAt(empty), nullptr);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, empty);
    EXPECT_EQ(list.ChosenIndex(), -1);
    EXPECT_EQ(chosen.last()[0].toInt(), -1);
    EXPECT_EQ(clicked.last()[0].toInt(), -1);
    EXPECT_TRUE(list.selectedItems().isEmpty());
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, empty);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(list.ChosenIndex(), -1);
}

TEST_F(EditorListTest, FillingKeepsTheChoiceAndShowChosenSelectsIt) {
    list.SetChosenIndex(2);
    QSignalSpy chosen(&list, &CEditorList::Chosen);
    list.Fill({{Tx("一"), 0}, {Tx("二"), 1}, {Tx("三"), 0}, {Tx("四"), 1}});
    EXPECT_EQ(list.ChosenIndex(), 2);
    EXPECT_TRUE(chosen.isEmpty());

    list.clearFocus();
    list.ShowChosen(true);
    EXPECT_TRUE(list.hasFocus());
    EXPECT_EQ(list.indexOfTopLevelItem(list.currentItem()), 2);
    ASSERT_EQ(list.selectedItems().size(), 1);
    EXPECT_EQ(list.selectedItems()[0], list.topLevelItem(2));
    EXPECT_TRUE(chosen.isEmpty());

    list.SetChosenIndex(-1);
    list.ShowChosen();
    EXPECT_TRUE(list.selectedItems().isEmpty());
}

// ---- entry codes -----------------------------------------------------------------------------------

TEST(EntryCodes, AFullRangeAndABadCodeAreRefusedWithAMessage) {
    const std::vector<int> codes = {1, 5, 32, 89};
    auto codeAt = [&codes](int i) { return codes[static_cast<size_t>(i)]; };
    struct Row {
        const char* what;
        int code;
        int self;
        const char* refusal;  // null: accepted
    };
    const Row rows[] = {
        {"free code", 7, -1, nullptr},
        {"own code kept", 5, 1, nullptr},
        {"own code above the range kept", 89, 3, nullptr},
        {"code of another entry above the range", 89, 0, masteredittext::kGyomuCodeOutOfRange},
        {"code of another entry", 5, 0, masteredittext::kCodeInUse},
        {"code of an entry, new", 32, -1, masteredittext::kCodeInUse},
        {"below the range", 0, -1, masteredittext::kGyomuCodeOutOfRange},
        {"above the range", 33, -1, masteredittext::kGyomuCodeOutOfRange},
        {"none found", -1, -1, masteredittext::kGyomuCodeOutOfRange},
        {"unset", kUnset, 0, masteredittext::kGyomuCodeOutOfRange},
    };
    for (const Row& r : rows) {
        ScriptedHost host;
        EXPECT_EQ(CheckEntryCode(r.code, kGyomuCodeRange, 4, codeAt, r.self), r.refusal == nullptr) << r.what;
        if (r.refusal) {
            ASSERT_EQ(host.messages.size(), 1u) << r.what;
            EXPECT_EQ(host.messages[0].text, r.refusal) << r.what;
            EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation) << r.what;
        } else {
            EXPECT_TRUE(host.messages.empty()) << r.what;
        }
    }

    ScriptedHost host;
    EXPECT_TRUE(CheckFreeCode(99, kProgramCodeRange));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(CheckFreeCode(-1, kProgramCodeRange));
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{masteredittext::kNoFreeProgramCode});
    EXPECT_FALSE(CheckEntryCode(100, kProgramCodeRange, 4, codeAt, -1));
    EXPECT_EQ(host.messages.back().text, masteredittext::kProgramCodeOutOfRange);
}
