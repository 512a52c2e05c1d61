#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>

#include "devices/DeviceMachine.h"
#include "devices/InterruptProgram.h"
#include "devices/OnScreenKeyMap.h"
#include "workbench/ButtonFace.h"
#include "workbench/devices/TFormKeyPad.h"
#include "workbench/devices/TFormKeyb.h"

namespace {

// Sent straight to the window: QTest takes the point 0,0 for the window's centre.
void Send(QWidget& window, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), window.mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&window, &event);
}

void Click(QWidget& window, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    Send(window, QEvent::MouseButtonPress, at, button, button);
    Send(window, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

void MoveTo(QWidget& window, QPoint at) {
    Send(window, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}

QString Label1Of(QWidget& window) {
    return window.findChild<QLabel*>(QStringLiteral("Label1"))->text();
}

bool IsBackground(QRgb pixel) {
    return pixel == ButtonFace().rgb();
}

bool IsRim(QRgb pixel) {
    return qGray(pixel) < 100;
}

struct KeyCase {
    int x;
    int y;
    int code;
    const char* name;
    Qt::MouseButton button = Qt::LeftButton;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.x << "," << c.y;
}

class KeyboardKeyTest : public ::testing::TestWithParam<KeyCase> {
  protected:
    DeviceMachine m;
    TFormKeyb window{nullptr, m.devices.Keyboard};
};

// Each click follows one on the space bar, so a click beside the keys must clear the code.
TEST_P(KeyboardKeyTest, AClickStoresTheKeysCode) {
    const KeyCase& c = GetParam();
    Click(window, {200, 130});
    ASSERT_EQ(m.devices.Keyboard.PortRead(), 0x20);
    Click(window, {c.x, c.y}, c.button);
    EXPECT_EQ(m.devices.Keyboard.PortRead(), c.code);
}

TEST_P(KeyboardKeyTest, Label1NamesTheKeyUnderTheMouse) {
    const KeyCase& c = GetParam();
    MoveTo(window, {200, 130});
    ASSERT_EQ(Label1Of(window), "Space");
    MoveTo(window, {c.x, c.y});
    EXPECT_EQ(Label1Of(window), QString::fromUtf8(c.name));
}

INSTANTIATE_TEST_SUITE_P(
    KeyMap, KeyboardKeyTest,
    ::testing::Values(KeyCase{50, 30, 0x11, "Ctrl+Q"}, KeyCase{50, 50, 0x71, "q"},
                      KeyCase{0, 0, 0x00, ""}, KeyCase{70, 60, 0x41, "A", Qt::RightButton},
                      KeyCase{100, 5, 0xA3, "£"}, KeyCase{100, 20, 0x33, "3", Qt::MiddleButton},
                      KeyCase{395, 40, 0x0A, "Ctrl+Enter"}, KeyCase{410, 70, 0x0D, "Enter"},
                      KeyCase{400, 100, 0x00, ""}));

TEST(KeyboardWindow, Label1IsATransparentLabelOverThePicture) {
    DeviceMachine m;
    TFormKeyb window(nullptr, m.devices.Keyboard);
    const auto* label = window.findChild<QLabel*>(QStringLiteral("Label1"));
    EXPECT_EQ(label->pos(), QPoint(288, 120));
    EXPECT_EQ(label->font().pixelSize(), 19);
    EXPECT_FALSE(label->autoFillBackground());
    EXPECT_TRUE(window.hasMouseTracking());
    EXPECT_EQ(window.size(), QSize(430, 155));
    EXPECT_EQ(window.windowTitle(), "Key press generates INT 03 - Read key from port 07");
}

struct PadCase {
    int x;
    int y;
    int code;
};

void PrintTo(const PadCase& c, std::ostream* os) {
    *os << c.x << "," << c.y;
}

class KeypadKeyTest : public ::testing::TestWithParam<PadCase> {};

TEST_P(KeypadKeyTest, AClickStoresTheKeysCode) {
    const PadCase& c = GetParam();
    DeviceMachine m;
    TFormKeyPad window(nullptr, m.devices.Pad);
    ASSERT_EQ(m.devices.Pad.PortRead(), 0x00);
    Click(window, {c.x, c.y});
    EXPECT_EQ(m.devices.Pad.PortRead(), c.code);
}

// The table's cases, then every row's and column's last pixel and the first one past it.
INSTANTIATE_TEST_SUITE_P(
    Table, KeypadKeyTest,
    ::testing::Values(PadCase{10, 100, 0x46}, PadCase{140, 10, 0x08}, PadCase{140, 100, 0x0D},
                      PadCase{150, 10, 0xFF}, PadCase{32, 33, 0x35}, PadCase{31, 32, 0x31},
                      PadCase{88, 87, 0x39}, PadCase{89, 61, 0x43}, PadCase{117, 112, 0x44},
                      PadCase{118, 0, 0x08}, PadCase{145, 60, 0x08}, PadCase{118, 61, 0x0D},
                      PadCase{145, 112, 0x0D}, PadCase{146, 0, 0xFF}, PadCase{0, 113, 0xFF}));

// The two interrupting devices, each with a key, where its handler starts and a point
// beside its keys.
struct DeviceCase {
    const char* name;
    std::function<std::unique_ptr<QWidget>(Peripherals&, QWidget*)> make;
    std::function<int(Peripherals&)> port;
    QPoint key;
    int code;
    int handler;
    QPoint beside;
};

void PrintTo(const DeviceCase& c, std::ostream* os) {
    *os << c.name;
}

const DeviceCase Keyboard{"keyboard",
                          [](Peripherals& devices, QWidget* owner) {
                              return std::make_unique<TFormKeyb>(owner, devices.Keyboard);
                          },
                          [](Peripherals& devices) { return devices.Keyboard.PortRead(); },
                          {70, 60},
                          0x41,
                          0x50,
                          {0, 0}};

const DeviceCase KeyPad{"keypad",
                        [](Peripherals& devices, QWidget* owner) {
                            return std::make_unique<TFormKeyPad>(owner, devices.Pad);
                        },
                        [](Peripherals& devices) { return devices.Pad.PortRead(); },
                        {10, 70},
                        0x37,
                        0x60,
                        {150, 10}};

// The interrupt program, idling at the same address with the I flag clear.
std::string WithoutInterrupts() {
    std::string source = InterruptProgram;
    source.replace(source.find("STI"), 3, "CLI");
    return source;
}

class InterruptTest : public ::testing::TestWithParam<DeviceCase> {
  protected:
    void Idle(const std::string& source) {
        m.Load(source);
        ASSERT_TRUE(m.Assemble());
        m.Start();
        m.Tick(3);
        ASSERT_EQ(m.RegLow(IP), IdleLoop);
    }

    DeviceMachine m;
    std::unique_ptr<QWidget> window = GetParam().make(m.devices, nullptr);
};

TEST_P(InterruptTest, AClickInterruptsARunningProgramThatReadsTheKey) {
    const DeviceCase& c = GetParam();
    Idle(InterruptProgram);
    Click(*window, c.key);
    EXPECT_EQ(m.RegLow(IP), c.handler);
    EXPECT_EQ(m.Cell(0xBF), IdleLoop);
    m.Tick();
    EXPECT_EQ(m.RegLow(AL), c.code);
    m.Tick();
    EXPECT_EQ(m.RegLow(IP), IdleLoop);
}

TEST_P(InterruptTest, AClickBesideTheKeysRaisesNothing) {
    Idle(InterruptProgram);
    Click(*window, GetParam().beside);
    EXPECT_EQ(m.RegLow(IP), IdleLoop);
    EXPECT_EQ(m.RegLow(SP), 0xBF);
}

TEST_P(InterruptTest, WithTheIFlagClearAClickOnlyStoresTheCode) {
    const DeviceCase& c = GetParam();
    Idle(WithoutInterrupts());
    Click(*window, c.key);
    EXPECT_EQ(m.RegLow(IP), IdleLoop);
    EXPECT_EQ(m.RegLow(SP), 0xBF);
    EXPECT_EQ(c.port(m.devices), c.code);
}

TEST_P(InterruptTest, WhileStoppedAClickOnlyStoresTheCode) {
    const DeviceCase& c = GetParam();
    Idle(InterruptProgram);
    m.control.ButtonStopClick();
    Click(*window, c.key);
    EXPECT_EQ(m.RegLow(IP), IdleLoop);
    EXPECT_EQ(c.port(m.devices), c.code);
    m.control.ButtonContinuousClick();
    m.Tick();
    EXPECT_EQ(m.RegLow(IP), IdleLoop);
    EXPECT_EQ(m.RegLow(SP), 0xBF);
}

TEST_P(InterruptTest, AfterAClickTheOwnerHasTheKeyboardAgain) {
    QWidget owner;
    owner.show();
    std::unique_ptr<QWidget> device = GetParam().make(m.devices, &owner);
    device->show();
    device->activateWindow();
    // The owner counts as active while its tool window is, so ask for the window itself.
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == device.get(); }));
    Click(*device, GetParam().key);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &owner; }));
}

