#include <QCoreApplication>
#include <QImage>
#include <QPaintEvent>
#include <QRadioButton>
#include <QRegion>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

#include "support/TestMachine.h"
#include "workbench/TFormRamHex.h"

namespace {

using View = TFormRamHex::View;
using namespace Qt::StringLiterals;

// 00: MOV AL,5A  03: MOV [80],AL  06: PUSH AL  08: END
constexpr const char* Program = "MOV AL,5A\nMOV [80],AL\nPUSH AL\nEND\n";

// Records the regions that the window paints.
class PaintSpy : public QObject {
  public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

class RamView : public ::testing::Test {
  protected:
    TFormRamHex view{nullptr};
    TestMachine test{Program};

    MachineState& Machine() { return test.machine.Machine; }
    void AssembleAndAttach() {
        ASSERT_TRUE(test.Assemble());
        view.SetMachine(&Machine());
    }
    void Step() {
        test.Step();
        view.UpdateHighlights();
    }
    // The cell geometry the window must follow: 17 equal columns, 17 equal rows above the
    // 28-pixel button panel.
    QRect Cell(int address) const {
        const int width = view.width() / 17;
        const int height = (view.height() - 28) / 17;
        return {(address % 16 + 1) * width, (address / 16 + 1) * height, width, height};
    }
    QColor TextBoxColour(const QImage& image, int address) const {
        return image.pixelColor(Cell(address).topLeft() + QPoint(1, 1));
    }
    QColor CellCornerColour(const QImage& image, int address) const {
        return image.pixelColor(Cell(address).bottomRight());
    }
    std::vector<QString> TextsIn(View shown, std::initializer_list<int> addresses) {
        view.SetView(shown);
        std::vector<QString> texts;
        for (int address : addresses) {
            texts.push_back(view.CellText(address));
        }
        return texts;
    }
};

// Text is antialiased: a stroke shows its colour, give or take a blend with the background.
bool HasInk(const QImage& image, const QRect& area, const QColor& ink) {
    const auto near = [&](const QColor& pixel) {
        return std::abs(pixel.red() - ink.red()) < 64 &&
               std::abs(pixel.green() - ink.green()) < 64 &&
               std::abs(pixel.blue() - ink.blue()) < 64;
    };
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (near(image.pixelColor(x, y))) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(RamView, CellTextInEachView) {
    enum class Stage { NoMachine, NothingAssembled, Assembled };
    struct Case {
        Stage stage;
        View view;
        std::vector<QString> expected; // cells 00, 02, 03, 40
    };
    const std::vector<Case> cases = {
        {Stage::NoMachine, View::Hexadecimal, {"  ", "  ", "  ", "  "}},
        {Stage::NoMachine, View::Ascii, {"  ", "  ", "  ", "  "}},
        {Stage::NoMachine, View::Source, {"  ", "  ", "  ", "  "}},
        {Stage::NothingAssembled, View::Hexadecimal, {"00", "00", "00", "00"}},
        {Stage::NothingAssembled, View::Ascii, {" ", " ", " ", " "}},
        {Stage::NothingAssembled, View::Source, {"END", "END", "END", "END"}},
        {Stage::Assembled, View::Hexadecimal, {"D0", "5A", "D2", "00"}},
        {Stage::Assembled, View::Ascii, {u" \u00D0"_s, " Z", u" \u00D2"_s, "  "}},
        {Stage::Assembled, View::Source, {"MOV", "5A", "MOV", "END"}},
    };
    for (const Case& c : cases) {
        if (c.stage == Stage::NothingAssembled) {
            view.SetMachine(&Machine());
        } else if (c.stage == Stage::Assembled && !Machine().NoError) {
            ASSERT_TRUE(test.Assemble());
        }
        EXPECT_EQ(TextsIn(c.view, {0x00, 0x02, 0x03, 0x40}), c.expected)
            << "stage " << static_cast<int>(c.stage) << " view " << static_cast<int>(c.view);
    }
}

TEST_F(RamView, AsciiViewBlanksControlCodes) {
    const std::vector<std::pair<int, QString>> cases = {
        {0x00, "  "},         {0x1F, "  "},         {0x20, "  "},         {0x41, " A"},
        {0x7E, " ~"},         {0x7F, "  "},         {0x80, "  "},         {0x9F, "  "},
        {0xA0, u" \u00A0"_s}, {0xE9, u" \u00E9"_s}, {0xFF, u" \u00FF"_s},
    };
    view.SetMachine(&Machine());
    view.SetView(View::Ascii);
    for (const auto& [code, expected] : cases) {
        Machine().WriteCell(0x90, FoldByte(code));
        EXPECT_EQ(view.CellText(0x90), expected) << code;
    }
}

TEST_F(RamView, RunTimeWriteShowsHexDigitsInSourceView) {
    AssembleAndAttach();
    EXPECT_EQ(view.CellText(0x80), "END");
    test.Step(2);
    EXPECT_EQ(view.CellText(0x80), "5A");
    EXPECT_EQ(view.CellText(0x02), "5A"); // written by the assembler, still its source word
}

TEST_F(RamView, ViewChangesCaptionAndRadioButton) {
    EXPECT_EQ(view.CurrentView(), View::Source);
    EXPECT_EQ(view.windowTitle(), "RAM Source Code View");
    EXPECT_TRUE(view.findChild<QRadioButton*>("RadioButtonSource")->isChecked());
    struct Case {
        View view;
        const char* caption;
        const char* button;
    };
    for (const Case& c : {Case{View::Hexadecimal, "RAM Hexadecimal View", "RadioButtonHex"},
                          Case{View::Ascii, "RAM ASCII View", "RadioButtonASCII"},
                          Case{View::Source, "RAM Source Code View", "RadioButtonSource"}}) {
        view.SetView(c.view);
        EXPECT_EQ(view.windowTitle(), c.caption);
        EXPECT_EQ(view.CurrentView(), c.view);
        EXPECT_TRUE(view.findChild<QRadioButton*>(c.button)->isChecked()) << c.button;
    }
}

TEST_F(RamView, MouseAndMnemonicPickTheView) {
    view.show();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    auto* hex = view.findChild<QRadioButton*>("RadioButtonHex");
    QTest::mouseClick(hex, Qt::LeftButton, {}, QPoint(8, hex->height() / 2));
    EXPECT_EQ(view.windowTitle(), "RAM Hexadecimal View");
    QTest::keyClick(&view, Qt::Key_Y, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.CurrentView() == View::Ascii; }));
    EXPECT_EQ(view.windowTitle(), "RAM ASCII View");
}

TEST_F(RamView, HighlightsFollowIpAndSp) {
    struct Case {
        const char* name;
        int steps;
        int sp; // set directly when not -1
        std::vector<std::pair<int, QColor>> boxes;
    };
    const std::vector<Case> cases = {
        {"after assembly", 0, -1, {{0x00, Qt::red}, {0xBF, Qt::blue}, {0x03, Qt::white}}},
        {"after a step", 1, -1, {{0x03, Qt::red}, {0x00, Qt::white}, {0xBF, Qt::blue}}},
        {"IP wins over SP", 0, 0x03, {{0x03, Qt::red}, {0xBF, Qt::white}}},
        {"SP leaves IP", 0, 0x10, {{0x03, Qt::red}, {0x10, Qt::blue}}},
        {"two steps on", 2, -1, {{0x08, Qt::red}, {0x0F, Qt::blue}, {0x03, Qt::white}}},
    };
    AssembleAndAttach();
    for (const Case& c : cases) {
        for (int i = 0; i < c.steps; ++i) {
            Step();
        }
        if (c.sp >= 0) {
            Machine().SetRegister(SP, c.sp, false);
            view.UpdateHighlights();
        }
        const QImage image = view.grab().toImage();
        for (const auto& [address, colour] : c.boxes) {
            EXPECT_EQ(TextBoxColour(image, address), colour) << c.name << " cell " << address;
            EXPECT_EQ(CellCornerColour(image, address), QColor(Qt::white)) << c.name;
        }
        EXPECT_TRUE(HasInk(image, Cell(Machine().RegisterLow(IP)), Qt::yellow)) << c.name;
    }
}

TEST_F(RamView, HeadingsAreRed) {
    const QImage image = view.grab().toImage();
    EXPECT_TRUE(HasInk(image, Cell(0).translated(0, -Cell(0).height()), Qt::red));
    EXPECT_TRUE(HasInk(image, Cell(0xF0).translated(-Cell(0).width(), 0), Qt::red));
    EXPECT_FALSE(HasInk(image, QRect(QPoint(0, 0), Cell(0).size()), Qt::red));
}

TEST_F(RamView, CellsFollowTheWindowSize) {
    AssembleAndAttach();
    view.resize(17 * 40, 28 + 17 * 24);
    const QImage image = view.grab().toImage();
    EXPECT_EQ(Cell(0x00), QRect(40, 24, 40, 24));
    EXPECT_EQ(TextBoxColour(image, 0x00), QColor(Qt::red));
    EXPECT_EQ(TextBoxColour(image, 0xBF), QColor(Qt::blue));
}

TEST_F(RamView, RunRepaintsOnlyChangedCells) {
    AssembleAndAttach();
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    PaintSpy spy;
    view.installEventFilter(&spy);
    const auto paintedAfter = [&](const std::function<void()>& action) {
        QCoreApplication::processEvents(); // paints asked for before
        spy.painted = {};
        action();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !spy.painted.isEmpty(); }));
        return spy.painted;
    };
    EXPECT_EQ(paintedAfter([&] { Step(); }), QRegion(Cell(0x00)) + Cell(0x03));
    EXPECT_EQ(paintedAfter([&] {
                  Step();
                  view.PaintCell(0x80);
              }),
              QRegion(Cell(0x03)) + Cell(0x06) + Cell(0x80));
    EXPECT_EQ(paintedAfter([&] { Step(); }),
              QRegion(Cell(0x06)) + Cell(0x08) + Cell(0xBF) + Cell(0xBE));
}

