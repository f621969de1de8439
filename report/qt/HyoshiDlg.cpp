#include "report/qt/HyoshiDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/SpreadSheet.h"
#include "dialogkit/Tx.h"
#include "estimate/SekisanItemList.h"
#include "estimate/CalcCodes.h"
#include "master/TankaFile.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"
#include "platform/NumberText.h"
#include "report/EraDate.h"
#include "report/EstimateReport.h"
#include "report/ReportTexts.h"

using namespace reporttext;
using calc::Gyomu;
using calc::Koshu;

namespace {

constexpr int kSpareLines = 10;
constexpr COLORREF kLockedGrey = 0xC0C0C0;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;

// The history list behind each combo, and the question of its clear button.
constexpr int kHistoryOf[CHyoshiDlg::kFieldCount] = {CHyoshiData::kHistoryPrintTitle, CHyoshiData::kHistoryAddress,
                                                     CHyoshiData::kHistoryAddress, CHyoshiData::kHistorySubject,
                                                     CHyoshiData::kHistoryPlace};
constexpr const char* kClearQuestion[CHyoshiDlg::kFieldCount] = {kAskClearPrintTitle, kAskClearAddress1,
                                                                 kAskClearAddress2, kAskClearSubject, kAskClearPlace};
constexpr const char* kFieldNames[CHyoshiDlg::kFieldCount] = {"printTitle", "address1", "address2", "subject", "place"};

// The twin lines of each label (the spare lines take lines 5 to 14) and the standard labels.
constexpr int kLabelLine[9] = {0, 1, 2, 3, 4, 5, 15, 16, 17};
constexpr const char* kStandardLabels[9] = {kHyoshiPrintTitleLabel, kHyoshiNoLabel,      kHyoshiDateLabel,
                                            kHyoshiAddress1Label,   kHyoshiAddress2Label, kHyoshiSpareLabel,
                                            kHyoshiSubjectLabel,    kHyoshiPlaceLabel,    kHyoshiAmountLabel};
// The twin line of each history combo.
constexpr int kFieldLine[CHyoshiDlg::kFieldCount] = {0, 3, 4, 15, 16};

QComboBox* MakeCombo(QWidget* parent, const char* name) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumWidth(360);
    return combo;
}

