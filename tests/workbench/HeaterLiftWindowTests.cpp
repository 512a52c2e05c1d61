#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <gtest/gtest.h>

#include "workbench/ButtonFace.h"
#include "workbench/devices/TFormLift.h"
#include "workbench/devices/TformHeat.h"

namespace {

const QColor Red(0xFF, 0x00, 0x00);
const QColor Yellow(0xFF, 0xFF, 0x00);
const QColor White(0xFF, 0xFF, 0xFF);
const QColor Black(0x00, 0x00, 0x00);
const QColor Cyan(0x00, 0xFF, 0xFF);
const QColor Navy(0x00, 0x00, 0x80);

QColor TextColour(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

// ---- Heater and thermostat ----

class HeaterWindow : public ::testing::Test {
  protected:
    void SetUp() override { window.show(); }
    void Click(int y) { QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(170, y)); }
    QColor Pixel(int x, int y) const { return window.Picture().pixelColor(x, y); }

    Heater model;
    TformHeat window{nullptr, model};
};

// The mercury rises 3 pixels a degree from y 150; the white column above it is wiped clean
// whether the mercury rose or fell.
TEST_F(HeaterWindow, AThermometerClickSetsTheTemperatureAndTheMercury) {
    struct Case {
        int ClickY;
        double Degrees;
        int MercuryTop; // first red row of the column
    };
    for (const Case c : {Case{89, 20.0, 90}, Case{30, 40.0, 30}, Case{148, 0.0, 150},
                         Case{74, 25.0, 75}, Case{89, 20.0, 90}}) {
        SCOPED_TRACE(c.ClickY);
        Click(c.ClickY);
        EXPECT_EQ(model.Temperature(), c.Degrees);
        for (int x : {169, 170}) {
            EXPECT_EQ(Pixel(x, Heater::ColumnTop), c.MercuryTop == 30 ? Red : White);
            EXPECT_EQ(Pixel(x, c.MercuryTop - 1), White);
            EXPECT_EQ(Pixel(x, c.MercuryTop), Red);
            EXPECT_EQ(Pixel(x, 149), c.Degrees > 0 ? Red : White);
        }
        EXPECT_EQ(Pixel(171, 149), White) << "the mercury is two pixels wide";
    }
}

// The scale as a click reads it: 0 degrees at y 148 and 2.95 pixels a degree, in whole
// degrees held within 0..40.
TEST_F(HeaterWindow, AClickReadsTheScaleInWholeDegrees) {
    struct Case {
        int ClickY;
        const char* Reading;
    };
    // 10 reads 47 and 190 reads -14; 149 reads a little below zero, which is 0 and not -0.
    for (const Case c : {Case{148, "0.00"}, Case{30, "40.00"}, Case{10, "40.00"}, Case{190, "0.00"},
                         Case{149, "0.00"}, Case{83, "22.00"}, Case{84, "22.00"}}) {
        Click(c.ClickY);
        EXPECT_EQ(model.TemperatureText(), c.Reading) << c.ClickY;
    }
}

TEST_F(HeaterWindow, TheMercuryFollowsTheTimer) {
    Click(89);
    model.PortWrite(0x00);
    model.Timer1Timer(); // 20 - 20/40 = 19.5 degrees, 58.5 pixels rounded to even: 58
    EXPECT_EQ(Pixel(170, 92), Red);
    EXPECT_EQ(Pixel(170, 91), White);
}

TEST_F(HeaterWindow, ClicksBelowThePictureChangeNothing) {
    Click(89);
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(170, 210));
    EXPECT_EQ(model.Temperature(), 20.0);
}

// The reading is dark on white at 80,172, its leading spaces white.
TEST_F(HeaterWindow, TheReadingIsWrittenUnderTheThermometer) {
    const QImage before = window.Picture().copy(80, 172, 80, 14);
    Click(89);
    const QImage after = window.Picture().copy(80, 172, 80, 14);
    EXPECT_NE(before, after);
    EXPECT_EQ(after.pixelColor(1, 1), White);
    bool inked = false;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            inked = inked || after.pixelColor(x, y).lightness() < 64;
        }
    }
    EXPECT_TRUE(inked);
}

