#include "masteredit/ShokushuSelectDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/Tx.h"
#include "masteredit/EditorList.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/ZairyoTankaItemDlg.h"
#include "platform/Host.h"

namespace {

constexpr int kTradeImage = 2;
constexpr int kTradeNoPriceImage = 3;
constexpr int kNoneImage = 11;
// The picture of a material item by kind; the next one for an item without a price.
constexpr int kMaterialImage[] = {5, 7, 9, 5, 9, 7};

// The index in the whole file of the n-th item of the kind; -1 when there is none.
int IndexOfKindItem(const CZairyoTankaFile& file, int kind, int n) {
    const CZairyoTankaItem* item = file.GetItemOfKind(kind, n);
    for (int i = 0; item && i < file.GetCount(); ++i)
        if (file.GetItem(i) == item) return i;
    return -1;
}
}  // namespace

CShokushuSelectDlg::CShokushuSelectDlg(QWidget* parent) : CSekisanDialog(parent) {
    m_label = new QLabel(this);
    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("list"));
    m_list->setIconSize(QSize(16, 16));
    m_list->setMinimumWidth(300);
    m_list->setMaxVisibleItems(20);
    m_editButton = new QPushButton(Tx(masteredittext::kItemEditButton), this);
    m_editButton->setObjectName(QStringLiteral("edit"));
    m_editButton->setAutoDefault(false);
    auto [ok, cancel] = MakeOkCancelButtons();
    cancel->setText(Tx(dialogtext::kCancel));

    connect(m_list, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_selection = index;
        UpdateEditButton();
    });
    connect(m_editButton, &QPushButton::clicked, this, &CShokushuSelectDlg::OnEditItem);

    auto* row = new QHBoxLayout;
    row->addWidget(m_label);
    row->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_editButton);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
}

void CShokushuSelectDlg::OnInitDialog() { Fill(); }

void CShokushuSelectDlg::Fill() {
    static const char* const kCaptions[] = {masteredittext::kShokushuSelectCaption,
                                            masteredittext::kLabourListCaption,
                                            masteredittext::kMaterialPriceListCaption,
                                            masteredittext::kMaterialExpenseListCaption};
    static const char* const kLabels[] = {masteredittext::kShokushuNameLabel, masteredittext::kTankaNameLabel,
                                          masteredittext::kTankaNameLabel, masteredittext::kHimokuNameLabel};
    const int mode = m_mode >= 0 && m_mode <= 3 ? m_mode : 0;
    setWindowTitle(Tx(kCaptions[mode]));
    m_label->setText(Tx(kLabels[mode]));

    const std::vector<QIcon> images = ListStripImages(ListStrip::Shokushu);
    const auto image = [&images](int index) {
        return index >= 0 && index < static_cast<int>(images.size()) ? images[index] : QIcon();
    };
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    m_list->addItem(image(kNoneImage), Tx(masteredittext::kNoneEntry));
    if (MaterialMode()) {
        const int count = m_zairyo.GetItemCountOfKind(m_materialKind);
        for (int n = 0; n < count; ++n) {
            const CZairyoTankaItem& item = *m_zairyo.GetItemOfKind(m_materialKind, n);
            int picture = item.m_kind >= 0 && item.m_kind <= 5 ? kMaterialImage[item.m_kind] : -1;
            // No price is stored as a tiny positive double: it counts as no price all the same.
            if (IsNoPrice(item.m_price) || !(item.m_price > 0)) ++picture;
            m_list->addItem(image(picture), QString::fromStdString(item.m_name));
        }
        m_selection = 1 + m_zairyo.FindItemIndexOfKind(m_materialId, m_materialKind);
    } else {
        const int column = m_tanka.m_defaultColumn;
        for (int i = 0; i < m_tanka.GetCount(); ++i) {
            const CTankaRow& row = *m_tanka.GetRow(i);
            const bool priced = column >= 0 && column < CTankaRow::kPriceColumns && !IsUnset(row.m_prices[column]);
            m_list->addItem(image(priced ? kTradeImage : kTradeNoPriceImage), QString::fromStdString(row.m_name));
        }
    }
    m_editButton->setVisible(MaterialMode());
    m_list->setCurrentIndex(m_selection >= 0 && m_selection < m_list->count() ? m_selection : -1);
    UpdateEditButton();
}

void CShokushuSelectDlg::UpdateEditButton() {
    // "なし" has no item to edit.
    m_editButton->setEnabled(MaterialMode() && m_selection >= 1 && m_selection < m_list->count());
}

void CShokushuSelectDlg::OnEditItem() {
    if (!MaterialMode() || m_selection < 1) return;
    const int index = IndexOfKindItem(m_zairyo, m_materialKind, m_selection - 1);
    if (index < 0) return;
    CZairyoTankaItemDlg dialog(this);
    dialog.SetItem(*m_zairyo.GetItem(index));
    if (dialog.DoModal() != IDOK || dialog.GetChanged() != 1) return;
    m_materialChanged = 1;
    *m_zairyo.GetItem(index) = dialog.GetItem();
    Fill();
}

void CShokushuSelectDlg::accept() {
    m_selection = m_list->currentIndex();
    if (MaterialMode()) {
        const int index = m_selection >= 1 ? IndexOfKindItem(m_zairyo, m_materialKind, m_selection - 1) : -1;
        m_selection = index >= 0 ? index : kUnset;
    }
    CSekisanDialog::accept();
}
