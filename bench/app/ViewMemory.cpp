// Memory of an estimate open in the view: the process's resident size (VmRSS, and its peak VmHWM)
// with the estimate calculated and its view made, then after the view has filled and painted its
// grid. Prints one line per stage, in kB:
//   ViewMemory [rows]        (5,000 rows unless given)
#include <QApplication>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "ViewFixture.h"

namespace {

// The value of a "Name:   123 kB" line of /proc/self/status; -1 when missing.
long StatusKb(const char* name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(name) + ":";
    while (std::getline(status, line))
        if (line.compare(0, prefix.size(), prefix) == 0) return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    return -1;
}

void Report(const char* stage) {
    std::printf("%-34s VmRSS %8ld kB   VmHWM %8ld kB\n", stage, StatusKb("VmRSS"), StatusKb("VmHWM"));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 5000;
    viewbench::Fixture fixture;
    Report("application and masters");
    auto view = fixture.NewView(rows);
    QApplication::processEvents();
    Report("estimate calculated, view empty");
    view->LayoutGrid();
    view->RefreshHeader();
    view->repaint();
    QApplication::processEvents();
    std::printf("rows %d\n", view->GetItemList()->GetCount());
    Report("view filled and painted");
    return 0;
}