TEST_F(HeaterWindow, TheSwitchLabelShowsTheHeater) {
    EXPECT_EQ(window.labelOnOff->text(), "");
    EXPECT_FALSE(window.labelOnOff->autoFillBackground());
    struct Case {
        uint8_t Byte;
        const char* Text;
        QColor Back;
        QColor Ink;
    };
    for (const Case c : {Case{0x80, "  ON", Red, Yellow}, Case{0x7F, "  OFF", ButtonFace(), Black},
                         Case{0xFF, "  ON", Red, Yellow}}) {
        SCOPED_TRACE(c.Text);
        model.PortWrite(c.Byte);
        EXPECT_EQ(window.labelOnOff->text(), c.Text);
        EXPECT_EQ(TextColour(window.labelOnOff), c.Ink);
        EXPECT_EQ(window.grab().toImage().pixelColor(26, 93), c.Back);
    }
}

// The whole byte shows at once with the thermostat's bit; the next tick shows two bits.
TEST_F(HeaterWindow, TheIoLabelShowsTheOutputThenTheThermostat) {
    EXPECT_EQ(window.labelIO->text(), "00000000");
    EXPECT_EQ(TextColour(window.labelIO), Yellow);
    Click(74); // 25 degrees
    model.PortWrite(0x85);
    EXPECT_EQ(window.labelIO->text(), "10000101");
    model.Timer1Timer();
    EXPECT_EQ(window.labelIO->text(), "10000001");
}

// Nothing of the room is cut off at the window's edges: the picture keeps a teal margin of
// 4 pixels on the left and the right.
TEST_F(HeaterWindow, ThePictureStaysInsideTheWindow) {
    const QColor teal(0x00, 0x80, 0x80);
    for (int y = 0; y < TformHeat::Image1.height(); ++y) {
        for (int x : {0, 1, 2, 3, 196, 197, 198, 199}) {
            ASSERT_EQ(Pixel(x, y), teal) << x << "," << y;
        }
    }
}

TEST_F(HeaterWindow, TheHintBelongsToThePicture) {
    const auto hint = [this](QPoint at) {
        QHelpEvent event(QEvent::ToolTip, at, window.mapToGlobal(at));
        QApplication::sendEvent(&window, &event);
        return QToolTip::text();
    };
    EXPECT_EQ(hint(QPoint(170, 210)), "");
    EXPECT_EQ(hint(QPoint(170, 100)), "CLICK THERMOMETER TO SET TEMPERATURE");
}

// ---- Lift ----

class LiftWindow : public ::testing::Test {
  protected:
    void SetUp() override { window.show(); }
    QColor Pixel(int x, int y) const { return window.Picture().pixelColor(x, y); }
    void TickUntil(int top) {
        for (int ticks = 0; model.CarTop() != top && ticks < 400; ++ticks) {
            model.Timer1Timer();
        }
        ASSERT_EQ(model.CarTop(), top);
    }
    // The car's outline rows are at its top and bottom edges, with the shaft around it.
    void ExpectCarAt(int top) const {
        const QColor shaft = Pixel(50, 64);
        EXPECT_EQ(Pixel(50, top - 1), shaft);
        EXPECT_EQ(Pixel(50, top), Navy);
        EXPECT_EQ(Pixel(50, top + 2), Cyan);
        EXPECT_EQ(Pixel(50, top + 85), Navy);
        EXPECT_EQ(Pixel(50, top + 86), shaft);
        EXPECT_NE(Pixel(44, top + 2), Navy); // the car spans x 45..110
        EXPECT_EQ(Pixel(45, top + 2), Navy);
        EXPECT_EQ(Pixel(110, top + 2), Navy);
        EXPECT_NE(Pixel(111, top + 2), Navy);
    }

    Lift model;
    TFormLift window{nullptr, model};
};

TEST_F(LiftWindow, TheCarIsDrawnWhereTheModelHasIt) {
    ExpectCarAt(232);
    model.PortWrite(0x01);
    for (int top : {231, 200, 150, 75}) {
        SCOPED_TRACE(top);
        TickUntil(top);
        ExpectCarAt(top);
    }
    EXPECT_EQ(Pixel(50, 300), Pixel(50, 64)) << "the shaft is uncovered behind the car";
    model.PortWrite(0x02);
    TickUntil(120);
    ExpectCarAt(120);
    EXPECT_EQ(Pixel(50, 100), Pixel(50, 64));
}

