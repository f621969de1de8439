#include "masteredit/ShokeihiEditDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/ImeStatus.h"
#include "dialogkit/Tx.h"
#include "masteredit/EditorList.h"
#include "masteredit/MasterEditTexts.h"
#include "master/KoshuCategory.h"
#include "platform/Rounding.h"
#include "report/ReportTexts.h"

CShokeihiEditDlg::CShokeihiEditDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(masteredittext::kShokeihiEditCaption));
    auto* gyomuLabel = new QLabel(Tx(masteredittext::kGyomuNameLabel), this);
    m_gyomuList = new QComboBox(this);
    m_gyomuList->setObjectName(QStringLiteral("gyomu"));
    m_gyomuList->setIconSize(QSize(16, 16));
    m_gyomuList->setMinimumWidth(220);
    auto* rateLabel = new QLabel(Tx(masteredittext::kShokeihiRateLabel), this);
    m_rateEdit = MakeField("rate", CZo_Edit::DoubleRule(6, 2, 0, 999.99));
    m_rateEdit->setAlignment(Qt::AlignRight);
    m_rateEdit->setMaximumWidth(100);
    auto* unit = new QLabel(Tx(masteredittext::kPercentUnit), this);

    auto [ok, cancel] = MakeOkCancelButtons();
    ok->setText(Tx(reporttext::kSaveAndClose));
    cancel->setText(Tx(dialogtext::kCancel));

    auto* fields = new QGridLayout;
    fields->addWidget(gyomuLabel, 0, 0);
    fields->addWidget(m_gyomuList, 0, 1, 1, 2);
    fields->addWidget(rateLabel, 1, 0);
    auto* rateRow = new QHBoxLayout;
    rateRow->addWidget(m_rateEdit);
    rateRow->addWidget(unit);
    rateRow->addStretch();
    fields->addLayout(rateRow, 1, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(m_gyomuList, &QComboBox::currentIndexChanged, this, &CShokeihiEditDlg::OnGyomuChanged);
}

void CShokeihiEditDlg::OnInitDialog() {
    const std::vector<QIcon> images = ListStripImages(ListStrip::Shokeihi);
    const QIcon image = images.empty() ? QIcon() : images[0];
    const QSignalBlocker quiet(m_gyomuList);
    m_gyomuList->clear();
    m_listedCodes.clear();
    for (uint8_t code : m_gyomuCodes) {
        const CShokeihiRecord* record = m_file.FindRecord(code);
        if (!record || record->m_code > Gyomu::LastBusiness) continue;
        m_gyomuList->addItem(image, QString::fromStdString(record->m_name));
        m_listedCodes.push_back(record->m_code);
    }
    m_gyomuList->setCurrentIndex(m_index);
    m_rateEdit->SetText(QString());
    ShowRate(m_index);
    SetImeOpenStatus(m_rateEdit, false);
}

CShokeihiRecord* CShokeihiEditDlg::RecordAt(int index) const {
    if (index < 0 || index >= static_cast<int>(m_listedCodes.size())) return nullptr;
    return m_file.FindRecord(m_listedCodes[static_cast<size_t>(index)]);
}

void CShokeihiEditDlg::StoreRate(int index) {
    CShokeihiRecord* record = RecordAt(index);
    if (!record) return;
    const double value = m_rateEdit->GetDouble();
    record->m_rate = value == -1.0 ? kUnset : DoubleToLong(value * 100.0);
}

void CShokeihiEditDlg::ShowRate(int index) {
    const CShokeihiRecord* record = RecordAt(index);
    if (record && !IsUnset(record->m_rate))
        m_rateEdit->SetDouble(record->m_rate / 100.0);
    else
        m_rateEdit->SetText(QString());
}

void CShokeihiEditDlg::OnGyomuChanged(int index) {
    StoreRate(m_index);
    m_index = index;
    ShowRate(m_index);
}

void CShokeihiEditDlg::accept() {
    m_index = m_gyomuList->currentIndex();
    StoreRate(m_index);
    CSekisanDialog::accept();
}
