#include <QCheckBox>
#include <QGroupBox>
#include <QScreen>

#include "WorkbenchFixture.h"
#include "core/RunControl.h"
#include "devices/DeviceTable.h"
#include "workbench/PeripheralWindows.h"
#include "workbench/SettingsFile.h"

namespace {

TEST(SettingsFileTest, ReadsWholeNumbersInDecimalAndHexadecimal) {
    const SettingsFile file = SettingsFile::Parse("[CPU_Clock]\r\nInterval=250\r\n"
                                                  "[hw_timer]\ninterval = 0x7D0\n"
                                                  "[A]\nDollar=$10\nNegative=-3\nWords=fast\n"
                                                  "Empty=\nHalf=12abc\nHuge=99999999999\n");
    const struct {
        const char* Section;
        const char* Key;
        std::optional<int> Value;
    } cases[] = {
        {"CPU_Clock", "Interval", 250},
        {"HW_Timer", "Interval", 2000},
        {"A", "Dollar", 16},
        {"A", "Negative", -3},
        {"A", "Words", std::nullopt},
        {"A", "Empty", std::nullopt},
        {"A", "Half", std::nullopt},
        {"A", "Huge", std::nullopt},
        {"A", "Missing", std::nullopt},
        {"Missing", "Interval", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(file.Integer(c.Section, c.Key), c.Value) << c.Section << "." << c.Key;
    }
}

class SettingsTest : public WorkbenchTest {
  protected:
    QString IniPath() const { return Path(TFormMain::IniFileName()); }
};

TEST_F(SettingsTest, AFreshStartHasTheDefaultsAndSavesEveryKeyInOrder) {
    form->StartUp({});
    EXPECT_EQ(form->Control().CpuClockInterval(), 1000);
    EXPECT_EQ(form->GroupBoxHWT->title(), "Hardware Timer Interval = 5 Seconds");
    EXPECT_FALSE(form->CheckBoxCLO->isChecked());
    EXPECT_FALSE(form->CheckBoxPrintPause->isChecked());
    form->SaveSettings();
    const QByteArray expected = "[MainWindow]\nTop=0\nLeft=0\nWidth=800\nHeight=600\n\n"
                                "[KeybWindow]\nTop=30\nLeft=364\nWidth=436\nHeight=72\n\n"
                                "[RamHexWindow]\nTop=266\nLeft=300\nWidth=500\nHeight=334\n\n"
                                "[Vdu]\nTop=205\nLeft=600\nWidth=200\nHeight=95\n\n"
                                "[TLight]\nTop=30\nLeft=600\n\n[SevSeg]\nTop=30\nLeft=600\n\n"
                                "[Stepper]\nTop=30\nLeft=600\n\n[Maze]\nTop=0\nLeft=575\n\n"
                                "[Heat]\nTop=30\nLeft=600\n\n[Lift]\nTop=30\nLeft=600\n\n"
                                "[Keyb]\nTop=445\nLeft=370\n\n[KeyPad]\nTop=30\nLeft=648\n\n"
                                "[CPU_Clock]\nInterval=1000\n\n[HW_Timer]\nInterval=5000\n\n"
                                "[OneWindowAtATime]\nShow=0\n\n[PrintPause]\nPause=0\n\n"
                                "[Arrange]\nPlaceNewBeside=0\n\n"
                                "[Theme]\nName=Classic\n";
    EXPECT_EQ(ReadBytes(TFormMain::IniFileName()), expected);
}

TEST_F(SettingsTest, ValuesAreUsedUnchangedAndSwitchesAreOnForAnyNonZeroNumber) {
    WriteBytes(TFormMain::IniFileName(), "[HW_Timer]\nInterval=2500\n[CPU_Clock]\nInterval=$40\n"
                                         "[OneWindowAtATime]\nShow=7\n[Vdu]\nLeft=40\n"
                                         "[PrintPause]\nPause=nonsense\n");
    form->StartUp({});
    EXPECT_EQ(form->Control().HwTimerInterval(), 2500);
    EXPECT_EQ(form->GroupBoxHWT->title(), "Hardware Timer Interval = 2 Seconds");
    EXPECT_EQ(form->Control().CpuClockInterval(), 64);
    EXPECT_TRUE(form->OneAtATime);
    EXPECT_FALSE(form->CheckBoxPrintPause->isChecked());
    const std::string saved = form->SettingsText();
    EXPECT_NE(saved.find("[OneWindowAtATime]\nShow=1\n"), std::string::npos);
    EXPECT_NE(saved.find("[Vdu]\nTop=205\nLeft=40\n"), std::string::npos);
}

// An interval beyond what the buttons reach is brought within their range, so Slower cannot
// overflow the clock into a machine that never steps.
TEST_F(SettingsTest, IntervalsBeyondTheButtonsRangeAreBroughtWithinIt) {
    WriteBytes(TFormMain::IniFileName(),
               "[CPU_Clock]\nInterval=2000000000\n[HW_Timer]\nInterval=2000000000\n");
    form->StartUp({});
    EXPECT_EQ(form->Control().CpuClockInterval(), RunControl::SlowestClock);
    form->ButtonSlowClick();
    EXPECT_EQ(form->Control().CpuClockInterval(), RunControl::SlowestClock);
    EXPECT_EQ(form->Control().HwTimerInterval(), RunControl::LongestHwInterval);
    EXPECT_EQ(form->GroupBoxHWT->title(), "Hardware Timer Interval = 10 Seconds");

    WriteBytes(TFormMain::IniFileName(), "[CPU_Clock]\nInterval=-5\n[HW_Timer]\nInterval=0\n");
    form->StartUp({});
    EXPECT_EQ(form->Control().CpuClockInterval(), RunControl::FastestClock);
    EXPECT_EQ(form->Control().HwTimerInterval(), RunControl::ShortestHwInterval);
}

// Every window the settings place, with its section.
struct PlacedWindow {
    const char* Section;
    std::optional<Peripheral> Window; // none for the main window
};

const PlacedWindow PlacedWindows[] = {
    {"MainWindow", std::nullopt},          {"KeybWindow", Peripheral::KeyboardInput},
    {"RamHexWindow", Peripheral::RamView}, {"Vdu", Peripheral::Vdu},
    {"TLight", Peripheral::TrafficLights}, {"SevSeg", Peripheral::SevenSegment},
    {"Stepper", Peripheral::Stepper},      {"Maze", Peripheral::Maze},
    {"Heat", Peripheral::Heater},          {"Lift", Peripheral::Lift},
    {"Keyb", Peripheral::Keyboard},        {"KeyPad", Peripheral::Keypad},
};

class WindowPlaceTest : public SettingsTest {
  protected:
    QWidget* Window(const PlacedWindow& placed) const {
        return placed.Window ? form->Windows().Window(*placed.Window) : form.get();
    }
    QRect ScreenArea() const { return form->screen()->availableGeometry(); }
    void ShowAll() {
        form->show();
        for (const PlacedWindow& placed : PlacedWindows) {
            Window(placed)->show();
        }
    }
    // Where the saved settings put a window's frame.
    QPoint SavedCorner(const PlacedWindow& placed) const {
        const SettingsFile saved = SettingsFile::Parse(form->SettingsText());
        return {saved.Integer(placed.Section, "Left").value_or(-1),
                saved.Integer(placed.Section, "Top").value_or(-1)};
    }
};

// A place far off the screen, or a size beyond it, would leave a window out of reach (a
// keyboard input window nobody can see looks like a program that froze) or make a window
// too big to draw: every window comes back wholly onto the screen before it is shown, and
// the settings keep it there.
TEST_F(WindowPlaceTest, WindowsOffTheScreenOrLargerThanItComeWhollyOntoIt) {
    QByteArray text;
    const char* const places[] = {"Top=5000\nLeft=5000\n", "Top=-3000\nLeft=-3000\n",
                                  "Top=-2147483648\nLeft=2147483647\n"};
    int index = 0;
    for (const PlacedWindow& placed : PlacedWindows) {
        text += QByteArray("[") + placed.Section + "]\n" + places[index++ % 3] +
                "Width=2147483647\nHeight=2147483647\n";
    }
    WriteBytes(TFormMain::IniFileName(), text);
    form->StartUp({});
    const QRect area = ScreenArea();
    // Checked before showing: a window as big as the file says cannot be drawn.
    for (const PlacedWindow& placed : PlacedWindows) {
        ASSERT_TRUE(area.contains(Window(placed)->frameGeometry())) << placed.Section;
        EXPECT_TRUE(area.contains(SavedCorner(placed))) << placed.Section;
    }
    ShowAll();
    for (const PlacedWindow& placed : PlacedWindows) {
        EXPECT_TRUE(area.contains(Window(placed)->frameGeometry())) << placed.Section;
        EXPECT_TRUE(area.contains(SavedCorner(placed))) << placed.Section;
    }
    EXPECT_EQ(form->frameGeometry(), area);
}

// The fixed device windows stand against the right edge at x 800 (the maze at 775), and the
// on-screen keyboard against the bottom at y 600: "800 minus the window's width" means the
// width of its frame.
TEST_F(WindowPlaceTest, DefaultPlacesHoldTheFrameNotTheClientArea) {
    struct Case {
        Peripheral Window;
        QPoint FrameEnd; // the right edge and the top, or the bottom for the keyboard
    };
    ShowAll();
    for (const Case c :
         {Case{Peripheral::TrafficLights, {800, 30}}, Case{Peripheral::SevenSegment, {800, 30}},
          Case{Peripheral::Stepper, {800, 30}}, Case{Peripheral::Maze, {775, 0}},
          Case{Peripheral::Heater, {800, 30}}, Case{Peripheral::Lift, {800, 30}},
          Case{Peripheral::Keypad, {800, 30}}, Case{Peripheral::Keyboard, {800, 600}}}) {
        const QRect frame = form->Windows().Window(c.Window)->frameGeometry();
        const int top = c.Window == Peripheral::Keyboard ? frame.y() + frame.height() : frame.y();
        EXPECT_EQ(QPoint(frame.x() + frame.width(), top), c.FrameEnd) << static_cast<int>(c.Window);
        ASSERT_GT(frame.width(), form->Windows().Window(c.Window)->width()) << "no frame";
    }
    EXPECT_EQ(form->frameGeometry(), QRect(0, 0, 800, 600));
    const std::string saved = form->SettingsText();
    const int heaterFrame = form->Windows().Window(Peripheral::Heater)->frameGeometry().width();
    EXPECT_NE(saved.find("[Heat]\nTop=30\nLeft=" + std::to_string(800 - heaterFrame) + "\n"),
              std::string::npos);
}

// Each device window takes its place from the section its row of the device table names,
// and is saved there again.
TEST_F(WindowPlaceTest, EveryDeviceWindowIsPlacedFromAndSavedToItsRowsSection) {
    const auto placeOf = [](const DeviceRow& row) {
        const int step = 20 * static_cast<int>(row.Window);
        return QPoint(40 + step, 10 + step);
    };
    QByteArray text;
    for (const DeviceRow& row : DeviceTable) {
        const QPoint at = placeOf(row);
        text += QByteArray("[") + row.SettingsSection + "]\nTop=" + QByteArray::number(at.y()) +
                "\nLeft=" + QByteArray::number(at.x()) + "\n";
    }
    WriteBytes(TFormMain::IniFileName(), text);
    form->StartUp({});
    ShowAll();
    const SettingsFile saved = SettingsFile::Parse(form->SettingsText());
    for (const DeviceRow& row : DeviceTable) {
        const QPoint at = placeOf(row);
        EXPECT_EQ(form->Windows().Window(row.Window)->frameGeometry().topLeft(), at)
            << row.SettingsSection;
        EXPECT_EQ(saved.Integer(row.SettingsSection, "Left"), at.x()) << row.SettingsSection;
        EXPECT_EQ(saved.Integer(row.SettingsSection, "Top"), at.y()) << row.SettingsSection;
    }
}

TEST_F(SettingsTest, AReadOnlyFileIsLeftAloneWithAMessage) {
    WriteBytes(TFormMain::IniFileName(), "[CPU_Clock]\nInterval=64\n");
    QFile::setPermissions(IniPath(), QFileDevice::ReadOwner);
    form->SaveSettings();
    EXPECT_EQ(dialogs.Messages, QStringList{TFormMain::IniFileName() +
                                            " could not be updated.  It may be read only."});
    EXPECT_EQ(ReadBytes(TFormMain::IniFileName()), "[CPU_Clock]\nInterval=64\n");
}

// A close request saves the settings first, also when the close is then refused.
TEST_F(SettingsTest, ARefusedCloseStillSavesTheSettings) {
    form->CheckBoxAsmLog->setChecked(true);
    form->ButtonFastClick();
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(ReadBytes(TFormMain::IniFileName()).contains("[CPU_Clock]\nInterval=500\n"));
}

TEST_F(SettingsTest, CommandLineArgumentsNameOneFileJoinedBySpaces) {
    WriteBytes("my prog.asm", "NOP\r\nEND\r\n");
    form->StartUp({Path("my"), "prog.asm"});
    EXPECT_EQ(form->windowTitle(), Path("my prog.asm"));
    EXPECT_EQ(form->OpenFileName(), Path("my prog.asm"));
    EXPECT_TRUE(form->Machine().Machine.NeedsAssembly);
    EXPECT_FALSE(form->memoSource->document()->isModified());

    TFormMain other(dialogs);
    other.StartUp({Path("gone"), "file.asm"});
    EXPECT_EQ(dialogs.Messages, QStringList{Path("gone") + " : File not found."});
    EXPECT_EQ(other.windowTitle(), "Untitled");
}

} // namespace
