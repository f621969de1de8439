#include "app/AboutDlg.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTextOption>
#include <algorithm>

#include "app/AppTexts.h"
#include "app/AppConstants.h"
#include "app/ShellOpen.h"
#include "app/VemoWinApp.h"
#include "dialogkit/DialogRunner.h"
#include "master/MasterFile.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"
#include "platform/NumberText.h"
#include "dialogkit/DialogTexts.h"

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QString VersionText(double version) {
    return Text(apptext::kVersionBefore) + QString::fromStdString(vemo::FormatFixed(version, 2));
}

// One line of the report: with the data version when the master has one, else the 不明 line.
QString VersionLine(const CMasterHeader* master, const char* known, const char* unknown) {
    if (!master || IsUnset(master->m_dataVersion)) return Text(unknown);
    return Text(known) + VersionText(master->m_dataVersion / 100.0);
}

// A static text whose tabs line the master names and their versions up in columns. Each line of
// the text ("\r\n" between lines) is drawn on its own row.
class CTabbedStatic : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        drawFrame(&painter);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        const QFontMetricsF metrics(font());
        QTextOption option(Qt::AlignLeft | Qt::AlignVCenter);
        // Six and a half ideographs: the longest names and their tabs end on the same stop.
        option.setTabStopDistance(metrics.horizontalAdvance(QStringLiteral("漢")) * 6.5);
        option.setWrapMode(QTextOption::NoWrap);
        // The rows share the height of the control, no more than a line apart each.
        const QStringList lines = text().split(QStringLiteral("\r\n"));
        const qreal step = std::min<qreal>(metrics.height(), (contentsRect().height() - 4.0) / lines.size());
        qreal y = contentsRect().top() + 2;
        for (const QString& line : lines) {
            painter.drawText(QRectF(contentsRect().left() + 4, y, contentsRect().width() - 8, step), line, option);
            y += step;
        }
    }
};

}  // namespace

QString CAboutDlg::TitleText() { return Text(apptext::kAboutTitle) + VersionText(vemo::app::kVersion); }

QString CAboutDlg::BuildVersionReport(const CAboutMasters& m) {
    using namespace apptext;
    const QString lineBreak = Text(kVersionReportLineBreak);
    QString report = Text(kVersionReportHeading);
    report += lineBreak + VersionLine(m.bukake, kVersionBukake, kVersionBukakeUnknown);
    report += lineBreak + VersionLine(m.henkaritsu, kVersionHenkaritsu, kVersionHenkaritsuUnknown);
    report += lineBreak + VersionLine(m.tanka, kVersionTanka, kVersionTankaUnknown);
    report += lineBreak + VersionLine(m.shokeihi, kVersionShokeihi, kVersionShokeihiUnknown);
    report += lineBreak + VersionLine(m.programKingaku, kVersionProgramKingaku, kVersionProgramKingakuUnknown);
    report += lineBreak + VersionLine(m.zairyoTanka, kVersionZairyoTanka, kVersionZairyoTankaUnknown);
    return report;
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Text(apptext::kAboutCaption));
    // Placed by hand as the about box always was: the report lies below the part that stays
    // visible while the dialog is collapsed.
    constexpr int kWidth = 500;
    constexpr int kCollapsed = 132;
    m_expandedHeight = kCollapsed + kDetailsHeight;

    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(QStringLiteral(":/icons/app.png")));
    icon->setGeometry(16, 16, 32, 32);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setWordWrap(true);
    m_title->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_title->setGeometry(64, 14, 320, 44);

    m_area = new QLabel(this);
    m_area->setObjectName(QStringLiteral("area"));
    m_area->setWordWrap(true);
    m_area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_area->setGeometry(64, 64, 320, 44);

    m_ok = new QPushButton(Text(dialogtext::kOk), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setDefault(true);
    m_ok->setGeometry(400, 14, 86, 26);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    m_details = new QPushButton(Text(apptext::kDetailsExpand), this);
    m_details->setObjectName(QStringLiteral("details"));
    m_details->setAutoDefault(false);
    m_details->setGeometry(400, 46, 86, 26);
    connect(m_details, &QPushButton::clicked, this, &CAboutDlg::OnDetails);

    m_readme = new QPushButton(Text(apptext::kReadmeButton), this);
    m_readme->setObjectName(QStringLiteral("readme"));
    m_readme->setAutoDefault(false);
    m_readme->setGeometry(400, 78, 86, 26);
    connect(m_readme, &QPushButton::clicked, this, &CAboutDlg::OnReadme);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(12, kCollapsed - 8, kWidth - 24, 2);

    m_versions = new CTabbedStatic(this);
    m_versions->setObjectName(QStringLiteral("versions"));
    QFont small = font();
    small.setPixelSize(12);
    m_versions->setFont(small);
    m_versions->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_versions->setGeometry(12, kCollapsed, kWidth - 24, kDetailsHeight - 6);

    setFixedSize(kWidth, m_expandedHeight);
}

int CAboutDlg::DoModal() {
    OnInitDialog();
    int result = DialogRunner().Run(*this);
    return result == QDialog::Rejected ? IDCANCEL : result;
}

void CAboutDlg::OnInitDialog() {
    m_title->setText(TitleText());
    m_area->setText(QString::fromStdString(CVemoWinApp::GetGyomuAreaText()));
    m_report = BuildVersionReport(m_masters);
    m_versions->setText(m_report);
    // Starts collapsed.
    m_expanded = false;
    setFixedHeight(m_expandedHeight - kDetailsHeight);
    m_details->setText(Text(apptext::kDetailsExpand));
}

void CAboutDlg::OnDetails() {
    m_expanded = !m_expanded;
    setFixedHeight(m_expanded ? m_expandedHeight : m_expandedHeight - kDetailsHeight);
    m_details->setText(Text(m_expanded ? apptext::kDetailsCollapse : apptext::kDetailsExpand));
}

void CAboutDlg::OnReadme() { ShellOpenFile(vemo::JoinPath(m_programFolder, "Readme.txt")); }
