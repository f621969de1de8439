#include "masteredit/BukakeDetailDlg.h"
#include "dialogkit/Tx.h"
#include "report/ReportTexts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/ImeStatus.h"
#include "dialogkit/SpreadSheet.h"
#include "masteredit/BukakeDetailCommon.h"
#include "masteredit/BukakeHojoShikiDlg.h"
#include "masteredit/EditorList.h"
#include "masteredit/GridBlock.h"
#include "masteredit/HimokuDlg.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/ShokushuSelectDlg.h"
#include "master/KoshuCategory.h"
#include "platform/Host.h"
#include "platform/Rounding.h"
#include "report/ReportTexts.h"

namespace {
using namespace masteredittext;

constexpr int kShokushuColumns = 10;
constexpr COLORREF kGrey = 0xC0C0C0;
// Header colours of a 職種 column by the trade's kind: 直接人件費 black, 労務費 blue.
constexpr COLORREF kLabourHeader = 0x000000;
constexpr COLORREF kRomuHeader = 0xFF4040;
// Pictures of the 成果品検定料 list.
constexpr int kNoneImage = 11;
constexpr int kItemImage = 7;
// The material kind of the 成果品検定料 items: 測量その他経費.
constexpr int kSeikahinKind = 5;

bool IsShokushuCol(int col) {
    return col >= CBukakeDetailDlg::kFirstShokushuCol && col <= CBukakeDetailDlg::kLastShokushuCol;
}
// 物件調査 and the 土質調査 kinds: the second rate is off and the print buttons are hidden.
bool IsBukkenOrDoshitsu(int gyomu) { return gyomu == Gyomu::Bukken || IsDoshitsuGyomu(gyomu); }
}  // namespace

