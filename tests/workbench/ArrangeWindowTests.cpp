#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>

#include "OverlapCount.h"
#include "WorkbenchFixture.h"
#include "workbench/SettingsFile.h"
#include "workbench/WindowArrangement.h"

namespace {

const std::vector<Peripheral> Demonstration = {Peripheral::Vdu, Peripheral::TrafficLights,
                                               Peripheral::SevenSegment, Peripheral::Stepper};
const std::vector<Peripheral> EveryWindow = {
    Peripheral::Vdu,    Peripheral::TrafficLights, Peripheral::SevenSegment, Peripheral::Heater,
    Peripheral::Maze,   Peripheral::Stepper,       Peripheral::Lift,         Peripheral::Keyboard,
    Peripheral::Keypad, Peripheral::RamView,       Peripheral::KeyboardInput};

class ArrangeTest : public WorkbenchTest {
  protected:
    static QScreen* Screen(const QString& name) {
        for (QScreen* screen : QGuiApplication::screens()) {
            if (screen->name() == name) {
                return screen;
            }
        }
        return nullptr;
    }
    // Shown first: the place the settings gave it is taken once it is shown.
    void ShowMainOn(const QString& screen, QSize size = TFormMain::StartSize) {
        form->show();
        QApplication::processEvents();
        form->move(Screen(screen)->availableGeometry().topLeft() + QPoint(50, 40));
        form->resize(size);
        QApplication::processEvents();
    }
    void Show(const std::vector<Peripheral>& windows) {
        for (Peripheral window : windows) {
            form->Windows().Window(window)->show();
        }
        QApplication::processEvents();
    }
    // The main window first, then the visible windows in the order given.
    std::vector<QRect> Frames(const std::vector<Peripheral>& windows) const {
        std::vector<QRect> frames = {form->frameGeometry()};
        for (Peripheral window : windows) {
            frames.push_back(form->Windows().Window(window)->frameGeometry());
        }
        return frames;
    }
    void Arrange() {
        MenuCommand("&Arrange")->trigger();
        QApplication::processEvents();
    }
    int ButtonsHeight() const {
        const QWidget* buttons = form->findChild<QWidget*>("PanelTop");
        return form->geometry().top() - form->frameGeometry().top() +
               buttons->mapTo(form.get(), QPoint(0, buttons->height())).y();
    }
};

TEST_F(ArrangeTest, ArrangeMovesTheWindowsToTheRulesPlacesOnTheMainWindowsScreen) {
    const struct {
        const char* Screen;
        std::vector<Peripheral> Windows;
        bool AllFit;
    } cases[] = {
        {"Wide", Demonstration, true},
        {"Wide", EveryWindow, true},
        {"Laptop", Demonstration, true},
        {"Projector", EveryWindow, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Screen);
        form->ToolCloseAllClick();
        form->HidePeripheral(Peripheral::KeyboardInput);
        ShowMainOn(c.Screen, QSize(900, 650));
        Show(c.Windows);
        const QRect area = Screen(c.Screen)->availableGeometry();
        std::vector<QSize> sizes;
        for (Peripheral window : c.Windows) {
            sizes.push_back(form->Windows().Window(window)->frameGeometry().size());
        }
        const Arrangement expected =
            ::Arrange(area, {form->frameGeometry().size(), {800, 600}, ButtonsHeight()}, sizes);
        Arrange();
        const std::vector<QRect> frames = Frames(c.Windows);
        EXPECT_EQ(frames[0], expected.Main);
        for (size_t index = 0; index < c.Windows.size(); ++index) {
            EXPECT_EQ(frames[index + 1].topLeft(), expected.Corners[index]) << index;
            EXPECT_TRUE(area.contains(frames[index + 1])) << index;
        }
        EXPECT_EQ(WindowsOverlapping(frames), expected.Overlapping);
        EXPECT_EQ(expected.Overlapping == 0, c.AllFit);
        const QString status = form->LabelCurrInstr->text();
        EXPECT_EQ(status.contains("Not all windows fit on this screen: "), !c.AllFit)
            << status.toStdString();
    }
}

// Zoomed, the main window's buttons and registers need the zoomed room: arranging never
// shrinks it below its starting size at that zoom.
TEST_F(ArrangeTest, ArrangingAZoomedWorkbenchKeepsTheMainWindowAtItsZoomedSize) {
    ShowMainOn("Wide");
    form->SetZoom(150);
    QApplication::processEvents();
    Show(EveryWindow);
    Arrange();
    EXPECT_GE(form->width(), 1200);
    EXPECT_GE(form->height(), 900);
}

TEST_F(ArrangeTest, ArrangedPlacesSurviveARestart) {
    ShowMainOn("Laptop");
    Show(Demonstration);
    Arrange();
    const std::vector<QRect> arranged = Frames(Demonstration);
    ASSERT_EQ(WindowsOverlapping(arranged), 0);
    form->SaveSettings();
    form.reset();
    form = std::make_unique<TFormMain>(dialogs);
    form->StartUp({});
    form->show();
    Show(Demonstration);
    EXPECT_EQ(Frames(Demonstration), arranged);
}

TEST_F(ArrangeTest, NewWindowsArePlacedBesideTheOthersOnlyWhenAskedTo) {
    QAction* option = MenuCommand("&Place New Windows Beside the Workbench");
    ASSERT_TRUE(option->isCheckable());
    EXPECT_FALSE(option->isChecked());
    ShowMainOn("Wide");
    // Off: the default places, where the traffic lights and the displays cover each other.
    Show({Peripheral::TrafficLights, Peripheral::SevenSegment});
    EXPECT_EQ(WindowsOverlapping(Frames({Peripheral::TrafficLights, Peripheral::SevenSegment})), 2);
    form->ToolCloseAllClick();

    option->trigger();
    EXPECT_NE(form->SettingsText().find("[Arrange]\nPlaceNewBeside=1\n"), std::string::npos);
    Show({Peripheral::Stepper, Peripheral::Heater, Peripheral::Lift});
    const std::vector<QRect> beside =
        Frames({Peripheral::Stepper, Peripheral::Heater, Peripheral::Lift});
    EXPECT_EQ(WindowsOverlapping(beside), 0);
    for (const QRect& frame : beside) {
        EXPECT_TRUE(Screen("Wide")->availableGeometry().contains(frame));
    }
    // Only the first showing of a session: a window shown before comes back where it was.
    form->ToolCloseAllClick();
    Show({Peripheral::TrafficLights});
    EXPECT_TRUE(form->frameGeometry().intersects(
        form->Windows().Window(Peripheral::TrafficLights)->frameGeometry()));

    form->SaveSettings();
    form.reset();
    form = std::make_unique<TFormMain>(dialogs);
    form->StartUp({});
    EXPECT_TRUE(MenuCommand("&Place New Windows Beside the Workbench")->isChecked());
}

} // namespace
