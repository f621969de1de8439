// Test support for the tests of report/qt/: ReportQtTestMain.
#include <gtest/gtest.h>

#include <QApplication>

// One QApplication for all report tests that paint or show windows, on the offscreen platform.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
