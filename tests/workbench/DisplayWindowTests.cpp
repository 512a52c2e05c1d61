#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "devices/Peripherals.h"
#include "support/TestMachine.h"
#include "workbench/Fonts.h"
#include "workbench/devices/TformSevenSeg.h"
#include "workbench/devices/TformTlight.h"
#include "workbench/devices/TformVdu.h"

namespace {

using namespace Qt::StringLiterals;

// Records the regions that a window paints.
class PaintSpy : public QObject {
  public:
    explicit PaintSpy(QWidget& window) { window.installEventFilter(this); }
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

void ShowAndSettle(QWidget& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
}

Rgb ColourAt(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

// A label of bits: eight yellow digits in bold 13-pixel Courier New.
void ExpectBitLabel(const QLabel* label, const QRect& geometry, const QString& text) {
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry(), geometry);
    EXPECT_EQ(label->text(), text);
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->font().pixelSize(), 13);
    EXPECT_EQ(label->font().family(), "Courier New");
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::yellow));
}

// ---- VDU ----

class VduScreen : public ::testing::Test {
  protected:
    TestMachine test{"END\n"};
    TformVdu vdu{nullptr, test.machine.Machine};

    void SetUp() override {
        vdu.resize(320, 80);
        ShowAndSettle(vdu);
    }
    void Write(int address, int code) { test.machine.Machine.WriteCell(address, FoldByte(code)); }
    void Refresh() {
        vdu.Refresh();
        QCoreApplication::processEvents();
    }
    QRect Cell(int row, int column) const {
        return {column * vdu.CellWidth(), row * vdu.CellHeight(), vdu.CellWidth(),
                vdu.CellHeight()};
    }
    // What the window holds: on the offscreen platform a screen grab reads the window's
    // backing store, so it shows only what was really painted, unlike grab().
    QImage Shown() {
        QCoreApplication::processEvents();
        return vdu.screen()
            ->grabWindow(vdu.winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    QImage FullPaint() { return vdu.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // The text as a cell of this size shows it, at its top left corner.
    QImage Expected(const QString& text) const {
        QImage image(vdu.CellWidth(), vdu.CellHeight(), QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        const QFont font = CourierNew(13, true);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(0, QFontMetrics(font).ascent(), text);
        return image;
    }
    QImage ShownCell(int row, int column) { return Shown().copy(Cell(row, column)); }
};

TEST_F(VduScreen, CellSizeIsTheClientSizeDividedSixteenByFour) {
    struct Case {
        int width, height, cellWidth, cellHeight;
    };
    for (const Case& c : {Case{320, 80, 20, 20}, Case{100, 80, 6, 20}, Case{200, 64, 12, 16},
                          Case{255, 99, 15, 24}}) {
        vdu.resize(c.width, c.height);
        EXPECT_EQ(vdu.CellWidth(), c.cellWidth) << c.width;
        EXPECT_EQ(vdu.CellHeight(), c.cellHeight) << c.height;
    }
}

TEST_F(VduScreen, BlankBeforeTheFirstAssemblyAndAfterIt) {
    const QImage black = Expected(" ").scaled(vdu.size());
    EXPECT_EQ(Shown(), black);
    ASSERT_TRUE(test.Assemble());
    Refresh();
    EXPECT_EQ(Shown(), black);
}

TEST_F(VduScreen, StoresShowAfterTheRefreshAtTheirCells) {
    ASSERT_TRUE(test.Assemble());
    Refresh();
    Write(0xC0, 0x41);
    Write(0xFF, 0x42);
    EXPECT_EQ(ShownCell(0, 0), Expected(" ")) << "drawn before the step ended";
    Refresh();
    EXPECT_EQ(ShownCell(0, 0), Expected("A"));
    EXPECT_EQ(ShownCell(3, 15), Expected("B"));
    EXPECT_EQ(ShownCell(0, 1), Expected(" "));
    EXPECT_EQ(Shown(), FullPaint());
}

TEST_F(VduScreen, EachCodeDrawsItsLatin1GlyphAndControlCodesBlank) {
    const std::vector<std::pair<int, QString>> cases = {
        {0x41, "A"}, {0x7E, "~"},         {0x00, " "},         {0x0D, " "},
        {0x1F, " "}, {0x7F, " "},         {0x80, " "},         {0x9F, " "},
        {0x20, " "}, {0xA3, u"\u00A3"_s}, {0xE9, u"\u00E9"_s}, {0xFF, u"\u00FF"_s},
    };
    ASSERT_TRUE(test.Assemble());
    for (const auto& [code, text] : cases) {
        Write(0xD5, code);
        Refresh();
        EXPECT_EQ(ShownCell(1, 5), Expected(text)) << "code " << code;
    }
}

TEST_F(VduScreen, RefreshRepaintsOnlyTheCellsThatChanged) {
    ASSERT_TRUE(test.Assemble());
    Refresh();
    PaintSpy spy(vdu);
    Write(0xD3, 'x');
    Refresh();
    EXPECT_FALSE(spy.painted.isEmpty());
    EXPECT_TRUE(Cell(1, 3).contains(spy.painted.boundingRect())) << "painted outside D3";
    spy.painted = {};
    Refresh();
    EXPECT_TRUE(spy.painted.isEmpty()) << "nothing changed";
}

// At 6-pixel cells a character overhangs into the next column; a refresh of one cell must
// leave the screen as a whole paint would draw it.
TEST_F(VduScreen, NarrowCellsRefreshLikeAWholePaint) {
    ASSERT_TRUE(test.Assemble());
    vdu.resize(100, 80);
    for (int address = 0xC0; address < 0xD0; ++address) {
        Write(address, 'W');
    }
    Refresh();
    EXPECT_EQ(Shown(), FullPaint());
    for (int address : {0xC4, 0xCF, 0xC0}) {
        Write(address, '|');
        Refresh();
        EXPECT_EQ(Shown(), FullPaint()) << "after a store at " << address;
    }
}

TEST_F(VduScreen, AHiddenScreenCatchesUpWhenShown) {
    ASSERT_TRUE(test.Assemble());
    Refresh();
    vdu.hide();
    PaintSpy spy(vdu);
    Write(0xC7, 'Q');
    vdu.Refresh();
    QCoreApplication::processEvents();
    EXPECT_TRUE(spy.painted.isEmpty());
    ShowAndSettle(vdu);
    EXPECT_EQ(ShownCell(0, 7), Expected("Q"));
}

TEST_F(VduScreen, CharactersKeepTheirSizeInLargerCells) {
    ASSERT_TRUE(test.Assemble());
    Write(0xFF, 'B');
    vdu.resize(640, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(ShownCell(3, 15), Expected("B"));
    EXPECT_EQ(Shown(), FullPaint());
}

// ---- Traffic lights ----

struct LampPoint {
    int x, y;
    Rgb lit;
};
// Left red, amber, green, then right red, amber, green: bits 7 to 2.
const LampPoint LampCentres[] = {{51, 34, Red},  {51, 55, Yellow},  {51, 76, Lime},
                                 {142, 34, Red}, {142, 55, Yellow}, {142, 76, Lime}};

class TrafficLightsWindow : public ::testing::Test {
  protected:
    TrafficLights lights;
    TformTlight window{nullptr, lights};

    std::string LampsLit() const {
        std::string lit;
        for (const LampPoint& lamp : LampCentres) {
            const Rgb colour = ColourAt(window.Picture(), lamp.x, lamp.y);
            lit += colour == lamp.lit ? '1' : colour == Black ? '0' : '?';
        }
        return lit;
    }
    const QLabel* Label() const { return window.findChild<QLabel*>("tlightLabel"); }
};

TEST_F(TrafficLightsWindow, LampsFollowBitsSevenToTwoWhileHidden) {
    struct Case {
        int byte;
        const char* lamps;
        const char* label;
    };
    EXPECT_EQ(LampsLit(), "000000");
    ExpectBitLabel(Label(), {64, 176, 64, 16}, "00000000");
    for (const Case& c : {Case{0x84, "100001", "10000100"}, Case{0x03, "000000", "00000011"},
                          Case{0xFC, "111111", "11111100"}, Case{0x48, "010010", "01001000"},
                          Case{0x00, "000000", "00000000"}}) {
        lights.PortWrite(static_cast<uint8_t>(c.byte));
        EXPECT_EQ(LampsLit(), c.lamps) << c.label;
        EXPECT_EQ(Label()->text(), c.label);
    }
}

// The lamp is a circle with a black outline on the edges of its box, 41..61 both included;
// the amber lamp's box starts right under it.
TEST_F(TrafficLightsWindow, LampFillsItsBoxInsideABlackOutline) {
    lights.PortWrite(0x80);
    const QImage& picture = window.Picture();
    for (const auto& [x, y] : {std::pair{41, 34}, {61, 34}, {51, 24}, {51, 44}}) {
        EXPECT_EQ(ColourAt(picture, x, y), Black) << x << "," << y;
    }
    for (const auto& [x, y] : {std::pair{42, 34}, {60, 34}, {51, 25}, {51, 43}}) {
        EXPECT_EQ(ColourAt(picture, x, y), Red) << x << "," << y;
    }
    for (const auto& [x, y] : {std::pair{40, 34}, {62, 34}, {51, 23}}) {
        EXPECT_NE(ColourAt(picture, x, y), Red) << x << "," << y;
        EXPECT_NE(ColourAt(picture, x, y), Black) << x << "," << y;
    }
}

TEST_F(TrafficLightsWindow, OnlyLampsThatChangedAreRepainted) {
    ShowAndSettle(window);
    PaintSpy spy(window);
    lights.PortWrite(0x80);
    QCoreApplication::processEvents();
    EXPECT_EQ(spy.painted.subtracted(Label()->geometry()), QRegion(41, 24, 21, 21));
    spy.painted = {};
    lights.PortWrite(0x81); // bit 0 is not connected
    QCoreApplication::processEvents();
    EXPECT_TRUE(spy.painted.subtracted(Label()->geometry()).isEmpty());
    EXPECT_EQ(Label()->text(), "10000001");
}

// ---- Seven-segment displays ----

using Digit = SevenSegmentDisplays::Digit;

// A point inside each segment of the right digit: top, upper left, lower left, bottom,
// lower right, middle, upper right.
const QPoint SegmentPoints[] = {{140, 49}, {124, 65}, {124, 98}, {140, 112},
                                {155, 98}, {140, 80}, {155, 65}};

class SevenSegmentWindow : public ::testing::Test {
  protected:
    SevenSegmentDisplays digits;
    TformSevenSeg window{nullptr, digits};

    std::string SegmentsLit(Digit digit) const {
        const int shift = digit == Digit::Left ? -84 : 0;
        std::string lit;
        for (const QPoint& point : SegmentPoints) {
            const Rgb colour = ColourAt(window.Picture(), point.x() + shift, point.y());
            lit += colour == Yellow ? '1' : colour == Black ? '0' : '?';
        }
        return lit;
    }
    const QLabel* Label() const { return window.findChild<QLabel*>("sevSegLabel"); }
};

TEST_F(SevenSegmentWindow, EachDigitShowsItsLatch) {
    struct Case {
        int byte;
        const char* left;
        const char* right;
    };
    EXPECT_EQ(SegmentsLit(Digit::Left), "0000000");
    EXPECT_EQ(SegmentsLit(Digit::Right), "0000000");
    ExpectBitLabel(Label(), {62, 184, 64, 16}, "00000000");
    for (const Case& c : {Case{0xFE, "1111111", "0000000"}, // an eight on the left
                          Case{0x0B, "1111111", "0000101"}, // a one on the right
                          Case{0xFA, "1111101", "0000101"}, // a nought on the left
                          Case{0x00, "0000000", "0000101"}, Case{0x01, "0000000", "0000000"}}) {
        digits.PortWrite(static_cast<uint8_t>(c.byte));
        EXPECT_EQ(SegmentsLit(Digit::Left), c.left) << c.byte;
        EXPECT_EQ(SegmentsLit(Digit::Right), c.right) << c.byte;
    }
    EXPECT_EQ(Label()->text(), "00000001");
}

// Rows 79, 80, 82 and 83, each without its last point; row 81 stays dark.
TEST_F(SevenSegmentWindow, MiddleSegmentIsFourRowsAroundADarkOne) {
    struct Case {
        int x, y;
        bool lit;
    };
    const std::vector<Case> cases = {
        {140, 78, false}, {140, 79, true},  {140, 80, true}, {140, 81, false}, {140, 82, true},
        {140, 83, true},  {140, 84, false}, {125, 79, true}, {154, 79, true},  {124, 79, false},
        {155, 79, false}, {124, 80, true},  {155, 80, true}, {156, 80, false}, {124, 82, true},
        {155, 82, true},  {125, 83, true},  {154, 83, true}, {155, 83, false},
    };
    digits.PortWrite(0x05);
    for (const Case& c : cases) {
        EXPECT_EQ(ColourAt(window.Picture(), c.x, c.y) == Yellow, c.lit)
            << "right digit " << c.x << "," << c.y;
        EXPECT_NE(ColourAt(window.Picture(), c.x - 84, c.y), Yellow)
            << "left digit " << c.x - 84 << "," << c.y;
    }
}

TEST_F(SevenSegmentWindow, OnlySegmentsThatChangedAreRepainted) {
    ShowAndSettle(window);
    PaintSpy spy(window);
    digits.PortWrite(0x0B); // upper and lower right of the right digit
    QCoreApplication::processEvents();
    const QRegion segments = spy.painted.subtracted(Label()->geometry());
    EXPECT_FALSE(segments.isEmpty());
    EXPECT_TRUE(QRect(QPoint(153, 49), QPoint(157, 113)).contains(segments.boundingRect()));
    spy.painted = {};
    digits.PortWrite(0x00); // the left digit was already blank
    QCoreApplication::processEvents();
    EXPECT_TRUE(spy.painted.subtracted(Label()->geometry()).isEmpty());
}

// ---- On a running machine ----

TEST(DisplayWindows, FollowAProgram) {
    TestMachine test("MOV AL,41\nMOV [C0],AL\nMOV AL,84\nOUT 01\nMOV AL,FE\nOUT 02\n"
                     "HALT\nEND\n");
    Peripherals devices{test.machine, test.ui, test.machine.Ports};
    TformVdu vdu(nullptr, test.machine.Machine);
    TformTlight lights(nullptr, devices.Lights);
    TformSevenSeg digits(nullptr, devices.Digits);
    ShowAndSettle(vdu);
    ASSERT_TRUE(test.Assemble());
    test.Step(6);
    vdu.Refresh();
    QCoreApplication::processEvents();
    const QImage screen = vdu.screen()->grabWindow(vdu.winId()).toImage();
    EXPECT_NE(screen.copy(0, 0, vdu.CellWidth(), vdu.CellHeight()),
              screen.copy(vdu.CellWidth(), 0, vdu.CellWidth(), vdu.CellHeight()))
        << "A at C0";
    EXPECT_EQ(ColourAt(lights.Picture(), 51, 34), Red);
    EXPECT_EQ(ColourAt(lights.Picture(), 142, 76), Lime);
    EXPECT_EQ(ColourAt(digits.Picture(), 140 - 84, 80), Yellow);
    EXPECT_EQ(ColourAt(digits.Picture(), 140, 80), Black);
}

} // namespace
