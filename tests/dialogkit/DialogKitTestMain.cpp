// Test support for the tests of dialogkit/: DialogKitTestMain.
#include <gtest/gtest.h>

#include <QApplication>

// One QApplication for all dialog kit tests, on the offscreen platform.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
