#include "workbench/TFormKeybIn.h"

#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QShortcut>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <vector>

namespace {

struct KeyCodeCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    std::optional<uint8_t> code;
};

void PrintTo(const KeyCodeCase& c, std::ostream* os) {
    *os << c.name;
}

class KeyCodeOfTest : public ::testing::TestWithParam<KeyCodeCase> {};

TEST_P(KeyCodeOfTest, GivesTheProgramsCode) {
    const KeyCodeCase& c = GetParam();
    EXPECT_EQ(KeyCodeOf(c.key, c.modifiers, c.text), c.code) << c.name;
}

constexpr Qt::KeyboardModifiers None = Qt::NoModifier;
constexpr Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyCodeOfTest,
    ::testing::Values(KeyCodeCase{"a", Qt::Key_A, None, "a", 0x61},
                      KeyCodeCase{"A", Qt::Key_A, Shift, "A", 0x41},
                      KeyCodeCase{"digit", Qt::Key_7, None, "7", 0x37},
                      KeyCodeCase{"shifted sign", Qt::Key_Exclam, Shift, "!", 0x21},
                      KeyCodeCase{"space", Qt::Key_Space, None, " ", 0x20},
                      KeyCodeCase{"pound", Qt::Key_sterling, Shift, "\u00a3", 0xA3},
                      KeyCodeCase{"Enter", Qt::Key_Enter, None, "\r", 0x0D},
                      KeyCodeCase{"Return", Qt::Key_Return, None, "\r", 0x0D},
                      KeyCodeCase{"Backspace", Qt::Key_Backspace, None, "\b", 0x08},
                      KeyCodeCase{"Escape", Qt::Key_Escape, None, "\x1b", 0x1B},
                      KeyCodeCase{"Tab", Qt::Key_Tab, None, "\t", 0x09},
                      KeyCodeCase{"Shift+Tab", Qt::Key_Backtab, Shift, "", 0x09},
                      KeyCodeCase{"Ctrl+A", Qt::Key_A, Ctrl, "\x01", 0x01},
                      KeyCodeCase{"Ctrl+Z, no text", Qt::Key_Z, Ctrl, "", 0x1A},
                      KeyCodeCase{"Ctrl+Shift+C", Qt::Key_C, Ctrl | Shift, "C", 0x03},
                      KeyCodeCase{"Ctrl+[", Qt::Key_BracketLeft, Ctrl, "", 0x1B},
                      KeyCodeCase{"Ctrl+\\", Qt::Key_Backslash, Ctrl, "", 0x1C},
                      KeyCodeCase{"Ctrl+]", Qt::Key_BracketRight, Ctrl, "", 0x1D},
                      KeyCodeCase{"Ctrl+Enter", Qt::Key_Return, Ctrl, "\r", 0x0A},
                      KeyCodeCase{"Ctrl+digit", Qt::Key_1, Ctrl, "1", std::nullopt},
                      KeyCodeCase{"arrow", Qt::Key_Left, None, "", std::nullopt},
                      KeyCodeCase{"F1", Qt::Key_F1, None, "", std::nullopt},
                      KeyCodeCase{"Shift alone", Qt::Key_Shift, Shift, "", std::nullopt},
                      KeyCodeCase{"Delete", Qt::Key_Delete, None, "\x7f", std::nullopt},
                      KeyCodeCase{"euro", Qt::Key_Any, None, "\u20ac", std::nullopt},
                      KeyCodeCase{"two characters", Qt::Key_Any, None, "ab", std::nullopt}));

struct Press {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// A window that awaits a key as IN 00 makes it, and every key it hands on.
struct AwaitingWindow {
    QWidget owner;
    TFormKeybIn window{&owner};
    std::vector<uint8_t> taken;