CBukakeDetailDlg::CBukakeDetailDlg(QWidget* parent) : CBukakeDetailDlgBase(parent) {
    MakeHeadFields();
    MakeTypeCombo(false);
    auto* typeLabel = new QLabel(Tx(kBukakeTypeLabel), this);
    m_optionCheck = new QCheckBox(Tx(kProgramKingakuCheck), this);
    m_optionCheck->setObjectName(QStringLiteral("option"));
    QGridLayout* hBox = MakeHenkaritsuCombos(false);

    // The line grid and its totals.
    m_grid = new CSpreadSheet(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->SetMaxCols(kTotalCol);
    m_grid->SetMaxRows(kGridRows);
    m_grid->SetColKind(kKubunCol, CSpreadSheet::CellKind::Choice, {Tx(kGaigyoEntry), Tx(kNaigyoEntry)});
    m_grid->SetColKind(kCheckCol, CSpreadSheet::CellKind::Check);
    m_totals = new CSpreadSheet(this);
    m_totals->setObjectName(QStringLiteral("totals"));
    m_totals->SetMaxCols(kTotalCol);
    m_totals->SetMaxRows(1);
    m_totals->horizontalHeader()->hide();
    for (CSpreadSheet* grid : {m_grid, m_totals}) {
        for (int col = kFirstShokushuCol; col <= kTotalCol; ++col) {
            grid->SetColKind(col, CSpreadSheet::CellKind::Number);
            grid->SetColWidth(col, 10);
        }
        // Wide enough for a 作業区分 such as "境界点の観測" beside its drop-down arrow.
        grid->SetColWidth(kKubunCol, 14);
        grid->SetColWidth(kCheckCol, 3);
    }
    m_grid->SetCellText(0, 0, QString());
    m_grid->SetCellText(kKubunCol, 0, Tx(kSakugyoKubunHeading));
    m_grid->SetCellText(kCheckCol, 0, QString());
    m_grid->SetCellText(kTotalCol, 0, Tx(kLineTotalHeading));
    m_grid->SetRow(-1);
    m_grid->SetCol(kTotalCol);
    m_grid->SetLock(true);
    m_totals->SetRow(-1);
    m_totals->SetCol(-1);
    m_totals->SetLock(true);
    m_totals->SetCellText(0, 1, Tx(reporttext::kDaikaGokei));
    m_totals->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_totals->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_totals->setFixedHeight(m_totals->OneLineRowHeight() + 6);
    // The totals are only shown: no cursor, no focus.
    m_totals->setFocusPolicy(Qt::NoFocus);
    m_totals->setSelectionMode(QAbstractItemView::NoSelection);
    m_totals->setCurrentIndex(QModelIndex());
    // Both grids scroll sideways together and keep the same row-heading width.
    m_grid->verticalHeader()->setFixedWidth(48);
    m_totals->verticalHeader()->setFixedWidth(48);
    connect(m_grid->horizontalScrollBar(), &QScrollBar::valueChanged, m_totals->horizontalScrollBar(),
            &QScrollBar::setValue);

    m_shokushuButton = MakeButton(kShokushuSetButton, "shokushu");
    m_clearButton = MakeButton(kClearButton, "clear");

    // Rates, 費目 mode, auxiliary formulas, 成果品検定料.
    const char* const rateLabels[3] = {kMachineRateLabel, kTsushinRateLabel, kMaterialRateLabel};
    auto* rates = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        auto [label, field] = MakeNumberField(Tx(rateLabels[i]), "rate", CZo_Edit::DoubleRule(8, 2, 0, 99999.99));
        field->setObjectName(QStringLiteral("rate%1").arg(i + 1));
        m_rateLabels[i] = label;
        m_rateFields[i] = field;
        rates->addWidget(label, i, 0);
        rates->addWidget(field, i, 1);
    }
    m_himokuEach = new QRadioButton(Tx(kHimokuEachRadio), this);
    m_himokuEach->setObjectName(QStringLiteral("himoku0"));
    m_himokuRatio = new QRadioButton(Tx(kHimokuRatioRadio), this);
    m_himokuRatio->setObjectName(QStringLiteral("himoku1"));
    m_himokuRadios = new QButtonGroup(this);
    m_himokuRadios->addButton(m_himokuEach, 0);
    m_himokuRadios->addButton(m_himokuRatio, 1);
    m_himokuButton = MakeButton(kHimokuSetButton, "himoku");
    m_hojoCheck = new QCheckBox(Tx(kUseHojoShikiCheck), this);
    m_hojoCheck->setObjectName(QStringLiteral("usehojo"));
    m_hojoButton = MakeButton(kHojoShikiButton, "hojo");
    m_seikahinGroup = new QGroupBox(Tx(kSeikahinKenteiGroup), this);
    m_seikahinGroup->setObjectName(QStringLiteral("seikahingroup"));
    m_seikahinCombo = new QComboBox(m_seikahinGroup);
    m_seikahinCombo->setObjectName(QStringLiteral("seikahin"));
    m_seikahinCombo->setIconSize(QSize(16, 16));
    m_seikahinCombo->setMinimumWidth(220);
    (new QVBoxLayout(m_seikahinGroup))->addWidget(m_seikahinCombo);

    MakeAmountControls();
    const char* const printTexts[4] = {kDaikaPreviewButton, kDaikaPrintButton, kMeisaiPreviewButton, kMeisaiPrintButton};
    const char* const printNames[4] = {"daikapreview", "daikaprint", "meisaipreview", "meisaiprint"};
    for (int i = 0; i < 4; ++i) m_printButtons[i] = MakeButton(printTexts[i], printNames[i]);
    auto [ok, cancel] = MakeOkCancelButtons();
    cancel->setText(Tx(dialogtext::kCancel));

    // What only some 業務 or an estimate row show.
    for (QWidget* w : std::initializer_list<QWidget*>{m_himokuEach, m_himokuRatio, m_himokuButton, m_hojoCheck,
                                                      m_hojoButton, m_seikahinGroup})
        w->setVisible(false);
    m_optionCheck->setEnabled(false);

    // Events.
    connect(m_shokushuButton, &QPushButton::clicked, this, &CBukakeDetailDlg::OnShokushuSet);
    connect(m_clearButton, &QPushButton::clicked, this, &CBukakeDetailDlg::OnClear);
    connect(m_himokuButton, &QPushButton::clicked, this, &CBukakeDetailDlg::OnHimokuSet);
    connect(m_hojoButton, &QPushButton::clicked, this, &CBukakeDetailDlg::OnHojoShiki);
    connect(m_printButtons[0], &QPushButton::clicked, this, &CBukakeDetailDlg::OnDaikaPreview);
    connect(m_printButtons[1], &QPushButton::clicked, this, &CBukakeDetailDlg::OnDaikaPrint);
    connect(m_printButtons[2], &QPushButton::clicked, this, &CBukakeDetailDlg::OnMeisaiPreview);
    connect(m_printButtons[3], &QPushButton::clicked, this, &CBukakeDetailDlg::OnMeisaiPrint);
    connect(m_hojoCheck, &QCheckBox::toggled, this, [this](bool on) { m_hojoButton->setVisible(on); });
    connect(m_himokuRadios, &QButtonGroup::idClicked, this, [this](int id) {
        m_himokuMode = id;
        ShowHimokuMode();
    });
    connect(m_seikahinCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        const CZairyoTankaItem* item = index >= 1 ? m_zairyo.GetItemOfKind(kSeikahinKind, index - 1) : nullptr;
        m_detail.m_zairyoId = item ? item->m_id : kUnset;
    });
    connect(m_grid, &CSpreadSheet::Click, this, [this](int col, int row) {
        if (row == 0 && IsShokushuCol(col)) {
            m_currentCol = m_blockCol2 = col;
            UpdateShokushuButton();
            OnShokushuSet();
        } else if (row >= 1 && col >= 1) {
            m_currentCol = m_blockCol2 = col;
            m_currentRow = m_blockRow2 = row;
            UpdateShokushuButton();
        }
    });
    FollowCursor([this] { UpdateShokushuButton(); }, [this] { OnClear(); });
    connect(m_grid, &CSpreadSheet::Change, this, &CBukakeDetailDlg::OnGridChange);

    // Layout.
    QGridLayout* head = HeadLayout(typeLabel);
    auto* gridSide = new QVBoxLayout;
    gridSide->addWidget(m_shokushuButton);
    gridSide->addWidget(m_clearButton);
    gridSide->addStretch();
    gridSide->addWidget(m_kingakuLabel);
    gridSide->addWidget(m_gokeiLabel);
    gridSide->addWidget(m_sankoButton);
    auto* grids = new QVBoxLayout;
    grids->setSpacing(0);
    grids->addWidget(m_grid, 1);
    grids->addWidget(m_totals);
    auto* middle = new QHBoxLayout;
    middle->addLayout(grids, 1);
    middle->addLayout(gridSide);
    auto* himoku = new QVBoxLayout;
    himoku->addWidget(m_himokuEach);
    himoku->addWidget(m_himokuRatio);
    auto* himokuButtons = new QHBoxLayout;
    himokuButtons->addWidget(m_himokuButton);
    himokuButtons->addStretch();
    himoku->addLayout(himokuButtons);
    himoku->addWidget(m_hojoCheck);
    auto* hojoButtons = new QHBoxLayout;
    hojoButtons->addWidget(m_hojoButton);
    hojoButtons->addStretch();
    himoku->addLayout(hojoButtons);
    himoku->addStretch();
    auto* prints = new QGridLayout;
    for (int i = 0; i < 4; ++i) prints->addWidget(m_printButtons[i], i / 2, i % 2);
    auto* closeButtons = new QHBoxLayout;
    closeButtons->addStretch();
    closeButtons->addWidget(ok);
    closeButtons->addWidget(cancel);
    auto* right = new QVBoxLayout;
    right->addWidget(m_seikahinGroup);
    right->addLayout(prints);
    right->addStretch();
    right->addLayout(closeButtons);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(rates);
    bottom->addSpacing(16);
    bottom->addLayout(himoku, 1);
    bottom->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addLayout(hBox);
    layout->addWidget(m_optionCheck);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);
    resize(1280, 820);
    // Tab follows the layout: the check under the H1..H8 lists after them, 参考金額 with the grid's buttons.
    SetTabChain({m_hCombos[kHenkaritsuSlots - 1], m_optionCheck});
    SetTabChain({m_clearButton, m_sankoButton});
}

