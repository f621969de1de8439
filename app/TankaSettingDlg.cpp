#include "app/TankaSettingDlg.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogkit/Tx.h"
#include "pictures/ImageList.h"
#include "app/AppTexts.h"

namespace {

// Images of the price-image list: a titled and an untitled column.
constexpr int kImageTitled = 0;
constexpr int kImageUntitled = 1;
}  // namespace

CTankaSettingDlg::CTankaSettingDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(apptext::kTankaSettingCaption));
    auto* box = new QGroupBox(Tx(apptext::kTankaSettingGroup), this);
    m_combo = new QComboBox(box);
    m_combo->setObjectName(QStringLiteral("columns"));
    m_combo->setMaxVisibleItems(20);
    connect(m_combo, &QComboBox::currentIndexChanged, this, &CTankaSettingDlg::OnSelectionChanged);
    auto* row = new QHBoxLayout(box);
    row->addWidget(new QLabel(Tx(apptext::kTankaSettingLabel), box));
    row->addWidget(m_combo, 1);

    auto [ok, cancel] = MakeOkCancelButtons();
    m_ok = ok;
    LayOutBesideButtons(box, {ok, cancel});
    resize(400, 90);
}

bool CTankaSettingDlg::HasTitle(int column) const {
    return column >= 0 && column < CTankaRow::kPriceColumns && !m_tankaFile.m_columnTitles[column].empty();
}

void CTankaSettingDlg::OnInitDialog() {
    // The image list is made once per dialog.
    if (m_images.empty()) {
        m_images = LoadImageList(QString::fromLatin1(kPriceImagesResource), 16);
        m_combo->setIconSize(QSize(16, 16));
    }
    auto image = [this](int index) { return index < int(m_images.size()) ? m_images[index] : QIcon(); };
    const QSignalBlocker quiet(m_combo);
    m_combo->clear();
    for (int column = 0; column < CTankaRow::kPriceColumns; ++column) {
        if (HasTitle(column))
            m_combo->addItem(image(kImageTitled), QString::fromStdString(m_tankaFile.m_columnTitles[column]));
        else
            m_combo->addItem(image(kImageUntitled), Tx(apptext::kTankaSettingUntitled));
    }
    const bool known = m_tankaNo >= 0 && m_tankaNo < CTankaRow::kPriceColumns;
    m_combo->setCurrentIndex(known ? m_tankaNo : -1);
    m_ok->setEnabled(HasTitle(m_tankaNo));
}

void CTankaSettingDlg::OnSelectionChanged(int index) {
    m_tankaNo = index;
    m_ok->setEnabled(HasTitle(index));
}

void CTankaSettingDlg::accept() {
    // An untitled column cannot be chosen.
    if (!m_ok->isEnabled()) return;
    const int index = m_combo->currentIndex();
    m_tankaNo = index >= 0 ? index : kUnset;
    CSekisanDialog::accept();
}
