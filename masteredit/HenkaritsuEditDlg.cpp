#include "masteredit/HenkaritsuEditDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/Tx.h"
#include "masteredit/EditorButton.h"
#include "masteredit/EditorList.h"
#include "masteredit/HenkaritsuRecordList.h"
#include "masteredit/MasterEditTexts.h"
#include "master/KoshuCategory.h"
#include "report/ReportTexts.h"

namespace {
constexpr int kGroupImage = 0;
}  // namespace

QHBoxLayout* MakeHenkaritsuGyomuRow(QWidget* parent, QComboBox*& combo) {
    combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("gyomu"));
    combo->setIconSize(QSize(16, 16));
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(Tx(masteredittext::kGyomuNameLabel), parent));
    top->addWidget(combo, 1);
    return top;
}

void FillHenkaritsuGyomuCombo(QComboBox& combo, const CHenkaritsuFile& file, const std::vector<uint8_t>& codes) {
    const std::vector<QIcon> images = ListStripImages(ListStrip::Henkaritsu);
    combo.clear();
    for (uint8_t code : codes) {
        const CHenkaritsuGyomu* group = file.FindGyomu(code);
        if (!group || group->m_code > Gyomu::LastBusiness) continue;
        const QString name = QString::fromStdString(group->m_name);
        if (images.size() > kGroupImage)
            combo.addItem(images[kGroupImage], name, int{code});
        else
            combo.addItem(name, int{code});
    }
    combo.setCurrentIndex(combo.count() > 0 ? 0 : -1);
}

int HenkaritsuGyomuAt(const QComboBox& combo, int index) {
    return index >= 0 ? combo.itemData(index).toInt() : kUnset;
}

CHenkaritsuEditDlg::CHenkaritsuEditDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(masteredittext::kHenkaritsuEditCaption));
    QHBoxLayout* top = MakeHenkaritsuGyomuRow(this, m_gyomuCombo);
    m_records = new CHenkaritsuRecordList(masteredittext::kHenkaritsuListTitle, this);
    m_records->setObjectName(QStringLiteral("records"));
    m_records->SetMaster(&m_henkaritsu, &m_bukake, &m_bukakeChanged);

    m_previewButton = MakeEditorButton(this, reporttext::kPrintPreviewButton, "preview");
    m_printButton = MakeEditorButton(this, reporttext::kPrintDotsButton, "print");
    auto [ok, cancel] = MakeOkCancelButtons();
    ok->setText(Tx(reporttext::kSaveAndClose));
    cancel->setText(Tx(dialogtext::kCancel));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_previewButton);
    bottom->addWidget(m_printButton);
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_records, 1);
    layout->addLayout(bottom);
    resize(560, 520);

    connect(m_gyomuCombo, &QComboBox::activated, this, &CHenkaritsuEditDlg::OnGyomuChange);
    connect(m_previewButton, &QPushButton::clicked, this, &CHenkaritsuEditDlg::OnPreview);
    connect(m_printButton, &QPushButton::clicked, this, &CHenkaritsuEditDlg::OnPrint);
}

void CHenkaritsuEditDlg::OnInitDialog() {
    FillHenkaritsuGyomuCombo(*m_gyomuCombo, m_henkaritsu, m_codes);
    OnGyomuChange(m_gyomuCombo->currentIndex());
}

void CHenkaritsuEditDlg::OnGyomuChange(int index) {
    m_records->ShowGyomu(HenkaritsuGyomuAt(*m_gyomuCombo, index));
    m_records->List()->ShowChosen(true);
}

void CHenkaritsuEditDlg::OnPreview() {
    if (const CHenkaritsuGyomu* group = m_records->Group()) m_print.PreviewHenkaritsuList(*group);
}

void CHenkaritsuEditDlg::OnPrint() {
    if (const CHenkaritsuGyomu* group = m_records->Group()) m_print.PrintHenkaritsuList(*group);
}

void CHenkaritsuEditDlg::accept() {
    if (!m_print.RefuseWhilePreviewOpen()) CSekisanDialog::accept();
}

void CHenkaritsuEditDlg::reject() {
    if (!m_print.RefuseWhilePreviewOpen()) CSekisanDialog::reject();
}
