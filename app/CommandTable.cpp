#include "app/CommandTable.h"

#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <QToolBar>
#include <algorithm>

#include "app/CommandIds.h"
#include "app/CommandRegistry.h"
#include "app/ShellWindows.h"

namespace {

constexpr unsigned kNone = 0;
constexpr bool kCheck = true;

// A command's id and its name, spelt once.
#define CMD(name) cmd::name, #name

const CommandInfo kCommands[] = {
    // id and name, menu text, tool tip, shortcut, picture, places, status pane, checkable
    {CMD(ShameiInput), "社名入力及び選択単価の初期設定(&I)...", "", "", -1, kMasterMenu, 0, false},
    {CMD(GyomuSelect), "業務選択", "業務", "", -1, kWorkToolBar, 0, false},
    {CMD(KoshuSelect), "工種選択", "工種", "", -1, kWorkToolBar, 0, false},
    {CMD(ShubetsuSelect), "種別選択", "種別", "", -1, kWorkToolBar, 0, false},
    {CMD(KeisanKubun), "積算区分設定", "積算区分", "", -1, kWorkToolBar, 0, false},
    {CMD(Suryo), "数量設定...", "", "", -1, kWorkToolBar | kViewPopup, 0, false},
    {CMD(Henkaritsu), "変化率設定", "変化率", "", -1, kWorkToolBar, 0, false},
    {CMD(InsatsuUmu), "印刷有無設定", "印刷有無", "", -1, kWorkToolBar, 0, false},
    {CMD(KoshuKei), "工種計設定", "工種計", "", -1, kWorkToolBar, 0, false},
    {CMD(Juryo), "重量設定", "重量", "", -1, kWorkToolBar, 0, false},
    {CMD(DaikaNo), "代価No設定", "代価No", "", -1, kWorkToolBar, 0, false},
    {CMD(Tani), "単位設定...", "", "", -1, kWorkToolBar | kViewPopup, 0, false},
    {CMD(Kingaku), "金額設定...", "", "", -1, kWorkToolBar | kViewPopup, 0, false},
    {CMD(Ritsu), "率設定", "率", "", -1, kWorkToolBar, 0, false},
    {CMD(Marume), "丸め設定", "丸め", "", -1, kWorkToolBar, 0, false},
    {CMD(Seido), "精度設定", "精度", "", -1, kWorkToolBar, 0, false},
    {CMD(Denshi), "電子設定", "電子", "", -1, kWorkToolBar, 0, false},
    {CMD(Hyoshi), "表紙設定・印刷(&Ｈ)...", "", "", -1, kSettingsMenu, 0, false},
    {CMD(TankaEdit), "単価ファイル編集(&Ｔ)...", "", "", -1, kMasterMenu, 0, false},
    {CMD(GyomuEdit), "共通業務(&K)...", "", "", -1, kMasterMenu, 0, false},
    {CMD(HenkaritsuEdit), "変化率･補正率ファイル編集(&R)...", "", "", -1, kMasterMenu, 0, false},
    {CMD(BukakeEdit), "歩掛ファイル編集(&B)...", "", "", -1, kMasterMenu, 0, false},
    {CMD(ShokeihiEdit), "諸経費ファイル編集(&S)...", "", "", -1, kMasterMenu, 0, false},
    {CMD(MasterDataSetting), "マスター データ設定(&S)...", "", "", -1, kMasterMenu, 1, false},
    {CMD(ToolBarMenu), "ツール バー メニュー(&M)", "", "", -1, kViewMenu, 0, kCheck},
    {CMD(KenmeiInput), "件名入力(&K)...", "", "", 4, kEditMenu | kMainToolBar, 0, false},
    {CMD(TekiyoEdit), "摘要編集(&Y)...", "", "", 6, kEditMenu | kMainToolBar | kViewPopup, 0, false},
    {CMD(NameEdit), "費目／工種／種別編集(&M)...", "", "", 5, kEditMenu | kMainToolBar | kViewPopup, 0, false},
    {CMD(MoveUp), "上へ移動(&U)", "", "", 7, kEditMenu | kMainToolBar, 0, false},
    {CMD(MoveDown), "下へ移動(&D)", "", "", 8, kEditMenu | kMainToolBar, 0, false},
    {CMD(Recalc), "再計算(&R)", "", "", 9, kEditMenu | kMainToolBar, 0, false},
    {CMD(TankaSelect), "単価選択(&C)...", "", "", -1, kMasterMenu, 2, false},
    {CMD(ProgramKingakuEdit), "プログラム金額ファイル編集(&P)...", "", "", -1, kMasterMenu, 0, false},
    {CMD(ProgramKingaku), "プログラム金額設定", "プログラム金額", "", -1, kWorkToolBar, 0, false},
    {CMD(Help), "ヘルプ", "", "F1", -1, kHelpMenu, 0, false},
    {CMD(ShowFormManager), "フォーム マネージャを表示", "", "", -1, kHelpMenu, 0, false},
    {CMD(BukakeUpdate), "歩掛 ファイルのインポート...(&B)", "", "", -1, kMasterUpdateMenu, 0, false},
    {CMD(HenkaritsuUpdate), "変化率・補正率 ファイルのインポート...(&H)", "", "", -1, kMasterUpdateMenu, 0, false},
    {CMD(TankaUpdate), "単価 ファイルのインポート...(&T)", "", "", -1, kMasterUpdateMenu, 0, false},
    {CMD(CheckConsistency), "整合性チェック...", "", "", -1, kMasterUpdateMenu, 0, false},
    {CMD(BukakeImportManual), "歩掛 ファイルのインポート－マニュアル...", "", "", -1, kMasterUpdateMenu, 0, false},
    {CMD(HenkaritsuImportManual), "変化率・補正率 ファイルのインポート－マニュアル...", "", "", -1, kMasterUpdateMenu, 0, false},
    {CMD(TankaImportManual), "単価 ファイルのインポート－マニュアル...", "", "", -1, kMasterUpdateMenu, 0, false},
    {CMD(ZairyoTankaSetting), "材料単価設定(&Z)...", "", "", -1, kMasterMenu, 3, false},
    {CMD(SokatsuPrintRows), "総括表印刷行設定...", "", "", -1, kSettingsMenu, 0, false},
    {CMD(ZairyoTankaEdit), "材料単価ファイル編集(&K)...", "", "", -1, kMasterMenu, 0, false},
    {CMD(DaikaPrintPreview), "印刷代価プレビュー(&D)", "", "", -1, kViewPopup, 0, false},
    {CMD(PrintFormSetting), "印刷フォームの設定(&F)...", "", "", -1, kSettingsMenu, 0, false},
    {CMD(ZairyoTankaUpdate), "材料単価 ファイルのインポート...(&T)", "", "", -1, kMasterUpdateMenu, 0, false},
    {CMD(ZairyoTankaImportManual), "材料単価 ファイルのインポート－マニュアル...", "", "", -1, kMasterUpdateMenu, 0, false},
    {CMD(AutoFileVersionUp), "自動ﾌｧｲﾙﾊﾞｰｼﾞｮﾝｱｯﾌﾟ", "", "", -1, kMasterUpdateMenu, 0, false},
    {CMD(RowBukakeEdit), "歩掛編集", "", "", -1, kViewPopup, 0, false},
    {CMD(Option), "オプション(&O)...", "", "", -1, kSettingsMenu, 0, false},
    {CMD(KukakuSeiriImport), "区画整理歩掛・変化率ファイルのインポート", "", "", -1, kMasterUpdateMenu, 0, false},
    {CMD(ImportOldUserBukake), "", "", "", -1, kNone, 0, false},
    {CMD(EnableBukken), "", "", "", -1, kNone, 0, false},
    {CMD(CarryOverZairyoTanka), "", "", "", -1, kNone, 0, false},
    {CMD(TableWidth), "", "", "", -1, kNone, 0, false},
    {CMD(SupportInfo), "ｻﾎﾟｰﾄ情報", "", "", -1, kHelpMenu, 0, false},
    {CMD(TechInfo), "技術情報", "", "", -1, kHelpMenu, 0, false},
    {CMD(CheckUpdate), "ｱｯﾌﾟﾃﾞｰﾄ確認", "", "", -1, kHelpMenu, 0, false},
    {CMD(CheckNotice), "お知らせ確認", "", "", -1, kHelpMenu, 0, false},
    {CMD(FileNew), "新規積算(&N)", "", "Ctrl+N", 0, kFileMenu | kMainToolBar, 0, false},
    {CMD(FileOpen), "開く(&O)...", "", "Ctrl+O", 1, kFileMenu | kMainToolBar, 0, false},
    {CMD(FileClose), "閉じる(&C)", "", "", -1, kFileMenu, 0, false},
    {CMD(FileSave), "上書き保存(&S)", "", "Ctrl+S", 2, kFileMenu | kMainToolBar, 0, false},
    {CMD(FileSaveAs), "名前を付けて保存(&A)...", "", "", -1, kFileMenu, 0, false},
    {CMD(FilePrintSetup), "印刷設定(&R)...", "", "", -1, kFileMenu, 0, false},
    {CMD(FilePrint), "印刷(&P)...", "", "Ctrl+P", 12, kFileMenu | kMainToolBar, 0, false},
    {CMD(FilePrintPreview), "印刷プレビュー(&V)", "", "", 13, kFileMenu | kMainToolBar, 0, false},
    // The recent files: their text is the file's name, set while there is one.
    {CMD(FileMru1), "", "", "", -1, kFileMenu, 0, false},
    {CMD(FileMru2), "", "", "", -1, kFileMenu, 0, false},
    {CMD(FileMru3), "", "", "", -1, kFileMenu, 0, false},
    {CMD(FileMru4), "", "", "", -1, kFileMenu, 0, false},
    {CMD(EditClear), "削除(&D)", "", "Del", 3, kEditMenu | kMainToolBar | kViewPopup, 0, false},
    {CMD(WindowCascade), "重ねて表示(&C)", "", "", 10, kWindowMenu | kMainToolBar, 0, false},
    {CMD(WindowTileHorz), "並べて表示(&T)", "", "", 11, kWindowMenu | kMainToolBar, 0, false},
    {CMD(AppAbout), "バージョン情報", "", "", 14, kHelpMenu | kMainToolBar, 0, false},
    {CMD(AppExit), "アプリケーションの終了(&X)", "", "", -1, kFileMenu, 0, false},
};
#undef CMD

using Item = CommandLayoutItem;
constexpr Item C(int id, const char* text = nullptr) { return Item{Item::Command, id, 0, text}; }
constexpr Item kSep{Item::Separator};
constexpr Item Sub(unsigned place) { return Item{Item::SubMenu, 0, place}; }
constexpr Item kRecent{Item::RecentSeparator};

const Item kFileItems[] = {
    C(cmd::FileNew), C(cmd::FileOpen), C(cmd::FileClose), C(cmd::FileSave), C(cmd::FileSaveAs), kSep,
    C(cmd::FilePrint), C(cmd::FilePrintPreview), C(cmd::FilePrintSetup), kRecent,
    C(cmd::FileMru1), C(cmd::FileMru2), C(cmd::FileMru3), C(cmd::FileMru4), kSep,
    C(cmd::AppExit),
};
const Item kEditItems[] = {
    C(cmd::KenmeiInput), C(cmd::NameEdit), C(cmd::TekiyoEdit), kSep, C(cmd::MoveUp), C(cmd::MoveDown), kSep,
    C(cmd::EditClear), kSep, C(cmd::Recalc),
};
const Item kViewItems[] = {C(cmd::ToolBarMenu)};
const Item kMasterItems[] = {
    C(cmd::MasterDataSetting), C(cmd::ZairyoTankaSetting), kSep,
    C(cmd::BukakeEdit), C(cmd::HenkaritsuEdit), C(cmd::TankaEdit), C(cmd::ShokeihiEdit), C(cmd::ProgramKingakuEdit),
    C(cmd::ZairyoTankaEdit), C(cmd::GyomuEdit), kSep,
    C(cmd::ShameiInput), C(cmd::TankaSelect), kSep,
    Sub(kMasterUpdateMenu),
};
const Item kMasterUpdateItems[] = {
    C(cmd::BukakeUpdate), C(cmd::HenkaritsuUpdate), C(cmd::TankaUpdate), C(cmd::ZairyoTankaUpdate),
    C(cmd::AutoFileVersionUp), kSep,
    C(cmd::BukakeImportManual), C(cmd::HenkaritsuImportManual), C(cmd::TankaImportManual),
    C(cmd::ZairyoTankaImportManual), C(cmd::KukakuSeiriImport), kSep,
    C(cmd::CheckConsistency),
};
const Item kSettingsItems[] = {
    C(cmd::Hyoshi), C(cmd::PrintFormSetting), C(cmd::SokatsuPrintRows), kSep, C(cmd::Option),
};
const Item kWindowItems[] = {C(cmd::WindowCascade), C(cmd::WindowTileHorz)};
const Item kHelpItems[] = {
    C(cmd::Help), C(cmd::ShowFormManager), kSep, C(cmd::SupportInfo), C(cmd::TechInfo), C(cmd::CheckUpdate), C(cmd::CheckNotice), kSep,
    C(cmd::AppAbout),
};
const Item kMainToolBarItems[] = {
    C(cmd::FileNew), C(cmd::FileOpen), C(cmd::FileSave), kSep, C(cmd::EditClear), kSep,
    C(cmd::KenmeiInput), C(cmd::NameEdit), C(cmd::TekiyoEdit), kSep, C(cmd::MoveUp), C(cmd::MoveDown), kSep,
    C(cmd::Recalc), C(cmd::WindowCascade), C(cmd::WindowTileHorz), kSep, C(cmd::FilePrint), C(cmd::FilePrintPreview),
    kSep, C(cmd::AppAbout),
};
const Item kWorkToolBarItems[] = {
    C(cmd::GyomuSelect), C(cmd::KoshuSelect), C(cmd::ShubetsuSelect), kSep,
    C(cmd::KeisanKubun), C(cmd::Henkaritsu), C(cmd::Suryo), kSep,
    C(cmd::InsatsuUmu), kSep, C(cmd::KoshuKei), kSep, C(cmd::Juryo), kSep,
    C(cmd::DaikaNo), C(cmd::Tani), C(cmd::Kingaku), C(cmd::Ritsu), kSep,
    C(cmd::Marume), kSep, C(cmd::Seido), C(cmd::Denshi), C(cmd::ProgramKingaku),
};
// The popup menu names the 代価 preview without its mnemonic.
const Item kViewPopupItems[] = {
    C(cmd::NameEdit), C(cmd::Tani), C(cmd::Suryo), C(cmd::Kingaku), C(cmd::TekiyoEdit),
    C(cmd::DaikaPrintPreview, "印刷代価プレビュー"), C(cmd::RowBukakeEdit), kSep, C(cmd::EditClear),
};

const CommandBar kBars[] = {
    {kFileMenu, CommandBar::MenuBarMenu, "ファイル(&F)", kFileItems},
    {kEditMenu, CommandBar::MenuBarMenu, "編集(&E)", kEditItems},
    {kViewMenu, CommandBar::MenuBarMenu, "表示(&V)", kViewItems},
    {kMasterMenu, CommandBar::MenuBarMenu, "マスター(&M)", kMasterItems},
    {kSettingsMenu, CommandBar::MenuBarMenu, "設定(&S)", kSettingsItems},
    {kWindowMenu, CommandBar::MenuBarMenu, "ウィンドウ(&W)", kWindowItems},
    {kHelpMenu, CommandBar::MenuBarMenu, "ヘルプ(&H)", kHelpItems},
    {kMasterUpdateMenu, CommandBar::SubMenu, "マスター データの更新", kMasterUpdateItems},
    {kMainToolBar, CommandBar::ToolBar, "標準", kMainToolBarItems},
    {kWorkToolBar, CommandBar::ToolBar, "作業", kWorkToolBarItems},
    {kViewPopup, CommandBar::Popup, "", kViewPopupItems},
};

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// The action of one entry: the command's shared action, or one of the entry's own when the entry
// names the command differently.
QAction* ItemAction(const Item& item, CCommandRegistry& registry, QMenu* owner) {
    if (!item.text) return CommandAction(registry, item.id);
    auto* action = new QAction(Text(item.text), owner);
    action->setData(item.id);
    action->setEnabled(registry.State(item.id).enabled);
    QObject::connect(action, &QAction::triggered, &registry, [&registry, id = item.id] { registry.Dispatch(id); });
    return action;
}

void AddItems(QMenu* menu, const CommandBar& bar, CCommandRegistry& registry,
              const std::function<bool(int)>& include, QAction** recentSeparator) {
    for (const Item& item : bar.items) {
        switch (item.kind) {
            case Item::Command:
                if (!include || include(item.id)) menu->addAction(ItemAction(item, registry, menu));
                break;
            case Item::Separator: menu->addSeparator(); break;
            case Item::RecentSeparator: {
                QAction* separator = menu->addSeparator();
                if (recentSeparator) *recentSeparator = separator;
                break;
            }
            case Item::SubMenu:
                if (const CommandBar* sub = FindCommandBar(item.subMenu)) {
                    QMenu* child = menu->addMenu(Text(sub->title));
                    QObject::connect(child, &QMenu::aboutToShow, &registry, [&registry] { registry.UpdateActions(); });
                    AddItems(child, *sub, registry, include, recentSeparator);
                }
                break;
        }
    }
}

}  // namespace