CBukakeDetailDlg::~CBukakeDetailDlg() = default;

void CBukakeDetailDlg::OnInitDialog() {
    InitHead();
    ApplyGyomuStates();
    if (ShowEstimateRow()) {
        // Opened from an estimate row: its amounts instead of the 歩掛's own settings.
        m_shokushuButton->setVisible(false);
        m_optionCheck->setVisible(false);
        for (QPushButton* b : m_printButtons) b->setVisible(false);
    }
    FillFromDetail();
    UpdateShokushuButton();
}

void CBukakeDetailDlg::ApplyGyomuStates() {
    const int gyomu = m_gyomuCode;
    const auto lockCheckColumn = [this] {
        m_grid->SetRow(-1);
        m_grid->SetCol(kCheckCol);
        m_grid->SetLock(true);
        m_grid->SetForeColor(kGrey);
        m_grid->SetBackColor(kGrey);
    };
    if (IsSokuryoGyomu(gyomu)) {
        m_optionCheck->setEnabled(true);
        m_optionCheck->setText(Tx(kNoRoundingCheck));
    } else if (IsSekkeiGyomu(gyomu)) {
        m_optionCheck->setEnabled(true);
        m_rateLabels[0]->setText(Tx(kComputerRateLabel));
        for (int i : {1, 2}) {
            m_rateLabels[i]->setEnabled(false);
            m_rateFields[i]->setEnabled(false);
        }
        lockCheckColumn();
    } else if (IsBukkenOrDoshitsu(gyomu)) {
        m_rateLabels[1]->setEnabled(false);
        m_rateFields[1]->setEnabled(false);
        if (gyomu != Gyomu::Bukken) lockCheckColumn();
    }
    if (IsBukkenOrDoshitsu(gyomu))
        for (QPushButton* b : m_printButtons) b->setVisible(false);
    if (IsSokuryoGyomu(gyomu)) {
        m_himokuEach->setVisible(true);
        m_himokuRatio->setVisible(true);
        CheckButton(m_himokuRadios, m_himokuMode);
        ShowHimokuMode();
        m_seikahinGroup->setVisible(true);
        FillSeikahinCombo();
    }
    if (gyomu == Gyomu::KukakuSokuryo) {
        m_hojoCheck->setVisible(true);
        m_hojoButton->setVisible(m_detail.m_useAuxiliary == 1);
    }
}

