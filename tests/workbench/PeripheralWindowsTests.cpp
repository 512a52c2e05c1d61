#include <QApplication>
#include <QCheckBox>
#include <QTabWidget>

#include "WorkbenchFixture.h"
#include "workbench/TFormRamHex.h"

namespace {

struct WindowLook {
    Peripheral Window;
    const char* Caption;
    int Width;
    int Height;
};

const WindowLook DeviceWindows[] = {
    {Peripheral::TrafficLights, "Traffic Lights on Port One", 200, 218},
    {Peripheral::SevenSegment, "Seven Segment Displays", 200, 218},
    {Peripheral::Stepper, "Stepper Motor - Port 5", 200, 218},
    {Peripheral::Maze, "Snake and Maze", 200, 271},
    {Peripheral::Heater, "Heater and Thermostat", 200, 218},
    {Peripheral::Lift, "Lift on Port 06", 200, 426},
    {Peripheral::Keyboard, "Key press generates INT 03 - Read key from port 07", 430, 155},
    {Peripheral::Keypad, "Key Pad", 152, 139},
    {Peripheral::KeyboardInput, "Keyboard Input", 428, 39},
};

TEST_F(WorkbenchTest, DeviceWindowsHaveTheirCaptionsAndSizesAndStartHidden) {
    for (const WindowLook& look : DeviceWindows) {
        const QWidget* window = form->Windows().Window(look.Window);
        ASSERT_NE(window, nullptr) << look.Caption;
        EXPECT_EQ(window->windowTitle(), look.Caption);
        EXPECT_EQ(window->size(), QSize(look.Width, look.Height)) << look.Caption;
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(window->parentWidget(), form.get());
    }
    EXPECT_EQ(form->Windows().Window(Peripheral::Vdu)->windowTitle(), "VDU C0..FF");
}

std::vector<Peripheral> Visible(TFormMain& form) {
    std::vector<Peripheral> shown;
    for (Peripheral window : DeviceCloseList) {
        if (form.IsPeripheralVisible(window)) {
            shown.push_back(window);
        }
    }
    return shown;
}

TEST_F(WorkbenchTest, WithoutTheRuleEveryWindowCanBeOpenTogether) {
    for (Peripheral window : DeviceCloseList) {
        form->ShowPeripheral(window);
    }
    form->ButtonShowRamClick();
    EXPECT_EQ(Visible(*form).size(), 9u);
    EXPECT_TRUE(form->IsPeripheralVisible(Peripheral::RamView));
    form->MenuHideAllClick();
    EXPECT_TRUE(Visible(*form).empty());
    EXPECT_TRUE(form->IsPeripheralVisible(Peripheral::RamView));
    form->ToolCloseAllClick();
    EXPECT_FALSE(form->IsPeripheralVisible(Peripheral::RamView));
}

TEST_F(WorkbenchTest, OneAtATimeClosesTheOtherDevicesButNotTheRamView) {
    form->ShowPeripheral(Peripheral::Vdu);
    form->ShowPeripheral(Peripheral::Lift);
    form->ButtonShowRamClick();
    form->CheckBoxCLO->setChecked(true);
    EXPECT_EQ(Visible(*form).size(), 2u); // ticking closes nothing yet
    form->ShowPeripheral(Peripheral::TrafficLights);
    EXPECT_EQ(Visible(*form), std::vector{Peripheral::TrafficLights});
    EXPECT_TRUE(form->IsPeripheralVisible(Peripheral::RamView));
    form->ShowPeripheral(Peripheral::RamView);
    EXPECT_TRUE(Visible(*form).empty());
}

TEST_F(WorkbenchTest, ProgramOutputsCloseEachOtherUnderTheRule) {
    form->CheckBoxCLO->setChecked(true);
    Open("both.asm", "MOV AL,41\nMOV [C0],AL\nOUT 01\nMOV [C1],AL\nEND\n");
    ASSERT_TRUE(Assemble());
    const std::vector<Peripheral> expected[] = {
        {}, {Peripheral::Vdu}, {Peripheral::TrafficLights}, {Peripheral::Vdu}};
    for (const auto& shown : expected) {
        form->ButtonStepClick();
        EXPECT_EQ(Visible(*form), shown);
    }
}

TEST_F(WorkbenchTest, AVisibleWindowIsNeitherMovedNorShownAgain) {
    form->ShowPeripheral(Peripheral::Heater);
    QWidget* heater = form->Windows().Window(Peripheral::Heater);
    heater->move(123, 45);
    const QPoint place = heater->pos();
    form->ShowPeripheral(Peripheral::Heater);
    EXPECT_EQ(heater->pos(), place);
    heater->close();
    EXPECT_FALSE(heater->isVisible());
    form->ShowPeripheral(Peripheral::Heater);
    EXPECT_EQ(heater->pos(), place);
}

TEST_F(WorkbenchTest, AssembleClosesTheRamViewAndShowsItAgainDespiteTheRule) {
    form->ShowPeripheral(Peripheral::Vdu);
    form->CheckBoxCLO->setChecked(true);
    Open("one.asm", "NOP\nEND\n");
    ASSERT_TRUE(Assemble());
    EXPECT_TRUE(form->IsPeripheralVisible(Peripheral::RamView));
    EXPECT_TRUE(form->IsPeripheralVisible(Peripheral::Vdu));
    EXPECT_EQ(form->RamView->CellText(0), "NOP");
}

} // namespace

namespace {

// F1 in a device window asks for its section of the manual; the test program has no manual
// beside it, so the request ends in the warning that says so.
TEST_F(WorkbenchTest, F1InADeviceWindowAsksForTheManual) {
    for (Peripheral window : {Peripheral::Lift, Peripheral::Vdu, Peripheral::RamView}) {
        QTest::keyClick(form->Windows().Window(window), Qt::Key_F1);
    }
    ASSERT_EQ(dialogs.Messages.size(), 3);
    EXPECT_TRUE(dialogs.Messages[0].startsWith("The manual "));
    EXPECT_TRUE(dialogs.Messages[0].endsWith(".html could not be found."));
}

} // namespace

namespace {

// A tool window's owner counts as active too, so ask the application which window it is.
bool BecomesActive(QWidget* window) {
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

void Activate(QWidget* window) {
    window->activateWindow();
    ASSERT_TRUE(BecomesActive(window));
}

// The status-clear timer takes the activation back from our own windows, and the main window
// then shows the Source Code tab; not while a search dialog is open.
TEST_F(WorkbenchTest, ActivationComesBackFromADeviceWindowOnTheSourceTab) {
    form->show();
    Activate(form.get());
    form->PageControl1->setCurrentWidget(form->TabSheetListFile);
    form->ShowPeripheral(Peripheral::Heater);
    QWidget* heater = form->Windows().Window(Peripheral::Heater);
    Activate(heater);
    form->TimerStatusClearTimer();
    ASSERT_TRUE(BecomesActive(form.get()));
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheetSourceCode);

    form->KeepFocus = false;
    Activate(heater);
    form->TimerStatusClearTimer();
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), heater);
}

} // namespace
