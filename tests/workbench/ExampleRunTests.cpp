// The examples that drive devices, run in the real main window in simulated time: the device
// windows they open must show what the devices hold.
#include <QLabel>

#include "WorkbenchFixture.h"
#include "core/RunControl.h"
#include "core/VirtualClock.h"
#include "devices/Peripherals.h"
#include "devices/Vdu.h"
#include "workbench/TFormKeybIn.h"
#include "workbench/devices/PictureWindow.h"
#include "workbench/devices/TFormLift.h"

namespace {

class ExampleRunTest : public WorkbenchTest {
  protected:
    // Loads an example from the project's examples folder as the Examples menu would.
    void LoadExample(const char* name) {
        QFile source(QStringLiteral(CORVANE_EXAMPLES "/") + name);
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        WriteBytes(name, source.readAll());
        form->LoadExample(name);
        ASSERT_EQ(form->windowTitle(), name);
    }
    void Run(int64_t clockMs, int64_t steps, ClockHooks hooks = {}) {
        form->ButtonRunClick();
        ASSERT_TRUE(form->Machine().Machine.NoError);
        RunInVirtualTime(form->Machine(), form->Control(), form->Devices().Timers(),
                         {clockMs, 1000, steps}, std::move(hooks));
        form->ApplyReport(); // the frame the window draws once the run is over
        form->FlushPanes();
    }
    QString ScreenRow(int row) const {
        QString text;
        for (int column = 0; column < VduColumns; ++column) {
            text += QChar(VduCharacter(form->Machine().Machine, row, column));
        }
        return text;
    }
    const QImage& Picture(Peripheral window) const {
        return static_cast<PictureWindow*>(form->Windows().Window(window))->Picture();
    }
};

TEST_F(ExampleRunTest, DemonstrationShowsTheGreetingAndTheLightsItSets) {
    LoadExample("demo.asm");
    Run(125, 3000);
    EXPECT_TRUE(form->IsPeripheralVisible(Peripheral::Vdu));
    EXPECT_TRUE(form->IsPeripheralVisible(Peripheral::TrafficLights));
    EXPECT_TRUE(form->IsPeripheralVisible(Peripheral::SevenSegment));
    EXPECT_EQ(ScreenRow(1), "HELLO, STUDENTS!");
    const TrafficLights& lights = form->Devices().Lights;
    for (const TrafficLights::Lamp& lamp : TrafficLights::Lamps) {
        const QPoint centre((lamp.Box.Left + lamp.Box.Right) / 2,
                            (lamp.Box.Top + lamp.Box.Bottom) / 2);
        const QRgb shown = Picture(Peripheral::TrafficLights).pixel(centre) & 0xFFFFFF;
        EXPECT_EQ(shown, lights.IsLit(lamp) ? lamp.Colour : 0u);
    }
}

TEST_F(ExampleRunTest, LiftWindowFollowsTheCarAtTheClockTheExampleAsksFor) {
    LoadExample("lift.asm");
    Run(62, 3000);
    const Lift& car = form->Devices().Car;
    EXPECT_FALSE(car.Crashed());
    EXPECT_TRUE(form->IsPeripheralVisible(Peripheral::Lift));
    const QRect place = TFormLift::CarPlace(car.CarTop());
    const QImage& picture = Picture(Peripheral::Lift);
    EXPECT_NE(picture.pixel(place.center()), picture.pixel(place.center() + QPoint(0, 100)));
}

TEST_F(ExampleRunTest, TextEchoesTypedKeysOnTheScreen) {
    LoadExample("text.asm");
    const char keys[] = "Hi\r";
    const int keyCount = sizeof keys - 1;
    int typed = 0;
    ClockHooks typist;
    typist.KeyAwaited = [&] {
        form->ApplyReport(); // the window shows that IN 00 awaits a key
        if (form->KeyboardInputWindow->Waiting() && typed < keyCount) {
            QTest::keyClick(form->KeyboardInputWindow, keys[typed++]);
        }
    };
    Run(10, 2000, std::move(typist));
    EXPECT_EQ(typed, 3);
    EXPECT_TRUE(form->IsPeripheralVisible(Peripheral::Vdu));
    EXPECT_TRUE(ScreenRow(0).startsWith("Hi"));
    EXPECT_FALSE(form->KeyboardInputWindow->isVisible());
    EXPECT_EQ(form->LabelCurrInstr->text(), " END  Program has halted.");
}

} // namespace