INSTANTIATE_TEST_SUITE_P(Devices, InterruptTest, ::testing::Values(Keyboard, KeyPad));

struct PixelCase {
    const char* what;
    int x;
    int y;
    bool rim;
};

void PrintTo(const PixelCase& c, std::ostream* os) {
    *os << c.what << " " << c.x << "," << c.y;
}

bool LooksRight(const QImage& picture, const PixelCase& c) {
    const QRgb pixel = picture.pixel(c.x, c.y);
    return c.rim ? IsRim(pixel) : IsBackground(pixel);
}

// A key's rim lies one pixel inside its region; the region's edge stays background.
class KeyboardPixelTest : public ::testing::TestWithParam<PixelCase> {};

TEST_P(KeyboardPixelTest, KeyRimsLieInsideTheirRegions) {
    const PixelCase& c = GetParam();
    DeviceMachine m;
    TFormKeyb window(nullptr, m.devices.Keyboard);
    EXPECT_TRUE(LooksRight(window.Picture(), c));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyboardPixelTest,
    ::testing::Values(
        PixelCase{"q left", 47, 49, false}, PixelCase{"q left", 48, 49, true},
        PixelCase{"q right", 74, 49, false}, PixelCase{"q right", 73, 49, true},
        PixelCase{"q top", 60, 26, false}, PixelCase{"q top", 60, 27, true},
        PixelCase{"q bottom", 60, 55, false}, PixelCase{"q bottom", 60, 54, true},
        PixelCase{"1 top", 48, 0, false}, PixelCase{"1 top", 48, 1, true},
        PixelCase{"BkSp right", 424, 12, false}, PixelCase{"BkSp right", 423, 12, true},
        PixelCase{"Enter under Ctrl", 388, 55, false}, PixelCase{"Enter under Ctrl", 388, 54, true},
        PixelCase{"Enter foot", 391, 70, false}, PixelCase{"Enter foot", 392, 70, true},
        PixelCase{"Space bottom", 200, 149, false}, PixelCase{"Space bottom", 200, 148, true}));

