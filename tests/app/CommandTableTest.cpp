// Tests of app/CommandTable.h.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <set>

#include "AppTestEnvironment.h"
#include "TempFolder.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/MainFrame.h"
#include "app/QtSettings.h"

namespace {

// One line per menu item or toolbar button: its text, shortcut, tool tip, status tip, and for
// buttons the button text and whether it has a picture.
QString ItemLine(const QAction* a, bool button) {
    if (a->isSeparator()) return QStringLiteral("---");
    QString line = a->text() + QLatin1Char('|') + a->shortcut().toString(QKeySequence::PortableText) +
                   QLatin1Char('|') + a->toolTip() + QLatin1Char('|') + a->statusTip();
    if (button) line += QLatin1Char('|') + a->iconText() + (a->icon().isNull() ? QString() : QStringLiteral("|icon"));
    if (a->isCheckable()) line += QStringLiteral("|checkable");
    if (!a->isVisible()) line += QStringLiteral("|hidden");
    return line;
}

void DumpMenu(const QMenu* menu, const QString& indent, QStringList& out) {
    out << indent + QStringLiteral("[") + menu->title() + QStringLiteral("]");
    for (const QAction* a : menu->actions()) {
        if (a->menu())
            DumpMenu(a->menu(), indent + QStringLiteral("  "), out);
        else
            out << indent + QStringLiteral("  ") + ItemLine(a, false);
    }
}

void ExpectLines(const QStringList& actual, const QStringList& expected) {
    for (qsizetype i = 0; i < std::max(actual.size(), expected.size()); ++i)
        EXPECT_EQ(actual.value(i).toStdString(), expected.value(i).toStdString()) << "line " << i;
}

class CommandTableFrame : public ::testing::Test {
protected:
    void SetUp() override {
        UseFreshSettingsFolder();
        frame = std::make_unique<CMainFrame>(commands, settings, profile);
        commands.SetRoute([this] { return std::vector<CCommandTarget*>{frame.get()}; });
        frame->OnCreate();
    }