TEST_F(LiftWindow, TheLabelsFollowTheTicks) {
    EXPECT_EQ(window.LabelState->text(), "Stopped");
    EXPECT_TRUE(window.LabelState->font().bold());
    EXPECT_EQ(window.LabelData->text(), "MSB 00000000 LSB");
    model.Timer1Timer();
    EXPECT_EQ(window.LabelData->text(), "MSB 00001000 LSB");
    model.PortWrite(0xC1);
    EXPECT_EQ(window.LabelState->text(), "Stopped") << "an output waits for the next tick";
    model.Timer1Timer();
    EXPECT_EQ(window.LabelState->text(), "Going Up");
    EXPECT_EQ(window.LabelData->text(), "MSB 11001001 LSB");
    EXPECT_EQ(TextColour(window.LabelState), Black);
    EXPECT_GE(window.LabelState->width(), window.LabelState->sizeHint().width());
}

// A call lights its button (disabled, red arrow) until the program writes its bit as 0.
TEST_F(LiftWindow, ACallButtonClickLightsTheCall) {
    struct Case {
        QToolButton* Button;
        int Bit;
        QPoint Centre;
    };
    for (const Case c : {Case{window.SpeedButtonUp, Lift::CalledUp, {20, 116}},
                         Case{window.SpeedButtonDown, Lift::CalledDown, {20, 276}}}) {
        SCOPED_TRACE(c.Bit);
        EXPECT_NE(window.grab().toImage().pixelColor(c.Centre), Red);
        QTest::mouseClick(c.Button, Qt::LeftButton);
        EXPECT_EQ(model.LiftBits() & c.Bit, c.Bit);
        EXPECT_FALSE(c.Button->isEnabled());
        EXPECT_EQ(window.grab().toImage().pixelColor(c.Centre), Red);
        QTest::mouseClick(c.Button, Qt::LeftButton);
        EXPECT_EQ(model.LiftBits() & c.Bit, c.Bit) << "a lit button takes no clicks";
        model.PortWrite(0x00);
        EXPECT_TRUE(c.Button->isEnabled());
        EXPECT_NE(window.grab().toImage().pixelColor(c.Centre), Red);
    }
}

TEST_F(LiftWindow, TheRepairBringsACrashedLiftBack) {
    EXPECT_FALSE(window.ButtonEngineer->isEnabled());
    EXPECT_EQ(window.ButtonEngineer->text(), "Repair Crashed Lift");
    model.PortWrite(0x03);
    model.Timer1Timer();
    EXPECT_EQ(window.LabelState->text(), "CRASHED");
    EXPECT_EQ(TextColour(window.LabelState), Red);
    EXPECT_FALSE(window.ButtonEngineer->isEnabled());
    model.Timer1Timer();
    ASSERT_TRUE(window.ButtonEngineer->isEnabled());
    QTest::mouseClick(window.ButtonEngineer, Qt::LeftButton);
    EXPECT_FALSE(model.Crashed());
    EXPECT_EQ(model.LiftBits(), 0);
    EXPECT_FALSE(window.ButtonEngineer->isEnabled());
    EXPECT_EQ(window.LabelState->text(), "Stopped");
    EXPECT_EQ(TextColour(window.LabelState), Black);
    ExpectCarAt(231);
}

TEST_F(LiftWindow, ACrashPastTheTopFloorIsRepairedToTheBottom) {
    model.PortWrite(0x01);
    TickUntil(73);
    model.Timer1Timer();
    QTest::mouseClick(window.ButtonEngineer, Qt::LeftButton);
    ExpectCarAt(231);
    EXPECT_EQ(Pixel(50, 100), Pixel(50, 64)) << "nothing is left of the car at the top";
}

// Each click hands the keyboard back to the main window.
TEST(LiftWindowOwner, EveryClickActivatesTheOwnerAgain) {
    QWidget owner;
    owner.show();
    Lift model;
    auto* window = new TFormLift(&owner, model);
    window->show();
    model.PortWrite(0x03);
    model.Timer1Timer();
    model.Timer1Timer();
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             window->SpeedButtonUp, window->SpeedButtonDown, window->ButtonEngineer}) {
        window->activateWindow();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::activeWindow(), window);
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), &owner);
    }
}

} // namespace
