#include "app/Upvane.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>

#include "app/AppConstants.h"
#include "platform/FileUtil.h"

namespace upvane {

std::string Path(const std::string& programFolder) {
    std::string path = vemo::JoinPath(programFolder, vemo::app::kUpvaneName);
    QFileInfo info(QString::fromStdString(path));
    return info.isFile() && info.isExecutable() ? path : std::string();
}

QStringList Arguments(int fromUser) {
    QStringList args{QString::fromLatin1(vemo::app::kUpvaneProduct)};
    if (fromUser != kStartUp) args << QStringLiteral("FromUser") << QString::number(fromUser ? 1 : 0);
    return args;
}

bool Run(const std::string& programFolder, int fromUser, bool allowUserInput) {
    const std::string path = Path(programFolder);
    if (path.empty()) return false;
    QProcess process;
    process.setWorkingDirectory(QDir::currentPath());
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop, &process](QProcess::ProcessError) {
        if (process.state() == QProcess::NotRunning) loop.quit();
    });
    process.start(QString::fromStdString(path), Arguments(fromUser));
    if (!process.waitForStarted(10000)) return false;
    // The window keeps painting while the updater runs; the updater has no time limit.
    if (process.state() != QProcess::NotRunning)
        loop.exec(allowUserInput ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    return true;
}

}  // namespace upvane
