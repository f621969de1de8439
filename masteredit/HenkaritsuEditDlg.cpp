#include "masteredit/HenkaritsuEditDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/DialogTexts.h"
#include "masteredit/EditorList.h"
#include "masteredit/HenkaritsuRecordList.h"
#include "masteredit/MasterEditTexts.h"
#include "report/ReportTexts.h"

namespace {
QString Tx(const char* text) { return QString::fromUtf8(text); }
constexpr int kGroupImage = 0;
}  // namespace

void FillHenkaritsuGyomuCombo(QComboBox& combo, const CHenkaritsuFile& file, const std::vector<uint8_t>& codes) {
    const std::vector<QIcon> images = ListStripImages(ListStrip::Henkaritsu);
    combo.clear();
    for (uint8_t code : codes) {
        const CHenkaritsuGyomu* group = file.FindGyomu(code);
        if (!group || group->m_code > 32) continue;
        const QString name = QString::fromStdString(group->m_name);
        if (images.size() > kGroupImage)
            combo.addItem(images[kGroupImage], name, int{code});
        else
            combo.addItem(name, int{code});
    }
}

CHenkaritsuEditDlg::CHenkaritsuEditDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(masteredittext::kHenkaritsuEditCaption));
    m_gyomuCombo = new QComboBox(this);
    m_gyomuCombo->setObjectName(QStringLiteral("gyomu"));
    m_gyomuCombo->setIconSize(QSize(16, 16));
    m_records = new CHenkaritsuRecordList(masteredittext::kHenkaritsuListTitle, this);
    m_records->setObjectName(QStringLiteral("records"));
    m_records->SetMaster(&m_henkaritsu, &m_bukake, &m_bukakeChanged);

    auto button = [this](const char* text, const char* name) {
        auto* b = new QPushButton(Tx(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    m_previewButton = button(reporttext::kPrintPreviewButton, "preview");
    m_printButton = button(reporttext::kPrintDotsButton, "print");
    auto [ok, cancel] = MakeOkCancelButtons();
    ok->setText(Tx(reporttext::kSaveAndClose));
    cancel->setText(Tx(dialogtext::kCancel));

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(Tx(masteredittext::kGyomuNameLabel), this));
    top->addWidget(m_gyomuCombo, 1);
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
    m_gyomuCombo->setCurrentIndex(m_gyomuCombo->count() > 0 ? 0 : -1);
    OnGyomuChange(m_gyomuCombo->currentIndex());
}

void CHenkaritsuEditDlg::OnGyomuChange(int index) {
    m_records->ShowGyomu(index >= 0 ? m_gyomuCombo->itemData(index).toInt() : kUnset);
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
