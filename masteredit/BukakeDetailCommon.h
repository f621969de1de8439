#pragma once
#include <QString>
#include <cstdint>
#include <string>

#include "master/HenkaritsuFile.h"

class CZo_Edit;
class QComboBox;

// Pieces the 歩掛 detail dialogs share: the H1..H8 lists, the 歩掛データ タイプ list, fields that hold a
// value ×100, the formula check and the amount labels.
namespace bukakedetail {

inline constexpr int kBukakeTypeCount = 34;
// The 歩掛データ タイプ list, index = stored value; shortH8 names type 13 without "(H8に設定)".
void FillBukakeTypeCombo(QComboBox* combo, bool shortH8);

// "なし" and then "(変化率)" or "(補正率)" + name of every record of the 業務's group.
void FillHenkaritsuCombo(QComboBox* combo, const CHenkaritsuFile& file, int gyomu);
// The list position of a code: 1 + its record's index in the group, 0 when unset or absent.
int HenkaritsuComboIndex(const CHenkaritsuFile& file, int gyomu, int32_t code);
// The code at a list position; unset for "なし" or a position outside the group.
int32_t HenkaritsuCodeAt(const CHenkaritsuFile& file, int gyomu, int index);

// A value ×100 shown as value ÷ 100; an unset value leaves the field empty.
void SetHundredths(CZo_Edit* field, int32_t value);
// The field ×100, nudged and truncated; unset when the field is empty.
int32_t GetHundredths(const CZo_Edit* field);

// Checks a detail formula as typed, the whole text: false after telling the user when it is empty
// or the formula library rejects it.
bool CheckDetailFormula(const std::string& formula);

// " 金額 ： 1234円" style texts of the amount labels (before: kKingakuBefore or kGokeiBefore).
QString KingakuText(const char* before, int amount);

}  // namespace bukakedetail
