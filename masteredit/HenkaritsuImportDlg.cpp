#include "masteredit/HenkaritsuImportDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogkit/Tx.h"
#include "pictures/ImageList.h"
#include "pictures/Resources.h"
#include "dialogkit/DialogTexts.h"
#include "masteredit/EditorList.h"
#include "masteredit/EntryCodes.h"
#include "masteredit/HenkaritsuEditDlg.h"
#include "masteredit/HenkaritsuRecordList.h"
#include "masteredit/MasterEditTexts.h"
#include "report/ReportTexts.h"
#include "platform/Host.h"

namespace {
// The import questions carry the question icon, as those of the 歩掛 import.
bool Ask(const std::string& text) { return AfxMessageBox(text, MsgButtons::YesNo, MsgIcon::Question) == IDYES; }
}  // namespace

CHenkaritsuImportDlg::CHenkaritsuImportDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(masteredittext::kHenkaritsuImportCaption));
    QHBoxLayout* top = MakeHenkaritsuGyomuRow(this, m_gyomuCombo);
    m_sourceRecords = new CHenkaritsuRecordList(masteredittext::kImportSourceListTitle, this);
    m_sourceRecords->setObjectName(QStringLiteral("source"));
    m_sourceRecords->SetMaster(&m_source);
    m_destRecords = new CHenkaritsuRecordList(masteredittext::kImportDestListTitle, this);
    m_destRecords->setObjectName(QStringLiteral("dest"));
    m_destRecords->SetMaster(&m_dest, &m_bukake, &m_bukakeChanged);

    auto* arrow = new QLabel(this);
    arrow->setObjectName(QStringLiteral("arrow"));
    InitAppResources();
    const std::vector<QIcon> arrowImage = LoadImageList(QStringLiteral(":/icons/import_arrow.png"), 32);
    if (!arrowImage.empty()) arrow->setPixmap(arrowImage.front().pixmap(32, 32));
    m_importButton = new QPushButton(Tx(masteredittext::kImportRecordButton), this);
    m_importButton->setObjectName(QStringLiteral("import"));
    m_importButton->setAutoDefault(false);
    auto [ok, cancel] = MakeOkCancelButtons();
    ok->setText(Tx(reporttext::kSaveAndClose));
    cancel->setText(Tx(dialogtext::kCancel));

    auto* middle = new QHBoxLayout;
    middle->addStretch();
    middle->addWidget(arrow);
    middle->addWidget(m_importButton);
    middle->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_sourceRecords, 1);
    layout->addLayout(middle);
    layout->addWidget(m_destRecords, 1);
    layout->addLayout(bottom);
    resize(560, 760);

    connect(m_gyomuCombo, &QComboBox::activated, this, &CHenkaritsuImportDlg::OnGyomuChange);
    connect(m_sourceRecords, &CHenkaritsuRecordList::ChosenChanged, this, [this] { EnableImport(); });
    connect(m_importButton, &QPushButton::clicked, this, &CHenkaritsuImportDlg::OnImport);
}

void CHenkaritsuImportDlg::OnInitDialog() {
    FillHenkaritsuGyomuCombo(*m_gyomuCombo, m_dest, m_codes);
    OnGyomuChange(m_gyomuCombo->currentIndex());
}

void CHenkaritsuImportDlg::OnGyomuChange(int index) {
    const int gyomu = HenkaritsuGyomuAt(*m_gyomuCombo, index);
    // A source without the group may start it, under the destination's name.
    m_sourceRecords->ShowGyomu(gyomu, m_gyomuCombo->itemText(index).toStdString());
    m_destRecords->ShowGyomu(gyomu);
    EnableImport();
    m_sourceRecords->List()->ShowChosen(true);
    m_destRecords->List()->ShowChosen(true);
}

void CHenkaritsuImportDlg::EnableImport() { m_importButton->setEnabled(m_sourceRecords->ChosenRecord() != nullptr); }

void CHenkaritsuImportDlg::OnImport() {
    const CHenkaritsuRecord* chosen = m_sourceRecords->ChosenRecord();
    CHenkaritsuGyomu* dest = m_destRecords->Group();
    if (!chosen || !dest) return;
    auto record = std::make_unique<CHenkaritsuRecord>(*chosen);
    const std::string& name = chosen->m_name;
    if (!Ask(masteredittext::kHenkaritsuRecordBefore + name + masteredittext::kAskImportAfter)) return;

    int index = dest->FindRecordIndex(record->m_code);
    if (index < 0) {
        index = dest->AddRecord(std::move(record));
    } else if (Ask(masteredittext::kAskOverwriteRecordBefore + name + masteredittext::kExistsAfter)) {
        dest->SetRecord(index, std::move(record));
    } else if (Ask(masteredittext::kAskAddRecordBefore + name + masteredittext::kAddAfter)) {
        // Beside its namesake, in the code range its user flag gives it.
        record->m_name = masteredittext::kImportNamePrefix + name;
        record->m_code = dest->GetNewRecordCode(record->m_userCreated);
        if (!CheckFreeCode(record->m_code, kHenkaritsuCodeRange)) return;
        index = dest->AddRecord(std::move(record));
    } else {
        return;
    }
    m_destRecords->Choose(index);
}
