#include "masteredit/BukakeDetailCommon.h"

#include <QComboBox>

#include "dialogkit/Tx.h"
#include "dialogkit/ZoEdit.h"
#include "formix/Formix.h"
#include "masteredit/EditorList.h"
#include "masteredit/MasterEditTexts.h"
#include "platform/Host.h"
#include "platform/Rounding.h"

namespace bukakedetail {
namespace {

// The pictures of the H lists.
constexpr int kRecordImage = 1;
constexpr int kNoneImage = 2;

const CHenkaritsuGyomu* Group(const CHenkaritsuFile& file, int gyomu) { return file.FindGyomu(gyomu); }
}  // namespace

void FillBukakeTypeCombo(QComboBox* combo, bool shortH8) {
    using namespace masteredittext;
    static const char* const kNames[kBukakeTypeCount] = {
        kBukakeType0,  kBukakeType1,  kBukakeType2,  kBukakeType3,  kBukakeType4,  kBukakeType5,  kBukakeType6,
        kBukakeType7,  kBukakeType8,  kBukakeType9,  kBukakeType10, kBukakeType11, kBukakeType12, kBukakeType13,
        kBukakeType14, kBukakeType15, kBukakeType16, kBukakeType17, kBukakeType18, kBukakeType19, kBukakeType20,
        kBukakeType21, kBukakeType22, kBukakeType23, kBukakeType24, kBukakeType25, kBukakeType26, kBukakeType27,
        kBukakeType28, kBukakeType29, kBukakeType30, kBukakeType31, kBukakeType32, kBukakeType33};
    combo->clear();
    for (int i = 0; i < kBukakeTypeCount; ++i)
        combo->addItem(Tx(i == 13 && shortH8 ? kBukakeType13Short : kNames[i]));
}

void FillHenkaritsuCombo(QComboBox* combo, const CHenkaritsuFile& file, int gyomu) {
    const std::vector<QIcon> images = ListStripImages(ListStrip::Henkaritsu);
    const auto image = [&images](int index) {
        return index < static_cast<int>(images.size()) ? images[index] : QIcon();
    };
    combo->clear();
    combo->addItem(image(kNoneImage), Tx(masteredittext::kNoneEntry));
    const CHenkaritsuGyomu* group = Group(file, gyomu);
    for (int i = 0; group && i < group->GetSize(); ++i) {
        const CHenkaritsuRecord& record = *group->GetRecord(i);
        const char* prefix = record.m_type != 0 ? masteredittext::kHenkaritsuPrefix : masteredittext::kHoseiritsuPrefix;
        combo->addItem(image(kRecordImage), Tx(prefix) + QString::fromStdString(record.m_name));
    }
}

int HenkaritsuComboIndex(const CHenkaritsuFile& file, int gyomu, int32_t code) {
    const CHenkaritsuGyomu* group = Group(file, gyomu);
    if (!group || IsUnset(code)) return 0;
    return 1 + group->FindRecordIndex(code);
}

int32_t HenkaritsuCodeAt(const CHenkaritsuFile& file, int gyomu, int index) {
    const CHenkaritsuGyomu* group = Group(file, gyomu);
    const CHenkaritsuRecord* record = group && index >= 1 ? group->GetRecord(index - 1) : nullptr;
    return record ? record->m_code : kUnset;
}

void SetHundredths(CZo_Edit* field, int32_t value) {
    if (IsUnset(value))
        field->clear();
    else
        field->SetDouble(value / 100.0);
}

int32_t GetHundredths(const CZo_Edit* field) {
    if (field->IsEmpty()) return kUnset;
    const double value = field->GetDouble();
    return value == -1.0 ? kUnset : DoubleToLong(value * 100.0);
}

bool CheckDetailFormula(const std::string& formula) {
    if (formula.empty()) {
        AfxMessageBox(masteredittext::kFormulaMissing, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    if (CheckWord(formula.c_str()) != 1) {
        AfxMessageBox(masteredittext::kFormulaInvalid, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    return true;
}

QString KingakuText(const char* before, int amount) {
    return Tx(before) + QString::fromStdString(NumToStr(amount, 1.0)) + Tx(masteredittext::kYenUnit);
}

}  // namespace bukakedetail
