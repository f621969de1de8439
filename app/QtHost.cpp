#include "app/QtHost.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "app/AppTexts.h"
#include "app/ProgressDlg.h"
#include "app/QtSettings.h"
#include "dialogkit/DialogRunner.h"
#include "dialogkit/DialogTexts.h"
#include "dialogkit/Tx.h"
#include "platform/PlatformTexts.h"

namespace {

QString PatternsForQt(QString patterns) {
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    QStringList list = patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString& p : list)
        if (p == QLatin1String("*.*")) p = QStringLiteral("*");
    return list.join(QLatin1Char(' '));
}

}  // namespace

QStringList QtFilterList(const std::string& filter) {
    QStringList parts = Tx(filter).split(QLatin1Char('|'));
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        QString patterns = PatternsForQt(parts[i + 1]);
        if (name.isEmpty() || patterns.isEmpty()) break;
        // The name usually repeats its patterns in parentheses; Qt reads the patterns from there.
        int open = name.lastIndexOf(QLatin1Char('('));
        if (open > 0 && name.endsWith(QLatin1Char(')'))) name = name.left(open).trimmed();
        result << name + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return result;
}

QString FirstFilterSuffix(const std::string& filter) {
    QStringList parts = Tx(filter).split(QLatin1Char('|'));
    if (parts.size() < 2) return {};
    QString first = PatternsForQt(parts[1]).section(QLatin1Char(' '), 0, 0);
    if (!first.startsWith(QLatin1String("*.")) || first == QLatin1String("*.*")) return {};
    QString suffix = first.mid(2);
    return suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?')) ? QString() : suffix;
}

CQtHost::CQtHost(CQtSettings& settings) : m_settings(settings) {}

QWidget* CQtHost::DialogOwner() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    // A window of the program in front (a print preview): the dialog keeps it in front when it closes.
    QWidget* active = QApplication::activeWindow();
    if (active && active->isVisible() && active->windowType() != Qt::SplashScreen) return active;
    return m_owner;
}

CQtHost::~CQtHost() {
    while (m_waitDepth > 0) EndWaitCursor();
}

std::string CQtHost::AppName() const { return platformtext::kAppName; }

std::unique_ptr<QMessageBox> CQtHost::BuildMessageBox(const std::string& text, const std::string& caption,
                                                      MsgButtons buttons, MsgIcon icon, int defaultButton) const {
    auto box = std::make_unique<QMessageBox>(DialogOwner());
    box->setWindowTitle(Tx(caption.empty() ? AppName() : caption));
    box->setTextFormat(Qt::PlainText);
    box->setText(Tx(text));
    switch (icon) {
        case MsgIcon::None: box->setIcon(QMessageBox::NoIcon); break;
        case MsgIcon::Information: box->setIcon(QMessageBox::Information); break;
        case MsgIcon::Exclamation: box->setIcon(QMessageBox::Warning); break;
        case MsgIcon::Stop: box->setIcon(QMessageBox::Critical); break;
        case MsgIcon::Question: box->setIcon(QMessageBox::Question); break;
    }
    std::vector<QMessageBox::StandardButton> order;
    switch (buttons) {
        case MsgButtons::Ok: order = {QMessageBox::Ok}; break;
        case MsgButtons::OkCancel: order = {QMessageBox::Ok, QMessageBox::Cancel}; break;
        case MsgButtons::YesNo: order = {QMessageBox::Yes, QMessageBox::No}; break;
        case MsgButtons::YesNoCancel: order = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}; break;
    }
    QMessageBox::StandardButtons set;
    for (auto b : order) set |= b;
    box->setStandardButtons(set);
    // Japanese button texts, as the system's own boxes read.
    for (auto b : order) {
        QAbstractButton* button = box->button(b);
        switch (b) {
            case QMessageBox::Ok: button->setText(QString::fromUtf8(dialogtext::kOk)); break;
            case QMessageBox::Cancel: button->setText(QString::fromUtf8(apptext::kMessageBoxCancel)); break;
            case QMessageBox::Yes: button->setText(QString::fromUtf8(apptext::kMessageBoxYes)); break;
            case QMessageBox::No: button->setText(QString::fromUtf8(apptext::kMessageBoxNo)); break;
            default: break;
        }
    }
    int index = defaultButton >= 1 && defaultButton <= static_cast<int>(order.size()) ? defaultButton - 1 : 0;
    box->setDefaultButton(order[index]);
    if (buttons == MsgButtons::Ok) box->setEscapeButton(QMessageBox::Ok);
    return box;
}

int CQtHost::MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons, MsgIcon icon,
                        int defaultButton) {
    auto box = BuildMessageBox(text, caption, buttons, icon, defaultButton);
    // The wait cursor is not shown over a question.
    if (m_waitDepth > 0) QApplication::setOverrideCursor(Qt::ArrowCursor);
    int pressed = box->exec();
    if (m_waitDepth > 0) QApplication::restoreOverrideCursor();
    switch (pressed) {
        case QMessageBox::Ok: return IDOK;
        case QMessageBox::Yes: return IDYES;
        case QMessageBox::No: return IDNO;
        case QMessageBox::Cancel: return IDCANCEL;
        default:
            // Closed without a button: the box's cancelling answer.
            switch (buttons) {
                case MsgButtons::Ok: return IDOK;
                case MsgButtons::YesNo: return IDNO;
                default: return IDCANCEL;
            }
    }
}

bool CQtHost::ChooseOpenFile(const std::string& title, const std::string& filter, const std::string& initialPath,
                             std::string& chosen) {
    QFileDialog dialog(DialogOwner(), Tx(title), Tx(initialPath));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(QtFilterList(filter));
    dialog.setDefaultSuffix(FirstFilterSuffix(filter));
    if (DialogRunner().Run(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    chosen = dialog.selectedFiles().first().toStdString();
    return true;
}

bool CQtHost::ChooseSaveFile(const std::string& title, const std::string& filter, const std::string& initialPath,
                             std::string& chosen) {
    QFileDialog dialog(DialogOwner(), Tx(title), Tx(initialPath));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(QtFilterList(filter));
    dialog.setDefaultSuffix(FirstFilterSuffix(filter));
    if (DialogRunner().Run(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    chosen = dialog.selectedFiles().first().toStdString();
    return true;
}

bool CQtHost::ChooseFolder(const std::string& title, const std::string& initialPath, std::string& chosen) {
    QString folder = QFileDialog::getExistingDirectory(DialogOwner(), Tx(title), Tx(initialPath));
    if (folder.isEmpty()) return false;
    chosen = folder.toStdString();
    return true;
}

std::unique_ptr<IProgress> CQtHost::CreateProgress(const std::string& caption) {
    auto dialog = std::make_unique<CProgressDlg>(caption);
    dialog->Create(m_owner);
    return dialog;
}

void CQtHost::SetStatusPane(int pane, const std::string& text) {
    if (m_statusSink) m_statusSink(pane, Tx(text));
}

void CQtHost::BeginWaitCursor() {
    ++m_waitDepth;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CQtHost::EndWaitCursor() {
    if (m_waitDepth == 0) return;
    --m_waitDepth;
    QApplication::restoreOverrideCursor();
}

ISettings& CQtHost::Settings() { return m_settings; }
