#include <gtest/gtest.h>
#include <vector>

#include "OverlapCount.h"
#include "workbench/WindowArrangement.h"

namespace {

// A window's outer frame: a title bar and thin borders round its client area.
QSize Framed(int width, int height) {
    return {width + 4, height + 26};
}

const QSize Vdu(200, 95); // sizeable: its frame is what the settings keep
const QSize TrafficLights = Framed(200, 218);
const QSize SevenSegment = Framed(200, 218);
const QSize Stepper = Framed(200, 218);
const QSize Heater = Framed(200, 218);
const QSize Maze = Framed(200, 271);
const QSize Lift = Framed(200, 426);
const QSize Keyboard = Framed(430, 155);
const QSize Keypad = Framed(152, 139);
const QSize RamView(500, 334);

const std::vector<QSize> Demonstration = {Vdu, TrafficLights, SevenSegment, Stepper};
const std::vector<QSize> EveryDeviceAndRam = {
    Vdu, TrafficLights, SevenSegment, Heater, Maze, Stepper, Lift, Keyboard, Keypad, RamView};

// The main window as it starts: a title bar, the menu bar and the panel of buttons on top.
const MainWindowShape StartingMain{{800, 600}, {800, 600}, 26 + 22 + 113};

QRect ButtonsBand(const Arrangement& arrangement) {
    return {arrangement.Main.topLeft(),
            QSize(arrangement.Main.width(), StartingMain.ButtonsHeight)};
}

// The windows that overlap another, the main window not counted.
int CoveringOthers(const Arrangement& arrangement, const std::vector<QSize>& windows) {
    std::vector<QRect> frames = {arrangement.Main};
    for (size_t index = 0; index < windows.size(); ++index) {
        frames.emplace_back(arrangement.Corners[index], windows[index]);
    }
    return WindowsOverlapping(frames);
}

TEST(WindowArrangement, WindowsStandClearOnTheScreensTheyFitAndSayWhenTheyDoNot) {
    const struct {
        const char* Name;
        QRect Area;
        std::vector<QSize> Windows;
        bool AllFit;
    } cases[] = {
        {"1920x1080, the Demonstration", {0, 0, 1920, 1080}, Demonstration, true},
        {"1920x1080, every device and the RAM view", {0, 0, 1920, 1080}, EveryDeviceAndRam, true},
        {"1366x768, the Demonstration", {0, 0, 1366, 768}, Demonstration, true},
        {"1366x768 beside a panel, the Demonstration", {1920, 28, 1366, 740}, Demonstration, true},
        {"1024x768, every device and the RAM view", {0, 0, 1024, 768}, EveryDeviceAndRam, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const Arrangement arrangement = Arrange(c.Area, StartingMain, c.Windows);
        ASSERT_EQ(arrangement.Corners.size(), c.Windows.size());
        EXPECT_EQ(arrangement.Main, QRect(c.Area.topLeft(), QSize(800, 600)));
        EXPECT_EQ(arrangement.Overlapping == 0, c.AllFit);
        EXPECT_EQ(CoveringOthers(arrangement, c.Windows), arrangement.Overlapping);
        for (size_t index = 0; index < c.Windows.size(); ++index) {
            const QRect frame(arrangement.Corners[index], c.Windows[index]);
            EXPECT_TRUE(c.Area.contains(frame)) << "window " << index;
            EXPECT_FALSE(frame.intersects(ButtonsBand(arrangement))) << "window " << index;
        }
    }
}

// The first window given would take the whole strip beside the main window; the five small
// ones stand clear there instead, and only the large one overlaps the main window. When that
// would cover the buttons, the large one stands clear and the small ones overlap instead.
TEST(WindowArrangement, AsManyWindowsAsPossibleStandClear) {
    const QRect area(0, 0, 1100, 600);
    const std::vector<QSize> windows = {{300, 600}, {100, 100}, {100, 100},
                                        {100, 100}, {100, 100}, {100, 100}};
    const struct {
        int ButtonsHeight;
        int Overlapping;
    } cases[] = {{0, 1}, {StartingMain.ButtonsHeight, 5}};
    for (const auto& c : cases) {
        const Arrangement arrangement =
            Arrange(area, {{800, 600}, {800, 600}, c.ButtonsHeight}, windows);
        EXPECT_EQ(arrangement.Overlapping, c.Overlapping) << c.ButtonsHeight;
        EXPECT_EQ(CoveringOthers(arrangement, windows), c.Overlapping) << c.ButtonsHeight;
    }
}

// A maximised main window gives way, but only as far as its starting size, and only when the
// others would not fit beside it.
TEST(WindowArrangement, TheMainWindowShrinksToItsStartingSizeOnlyToMakeRoom) {
    const QRect area(0, 0, 1920, 1080);
    const struct {
        QSize Main;
        QRect Expected;
    } cases[] = {
        {{1920, 1080}, {0, 0, 800, 600}},
        {{1000, 700}, {0, 0, 1000, 700}},
        {{600, 400}, {0, 0, 600, 400}},
        {{4000, 3000}, {0, 0, 800, 600}},
    };
    for (const auto& c : cases) {
        const MainWindowShape main{c.Main, {800, 600}, StartingMain.ButtonsHeight};
        const Arrangement arrangement = Arrange(area, main, EveryDeviceAndRam);
        EXPECT_EQ(arrangement.Main, c.Expected) << c.Main.width() << "x" << c.Main.height();
        EXPECT_EQ(arrangement.Overlapping, 0) << c.Main.width() << "x" << c.Main.height();
    }
}

TEST(WindowArrangement, ANewWindowGoesIntoFreeSpaceElseWhereItCoversTheLeast) {
    const QRect main(0, 0, 800, 600);
    const QRect lights(QPoint(800, 0), TrafficLights);
    const struct {
        const char* Name;
        QRect Area;
        std::vector<QRect> Standing;
        QSize Window;
        QPoint Expected;
    } cases[] = {
        {"beside the main window", {0, 0, 1920, 1080}, {main}, SevenSegment, {800, 0}},
        {"beside the window there already",
         {0, 0, 1920, 1080},
         {main, lights},
         SevenSegment,
         {800 + TrafficLights.width(), 0}},
        {"under the others when the top is full",
         {0, 0, 1220, 1080},
         {main, lights, QRect(QPoint(1004, 0), SevenSegment)},
         Stepper,
         {800, TrafficLights.height()}},
        {"a window on another screen takes no room here",
         {0, 0, 1920, 1080},
         {main, QRect(2000, 0, 300, 300)},
         SevenSegment,
         {800, 0}},
        // No room: over the main window's editor at the bottom, clear of its buttons.
        {"over as little as it can",
         {0, 0, 1000, 700},
         {QRect(0, 0, 1000, 650)},
         {200, 200},
         {0, 500}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlaceBeside(c.Area, c.Standing, StartingMain.ButtonsHeight, c.Window), c.Expected)
            << c.Name;
    }
}

} // namespace
