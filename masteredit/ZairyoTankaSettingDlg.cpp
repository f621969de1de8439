#include "masteredit/ZairyoTankaSettingDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/Tx.h"
#include "master/MasterFile.h"
#include "master/ZairyoTankaFile.h"
#include "masteredit/MasterEditTexts.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"

CZairyoTankaSettingDlg::CZairyoTankaSettingDlg(QWidget* parent) : CSekisanDialog(parent) {
    // Enter presses the default button here.
    SetEnterKey(EnterKey::PressesDefault);
    setWindowTitle(Tx(masteredittext::kZairyoTankaSettingCaption));
    m_pathStatic = new QLabel(Tx(masteredittext::kPathStatic), this);
    m_pathStatic->setObjectName(QStringLiteral("path"));
    m_titleStatic = new QLabel(Tx(masteredittext::kTitleStatic), this);
    m_titleStatic->setObjectName(QStringLiteral("title"));
    for (QLabel* label : {m_pathStatic, m_titleStatic}) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(360);
    }
    auto* browse = new QPushButton(Tx(masteredittext::kBrowseButton), this);
    browse->setObjectName(QStringLiteral("browse"));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &CZairyoTankaSettingDlg::OnBrowse);

    auto* fields = new QGridLayout;
    fields->addWidget(m_pathStatic, 0, 0);
    fields->addWidget(browse, 0, 1);
    fields->addWidget(m_titleStatic, 1, 0);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakeOkCancelRow());
}

void CZairyoTankaSettingDlg::OnInitDialog() {
    ReadTitle();
    Show();
}

void CZairyoTankaSettingDlg::ReadTitle() {
    std::string bytes;
    if (vemo::ReadWholeFile(m_path, vemo::kDataFileLimit, bytes) != vemo::ReadResult::read) return;
    CZairyoTankaFile file;
    if (LoadMasterFromBytes(file, std::move(bytes)) == MasterLoadResult::loaded) m_title = file.m_title;
}

void CZairyoTankaSettingDlg::Show() {
    m_pathStatic->setText(QString::fromStdString(m_path));
    m_titleStatic->setText(QString::fromStdString(m_title));
}

void CZairyoTankaSettingDlg::OnBrowse() {
    std::string chosen;
    if (!Host().ChooseOpenFile(masteredittext::kChooseZairyoTankaTitle, masteredittext::kZairyoTankaFileFilter, m_path,
                               chosen))
        return;
    m_path = chosen;
    ReadTitle();
    Show();
}