// A source word wider than its cell ends within it, in an ellipsis: cut at the cell's edge
// it ran on into the next cell's word ("DIGI'MOV").
TEST_F(RamView, AWordWiderThanItsCellEndsWithinIt) {
    TestMachine jumps{"Digits:\nJMP Digits\nMOV AL,1\nEND\n"};
    ASSERT_TRUE(jumps.Assemble());
    view.SetMachine(&jumps.machine.Machine);
    ASSERT_EQ(view.CellText(0x01), "DIGITS");
    const QRect cell = Cell(0x01);
    ASSERT_GT(QFontMetrics(view.font()).horizontalAdvance(view.CellText(0x01)), cell.width());
    const QImage image = view.grab().toImage();
    const QColor ink(Qt::black);
    EXPECT_TRUE(HasInk(image, cell.adjusted(0, 0, -cell.width() / 2, 0), ink));
    EXPECT_FALSE(HasInk(image, QRect(cell.right(), cell.top(), 1, cell.height()), ink));
    EXPECT_TRUE(HasInk(image, Cell(0x02), ink)); // "MOV" as it was
}

TEST_F(RamView, TinyWindowPaints) {
    AssembleAndAttach();
    for (const QSize size : {QSize(40, 40), QSize(40, 28 + 17), QSize(5, 5)}) {
        view.resize(size);
        EXPECT_FALSE(view.grab().isNull()) << size.width() << "x" << size.height();
    }
}

} // namespace
