#include <QApplication>

#include "app/InstanceChannel.h"
#include "app/VemoWinApp.h"
#include "platform/FileUtil.h"
#include "platform/SystemLocale.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    // Qt has set every category of the C library's locale from the environment.
    vemo::UseProgramLocale();
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();

    // Files to open go to the program already running from this folder, when there is one.
    const QString channel = CInstanceChannel::DefaultName(vemo::ProgramFolder());
    // A file to print is printed by this program, which then ends.
    QStringList files;
    bool print = false;
    for (const QString& arg : args) {
        if (CVemoWinApp::IsFileArgument(arg)) files << arg;
        if (CVemoWinApp::IsPrintOption(arg)) print = true;
    }
    if (!print && !files.isEmpty() && CInstanceChannel::SendToRunning(channel, files)) return 0;

    int result = 1;
    {
        CVemoWinApp app(args);
        // A signal ends the program through Run and ExitInstance below: its locks go with it.
        app.EndOnSignals();
        if (app.InitInstance()) {
            app.ListenForFiles(channel);
            result = app.Run();
        } else if (app.PrintedFromCommandLine()) {
            result = 0;
        }
        app.ExitInstance();
    }
    return result;
}
