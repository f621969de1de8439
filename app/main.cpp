#include <QApplication>

#include "app/VemoWinApp.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    int result = 1;
    {
        CVemoWinApp app(args);
        if (app.InitInstance()) result = qapp.exec() == 0 ? 0 : 1;
        app.ExitInstance();
    }
    return result;
}
