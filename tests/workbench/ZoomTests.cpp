#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <functional>
#include <map>

#include "WorkbenchFixture.h"
#include "devices/Peripherals.h"
#include "workbench/TFormRamHex.h"
#include "workbench/Zoom.h"
#include "workbench/devices/TFormLift.h"

namespace {

TEST(ZoomStepsTest, StepsStopAtTheEndsAndTheSettingsTakeOnlyASteps) {
    const struct {
        int From, In, Out;
    } steps[] = {{100, 125, 100}, {125, 150, 100}, {175, 200, 150},
                 {200, 250, 175}, {250, 300, 200}, {300, 300, 250}};
    for (const auto& step : steps) {
        EXPECT_EQ(ZoomedIn(step.From), step.In) << step.From;
        EXPECT_EQ(ZoomedOut(step.From), step.Out) << step.From;
    }
    for (const std::optional<int> kept :
         {std::optional<int>(), std::optional(0), std::optional(130), std::optional(-200),
          std::optional(100000)}) {
        EXPECT_EQ(ZoomFromSettings(kept), 100);
    }
    EXPECT_EQ(ZoomFromSettings(250), 250);
}

class ZoomTest : public WorkbenchTest {
  protected:
    QAction* Action(const QString& caption) const {
        for (QAction* menu : form->menuBar()->actions()) {
            for (QAction* item : menu->menu()->actions()) {
                if (item->text() == caption) {
                    return item;
                }
            }
        }
        return nullptr;
    }
    QWidget* Shown(Peripheral window) const {
        form->ShowPeripheral(window);
        return form->Windows().Window(window);
    }
    // A click in the middle of a picture pixel as the zoomed window shows it.
    void ClickPicture(QWidget* window, QPoint pixel) const {
        const double factor = form->ZoomPercent() / 100.0;
        QTest::mouseClick(window, Qt::LeftButton, {},
                          (QPointF(pixel) + QPointF(0.5, 0.5) * 1.0).toPoint() * factor +
                              QPoint(1, 1) * static_cast<int>(factor / 2));
    }
    // Every widget's place and font, windows and all.
    std::vector<std::tuple<QWidget*, QRect, QFont>> Looks() const {
        std::vector<std::tuple<QWidget*, QRect, QFont>> looks;
        looks.emplace_back(form.get(), form->geometry(), form->font());
        for (QWidget* widget : form->findChildren<QWidget*>()) {
            looks.emplace_back(widget, widget->geometry(), widget->font());
        }
        return looks;
    }
};

// Placed where the code put it, not by a layout, a scroll area or Qt itself.
bool PlacedByCode(const QWidget& widget) {
    const QWidget* parent = widget.parentWidget();
    const QString type = QString::fromLatin1(parent->metaObject()->className());
    return !parent->layout() &&
           (type == "QFrame" || type == "QGroupBox" || parent->inherits("ToolWindow") ||
            parent->objectName() == "PanelTop");
}

// What a device took from two clicks on different keys or marks of its picture.
struct PictureClicks {
    Peripheral Window;
    QPoint First;
    QPoint Second;
    std::function<double(Peripherals&)> Taken;
};

TEST_F(ZoomTest, PictureClicksLandOnTheSameKeysAndMarksAtEveryZoom) {
    const PictureClicks devices[] = {
        {Peripheral::Keypad, {16, 16}, {130, 100}, [](Peripherals& d) { return d.Pad.PadCode(); }},
        {Peripheral::Keyboard,
         {70, 45},
         {230, 105},
         [](Peripherals& d) { return d.Keyboard.KeyCode(); }},
        {Peripheral::Heater,
         {170, 89},
         {170, 30},
         [](Peripherals& d) { return d.Heating.Temperature(); }},
    };
    for (const PictureClicks& device : devices) {
        std::vector<double> atActualSize;
        for (int percent : {100, 150, 200}) {
            SCOPED_TRACE(testing::Message()
                         << static_cast<int>(device.Window) << " at " << percent);
            form->SetZoom(percent);
            QWidget* window = Shown(device.Window);
            std::vector<double> taken;
            for (QPoint pixel : {device.First, device.Second}) {
                ClickPicture(window, pixel);
                taken.push_back(device.Taken(form->Devices()));
            }
            if (atActualSize.empty()) {
                atActualSize = taken;
                EXPECT_NE(taken[0], taken[1]) << "two different keys or marks";
            }
            EXPECT_EQ(taken, atActualSize);
        }
    }
}

TEST_F(ZoomTest, TheLiftButtonsStandWhereTheirPicturesDoAtEveryZoom) {
    auto* lift = static_cast<TFormLift*>(Shown(Peripheral::Lift));
    const struct {
        QPoint At;
        QWidget* Button;
    } places[] = {{{20, 116}, lift->SpeedButtonUp},
                  {{20, 276}, lift->SpeedButtonDown},
                  {{100, 400}, lift->ButtonEngineer}};
    for (int percent : {100, 150, 200}) {
        form->SetZoom(percent);
        for (const auto& place : places) {
            EXPECT_EQ(lift->childAt(place.At * (percent / 100.0)), place.Button) << percent;
        }
        QTest::mouseClick(lift->SpeedButtonUp, Qt::LeftButton);
        EXPECT_EQ(form->Devices().Car.LiftBits() & Lift::CalledUp, Lift::CalledUp);
        form->Devices().Car.PortWrite(0x00);
    }
}

TEST_F(ZoomTest, WindowsWidgetsAndFontsGrowWithTheZoom) {
    const QSize mainSize = form->size();
    std::vector<std::pair<QWidget*, QSize>> windows;
    for (Peripheral window : {Peripheral::TrafficLights, Peripheral::Lift, Peripheral::Keypad,
                              Peripheral::Maze, Peripheral::Keyboard}) {
        windows.emplace_back(Shown(window), form->Windows().Window(window)->size());
    }
    const QRect label = form->RegisterLabels[0]->geometry();
    const double editorPoints = form->memoSource->font().pointSizeF();
    Action("Pro&jector")->trigger();
    EXPECT_EQ(form->ZoomPercent(), 200);
    EXPECT_EQ(form->size(), mainSize * 2);
    for (const auto& [window, size] : windows) {
        EXPECT_EQ(window->size(), size * 2) << window->windowTitle().toStdString();
    }
    EXPECT_EQ(form->RegisterLabels[0]->geometry(), QRect(label.topLeft() * 2, label.size() * 2));
    EXPECT_EQ(form->memoSource->font().pointSizeF(), editorPoints * 2);
    EXPECT_EQ(form->ToolButtons[0]->iconSize(), QSize(38, 38));
    const QImage picture = static_cast<PictureWindow*>(windows[1].first)->Picture();
    EXPECT_EQ(picture.size(), windows[1].second * 2) << "drawn afresh, not stretched";
}

// Every widget, window and font comes back exactly, however the zoom went.
TEST_F(ZoomTest, ActualSizeGivesBackTheExactDefaultLook) {
    form->show();
    for (Peripheral window : {Peripheral::RamView, Peripheral::Vdu, Peripheral::Heater,
                              Peripheral::SevenSegment, Peripheral::Stepper}) {
        Shown(window);
    }
    const auto before = Looks();
    for (const char* caption :
         {"Zoom &In", "Zoom &In", "Zoom &In", "Pro&jector", "Zoom &In", "Zoom &In", "Zoom &Out"}) {
        Action(caption)->trigger();
    }
    EXPECT_EQ(form->ZoomPercent(), 250);
    QAction* actualSize = Action("Actual Si&ze");
    EXPECT_EQ(actualSize->shortcut(), QKeySequence("Ctrl+0"));
    actualSize->trigger();
    std::map<QWidget*, std::pair<QRect, QFont>> after;
    for (const auto& [widget, place, font] : Looks()) {
        after[widget] = {place, font};
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QApplication::processEvents();
    for (const auto& [widget, place, font] : before) {
        const std::string name = std::string(widget->metaObject()->className()) + " " +
                                 widget->objectName().toStdString();
        EXPECT_EQ(after[widget].second.toString().toStdString(), font.toString().toStdString())
            << name;
        if (widget->isWindow()) {
            EXPECT_EQ(after[widget].first.size(), place.size()) << name;
        } else if (PlacedByCode(*widget)) {
            EXPECT_EQ(after[widget].first, place) << name;
        }
    }
}

TEST_F(ZoomTest, TheFontCommandsWorkOnTopOfTheZoom) {
    const double points = form->memoSource->font().pointSizeF();
    form->SetZoom(150);
    form->EnlargeFontClick();
    EXPECT_EQ(form->memoSource->font().pointSizeF(), (points + 1) * 1.5);
    form->SetZoom(100);
    EXPECT_EQ(form->memoSource->font().pointSizeF(), points + 1);
    form->ReduceFontClick();
    EXPECT_EQ(form->memoSource->font().pointSizeF(), points);
}

TEST_F(ZoomTest, CtrlWithTheWheelZoomsOverTheEditorAndTheDevices) {
    const auto turn = [](QWidget* widget, int delta, Qt::KeyboardModifiers keys) {
        QWheelEvent wheel(QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, keys, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &wheel);
    };
    turn(form->memoSource->viewport(), 120, Qt::ControlModifier);
    EXPECT_EQ(form->ZoomPercent(), 125);
    turn(form->memoSource->viewport(), 120, Qt::NoModifier);
    EXPECT_EQ(form->ZoomPercent(), 125) << "the wheel alone scrolls";
    QWidget* keypad = Shown(Peripheral::Keypad);
    turn(keypad, 60, Qt::ControlModifier);
    EXPECT_EQ(form->ZoomPercent(), 125) << "half a notch";
    turn(keypad, 60, Qt::ControlModifier);
    EXPECT_EQ(form->ZoomPercent(), 150);
    turn(keypad, -240, Qt::ControlModifier);
    EXPECT_EQ(form->ZoomPercent(), 100);
}

TEST_F(ZoomTest, TheZoomSurvivesARestartAndNonsenseGivesTheActualSize) {
    Action("Zoom &In")->trigger();
    Action("Zoom &In")->trigger();
    const QSize ramView = form->RamView->size();
    form->SaveSettings();
    EXPECT_NE(ReadBytes(TFormMain::IniFileName()).indexOf("[Zoom]\nPercent=150\n"), -1);
    form = std::make_unique<TFormMain>(dialogs);
    form->StartUp({});
    EXPECT_EQ(form->ZoomPercent(), 150);
    EXPECT_EQ(form->RamView->size(), ramView);
    EXPECT_EQ(form->RegisterLabels[0]->font().pointSizeF(), 9 * 1.5);
    for (const char* nonsense : {"Percent=130\n", "Percent=big\n", "Percent=\n", "Zoom=200\n"}) {
        WriteBytes(TFormMain::IniFileName(), QByteArray("[Zoom]\n") + nonsense);
        form = std::make_unique<TFormMain>(dialogs);
        form->StartUp({});
        EXPECT_EQ(form->ZoomPercent(), 100) << nonsense;
    }
}

} // namespace