QPushButton* MakeButton(QWidget* parent, const char* text, const char* name) {
    auto* button = new QPushButton(Tx(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CHyoshiDlg::CHyoshiDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(kHyoshiCaption));
    auto* fields = new QGridLayout;
    static constexpr const char* kLabelNames[9] = {"printTitleLabel", "numberLabel",  "dateLabel",
                                                   "address1Label",   "address2Label", "spareLabel",
                                                   "subjectLabel",    "placeLabel",    "amountLabel"};
    for (size_t i = 0; i < m_labels.size(); ++i) {
        m_labels[i] = new QLabel(Tx(kStandardLabels[i]), this);
        m_labels[i]->setObjectName(QString::fromLatin1(kLabelNames[i]));
    }
    static constexpr const char* kClearNames[kFieldCount] = {"clearPrintTitle", "clearAddress1", "clearAddress2",
                                                             "clearSubject", "clearPlace"};
    for (int f = 0; f < kFieldCount; ++f) {
        m_combos[static_cast<size_t>(f)] = MakeCombo(this, kFieldNames[f]);
        m_combos[static_cast<size_t>(f)]->installEventFilter(this);
        m_clearButtons[static_cast<size_t>(f)] = MakeButton(this, kHyoshiClearHistory, kClearNames[f]);
        connect(m_clearButtons[static_cast<size_t>(f)], &QPushButton::clicked, this,
                [this, f] { OnClearHistory(static_cast<Field>(f)); });
    }
    m_number = MakeField("number", CZo_Edit::TextRule());
    m_date = MakeField("date", CZo_Edit::TextRule());
    m_getDate = MakeButton(this, kHyoshiGetDate, "getDate");
    connect(m_getDate, &QPushButton::clicked, this, &CHyoshiDlg::OnGetDate);
    m_amount = MakeCombo(this, "amount");

    m_spare = new CSpreadSheet(this);
    m_spare->setObjectName(QStringLiteral("spare"));
    m_spare->SetMaxCols(1);
    m_spare->SetMaxRows(kSpareLines);
    m_spare->SetCellText(1, 0, QString());
    for (int row = 1; row <= kSpareLines; ++row) m_spare->SetCellText(0, row, QString());
    m_spare->SetColWidth(1, 44);
    m_spare->setMinimumHeight(kSpareLines * 22 + 24);
    MarkAsGrid(m_spare);

    int row = 0;
    auto addRow = [&](QLabel* label, QWidget* field, QWidget* button) {
        fields->addWidget(label, row, 0, Qt::AlignTop);
        fields->addWidget(field, row, 1);
        if (button) fields->addWidget(button, row, 2, Qt::AlignTop);
        ++row;
    };
    addRow(m_labels[0], m_combos[kPrintTitle], m_clearButtons[kPrintTitle]);
    addRow(m_labels[1], m_number, nullptr);
    addRow(m_labels[2], m_date, m_getDate);
    addRow(m_labels[3], m_combos[kAddress1], m_clearButtons[kAddress1]);
    addRow(m_labels[4], m_combos[kAddress2], m_clearButtons[kAddress2]);
    addRow(m_labels[5], m_spare, nullptr);
    addRow(m_labels[6], m_combos[kSubject], m_clearButtons[kSubject]);
    addRow(m_labels[7], m_combos[kPlace], m_clearButtons[kPlace]);
    addRow(m_labels[8], m_amount, nullptr);

    auto* formsLabel = new QLabel(Tx(kHyoshiFormsLabel), this);
    m_formList = new QListWidget(this);
    m_formList->setObjectName(QStringLiteral("forms"));
    m_formList->setMinimumWidth(220);
    connect(m_formList, &QListWidget::itemChanged, this, &CHyoshiDlg::OnFormChecked);

    m_ok = MakeButton(this, kSaveAndClose, "ok");
    m_ok->setDefault(true);
    m_cancel = MakeButton(this, dialogtext::kCancel, "cancel");
    m_preview = MakeButton(this, kPrintPreviewButton, "preview");
    m_print = MakeButton(this, kPrintDotsButton, "print");
    connect(m_ok, &QPushButton::clicked, this, &CHyoshiDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CHyoshiDlg::reject);
    connect(m_preview, &QPushButton::clicked, this, &CHyoshiDlg::OnPreview);
    connect(m_print, &QPushButton::clicked, this, &CHyoshiDlg::OnPrint);

    auto* side = new QVBoxLayout;
    side->addWidget(formsLabel);
    side->addWidget(m_formList, 1);
    for (QPushButton* b : {m_ok, m_cancel, m_preview, m_print}) side->addWidget(b);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(side);
}

CHyoshiDlg::~CHyoshiDlg() = default;

std::string& CHyoshiDlg::Stored(Field field) {
    switch (field) {
        case kPrintTitle: return m_hyoshi.m_printTitle;
        case kAddress1: return m_hyoshi.m_address1;
        case kAddress2: return m_hyoshi.m_address2;
        case kSubject: return m_hyoshi.m_subject;
        default: return m_hyoshi.m_place;
    }
}

// ---------------------------------------------------------------------------------------------
// Initialisation

void CHyoshiDlg::OnInitDialog() {
    ApplyTwinLabels();
    FillForms();
    if (m_mode == EntryOnly) {
        m_ok->setText(Tx(dialogtext::kOk));
        m_preview->setEnabled(false);
        m_print->setEnabled(false);
        m_formList->setEnabled(false);
    }
    for (int f = 0; f < kFieldCount; ++f) FillHistory(static_cast<Field>(f), true);
    if (!m_hyoshi.m_number.empty()) m_number->setText(Tx(m_hyoshi.m_number));
    m_date->setText(Tx(m_hyoshi.m_date.empty() ? TodayReiwaDateText() : m_hyoshi.m_date));
    if (m_list)
        for (const std::string& text : AmountTexts(*m_list)) m_amount->addItem(Tx(text));
    m_amount->setEditText(Tx(m_hyoshi.m_amount));
    for (int line = 1; line <= kSpareLines; ++line)
        m_spare->SetCellText(1, line, Tx(m_hyoshi.m_spare[static_cast<size_t>(line - 1)]));
    for (int f = 0; f < kFieldCount; ++f)
        m_combos[static_cast<size_t>(f)]->setEditText(Tx(Stored(static_cast<Field>(f))));
}

void CHyoshiDlg::ApplyTwinLabels() {
    CPrintFormText twin;
    const bool hasTwin = m_formIndex >= 0 && static_cast<size_t>(m_formIndex) < m_forms.size() &&
                         LoadPrintFormText(m_forms[static_cast<size_t>(m_formIndex)], twin) == 0;
    auto line = [&](int i) -> const std::string& { return twin.GetLine(i); };
    for (size_t i = 0; i < m_labels.size(); ++i)
        m_labels[i]->setText(hasTwin ? Tx(line(kLabelLine[i])) : Tx(kStandardLabels[i]));
    for (int f = 0; f < kFieldCount; ++f) {
        const bool on = !hasTwin || !line(kFieldLine[f]).empty();
        m_combos[static_cast<size_t>(f)]->setEnabled(on);
        m_clearButtons[static_cast<size_t>(f)]->setEnabled(on);
    }
    m_number->setEnabled(!hasTwin || !line(1).empty());
    m_date->setEnabled(!hasTwin || !line(2).empty());
    m_amount->setEnabled(!hasTwin || !line(17).empty());
    for (int spare = 1; spare <= kSpareLines; ++spare) {
        const std::string& label = line(4 + spare);
        // Rows 2 to 10 are labelled by lines 6 to 14; row 1 goes with the "文章予備" label.
        m_spare->SetCellText(0, spare, spare > 1 && hasTwin ? Tx(label) : QString());
        const bool on = !hasTwin || !label.empty();
        m_spare->SetCellLocked(1, spare, on ? 0 : 1);
        m_spare->SetCellForeColor(1, spare, on ? kBlack : kLockedGrey);
        m_spare->SetCellBackColor(1, spare, on ? kWhite : kLockedGrey);
    }
}

void CHyoshiDlg::FillForms() {
    m_fillingForms = true;
    m_formList->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
    for (const std::string& path : m_forms) {
        auto* item = new QListWidgetItem(icon, Tx(vemo::FileNameOf(path)), m_formList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    if (!m_forms.empty()) {
        if (m_formIndex >= static_cast<int>(m_forms.size())) m_formIndex = static_cast<int>(m_forms.size()) - 1;
        if (m_formIndex < 0) m_formIndex = 0;
        m_formList->item(m_formIndex)->setCheckState(Qt::Checked);
        m_formList->setCurrentRow(m_formIndex);
    }
    m_fillingForms = false;
}

void CHyoshiDlg::FillHistory(Field field, bool selectFirst) {
    QComboBox* combo = m_combos[static_cast<size_t>(field)];
    const int list = kHistoryOf[field];
    combo->clear();
    for (int i = 0; i < m_hyoshi.GetHistoryCount(list); ++i) {
        const std::string entry = m_hyoshi.GetHistoryItem(list, i);
        if (!entry.empty()) combo->addItem(Tx(entry));
    }
    if (selectFirst && combo->count() > 0) {
        combo->setCurrentIndex(0);
    } else {
        combo->setEditText(QString());
    }
}

// ---------------------------------------------------------------------------------------------
// Fields

bool CHyoshiDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut)
        for (int f = 0; f < kFieldCount; ++f)
            if (watched == m_combos[static_cast<size_t>(f)]) OnHistoryLeft(static_cast<Field>(f));
    return CSekisanDialog::eventFilter(watched, event);
}

void CHyoshiDlg::OnHistoryLeft(Field field) {
    const std::string text = m_combos[static_cast<size_t>(field)]->currentText().toStdString();
    if (text.empty() || text == Stored(field)) return;
    Stored(field) = text;
    m_hyoshi.AddHistory(kHistoryOf[field], text);
    // Both 宛名 combos offer the shared list.
    FillHistory(field, true);
    if (field == kAddress1 || field == kAddress2) {
        const Field other = field == kAddress1 ? kAddress2 : kAddress1;
        const QString kept = m_combos[static_cast<size_t>(other)]->currentText();
        FillHistory(other, false);
        m_combos[static_cast<size_t>(other)]->setEditText(kept);
    }
}

void CHyoshiDlg::OnClearHistory(Field field) {
    if (AfxMessageBox(kClearQuestion[field], MsgButtons::YesNo, MsgIcon::Question) != IDYES) return;
    m_hyoshi.RemoveHistory(kHistoryOf[field], m_combos[static_cast<size_t>(field)]->currentText().toStdString());
    FillHistory(field, false);
}

void CHyoshiDlg::OnGetDate() {
    m_hyoshi.m_date = TodayReiwaDateText();
    m_date->setText(Tx(m_hyoshi.m_date));
}

void CHyoshiDlg::OnFormChecked(QListWidgetItem* item) {
    if (m_fillingForms || !item) return;
    const int row = m_formList->row(item);
    m_fillingForms = true;
    if (item->checkState() == Qt::Checked) {
        for (int i = 0; i < m_formList->count(); ++i)
            if (i != row) m_formList->item(i)->setCheckState(Qt::Unchecked);
        m_formIndex = row;
        if (m_formChosen) m_formChosen(row);
    } else if (row == m_formIndex) {
        // The chosen form stays chosen until another is checked.
        item->setCheckState(Qt::Checked);
    }
    m_fillingForms = false;
    ApplyTwinLabels();
}

void CHyoshiDlg::Gather() {
    for (int f = 0; f < kFieldCount; ++f) {
        const Field field = static_cast<Field>(f);
        Stored(field) = m_combos[static_cast<size_t>(f)]->currentText().toStdString();
        m_hyoshi.AddHistory(kHistoryOf[f], Stored(field));
    }
    m_hyoshi.m_number = m_number->text().toStdString();
    m_hyoshi.m_date = m_date->text().toStdString();
    m_hyoshi.m_amount = m_amount->currentText().toStdString();
    for (int line = 1; line <= kSpareLines; ++line)
        m_hyoshi.m_spare[static_cast<size_t>(line - 1)] = m_spare->GetCellText(1, line).toStdString();
}

// ---------------------------------------------------------------------------------------------
// Commands

bool CHyoshiDlg::RefuseWhilePreviewOpen() { return m_job.RefuseWhilePreviewOpen(); }

bool CHyoshiDlg::BuildCoverSheet() {
    if (m_formIndex < 0 || static_cast<size_t>(m_formIndex) >= m_forms.size()) return false;
    static const CTankaFile kNoCompany;
    int opened = 0;
    return m_job.Build([&] {
        opened = m_job.OpenTemplate(m_forms[static_cast<size_t>(m_formIndex)]);
        if (opened) WriteHyoshiPage(m_job, m_hyoshi, m_tanka ? *m_tanka : kNoCompany);
    }) && opened;
}

void CHyoshiDlg::OnPreview() {
    if (m_job.RaiseOpenPreview()) return;
    Gather();
    if (!BuildCoverSheet()) return;
    m_job.SetPreviewTitle(kHyoshiPreviewTitle);
    m_job.Preview();
}

void CHyoshiDlg::OnPrint() {
    if (RefuseWhilePreviewOpen()) return;
    Gather();
    if (BuildCoverSheet()) m_job.Print();
}

void CHyoshiDlg::accept() {
    if (RefuseWhilePreviewOpen()) return;
    Gather();
    CSekisanDialog::accept();
}

void CHyoshiDlg::reject() {
    if (RefuseWhilePreviewOpen()) return;
    CSekisanDialog::reject();
}

// ---------------------------------------------------------------------------------------------
// The amount list

std::string CHyoshiDlg::FullWidthAmount(int amount) {
    static constexpr const char* kDigits[10] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
    std::string out;
    for (char c : vemo::FormatThousands(amount)) {
        if (c >= '0' && c <= '9') {
            out += kDigits[c - '0'];
        } else {
            out += c == ',' ? "，" : "－";
        }
    }
    return out;
}

std::vector<std::string> CHyoshiDlg::AmountTexts(const CSekisanItemList& list) {
    std::vector<std::string> texts;
    bool taxRowBefore = false;
    for (int i = 0; i < list.GetCount(); ++i) {
        const CSekisanItem* item = list.GetItem(i);
        if (!item || item->m_strNameUpper.empty() || IsUnset(item->m_nAmount)) continue;
        const int level = item->GetLevel();
        const bool gyomuTotal =
            level == 0 && calc::IsOneOf(item->m_nGyomu, {Gyomu::Goukei, Gyomu::Aratamekei, Gyomu::ItakuryoKei});
        const bool koshuTotal = level == 1 && calc::IsOneOf(item->m_nKoshu, {Koshu::GyomuKakaku, Koshu::Aratamekei});
        if (level == 0 && item->m_nGyomu == Gyomu::Shohizei) taxRowBefore = true;
        if (!gyomuTotal && !koshuTotal) continue;
        const bool withTax = level == 0 && item->m_nGyomu == Gyomu::ItakuryoKei && taxRowBefore;
        texts.push_back(kAmountYen + FullWidthAmount(item->m_nAmount) + (withTax ? kAmountWithTax : kAmountWithoutTax));
    }
    return texts;
}