void CBukakeDetailDlg::ShowHimokuMode() {
    // Each 費目 set on its own (mode 0) is set in the 費目 dialog; as ratios (mode 1) here.
    const bool ratios = m_himokuMode != 0;
    for (int i = 0; i < 3; ++i) {
        m_rateLabels[i]->setVisible(ratios);
        m_rateFields[i]->setVisible(ratios);
    }
    m_himokuButton->setVisible(!ratios);
}

void CBukakeDetailDlg::FillSeikahinCombo() {
    const std::vector<QIcon> images = ListStripImages(ListStrip::Shokushu);
    const auto image = [&images](int index) {
        return index < static_cast<int>(images.size()) ? images[index] : QIcon();
    };
    const QSignalBlocker quiet(m_seikahinCombo);
    m_seikahinCombo->clear();
    m_seikahinCombo->addItem(image(kNoneImage), Tx(kNoneEntry));
    const int count = m_zairyo.GetItemCountOfKind(kSeikahinKind);
    for (int n = 0; n < count; ++n)
        m_seikahinCombo->addItem(image(kItemImage),
                                 QString::fromStdString(m_zairyo.GetItemOfKind(kSeikahinKind, n)->m_name));
    m_seikahinCombo->setCurrentIndex(1 + m_zairyo.FindItemIndexOfKind(m_detail.m_zairyoId, kSeikahinKind));
}

void CBukakeDetailDlg::SetHeader(int col) {
    const int32_t code = m_detail.m_shokushu[static_cast<size_t>(col - kFirstShokushuCol)];
    const CTankaRow* trade = IsUnset(code) ? nullptr : m_tanka.FindRow(code);
    m_grid->SetCellText(col, 0, trade ? QString::fromStdString(trade->m_name) : QString());
    m_grid->SetCellForeColor(col, 0, trade && trade->m_kind == 1 ? kRomuHeader : kLabourHeader);
}

