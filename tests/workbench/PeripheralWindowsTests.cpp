#include <QApplication>
#include <QCheckBox>
#include <QTabWidget>
#include <QToolButton>

#include "workbench/Links.h"
#include "workbench/TFormKeybIn.h"
#include "workbench/TformAboutBox.h"

#include "WorkbenchFixture.h"
#include "devices/DeviceTable.h"
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

// Without a program for links (as on the offscreen platform) the student is told where the
// manual is, and which address could not be opened.
TEST_F(WorkbenchTest, LinksWithoutAProgramToOpenThemAreSaid) {
    const QString manual = QApplication::applicationFilePath() + ".html";
    QFile file(manual);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    form->MenuHelpContentsClick();
    QFile::remove(manual);
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_TRUE(dialogs.Messages[0].startsWith("No web browser could be started"));
    EXPECT_TRUE(dialogs.Messages[0].endsWith(manual));

    form->ToolForumClick();
    ASSERT_EQ(dialogs.Messages.size(), 2);
    EXPECT_EQ(dialogs.Messages[1], NoProgramForLink(ForumAddress));

    auto* website = form->AboutBox->findChild<QWidget*>("Website");
    ASSERT_NE(website, nullptr);
    QTest::mouseClick(website, Qt::LeftButton);
    ASSERT_EQ(dialogs.Messages.size(), 3);
    EXPECT_EQ(dialogs.Messages[2], NoProgramForLink(WebsiteAddress));
}

// While a program waits at IN 00, a click on the keypad or the lift leaves the keyboard with
// the keyboard input window, so the key typed next reaches the program.
TEST_F(WorkbenchTest, ClicksOnDevicesDuringIn00LeaveTheKeyboardWithTheInputWindow) {
    form->show();
    Open("wait.asm", "IN 00\nEND\n");
    ASSERT_TRUE(Assemble());
    form->ShowPeripheral(Peripheral::Keypad);
    form->ShowPeripheral(Peripheral::Heater);
    QWidget* keypad = form->Windows().Window(Peripheral::Keypad);
    QWidget* heater = form->Windows().Window(Peripheral::Heater);
    form->ButtonStepClick();
    ASSERT_TRUE(BecomesActive(form->KeyboardInputWindow));
    Activate(keypad);
    QTest::mouseClick(keypad, Qt::LeftButton, {}, QPoint(10, 100));
    BecomesActive(form->KeyboardInputWindow);
    QWidget* activeAfterClick = QApplication::activeWindow();
    Activate(heater); // a window that keeps a click to itself: the status timer decides
    form->TimerStatusClearTimer();
    BecomesActive(form->KeyboardInputWindow);
    QWidget* activeAfterTick = QApplication::activeWindow();
    QTest::keyClick(QApplication::activeWindow(), Qt::Key_A);
    EXPECT_EQ(activeAfterClick, form->KeyboardInputWindow);
    EXPECT_EQ(activeAfterTick, form->KeyboardInputWindow);
    EXPECT_EQ(Reg(AL), 0x61);
}

} // namespace