std::span<const CommandInfo> CommandTable() { return kCommands; }

const CommandInfo* FindCommand(int id) {
    auto it = std::find_if(std::begin(kCommands), std::end(kCommands), [id](const CommandInfo& c) { return c.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

std::span<const CommandBar> CommandBars() { return kBars; }

const CommandBar* FindCommandBar(unsigned place) {
    auto it = std::find_if(std::begin(kBars), std::end(kBars), [place](const CommandBar& b) { return b.place == place; });
    return it == std::end(kBars) ? nullptr : &*it;
}

int PaneCommand(int pane) {
    if (pane <= 0) return 0;
    for (const CommandInfo& c : kCommands)
        if (c.statusPane == pane) return c.id;
    return 0;
}

QIcon ToolBarImage(int index) {
    if (index < 0) return QIcon();
    QPixmap strip(QStringLiteral(":/toolbar/main.png"));
    const int size = strip.height();
    if (strip.isNull() || (index + 1) * size > strip.width()) return QIcon();
    return QIcon(CBitmapStatic::Masked(strip.copy(index * size, 0, size, size)));
}

QAction* CommandAction(CCommandRegistry& registry, int id) {
    if (QAction* made = registry.Action(id)) return made;
    const CommandInfo* info = FindCommand(id);
    if (!info) return registry.Register(id, QString(), QString(), QKeySequence());
    const QString menuText = Text(info->menuText);
    QAction* action = registry.Register(id, menuText, Text(info->toolTip),
                                        QKeySequence(Text(info->shortcut), QKeySequence::PortableText),
                                        ToolBarImage(info->image));
    action->setCheckable(info->checkable);
    // Nothing to show without a text (a recent-file entry before it names a file).
    if (menuText.isEmpty()) action->setVisible(false);
    // The work toolbar's buttons show the command's short name.
    if (info->places & kWorkToolBar) {
        QString shortName = Text(info->toolTip);
        action->setIconText(shortName.isEmpty() ? action->text().remove(QStringLiteral("...")) : shortName);
    }
    return action;
}

void FillMenu(QMenu* menu, unsigned place, CCommandRegistry& registry, QAction** recentSeparator) {
    const CommandBar* bar = FindCommandBar(place);
    if (!bar) return;
    QObject::connect(menu, &QMenu::aboutToShow, &registry, [&registry] { registry.UpdateActions(); });
    AddItems(menu, *bar, registry, {}, recentSeparator);
}

void FillToolBar(QToolBar* toolBar, unsigned place, CCommandRegistry& registry) {
    const CommandBar* bar = FindCommandBar(place);
    if (!bar) return;
    for (const Item& item : bar->items) {
        if (item.kind == Item::Separator)
            toolBar->addSeparator();
        else if (item.kind == Item::Command)
            toolBar->addAction(CommandAction(registry, item.id));
    }
}

QMenu* BuildPopupMenu(unsigned place, CCommandRegistry& registry, QWidget* parent,
                      const std::function<bool(int id)>& include) {
    auto* menu = new QMenu(parent);
    if (const CommandBar* bar = FindCommandBar(place)) AddItems(menu, *bar, registry, include, nullptr);
    registry.UpdateActions();
    return menu;
}
