#include <QApplication>
#include <gtest/gtest.h>

#include "workbench/Fonts.h"

// Every window test runs in one QApplication on the offscreen platform, so no display is
// needed and pixels are the same on every machine.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    MapClassicFonts();
    return RUN_ALL_TESTS();
}