    // The owner is shown first where the test needs a visible main window.
    explicit AwaitingWindow(bool showOwner = false) {
        if (showOwner) {
            owner.show();
        }
        QObject::connect(&window, &TFormKeybIn::KeyTaken,
                         [this](uint8_t code) { taken.push_back(code); });
        window.AwaitKey();
        EXPECT_TRUE(window.Waiting());
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

void Type(TFormKeybIn& window, const std::vector<Press>& presses) {
    for (const Press& press : presses) {
        QTest::keyClick(&window, press.key, press.modifiers);
    }
}

struct WaitCase {
    const char* name;
    std::vector<Press> presses;
    uint8_t code;
};

void PrintTo(const WaitCase& c, std::ostream* os) {
    *os << c.name;
}

class WaitForKeyTest : public ::testing::TestWithParam<WaitCase> {};

TEST_P(WaitForKeyTest, HandsOnTheFirstKeyThatTypesAndHides) {
    const WaitCase& c = GetParam();
    AwaitingWindow awaiting;
    Type(awaiting.window, c.presses);
    EXPECT_EQ(awaiting.taken, std::vector<uint8_t>{c.code}) << c.name;
    EXPECT_FALSE(awaiting.window.Waiting());
    EXPECT_FALSE(awaiting.window.isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Typing, WaitForKeyTest,
    ::testing::Values(WaitCase{"a", {{Qt::Key_A}}, 0x61},
                      WaitCase{"arrow, then x", {{Qt::Key_Up}, {Qt::Key_X}}, 0x78},
                      WaitCase{"Escape", {{Qt::Key_Escape}}, 0x1B},
                      WaitCase{"Tab", {{Qt::Key_Tab}}, 0x09},
                      WaitCase{"Shift+Tab", {{Qt::Key_Tab, Qt::ShiftModifier}}, 0x09},
                      WaitCase{"Ctrl+C", {{Qt::Key_C, Qt::ControlModifier}}, 0x03},
                      WaitCase{"only the first key counts", {{Qt::Key_B}, {Qt::Key_C}}, 0x62}));

TEST(KeyboardInputWindow, TakesTheKeyboardUnlikeTheOtherToolWindows) {
    QWidget owner;
    TFormKeybIn window(&owner);
    EXPECT_FALSE(window.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(window.windowTitle(), "Keyboard Input");
    EXPECT_EQ(window.size(), QSize(428, 39));
}

TEST(KeyboardInputWindow, RefusesToCloseUntilAKeyWasTaken) {
    AwaitingWindow awaiting;
    TFormKeybIn& window = awaiting.window;
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.Waiting());
    QTest::keyClick(&window, Qt::Key_K);
    EXPECT_EQ(awaiting.taken, std::vector<uint8_t>{0x6B});
    EXPECT_TRUE(window.close());
}

TEST(KeyboardInputWindow, KeepsKeysFromApplicationShortcuts) {
    AwaitingWindow awaiting(true);
    int fired = 0;
    QShortcut shortcut(QKeySequence(QStringLiteral("Ctrl+R")), &awaiting.owner);
    shortcut.setContext(Qt::ApplicationShortcut);
    QObject::connect(&shortcut, &QShortcut::activated, [&] { ++fired; });
    QTest::keyClick(&awaiting.window, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(awaiting.taken, std::vector<uint8_t>{0x12});
    EXPECT_EQ(fired, 0);
}

// IN 00 awaits one key at a time: asked again before it came, the window still takes one.
TEST(KeyboardInputWindow, ASecondAwaitDuringAWaitStillTakesOneKey) {
    AwaitingWindow awaiting;
    awaiting.window.AwaitKey();
    EXPECT_TRUE(awaiting.window.Waiting());
    QTest::keyClick(&awaiting.window, Qt::Key_Q);
    QTest::keyClick(&awaiting.window, Qt::Key_W);
    EXPECT_EQ(awaiting.taken, std::vector<uint8_t>{0x71});
    EXPECT_FALSE(awaiting.window.Waiting());
}

TEST(KeyboardInputWindow, PromptIsTheLargestFontUpTo32PixelsThatFits) {
    QWidget owner;
    TFormKeybIn window(&owner);
    const auto* label = window.findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry(), QRect(2, 1, 420, 37));
    EXPECT_EQ(label->text(), " Waiting for keyboard input > ");
    const auto fits = [&](const QFont& font) {
        const QFontMetrics metrics(font);
        return metrics.horizontalAdvance(label->text()) <= label->width() &&
               metrics.height() <= label->height();
    };
    QFont font = label->font();
    EXPECT_TRUE(fits(font));
    EXPECT_LE(font.pixelSize(), 32);
    if (font.pixelSize() < 32) {
        font.setPixelSize(font.pixelSize() + 1);
        EXPECT_FALSE(fits(font));
    }
}

bool Yellowish(QRgb pixel) {
    return qRed(pixel) > 160 && qGreen(pixel) > 160 && qBlue(pixel) < 100;
}

// The box around the yellow text in the picture.
QRect Ink(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (Yellowish(image.pixel(x, y))) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

TEST(KeyboardInputWindow, ShowsTheWholePromptLargeOnNavy) {
    AwaitingWindow awaiting;
    const QImage picture = awaiting.window.grab().toImage();
    QTest::keyClick(&awaiting.window, Qt::Key_Space);
    ASSERT_EQ(picture.size(), QSize(428, 39));
    EXPECT_EQ(QColor(picture.pixel(0, 0)), QColor(0x00, 0x00, 0x80));
    // Inside the label with room to spare on the right, and large enough to read.
    const QRect ink = Ink(picture);
    EXPECT_TRUE(QRect(2, 1, 415, 37).contains(ink))
        << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
    EXPECT_GT(ink.width(), 340);
    EXPECT_GT(ink.height(), 20);
}

} // namespace
