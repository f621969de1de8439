// Test support for the tests of app/dialogs/: GridTestMain.
#include <gtest/gtest.h>

#include <QApplication>

// One QApplication for all grid tests, on the offscreen platform.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
