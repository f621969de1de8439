#include <QApplication>

#include "app/VemoWinApp.h"
#include "report/qt/QtReportOutput.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    int result = 1;
    {
        // Previews and printing of every report job; it outlives the application's windows.
        CQtReportOutput reportOutput;
        SetReportOutput(&reportOutput);
        {
            CVemoWinApp app(args);
            if (app.InitInstance()) result = qapp.exec() == 0 ? 0 : 1;
            app.ExitInstance();
        }
        SetReportOutput(nullptr);
    }
    return result;
}
