#include "app/ShellOpen.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>

#include "app/AppTexts.h"
#include "master/MasterTexts.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"

namespace {

// Tells the user, on the window they work in, that the desktop could not open the address.
void SayCannotOpen(const std::string& what, const char* after) {
    AfxMessageBox(what + after, MsgButtons::Ok, MsgIcon::Exclamation);
}

}  // namespace

void ShellOpen(const QUrl& url, std::function<void()> onFailure) {
    // xdg-open ends with 0 once the address is open and with another status when it could not be
    // (3: no program for it, 4: the program failed).
    auto* process = new QProcess(QCoreApplication::instance());
    process->setObjectName(QString::fromLatin1(kShellOpenProcessName));
    // What it says of a failure goes to the program's own error output.
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->setStandardOutputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, onFailure](int exitCode, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if (status != QProcess::NormalExit || exitCode != 0) onFailure();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, url, onFailure](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        process->deleteLater();
        // No xdg-open on this desktop: Qt finds its own way, and answers at once.
        if (!QDesktopServices::openUrl(url)) onFailure();
    });
    process->start(QStringLiteral("xdg-open"),
                   {url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded)});
}

void ShellOpenFile(const std::string& path) {
    // The desktop's opener cannot tell a missing file from another failure: the file is looked for first.
    if (!vemo::FileExists(path)) {
        AfxMessageBox(path + mastertext::kFileMissing);
        return;
    }
    ShellOpen(QUrl::fromLocalFile(QString::fromStdString(path)),
              [path] { SayCannotOpen(path, apptext::kCannotOpenFileAfter); });
}

void ShellOpenPage(const char* address) {
    const std::string text = address;
    ShellOpen(QUrl(QString::fromUtf8(address)), [text] { SayCannotOpen(text, apptext::kCannotOpenPageAfter); });
}
