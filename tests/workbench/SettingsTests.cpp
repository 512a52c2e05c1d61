#include <QCheckBox>
#include <QGroupBox>
#include <QTimer>

#include "WorkbenchFixture.h"
#include "core/RunControl.h"
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
    EXPECT_EQ(form->TimerCPU->interval(), 1000);
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
                                "[OneWindowAtATime]\nShow=0\n\n[PrintPause]\nPause=0\n";
    EXPECT_EQ(ReadBytes(TFormMain::IniFileName()), expected);
}

TEST_F(SettingsTest, ValuesAreUsedUnchangedAndSwitchesAreOnForAnyNonZeroNumber) {
    WriteBytes(TFormMain::IniFileName(), "[HW_Timer]\nInterval=2500\n[CPU_Clock]\nInterval=$40\n"
                                         "[OneWindowAtATime]\nShow=7\n[Vdu]\nLeft=-40\n"
                                         "[PrintPause]\nPause=nonsense\n");
    form->StartUp({});
    EXPECT_EQ(form->TimerHW->interval(), 2500);
    EXPECT_EQ(form->GroupBoxHWT->title(), "Hardware Timer Interval = 2 Seconds");
    EXPECT_EQ(form->TimerCPU->interval(), 64);
    EXPECT_TRUE(form->OneAtATime);
    EXPECT_FALSE(form->CheckBoxPrintPause->isChecked());
    const std::string saved = form->SettingsText();
    EXPECT_NE(saved.find("[OneWindowAtATime]\nShow=1\n"), std::string::npos);
    EXPECT_NE(saved.find("[Vdu]\nTop=205\nLeft=-40\n"), std::string::npos);
}

// An interval beyond what the buttons reach is brought within their range, so Slower cannot
// overflow the clock into a machine that never steps.
TEST_F(SettingsTest, IntervalsBeyondTheButtonsRangeAreBroughtWithinIt) {
    WriteBytes(TFormMain::IniFileName(),
               "[CPU_Clock]\nInterval=2000000000\n[HW_Timer]\nInterval=2000000000\n");
    form->StartUp({});
    EXPECT_EQ(form->TimerCPU->interval(), RunControl::SlowestClock);
    form->ButtonSlowClick();
    EXPECT_EQ(form->TimerCPU->interval(), RunControl::SlowestClock);
    EXPECT_EQ(form->TimerHW->interval(), RunControl::LongestHwInterval);
    EXPECT_EQ(form->GroupBoxHWT->title(), "Hardware Timer Interval = 10 Seconds");

    WriteBytes(TFormMain::IniFileName(), "[CPU_Clock]\nInterval=-5\n[HW_Timer]\nInterval=0\n");
    form->StartUp({});
    EXPECT_EQ(form->TimerCPU->interval(), RunControl::FastestClock);
    EXPECT_EQ(form->TimerHW->interval(), RunControl::ShortestHwInterval);
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