void CBukakeDetailDlg::FillFromDetail() {
    ShowHead();
    for (int i = 0; i < 3; ++i) bukakedetail::SetHundredths(m_rateFields[i], m_detail.m_rates[i]);

    const int lines = m_detail.GetLineCount();
    ResetGridRows(lines);
    for (int col = kFirstShokushuCol; col <= kLastShokushuCol; ++col) SetHeader(col);
    for (int row = 1; row <= lines; ++row) {
        const CBukakeDetailLine& line = *Line(row);
        m_grid->SetCellText(kKubunCol, row, QString::fromStdString(line.m_name));
        m_grid->SetCellCheck(kCheckCol, row, line.m_value);
        for (int k = 0; k < kShokushuColumns; ++k)
            if (!IsUnset(line.m_columns[k])) m_grid->SetCellDouble(kFirstShokushuCol + k, row, line.m_columns[k] / 100.0);
    }
    m_grid->SetReDraw(true);
    UpdateTotals();
    m_optionCheck->setChecked(m_detail.m_programKingaku == 1);
    {
        const QSignalBlocker quiet(m_hojoCheck);
        m_hojoCheck->setChecked(m_detail.m_useAuxiliary == 1);
    }
}

void CBukakeDetailDlg::UpdateTotals() {
    int64_t all = 0;
    for (int i = 0; i < m_detail.GetLineCount(); ++i)
        m_grid->SetCellDouble(kTotalCol, i + 1, static_cast<double>(m_detail.GetLineTotal(i)) / 100.0);
    for (int k = 0; k < kShokushuColumns; ++k) {
        const int64_t total = m_detail.GetShokushuTotal(k);
        all += total;
        m_totals->SetCellDouble(kFirstShokushuCol + k, 1, static_cast<double>(total) / 100.0);
    }
    m_totals->SetCellDouble(kTotalCol, 1, static_cast<double>(all) / 100.0);
}

void CBukakeDetailDlg::UpdateShokushuButton() {
    m_shokushuButton->setEnabled(IsShokushuCol(m_currentCol) && m_currentCol == m_blockCol2);
    // Figures are typed in the grid.
    SetImeOpenStatus(m_grid, false);
}

void CBukakeDetailDlg::OnGridChange(int col, int row) {
    CBukakeDetailLine* line = Line(row);
    if (!line) return;
    if (col == kKubunCol)
        line->m_name = m_grid->GetCellText(col, row).toStdString();
    else if (col == kCheckCol)
        line->m_value = m_grid->GetCellValueInt(col, row);
    else if (IsShokushuCol(col))
        line->m_columns[static_cast<size_t>(col - kFirstShokushuCol)] =
            DoubleToLong(m_grid->GetCellDouble(col, row, 0.0) * 100.0);
    UpdateTotals();
}

void CBukakeDetailDlg::OnShokushuSet() {
    const int col = m_currentCol;
    if (!IsShokushuCol(col)) return;
    int32_t& code = m_detail.m_shokushu[static_cast<size_t>(col - kFirstShokushuCol)];
    CShokushuSelectDlg dialog(this);
    dialog.SetMode(CShokushuSelectDlg::kTradeName);
    dialog.SetTankaFile(m_tanka);
    dialog.SetSelection(1 + (IsUnset(code) ? -1 : m_tanka.FindRowIndex(code)));
    if (dialog.DoModal() == IDOK) {
        const int s = dialog.GetSelection();
        const CTankaRow* trade = s > 0 ? m_tanka.GetRow(s - 1) : nullptr;
        code = trade ? trade->m_id : kUnset;
        SetHeader(col);
    }
    m_grid->setFocus();
}

void CBukakeDetailDlg::OnClear() {
    // The block as the grid reports it may hold −1 or 0 corners: only line cells are cleared.
    const auto block = ClampGridBlock(m_currentCol, m_currentRow, m_blockCol2, m_blockRow2, kLastShokushuCol,
                                      m_detail.GetLineCount());
    if (block) {
        for (int row = block->row1; row <= block->row2; ++row) {
            CBukakeDetailLine& line = *Line(row);
            for (int col = block->col1; col <= block->col2; ++col) {
                if (col == kKubunCol) {
                    line.m_name.clear();
                    m_grid->ClearCellText(col, row);
                } else if (IsShokushuCol(col)) {
                    line.m_columns[static_cast<size_t>(col - kFirstShokushuCol)] = kUnset;
                    m_grid->ClearCellText(col, row);
                }
            }
        }
        UpdateTotals();
    }
    m_grid->setFocus();
}