    CQtSettings profile;
    CAppSettings settings;
    CCommandRegistry commands;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(CommandTableFrame, MenusAndToolBarsKeepTheirItemsTextsAndOrder) {
    QStringList menus;
    for (const QAction* a : frame->menuBar()->actions()) DumpMenu(a->menu(), QString(), menus);
    const QStringList expectedMenus = {
        "[ファイル(&F)]",
        "  新規積算(&N)|Ctrl+N|新規積算|新規積算",
        "  開く(&O)...|Ctrl+O|開く|開く",
        "  閉じる(&C)||閉じる|閉じる",
        "  上書き保存(&S)|Ctrl+S|上書き保存|上書き保存",
        "  名前を付けて保存(&A)...||名前を付けて保存|名前を付けて保存",
        "  ---",
        "  印刷(&P)...|Ctrl+P|印刷|印刷",
        "  印刷プレビュー(&V)||印刷プレビュー|印刷プレビュー",
        "  印刷設定(&R)...||印刷設定|印刷設定",
        "  ---",
        "  ||||hidden",
        "  ||||hidden",
        "  ||||hidden",
        "  ||||hidden",
        "  ---",
        "  アプリケーションの終了(&X)||アプリケーションの終了|アプリケーションの終了",
        "[編集(&E)]",
        "  件名入力(&K)...||件名入力|件名入力",
        "  費目／工種／種別編集(&M)...||費目／工種／種別編集|費目／工種／種別編集",
        "  摘要編集(&Y)...||摘要編集|摘要編集",
        "  ---",
        "  上へ移動(&U)||上へ移動|上へ移動",
        "  下へ移動(&D)||下へ移動|下へ移動",
        "  ---",
        "  削除(&D)|Del|削除|削除",
        "  ---",
        "  再計算(&R)||再計算|再計算",
        "[表示(&V)]",
        "  ツール バー メニュー(&M)||ツール バー メニュー|ツール バー メニュー|checkable",
        "[マスター(&M)]",
        "  マスター データ設定(&S)...||マスター データ設定|マスター データ設定",
        "  材料単価設定(&Z)...||材料単価設定|材料単価設定",
        "  ---",
        "  歩掛ファイル編集(&B)...||歩掛ファイル編集|歩掛ファイル編集",
        "  変化率･補正率ファイル編集(&R)...||変化率･補正率ファイル編集|変化率･補正率ファイル編集",
        "  単価ファイル編集(&Ｔ)...||単価ファイル編集|単価ファイル編集",
        "  諸経費ファイル編集(&S)...||諸経費ファイル編集|諸経費ファイル編集",
        "  プログラム金額ファイル編集(&P)...||プログラム金額ファイル編集|プログラム金額ファイル編集",
        "  材料単価ファイル編集(&K)...||材料単価ファイル編集|材料単価ファイル編集",
        "  共通業務(&K)...||共通業務|共通業務",
        "  ---",
        "  社名入力及び選択単価の初期設定(&I)...||社名入力及び選択単価の初期設定|社名入力及び選択単価の初期設定",
        "  単価選択(&C)...||単価選択|単価選択",
        "  ---",
        "  [マスター データの更新]",
        "    歩掛 ファイルのインポート...(&B)||歩掛 ファイルのインポート...|歩掛 ファイルのインポート...",
        "    変化率・補正率 ファイルのインポート...(&H)||変化率・補正率 ファイルのインポート...|変化率・補正率 "
        "ファイルのインポート...",
        "    単価 ファイルのインポート...(&T)||単価 ファイルのインポート...|単価 ファイルのインポート...",
        "    材料単価 ファイルのインポート...(&T)||材料単価 ファイルのインポート...|材料単価 ファイルのインポート...",
        "    自動ﾌｧｲﾙﾊﾞｰｼﾞｮﾝｱｯﾌﾟ||自動ﾌｧｲﾙﾊﾞｰｼﾞｮﾝｱｯﾌﾟ|自動ﾌｧｲﾙﾊﾞｰｼﾞｮﾝｱｯﾌﾟ",
        "    ---",
        "    歩掛 ファイルのインポート－マニュアル...||歩掛 ファイルのインポート－マニュアル|歩掛 "
        "ファイルのインポート－マニュアル",
        "    変化率・補正率 ファイルのインポート－マニュアル...||変化率・補正率 "
        "ファイルのインポート－マニュアル|変化率・補正率 ファイルのインポート－マニュアル",
        "    単価 ファイルのインポート－マニュアル...||単価 ファイルのインポート－マニュアル|単価 "
        "ファイルのインポート－マニュアル",
        "    材料単価 ファイルのインポート－マニュアル...||材料単価 ファイルのインポート－マニュアル|材料単価 "
        "ファイルのインポート－マニュアル",
        "    区画整理歩掛・変化率ファイルのインポート||区画整理歩掛・変化率ファイルのインポート|"
        "区画整理歩掛・変化率ファイルのインポート",
        "    ---",
        "    整合性チェック...||整合性チェック|整合性チェック",
        "[設定(&S)]",
        "  表紙設定・印刷(&Ｈ)...||表紙設定・印刷|表紙設定・印刷",
        "  印刷フォームの設定(&F)...||印刷フォームの設定|印刷フォームの設定",
        "  総括表印刷行設定...||総括表印刷行設定|総括表印刷行設定",
        "  ---",
        "  オプション(&O)...||オプション|オプション",
        "[ウィンドウ(&W)]",
        "  重ねて表示(&C)||重ねて表示|重ねて表示",
        "  並べて表示(&T)||並べて表示|並べて表示",
        "[ヘルプ(&H)]",
        "  ヘルプ|F1|ヘルプ|ヘルプ",
        "  フォーム マネージャを表示||フォーム マネージャを表示|フォーム マネージャを表示",
        "  ---",
        "  ｻﾎﾟｰﾄ情報||ｻﾎﾟｰﾄ情報|ｻﾎﾟｰﾄ情報",
        "  技術情報||技術情報|技術情報",
        "  ｱｯﾌﾟﾃﾞｰﾄ確認||ｱｯﾌﾟﾃﾞｰﾄ確認|ｱｯﾌﾟﾃﾞｰﾄ確認",
        "  お知らせ確認||お知らせ確認|お知らせ確認",
        "  ---",
        "  バージョン情報||バージョン情報|バージョン情報",
    };
    ExpectLines(menus, expectedMenus);

    QStringList bars;
    for (const QToolBar* bar : frame->findChildren<QToolBar*>()) {
        bars << QStringLiteral("[%1 %2 %3]").arg(bar->objectName(), bar->windowTitle()).arg(frame->toolBarArea(const_cast<QToolBar*>(bar)));
        for (const QAction* a : bar->actions()) bars << QStringLiteral("  ") + ItemLine(a, true);
    }
    const QStringList expectedBars = {
        "[mainToolBar 標準 4]",
        "  新規積算(&N)|Ctrl+N|新規積算|新規積算|新規積算(N)|icon",
        "  開く(&O)...|Ctrl+O|開く|開く|開く(O)|icon",
        "  上書き保存(&S)|Ctrl+S|上書き保存|上書き保存|上書き保存(S)|icon",
        "  ---",
        "  削除(&D)|Del|削除|削除|削除(D)|icon",
        "  ---",
        "  件名入力(&K)...||件名入力|件名入力|件名入力(K)|icon",
        "  費目／工種／種別編集(&M)...||費目／工種／種別編集|費目／工種／種別編集|費目／工種／種別編集(M)|icon",
        "  摘要編集(&Y)...||摘要編集|摘要編集|摘要編集(Y)|icon",
        "  ---",
        "  上へ移動(&U)||上へ移動|上へ移動|上へ移動(U)|icon",
        "  下へ移動(&D)||下へ移動|下へ移動|下へ移動(D)|icon",
        "  ---",
        "  再計算(&R)||再計算|再計算|再計算(R)|icon",
        "  重ねて表示(&C)||重ねて表示|重ねて表示|重ねて表示(C)|icon",
        "  並べて表示(&T)||並べて表示|並べて表示|並べて表示(T)|icon",
        "  ---",
        "  印刷(&P)...|Ctrl+P|印刷|印刷|印刷(P)|icon",
        "  印刷プレビュー(&V)||印刷プレビュー|印刷プレビュー|印刷プレビュー(V)|icon",
        "  ---",
        "  バージョン情報||バージョン情報|バージョン情報|バージョン情報|icon",
        "[workToolBar 作業 1]",
        "  業務選択||業務|業務選択|業務",
        "  工種選択||工種|工種選択|工種",
        "  種別選択||種別|種別選択|種別",
        "  ---",
        "  積算区分設定||積算区分|積算区分設定|積算区分",
        "  変化率設定||変化率|変化率設定|変化率",
        "  数量設定...||数量設定|数量設定|数量設定",
        "  ---",
        "  印刷有無設定||印刷有無|印刷有無設定|印刷有無",
        "  ---",
        "  工種計設定||工種計|工種計設定|工種計",
        "  ---",
        "  重量設定||重量|重量設定|重量",
        "  ---",
        "  代価No設定||代価No|代価No設定|代価No",
        "  単位設定...||単位設定|単位設定|単位設定",
        "  金額設定...||金額設定|金額設定|金額設定",
        "  率設定||率|率設定|率",
        "  ---",
        "  丸め設定||丸め|丸め設定|丸め",
        "  ---",
        "  精度設定||精度|精度設定|精度",
        "  電子設定||電子|電子設定|電子",
        "  プログラム金額設定||プログラム金額|プログラム金額設定|プログラム金額",
    };
    ExpectLines(bars, expectedBars);
}

// The table holds each command once, in id order; whatever shows a command has what it needs to
// show it; and a command's places agree with the menus, toolbars and popups that list it.
TEST(CommandTable, RowsAreCompleteAndAgreeWithTheLayouts) {
    std::set<int> ids;
    std::set<std::string> names;
    std::set<int> images;
    std::set<int> panes;
    int previous = 0;
    const int stripSize = 15;
    for (const CommandInfo& c : CommandTable()) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(ids.insert(c.id).second);
        EXPECT_TRUE(names.insert(c.name).second);
        EXPECT_GT(c.id, previous);
        previous = c.id;
        EXPECT_EQ(FindCommand(c.id), &c);
        const bool recentFile = c.id >= cmd::FileMru1 && c.id <= cmd::FileMru4;
        if (c.places != 0 && !recentFile) {
            EXPECT_STRNE(c.menuText, "");
        }
        if (c.places & kMainToolBar) {
            EXPECT_GE(c.image, 0);
            EXPECT_LT(c.image, stripSize);
            EXPECT_TRUE(images.insert(c.image).second);
            EXPECT_FALSE(ToolBarImage(c.image).isNull());
        } else {
            EXPECT_EQ(c.image, -1);
        }
        if (c.statusPane != 0) {
            EXPECT_TRUE(panes.insert(c.statusPane).second);
            EXPECT_EQ(PaneCommand(c.statusPane), c.id);
        }
    }
    EXPECT_EQ(images.size(), static_cast<size_t>(stripSize));
    EXPECT_TRUE(ToolBarImage(stripSize).isNull());
    EXPECT_EQ(panes, (std::set<int>{1, 2, 3}));
    EXPECT_EQ(PaneCommand(0), 0);
    EXPECT_EQ(PaneCommand(4), 0);
    // Every work-toolbar command and every view popup command the view handles has a name.
    for (int id = 32772; id <= 32787; ++id) EXPECT_NE(FindCommand(id), nullptr) << id;
    for (int id : {cmd::ProgramKingaku, cmd::DaikaPrintPreview, cmd::RowBukakeEdit, cmd::TankaSelect})
        EXPECT_NE(FindCommand(id), nullptr) << id;

