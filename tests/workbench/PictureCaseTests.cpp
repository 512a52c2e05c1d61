#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

#include "devices/Peripherals.h"
#include "support/TestMachine.h"
#include "workbench/devices/TFormKeyPad.h"
#include "workbench/devices/TFormKeyb.h"
#include "workbench/devices/TFormLift.h"
#include "workbench/devices/TformHeat.h"
#include "workbench/devices/TformMaze.h"
#include "workbench/devices/TformSevenSeg.h"
#include "workbench/devices/TformStep.h"
#include "workbench/devices/TformTlight.h"

// The device pictures' cases that the page's browser test reads too, drawn by the workbench's
// windows: the program runs with the window open, so the window paints each change as it
// comes.
namespace {

using WindowMaker = std::function<std::unique_ptr<PictureWindow>(Peripherals&)>;

const std::map<QString, WindowMaker>& Windows() {
    static const std::map<QString, WindowMaker> windows = {
        {"TrafficLights",
         [](Peripherals& d) { return std::make_unique<TformTlight>(nullptr, d.Lights); }},
        {"SevenSegment",
         [](Peripherals& d) { return std::make_unique<TformSevenSeg>(nullptr, d.Digits); }},
        {"Heater", [](Peripherals& d) { return std::make_unique<TformHeat>(nullptr, d.Heating); }},
        {"Maze", [](Peripherals& d) { return std::make_unique<TformMaze>(nullptr, d.Snake); }},
        {"Stepper", [](Peripherals& d) { return std::make_unique<TformStep>(nullptr, d.Motor); }},
        {"Lift", [](Peripherals& d) { return std::make_unique<TFormLift>(nullptr, d.Car); }},
        {"Keyboard",
         [](Peripherals& d) { return std::make_unique<TFormKeyb>(nullptr, d.Keyboard); }},
        {"Keypad", [](Peripherals& d) { return std::make_unique<TFormKeyPad>(nullptr, d.Pad); }},
    };
    return windows;
}

QJsonArray Cases() {
    QFile file(CORVANE_PICTURE_CASES);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << CORVANE_PICTURE_CASES;
    return QJsonDocument::fromJson(file.readAll()).object()["cases"].toArray();
}

void CheckCase(const QJsonObject& c) {
    TestMachine test(c["program"].toString().toStdString());
    Peripherals devices{test.machine, test.ui, test.machine.Ports};
    const auto maker = Windows().find(c["device"].toString());
    ASSERT_NE(maker, Windows().end()) << "no window for the device";
    const std::unique_ptr<PictureWindow> window = maker->second(devices);
    window->show();
    ASSERT_TRUE(test.Assemble());
    test.Step(c["steps"].toInt());
    for (const QJsonValue click : c["clicks"].toArray()) {
        const QPoint at(click[0].toInt(), click[1].toInt());
        QTest::mouseClick(window.get(), Qt::LeftButton, {}, at);
    }
    // The window as it shows, with the labels that stand over its picture.
    const QImage shown = window->grab().toImage();
    for (const QJsonValue point : c["points"].toArray()) {
        const int x = point["x"].toInt();
        const int y = point["y"].toInt();
        EXPECT_EQ(shown.pixelColor(x, y).name(QColor::HexRgb).toUpper(),
                  point["colour"].toString().toUpper())
            << x << "," << y;
    }
}

TEST(PictureCases, TheWindowsDrawEachCasesColours) {
    const QJsonArray cases = Cases();
    ASSERT_FALSE(cases.isEmpty());
    for (const QJsonValue c : cases) {
        SCOPED_TRACE(c["name"].toString().toStdString());
        CheckCase(c.toObject());
    }
}

} // namespace