void CBukakeDetailDlg::OnHimokuSet() {
    CHimokuDlg dialog(this);
    dialog.SetGyomuCode(m_gyomuCode);
    dialog.SetShubetsuName(m_shubetsuName);
    dialog.SetHimokuSet(m_detail.GetHimokuSet());
    dialog.SetZairyoTankaFile(m_zairyo);
    if (dialog.DoModal() != IDOK) return;
    m_detail.GetHimokuSet().Copy(dialog.GetHimokuSet());
    int changed = -1;
    const CZairyoTankaFile& zairyo = dialog.GetZairyoTankaFile(&changed);
    if (changed != -1) {
        m_materialChanged = changed;
        m_zairyo = zairyo;
        if (m_seikahinGroup->isVisibleTo(this)) FillSeikahinCombo();
    }
}

void CBukakeDetailDlg::OnHojoShiki() {
    CBukakeHojoShikiDlg dialog(this);
    dialog.SetDetail(m_detail);
    if (dialog.DoModal() != IDOK) return;
    m_detail.m_auxiliary = dialog.GetDetail().m_auxiliary;
    m_detail.m_textH = dialog.GetDetail().m_textH;
}

void CBukakeDetailDlg::ReadControls() {
    ReadHead();
    for (int i = 0; i < 3; ++i) m_detail.m_rates[i] = bukakedetail::GetHundredths(m_rateFields[i]);
    m_detail.m_programKingaku = m_optionCheck->isChecked() ? 1 : 0;
    m_detail.m_useAuxiliary = m_hojoCheck->isChecked() ? 1 : 0;
    if (m_himokuMode >= 0) m_detail.m_himokuMode = m_himokuMode;
}

BukakeDetailShubetsu CBukakeDetailDlg::PrintedShubetsu() const {
    return {m_gyomuCode, m_shubetsuName, m_shubetsuKeisu};
}

int CBukakeDetailDlg::BuildDaika(CReportJob& job) {
    ReadControls();
    return detailprint::WriteDaikaPage(job, m_detail, PrintedShubetsu(), m_tanka, m_zairyo, m_printSetup);
}

int CBukakeDetailDlg::BuildMeisai(CReportJob& job) {
    ReadControls();
    return detailprint::WriteMeisaiPage(job, m_detail, PrintedShubetsu(), m_tanka, m_printSetup);
}

void CBukakeDetailDlg::OnDaikaPreview() {
    m_print.Preview(reporttext::kDetailDaikaPreviewTitle, [this](CReportJob& job) { return BuildDaika(job); });
}

void CBukakeDetailDlg::OnDaikaPrint() {
    m_print.Print([this](CReportJob& job) { return BuildDaika(job); });
}

void CBukakeDetailDlg::OnMeisaiPreview() {
    m_print.Preview(reporttext::kDetailMeisaiPreviewTitle, [this](CReportJob& job) { return BuildMeisai(job); });
}

void CBukakeDetailDlg::OnMeisaiPrint() {
    m_print.Print([this](CReportJob& job) { return BuildMeisai(job); });
}

void CBukakeDetailDlg::reject() {
    if (!m_print.RefuseWhilePreviewOpen()) CSekisanDialog::reject();
}

void CBukakeDetailDlg::accept() {
    if (m_print.RefuseWhilePreviewOpen()) return;
    for (int i = 0; i < m_detail.GetLineCount(); ++i) {
        if (m_detail.GetLineTotal(i) > 0 && m_detail.GetLine(i)->m_name.empty()) {
            AfxMessageBox(kSakugyoKubunMissing, MsgButtons::Ok, MsgIcon::Exclamation);
            m_grid->SelectCell(kKubunCol, i + 1);
            m_grid->setFocus();
            return;
        }
    }
    AcceptChecked();
}
