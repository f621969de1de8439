#include <QApplication>

#include "app/MainFrame.h"
#include "app/QtSettings.h"
#include "app/Resources.h"
#include "platform/FileUtil.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    InitAppResources();
    CQtSettings profile;
    CAppSettings settings;
    CCommandRegistry commands;
    CMainFrame frame(commands, settings, profile);
    commands.SetRoute([&frame] { return std::vector<CCommandTarget*>{&frame}; });
    frame.OnCreate();
    const std::string program = vemo::ProgramFolder();
    frame.LoadSettings(program, vemo::JoinPath(vemo::JoinPath(program, "データ格納"), "参考マスター25"));
    frame.ShowMainWindow();
    return qapp.exec();
}
