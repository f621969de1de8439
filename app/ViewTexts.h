#pragma once
#include <string>

// The fixed texts of the estimate view: its labels, grid headings, status texts and messages.
namespace vemo::view {

// Labels in front of the two header texts, and what a header text shows when the estimate has none.
inline constexpr const char* kKenmeiLabel = "件   名 :";
inline constexpr const char* kBashoLabel = "箇所名 :";
inline constexpr const char* kNoHeaderText = "なし";

// Grid column headings, columns 0 (row numbers) to 6.
inline constexpr const char* kColumnTitles[7] = {"", "費目  ／  工種  ／  種別", "単 位", "数 量", "単 価", "金 額", "摘 要"};

// The 安全費 rate in the message pane: prefix + rate + suffix, or the text for no 安全費.
inline constexpr const char* kAnzenhiRatePrefix = "安全費率 ";
inline constexpr const char* kAnzenhiRateSuffix = "％";
inline constexpr const char* kAnzenhiNone = "安全費無し ";

// Caption of the view's questions.
inline constexpr const char* kConfirmCaption = "確認";

// The delete question: the kind of the current row's node, then the question.
inline constexpr const char* kDeleteKinds[3] = {"業務データ", "工種データ", "種別データ"};
inline constexpr const char* kDeleteQuestion = "を削除してよろしいですか？";
inline std::string MsgDeleteNode(int level) { return std::string(kDeleteKinds[level]) + kDeleteQuestion; }

// The estimate's material-price file is missing: the estimate takes the file in use.
inline std::string MsgZairyoFileMissing(const std::string& missing, const std::string& inUse) {
    return missing + "\nが見つかりません。\nファイルの有無を確認してください。\n現在アプリケーションで使用している材料単価ファイル\n" +
           inUse + "\nに切り替えました。";
}

// The estimate's material-price file opens but does not load: the estimate takes the file in use,
// the program-wide one or, while another estimate has switched to its own, that one.
inline std::string MsgZairyoFileUnreadable(const std::string& unreadable) {
    return unreadable + "\nの材料単価データを読み込めませんでした。\n共通の材料単価データを使用します。";
}
inline std::string MsgZairyoFileUnreadable(const std::string& unreadable, const std::string& inUse) {
    return unreadable + "\nの材料単価データを読み込めませんでした。\n現在アプリケーションで使用している材料単価ファイル\n" +
           inUse + "\nに切り替えました。";
}

}  // namespace vemo::view