    for (const CommandBar& bar : CommandBars()) {
        SCOPED_TRACE(bar.title);
        std::set<int> listed;
        for (const CommandLayoutItem& item : bar.items) {
            if (item.kind != CommandLayoutItem::Command) continue;
            EXPECT_NE(FindCommand(item.id), nullptr) << item.id;
            EXPECT_TRUE(listed.insert(item.id).second) << item.id;
        }
        std::set<int> placed;
        for (const CommandInfo& c : CommandTable())
            if (c.places & bar.place) placed.insert(c.id);
        EXPECT_EQ(listed, placed);
    }
}

struct PopupTargets {
    CCommandTarget view;
    bool daikaSet = false;
    std::vector<int> ran;
};

// The view's popup menu: its items, texts and order, the states the route gives them, the items a
// caller leaves out, and every item runs its command.
TEST(CommandTable, PopupMenuIsBuiltFromTheTable) {
    PopupTargets t;
    for (int id : {cmd::NameEdit, cmd::Tani, cmd::TekiyoEdit, cmd::EditClear})
        t.view.OnCommand(id, [&t, id] { t.ran.push_back(id); });
    t.view.OnCommand(cmd::DaikaPrintPreview, [&t] { t.ran.push_back(cmd::DaikaPrintPreview); },
                     [&t](CCmdUI& ui) { ui.enabled = t.daikaSet; });
    CCommandRegistry registry;
    registry.SetRoute([&t] { return std::vector<CCommandTarget*>{&t.view}; });
    QWidget owner;

    auto lines = [](const QMenu* menu) {
        QStringList out;
        for (const QAction* a : menu->actions())
            out << (a->isSeparator() ? QStringLiteral("---")
                                     : a->text() + QLatin1Char('|') + a->shortcut().toString(QKeySequence::PortableText) +
                                           (a->isEnabled() ? QString() : QStringLiteral("|disabled")));
        return out;
    };
    QMenu* menu = BuildPopupMenu(kViewPopup, registry, &owner);
    EXPECT_EQ(menu->parent(), &owner);
    ExpectLines(lines(menu), {
        "費目／工種／種別編集(&M)...|",
        "単位設定...|",
        "数量設定...||disabled",
        "金額設定...||disabled",
        "摘要編集(&Y)...|",
        "印刷代価プレビュー||disabled",
        "歩掛編集||disabled",
        "---",
        "削除(&D)|Del",
    });
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) a->trigger();
    EXPECT_EQ(t.ran, (std::vector<int>{cmd::NameEdit, cmd::Tani, cmd::TekiyoEdit, cmd::EditClear}));
    delete menu;

    // A column that offers no setting leaves those four out; states are read when the menu is built.
    t.daikaSet = true;
    t.ran.clear();
    const std::set<int> leftOut = {cmd::NameEdit, cmd::Tani, cmd::Suryo, cmd::Kingaku};
    menu = BuildPopupMenu(kViewPopup, registry, &owner, [&leftOut](int id) { return leftOut.count(id) == 0; });
    ExpectLines(lines(menu), {
        "摘要編集(&Y)...|",
        "印刷代価プレビュー|",
        "歩掛編集||disabled",
        "---",
        "削除(&D)|Del",
    });
    menu->actions()[1]->trigger();
    EXPECT_EQ(t.ran, (std::vector<int>{cmd::DaikaPrintPreview}));
    delete menu;
}

}  // namespace