// Only the legend box at the bottom right and the port words at the bottom left lie beside
// the keys.
bool InDecoration(int x, int y) {
    return (x >= 350 && y >= 84) || (x < 114 && y >= 112);
}

TEST(KeyboardWindow, NothingIsDrawnBesideTheKeys) {
    DeviceMachine m;
    TFormKeyb window(nullptr, m.devices.Keyboard);
    const QImage& picture = window.Picture();
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (!FindKey(x, y) && !InDecoration(x, y)) {
                ASSERT_TRUE(IsBackground(picture.pixel(x, y))) << x << "," << y;
            }
        }
    }
}

TEST(KeyboardWindow, EveryRegionLiesOnAKey) {
    DeviceMachine m;
    TFormKeyb window(nullptr, m.devices.Keyboard);
    for (const KeyRegion& key : OnScreenKeyMap()) {
        const QPoint centre((key.Left + key.Right) / 2, (key.Top + key.Bottom) / 2);
        EXPECT_FALSE(IsBackground(window.Picture().pixel(centre))) << key.Name;
    }
}

TEST(KeypadWindow, KeysStayInTheirCellsAndTallKeysAreWhole) {
    DeviceMachine m;
    TFormKeyPad window(nullptr, m.devices.Pad);
    const QImage& picture = window.Picture();
    const PixelCase cases[] = {
        {"between 1 and 2", 31, 15, false},
        {"between 1 and 2", 32, 15, false},
        {"1 left", 1, 15, true},
        {"1 right", 30, 15, true},
        {"2 left", 33, 15, true},
        {"between 1 and 4", 15, 32, false},
        {"between Bk and En", 131, 60, false},
        {"between Bk and En", 131, 61, false},
        {"beside the keys", 148, 50, false},
        {"Bk right", 144, 45, true},
    };
    for (const PixelCase& c : cases) {
        EXPECT_TRUE(LooksRight(picture, c)) << c.what;
    }
    // Backspace spans the first two rows as one key: no rims or gap where the rows meet.
    for (int y = 30; y <= 35; ++y) {
        EXPECT_FALSE(IsBackground(picture.pixel(121, y))) << y;
        EXPECT_FALSE(IsRim(picture.pixel(121, y))) << y;
    }
}

TEST(KeypadWindow, ThePortWordsStandBelowTheKeys) {
    DeviceMachine m;
    TFormKeyPad window(nullptr, m.devices.Pad);
    const QImage& picture = window.Picture();
    int ink = 0;
    for (int y = TFormKeyPad::RowEnds.back(); y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            ink += IsRim(picture.pixel(x, y));
        }
    }
    EXPECT_GT(ink, 50);
    EXPECT_EQ(window.size(), QSize(152, 139));
    EXPECT_EQ(window.windowTitle(), "Key Pad");
}

} // namespace
