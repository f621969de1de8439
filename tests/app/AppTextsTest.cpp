// Every fixed text of the program, of the dialog kit and of the command table, exactly as the
// program shows it. A changed text, a missing or an extra entry and a name given twice all fail.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/AppTexts.h"
#include "app/CommandTable.h"
#include "app/dialogs/DialogTexts.h"

namespace {

using Texts = std::vector<std::pair<std::string, std::string>>;

Texts FromTable(std::span<const TextEntry> table) {
    Texts texts;
    for (const TextEntry& entry : table) texts.emplace_back(entry.name, entry.text);
    return texts;
}

void ExpectTexts(const Texts& actual, std::span<const TextEntry> expectedEntries) {
    std::map<std::string, std::string> found;
    for (const auto& [name, text] : actual) EXPECT_TRUE(found.emplace(name, text).second) << "twice: " << name;
    std::map<std::string, std::string> expected;
    for (const TextEntry& entry : expectedEntries)
        EXPECT_TRUE(expected.emplace(entry.name, entry.text).second) << "listed twice: " << entry.name;

    for (const auto& [name, text] : expected) {
        auto it = found.find(name);
        if (it == found.end())
            ADD_FAILURE() << "missing: " << name;
        else
            EXPECT_EQ(it->second, text) << name;
    }
    for (const auto& [name, text] : found)
        if (!expected.count(name)) ADD_FAILURE() << "extra: " << name << " = " << text;
    EXPECT_EQ(actual.size(), expectedEntries.size());
}

// The places of the command table by the names of their constants.
const std::pair<unsigned, const char*> kPlaceNames[] = {
    {kFileMenu, "kFileMenu"},
    {kEditMenu, "kEditMenu"},
    {kViewMenu, "kViewMenu"},
    {kMasterMenu, "kMasterMenu"},
    {kMasterUpdateMenu, "kMasterUpdateMenu"},
    {kSettingsMenu, "kSettingsMenu"},
    {kWindowMenu, "kWindowMenu"},
    {kHelpMenu, "kHelpMenu"},
    {kMainToolBar, "kMainToolBar"},
    {kWorkToolBar, "kWorkToolBar"},
    {kViewPopup, "kViewPopup"},
};

std::string PlaceName(unsigned place) {
    for (const auto& [bits, name] : kPlaceNames)
        if (bits == place) return name;
    ADD_FAILURE() << "place without a name: " << place;
    return std::to_string(place);
}

// The texts of the command table: each command's menu text ("<command>.menu") and tool tip
// ("<command>.toolTip"), each bar's title ("<place>") and each entry's own text
// ("<place>.<command>"). Empty texts are left out.
Texts CommandTexts() {
    Texts texts;
    auto add = [&texts](std::string name, const char* text) {
        if (text && *text) texts.emplace_back(std::move(name), text);
    };
    for (const CommandInfo& command : CommandTable()) {
        add(std::string(command.name) + ".menu", command.menuText);
        add(std::string(command.name) + ".toolTip", command.toolTip);
    }
    for (const CommandBar& bar : CommandBars()) {
        add(PlaceName(bar.place), bar.title);
        for (const CommandLayoutItem& item : bar.items) {
            if (item.kind != CommandLayoutItem::Command || !item.text) continue;
            const CommandInfo* command = FindCommand(item.id);
            add(PlaceName(bar.place) + "." + (command ? command->name : std::to_string(item.id)), item.text);
        }
    }
    return texts;
}

const TextEntry kAppTexts[] = {
    {"kMainCaption", "Vemo Ovra  農林版　令和7年度積算基準対応版"},
    {"kOpenTitle", "開く"},
    {"kSaveAsTitle", "名前を付けて保存"},
    {"kSaveCopyTitle", "コピーを保存"},
    {"kDefaultOpenName", "無題.sei"},
    {"kEstimateFilter", "Vemo 農林版 ﾌｧｲﾙ (*.sei)|*.sei|旧Vemo 農林版 ﾌｧｲﾙ (*.seb)|*.seb|全てのﾌｧｲﾙ (*.*)|*.*||"},
    {"kAskSaveChangesAfter", " への変更を保存しますか?"},
    {"kEstimateHeader", "件名 : %1\n箇所名 : %2\nマスター データ : %3\n材料単価 : %4\n行数 : %5"},
    {"kHeaderNone", "なし"},
    {"kModifiedMark", " *"},
    {"kEstimateZairyoTankaUnreadable",
     "\nの材料単価データを読み込めませんでした。\n共通の材料単価データを使用します。"},
    {"kTableWidthCaption", "表の幅の調整"},
    {"kAskOverwriteHyoshiFile", "表紙データ ファイルを書き換えてよろしいですか？"},
    {"kGyomuAreaText", "区画整理 測量／区画整理 設計／物件調査／土質調査 版"},
    {"kMessageBoxCancel", "キャンセル"},
    {"kMessageBoxYes", "はい(&Y)"},
    {"kMessageBoxNo", "いいえ(&N)"},
    {"kProgressCaption", "進捗状況"},
    {"kProgressStartPercent", " 0 %"},
    {"kVersionPrefix", "Version "},
    {"kDataFolderLabel", "データ参照先 ：:"},
    {"kMasterListHeader", "マスターデータ一覧"},
    {"kDeleteButton", "削除"},
    {"kSwitchDataFolderButton", "データ参照先切換"},
    {"kUpFolderButton", "１つ上のフォルダ"},
    {"kMasterFolderIncomplete", "選択したデータ参照先には、必要なデータファイルがありません。"},
    {"kMasterDataNote", "※マスター データとは、歩掛ファイル、変化率ファイルを指します。"},
    {"kChooseDataFolderTitle", "「データ格納」　フォルダを選択して下さい"},
    {"kMissingFilesHeading", "データ参照先には、以下のファイルがありません。\n\n"},
    {"kMissingBukakeLine", "歩掛データ.soa\u3000  \u3000\u3000\u3000\u3000がありません。\n"},
    {"kMissingHenkaritsuLine", "変化率データ.soa\u3000\u3000\u3000\u3000\u3000がありません。\n"},
    {"kMissingTankaLine", "単価データ.daa\u3000\u3000\u3000\u3000\u3000\u3000がありません。\n"},
    {"kMissingShokeihiLine", "諸経費データ.daa\u3000\u3000\u3000\u3000\u3000がありません。\n"},
    {"kMissingProgramKingakuLine", "プログラム金額データ.daa\u3000がありません。\n"},
    {"kMissingZairyoTankaLine", "材料単価データがありません。\n"},
    {"kConfirmCaption", "確認"},
    {"kEnterFileName", "ファイル名を入力してください。"},
    {"kFolderNameInvalid", "この名前はフォルダ名に使用できません。\n「\\」「/」を含まない名前を入力してください。"},
    {"kFolderNameTaken", "同じ名前のフォルダまたはファイルが既にあります。\n別の名前を入力してください。"},
    {"kCannotRenameCurrentFolder",
     "このフォルダは、現在設定されているフォルダです。\nフォルダ名を変更することはできません。"},
    {"kRenameFolderFailed", "フォルダ名を変更できませんでした。"},
    {"kCopyNamePrefix", "コピー ～ "},
    {"kCopyFolderFailed", "フォルダをコピーできませんでした。"},
    {"kSelectFolderToDelete", "削除するフォルダを選択してください。"},
    {"kCannotDeleteCurrentFolder",
     "このフォルダは、現在設定されているフォルダです。\n削除するには、設定フォルダを変更する必要があります。"},
    {"kAskDeleteFolderBefore", "フォルダ ' "},
    {"kAskDeleteFolderAfter", " ' を削除してよろしいですか？"},
    {"kSelectDirectory", "ディレクトリを選択してください。"},
    {"kMasterSelectCaption", "マスターデータ選択"},
    {"kMasterSelectOld", "このデータが参照しているマスターデータは、"},
    {"kMasterSelectBut", "ですが、"},
    {"kMasterSelectNew", "データ参照先を現在設定されている、下記のマスターデータに変更します。"},
    {"kBrowseButton", "参照..."},
    {"kSelectedFolderIncomplete", "選択フォルダには、歩掛データ、変化率データが存在しません。"},
};

const TextEntry kDialogTexts[] = {
    {"kOk", "OK"},
    {"kCancel", "ｷｬﾝｾﾙ"},
    {"kNumberInputCaption", "数値入力"},
    {"kNumberLabel", "数値  :"},
    {"kQuantityCaption", "数量入力"},
    {"kQuantityLabel", "数量 :"},
    {"kUnitPriceCaption", "単価入力"},
    {"kUnitPriceLabel", "単価 :"},
    {"kAmountCaption", "金額入力"},
    {"kAmountLabel", "金額 :"},
    {"kRateCaption", "率入力"},
    {"kRateLabel", "率 :"},
    {"kPercentUnit", "％"},
    {"kWeightAverageCaption", "重量平均値入力"},
    {"kWeightAverageLabel", "重量平均値 :"},
    {"kSummaryRowsCaption", "総括表印刷行数入力"},
    {"kRowsLabel", "行数 :"},
    {"kMultiplyCaption", "現在の数量を何倍しますか？"},
    {"kMultiplyLabel", "数量　×　:"},
    {"kTimesUnit", "倍"},
    {"kManualNote",
     "任意の数値が入力されています。\n入力を解除し自動的に計算する場合は自動計算ボタンを押してください。"},
    {"kAutoCalc", "自動計算"},
    {"kDiscountNote", "※＋入力すると値引きします。－入力すると加算します。"},
    {"kYearUpToH26", "平成26年度以前の率を使用"},
    {"kYearFromH27", "平成27年度以降の率を使用"},
    {"kYearH27ToR6", "平成27年度～令和6年度までの率を使用"},
    {"kYearH27", "平成27年度の率を使用"},
    {"kYearH28H29", "平成28年度および平成29年度の率を使用"},
    {"kYearH30ToR5", "平成30年度～令和5年度までの率を使用"},
    {"kYearFromR6", "令和6年度以降の率を使用"},
    {"kYearFromR7", "令和7年度以降の率を使用"},
    {"kYearNote", "使用する年度の率を選択して、「自動計算」ボタンを押して下さい。"},
    {"kRateTableCorner", "場所＼地域"},
    {"kDistrictDaiShigaichi", "大市街地"},
    {"kDistrictShigaichiKo", "市街地甲"},
    {"kDistrictShigaichiOtsu", "市街地乙・都市近郊"},
    {"kDistrictSonota", "その他"},
    {"kPlaceGendo", "主として現道上"},
    {"kNameEditCaption", "名前変更"},
    {"kActionNew", "新規作成"},
    {"kActionRename", "名前の変更"},
    {"kActionCopy", "コピー"},
    {"kActionAdd", "追加"},
    {"kActionInsert", "挿入"},
    {"kTradeAdd", "職種追加"},
    {"kTradeRename", "職種変更"},
    {"kTradeCopy", "職種コピー"},
    {"kTradeInsert", "職種挿入"},
    {"kArticleAdd", "品名追加"},
    {"kArticleRename", "品名変更"},
    {"kArticleCopy", "品名コピー"},
    {"kArticleInsert", "品名挿入"},
    {"kNameLabel", "名前 :"},
    {"kArticleLabel", "品名："},
    {"kUnitLabel", "単位 :"},
    {"kCodeLabel", "コード :"},
    {"kKensetsuBukkaCodeLabel", "建設物価コード :"},
    {"kKanrenLabel", "関連："},
    {"kYobiLabel", "予備 :"},
    {"kUserCreated", "ユーザー作成"},
    {"kPriceKindTitle", "単価種別"},
    {"kTankaKindChokusetsuJinkenhi", "直接人件費"},
    {"kTankaKindRomuhi", "労務費"},
    {"kZairyoKindDoryoku", "動力費"},
    {"kTableTitleCaption", "表のタイトル変更"},
    {"kRowTitleLabel", "行のタイトル :"},
    {"kColumnTitleLabel", "列のタイトル :"},
    {"kItemNameCaption", "費目／工種／種別名の編集"},
    {"kTekiyoCaption", "摘要の編集"},
    {"kUpperLabel", "上段 :"},
    {"kLowerLabel", "下段 :"},
};

const TextEntry kCommandTexts[] = {
    {"ShameiInput.menu", "社名入力及び選択単価の初期設定(&I)..."},
    {"GyomuSelect.menu", "業務選択"},
    {"GyomuSelect.toolTip", "業務"},
    {"KoshuSelect.menu", "工種選択"},
    {"KoshuSelect.toolTip", "工種"},
    {"ShubetsuSelect.menu", "種別選択"},
    {"ShubetsuSelect.toolTip", "種別"},
    {"KeisanKubun.menu", "積算区分設定"},
    {"KeisanKubun.toolTip", "積算区分"},
    {"Suryo.menu", "数量設定..."},
    {"Henkaritsu.menu", "変化率設定"},
    {"Henkaritsu.toolTip", "変化率"},
    {"InsatsuUmu.menu", "印刷有無設定"},
    {"InsatsuUmu.toolTip", "印刷有無"},
    {"KoshuKei.menu", "工種計設定"},
    {"KoshuKei.toolTip", "工種計"},
    {"Juryo.menu", "重量設定"},
    {"Juryo.toolTip", "重量"},
    {"DaikaNo.menu", "代価No設定"},
    {"DaikaNo.toolTip", "代価No"},
    {"Tani.menu", "単位設定..."},
    {"Kingaku.menu", "金額設定..."},
    {"Ritsu.menu", "率設定"},
    {"Ritsu.toolTip", "率"},
    {"Marume.menu", "丸め設定"},
    {"Marume.toolTip", "丸め"},
    {"Seido.menu", "精度設定"},
    {"Seido.toolTip", "精度"},
    {"Denshi.menu", "電子設定"},
    {"Denshi.toolTip", "電子"},
    {"Hyoshi.menu", "表紙設定・印刷(&Ｈ)..."},
    {"TankaEdit.menu", "単価ファイル編集(&Ｔ)..."},
    {"GyomuEdit.menu", "共通業務(&K)..."},
    {"HenkaritsuEdit.menu", "変化率･補正率ファイル編集(&R)..."},
    {"BukakeEdit.menu", "歩掛ファイル編集(&B)..."},
    {"ShokeihiEdit.menu", "諸経費ファイル編集(&S)..."},
    {"MasterDataSetting.menu", "マスター データ設定(&S)..."},
    {"ToolBarMenu.menu", "ツール バー メニュー(&M)"},
    {"KenmeiInput.menu", "件名入力(&K)..."},
    {"TekiyoEdit.menu", "摘要編集(&Y)..."},
    {"NameEdit.menu", "費目／工種／種別編集(&M)..."},
    {"MoveUp.menu", "上へ移動(&U)"},
    {"MoveDown.menu", "下へ移動(&D)"},
    {"Recalc.menu", "再計算(&R)"},
    {"TankaSelect.menu", "単価選択(&C)..."},
    {"ProgramKingakuEdit.menu", "プログラム金額ファイル編集(&P)..."},
    {"ProgramKingaku.menu", "プログラム金額設定"},
    {"ProgramKingaku.toolTip", "プログラム金額"},
    {"Help.menu", "ヘルプ"},
    {"ShowFormManager.menu", "フォーム マネージャを表示"},
    {"BukakeUpdate.menu", "歩掛 ファイルのインポート...(&B)"},
    {"HenkaritsuUpdate.menu", "変化率・補正率 ファイルのインポート...(&H)"},
    {"TankaUpdate.menu", "単価 ファイルのインポート...(&T)"},
    {"CheckConsistency.menu", "整合性チェック..."},
    {"BukakeImportManual.menu", "歩掛 ファイルのインポート－マニュアル..."},
    {"HenkaritsuImportManual.menu", "変化率・補正率 ファイルのインポート－マニュアル..."},
    {"TankaImportManual.menu", "単価 ファイルのインポート－マニュアル..."},
    {"ZairyoTankaSetting.menu", "材料単価設定(&Z)..."},
    {"SokatsuPrintRows.menu", "総括表印刷行設定..."},
    {"ZairyoTankaEdit.menu", "材料単価ファイル編集(&K)..."},
    {"DaikaPrintPreview.menu", "印刷代価プレビュー(&D)"},
    {"PrintFormSetting.menu", "印刷フォームの設定(&F)..."},
    {"ZairyoTankaUpdate.menu", "材料単価 ファイルのインポート...(&T)"},
    {"ZairyoTankaImportManual.menu", "材料単価 ファイルのインポート－マニュアル..."},
    {"AutoFileVersionUp.menu", "自動ﾌｧｲﾙﾊﾞｰｼﾞｮﾝｱｯﾌﾟ"},
    {"RowBukakeEdit.menu", "歩掛編集"},
    {"Option.menu", "オプション(&O)..."},
    {"KukakuSeiriImport.menu", "区画整理歩掛・変化率ファイルのインポート"},
    {"SupportInfo.menu", "ｻﾎﾟｰﾄ情報"},
    {"TechInfo.menu", "技術情報"},
    {"CheckUpdate.menu", "ｱｯﾌﾟﾃﾞｰﾄ確認"},
    {"CheckNotice.menu", "お知らせ確認"},
    {"FileNew.menu", "新規積算(&N)"},
    {"FileOpen.menu", "開く(&O)..."},
    {"FileClose.menu", "閉じる(&C)"},
    {"FileSave.menu", "上書き保存(&S)"},
    {"FileSaveAs.menu", "名前を付けて保存(&A)..."},
    {"FilePrintSetup.menu", "印刷設定(&R)..."},
    {"FilePrint.menu", "印刷(&P)..."},
    {"FilePrintPreview.menu", "印刷プレビュー(&V)"},
    {"EditClear.menu", "削除(&D)"},
    {"WindowCascade.menu", "重ねて表示(&C)"},
    {"WindowTileHorz.menu", "並べて表示(&T)"},
    {"AppAbout.menu", "バージョン情報"},
    {"AppExit.menu", "アプリケーションの終了(&X)"},
    {"kFileMenu", "ファイル(&F)"},
    {"kEditMenu", "編集(&E)"},
    {"kViewMenu", "表示(&V)"},
    {"kMasterMenu", "マスター(&M)"},
    {"kSettingsMenu", "設定(&S)"},
    {"kWindowMenu", "ウィンドウ(&W)"},
    {"kHelpMenu", "ヘルプ(&H)"},
    {"kMasterUpdateMenu", "マスター データの更新"},
    {"kMainToolBar", "標準"},
    {"kWorkToolBar", "作業"},
    {"kViewPopup.DaikaPrintPreview", "印刷代価プレビュー"},
};

}  // namespace

TEST(AppTexts, EveryTextVerbatim) { ExpectTexts(FromTable(AppTexts()), kAppTexts); }

TEST(DialogKitTexts, EveryTextVerbatim) { ExpectTexts(FromTable(DialogTexts()), kDialogTexts); }

TEST(CommandTableTexts, EveryTextVerbatim) { ExpectTexts(CommandTexts(), kCommandTexts); }
