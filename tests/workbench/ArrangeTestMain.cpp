#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "workbench/Fonts.h"

// The arranging tests run on Qt's offscreen platform with three screens side by side: a wide
// monitor, a laptop and an old projector, so that windows can be arranged on each.
int main(int argc, char** argv) {
    QTemporaryDir folder;
    const QString config = folder.filePath("screens.json");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        return 1;
    }
    file.write(R"({"windowFrameMargins": true, "screens": [
        {"name": "Wide", "x": 0, "y": 0, "width": 1920, "height": 1080},
        {"name": "Laptop", "x": 1920, "y": 0, "width": 1366, "height": 768},
        {"name": "Projector", "x": 3286, "y": 0, "width": 1024, "height": 768}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    MapClassicFonts();
    return RUN_ALL_TESTS();
}
