#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>
#include <set>

#include "WorkbenchFixture.h"
#include "workbench/SettingsFile.h"
#include "workbench/TFormRamHex.h"
#include "workbench/Themes.h"

// Shown by the failures of the tests below.
void PrintTo(const ColourPair& pair, std::ostream* out) {
    *out << pair.Text.name().toStdString() << " on " << pair.Back.name().toStdString();
}

namespace {

constexpr ThemeId AllThemes[] = {ThemeId::Classic, ThemeId::Dark, ThemeId::HighContrast};

ColourPair Shown(const QWidget* widget) {
    return {widget->palette().color(QPalette::Window),
            widget->palette().color(QPalette::WindowText)};
}

TEST(ThemeContrast, TheRatioFollowsTheRelativeLuminanceFormula) {
    EXPECT_DOUBLE_EQ(ContrastRatio(Qt::black, Qt::white), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Qt::white, Qt::black), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(QColor(0x77, 0x77, 0x77), QColor(0x77, 0x77, 0x77)), 1.0);
    EXPECT_NEAR(ContrastRatio(Qt::red, Qt::white), 4.00, 0.005);
    EXPECT_NEAR(ContrastRatio(QColor(0x00, 0x80, 0x00), Qt::yellow), 4.78, 0.005);
}

// Classic keeps the colours the workbench has always had, four of them below 4.5:1, and the
// desktop's selection; every other pair of every theme reads at 4.5:1 or better.
TEST(ThemeContrast, EveryTextReadsOnItsBackgroundInEveryTheme) {
    const std::set<std::string> classicMayBeBelow = {
        "status line red", "status line yellow", "RAM cell at IP", "RAM heading", "selected text"};
    for (const ThemeId id : AllThemes) {
        std::set<std::string> below;
        for (const TextOnBack& pair : ReadablePairs(MakeTheme(id, QApplication::palette()))) {
            const double ratio = ContrastRatio(pair.Colours.Text, pair.Colours.Back);
            if (ratio < 4.5) {
                below.insert(pair.Name);
            }
        }
        if (id == ThemeId::Classic) {
            EXPECT_TRUE(std::includes(classicMayBeBelow.begin(), classicMayBeBelow.end(),
                                      below.begin(), below.end()));
        } else {
            EXPECT_EQ(below, std::set<std::string>{}) << KeyOf(id);
        }
    }
}

TEST(ThemeNames, AnythingButAThemesKeyIsClassic) {
    for (const ThemeName& name : ThemeNames()) {
        EXPECT_EQ(ThemeFromKey(name.Key), name.Id);
        EXPECT_STREQ(KeyOf(name.Id), name.Key);
    }
    for (const char* garbage : {"", "dark", "Dark ", "Purple", "2"}) {
        EXPECT_EQ(ThemeFromKey(garbage), ThemeId::Classic) << garbage;
    }
}

class ThemeTest : public WorkbenchTest {
  protected:
    void TearDown() override {
        form->ChooseTheme(ThemeId::Classic);
        WorkbenchTest::TearDown();
    }
    QColor EditorBase() const { return form->memoSource->palette().color(QPalette::Base); }
    // The background of the text in a RAM cell, as the view paints it.
    QColor RamCellColour(int address) const {
        TFormRamHex& view = *form->RamView;
        const int width = view.width() / 17;
        const int height = (view.height() - 28) / 17;
        const QPoint corner((address % 16 + 1) * width, (address / 16 + 1) * height);
        return view.grab().toImage().pixelColor(corner + QPoint(1, 1));
    }
    void Restart() {
        form->SaveSettings();
        form = std::make_unique<TFormMain>(dialogs);
        form->StartUp({});
    }
};

TEST_F(ThemeTest, SwitchingRecoloursWhatHasAMeaningAndClassicGivesTodaysColoursBack) {
    const QPalette system = QApplication::palette();
    Open("mark.asm", "MOV AL,15\nMOV BL,16\nEND\n");
    ASSERT_TRUE(Assemble());
    form->ButtonStepClick(); // AL is marked, IP at 03, SP at BF
    for (const ThemeId id : {ThemeId::Dark, ThemeId::HighContrast, ThemeId::Classic}) {
        form->ThemeActions[static_cast<size_t>(id)]->trigger();
        const Theme expected = MakeTheme(id, system);
        EXPECT_EQ(Shown(form->RegisterLabels[AL]), expected.Changed) << KeyOf(id);
        EXPECT_EQ(Shown(form->RegisterLabels[BL]), expected.AtRest) << KeyOf(id);
        EXPECT_EQ(RamCellColour(0x03), expected.RamIp.Back) << KeyOf(id);
        EXPECT_EQ(RamCellColour(0xBF), expected.RamSp.Back) << KeyOf(id);
        EXPECT_EQ(RamCellColour(0x10), expected.RamCell.Back) << KeyOf(id);
        EXPECT_EQ(EditorBase(), expected.LockedEditor) << KeyOf(id);
        for (const StatusStyle style : {StatusStyle::Progress, StatusStyle::Error}) {
            form->ShowStatus("x", style);
            EXPECT_EQ(Shown(form->LabelCurrInstr),
                      style == StatusStyle::Error ? expected.Error : expected.Progress)
                << KeyOf(id);
        }
        form->ShowStatus("x", StatusStyle::Halted);
        EXPECT_EQ(Shown(form->LabelCurrInstr), expected.Halted) << KeyOf(id);
        EXPECT_TRUE(form->ThemeActions[static_cast<size_t>(id)]->isChecked());
        // Device windows keep their own colours, the labels on their pictures too.
        for (const Peripheral device : {Peripheral::Lift, Peripheral::Heater}) {
            form->ShowPeripheral(device);
            const QPalette kept = form->Windows().Window(device)->palette();
            EXPECT_EQ(kept.color(QPalette::WindowText), system.color(QPalette::WindowText));
            EXPECT_EQ(kept.color(QPalette::Button), system.color(QPalette::Button));
        }
        // The picture buttons keep the light face their dark ink was drawn for.
        QApplication::processEvents();
        const QImage button = form->ToolButtons.front()->grab().toImage();
        EXPECT_GT(button.pixelColor(button.width() / 2, 2).lightness(), 200) << KeyOf(id);
    }
    // Back in Classic: the colours of before, exactly, and the system's palette.
    const QColor yellow(0xFF, 0xFF, 0x00);
    EXPECT_EQ(Shown(form->RegisterLabels[AL]), (ColourPair{yellow, Qt::black}));
    EXPECT_EQ(Shown(form->LabelCurrInstr), (ColourPair{yellow, QColor(0xFF, 0x00, 0x00)}));
    EXPECT_EQ(RamCellColour(0x03), QColor(Qt::red));
    EXPECT_EQ(RamCellColour(0xBF), QColor(Qt::blue));
    EXPECT_EQ(RamCellColour(0x10), QColor(Qt::white));
    EXPECT_EQ(EditorBase(), system.color(QPalette::Button));
    EXPECT_EQ(QApplication::palette(), system);
    // A status line shown while another theme was on takes the new one's colours.
    form->ShowStatus("x", StatusStyle::Error);
    form->ChooseTheme(ThemeId::Dark);
    EXPECT_EQ(Shown(form->LabelCurrInstr), MakeTheme(ThemeId::Dark, system).Error);
}

TEST_F(ThemeTest, TheThemeSurvivesARestartAndGarbageInTheFileIsClassic) {
    form->ThemeActions[static_cast<size_t>(ThemeId::HighContrast)]->trigger();
    Restart();
    EXPECT_EQ(form->CurrentTheme(), ThemeId::HighContrast);
    EXPECT_TRUE(form->ThemeActions[static_cast<size_t>(ThemeId::HighContrast)]->isChecked());
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(SettingsFile::Parse(ReadBytes(TFormMain::IniFileName()).toStdString())
                  .String("Theme", "Name"),
              "HighContrast");
    WriteBytes(TFormMain::IniFileName(), "[Theme]\nName=Purple\n");
    form = std::make_unique<TFormMain>(dialogs);
    form->StartUp({});
    EXPECT_EQ(form->CurrentTheme(), ThemeId::Classic);
    EXPECT_TRUE(form->ThemeActions[static_cast<size_t>(ThemeId::Classic)]->isChecked());
}

TEST_F(ThemeTest, AContinuousRunShowsTheRunningMarkAndTintInEveryTheme) {
    Open("loop.asm", "MOV AL,0\nAGAIN:\nINC AL\nJMP AGAIN\nEND\n");
    for (const ThemeId id : AllThemes) {
        form->ChooseTheme(id);
        const Theme& theme = ShownTheme();
        EXPECT_TRUE(form->LabelRunning->isHidden()) << KeyOf(id);
        form->ButtonRunClick();
        EXPECT_FALSE(form->LabelRunning->isHidden()) << KeyOf(id);
        EXPECT_EQ(form->LabelRunning->text(), "RUNNING");
        EXPECT_EQ(Shown(form->LabelRunning), theme.Running) << KeyOf(id);
        EXPECT_EQ(EditorBase(), theme.RunningEditor) << KeyOf(id);
        EXPECT_NE(theme.RunningEditor, theme.Field.Back) << KeyOf(id);
        form->TimerClockTimer(5000);
        EXPECT_FALSE(form->LabelRunning->isHidden()) << KeyOf(id);
        form->ButtonStopClick();
        EXPECT_TRUE(form->LabelRunning->isHidden()) << KeyOf(id);
        EXPECT_EQ(EditorBase(), theme.Field.Back) << KeyOf(id);
    }
}

// The mark and the clock sit in the row of the log switches, clear of them and of each other.
TEST_F(ThemeTest, TheRunningMarkAndTheClockCoverNothing) {
    form->show();
    const QWidget* panel = form->LabelClock->parentWidget();
    const QRect clock = form->LabelClock->geometry();
    const QRect mark = form->LabelRunning->geometry();
    EXPECT_TRUE(panel->rect().contains(clock));
    EXPECT_TRUE(panel->rect().contains(mark));
    for (const QWidget* other : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other != form->LabelClock && other != form->LabelRunning) {
            EXPECT_FALSE(other->geometry().intersects(clock)) << other->metaObject()->className();
            EXPECT_FALSE(other->geometry().intersects(mark)) << other->metaObject()->className();
        }
    }
    EXPECT_FALSE(clock.intersects(mark));
    const int wide = form->LabelClock->fontMetrics().horizontalAdvance(
        QString::fromUtf8("4096 ms \u00B7 0.244 steps/s"));
    EXPECT_LE(wide, clock.width());
}

TEST_F(ThemeTest, TheClockShowsItsIntervalAndStepsASecondAfterEveryChange) {
    const auto shown = [&] { return form->LabelClock->text().toStdString(); };
    EXPECT_EQ(shown(), "1000 ms \u00B7 1 step/s");
    const char* const faster[] = {"500 ms \u00B7 2 steps/s",   "250 ms \u00B7 4 steps/s",
                                  "125 ms \u00B7 8 steps/s",   "62 ms \u00B7 16.1 steps/s",
                                  "31 ms \u00B7 32.3 steps/s", "15 ms \u00B7 66.7 steps/s",
                                  "7 ms \u00B7 143 steps/s",   "3 ms \u00B7 333 steps/s",
                                  "2 ms \u00B7 500 steps/s",   "2 ms \u00B7 500 steps/s"};
    for (const char* expected : faster) {
        form->CommandButtons[4]->click(); // Faster
        EXPECT_EQ(shown(), expected);
    }
    const char* const slower[] = {"4 ms \u00B7 250 steps/s", "8 ms \u00B7 125 steps/s",
                                  "16 ms \u00B7 62.5 steps/s"};
    for (const char* expected : slower) {
        form->CommandButtons[3]->click(); // Slower
        EXPECT_EQ(shown(), expected);
    }
    for (int i = 0; i < 10; ++i) {
        form->ButtonSlowClick();
    }
    EXPECT_EQ(shown(), "4096 ms \u00B7 0.244 steps/s");
    WriteBytes(TFormMain::IniFileName(), "[CPU_Clock]\nInterval=2000\n");
    form->StartUp({});
    EXPECT_EQ(shown(), "2000 ms \u00B7 0.5 steps/s");
}

} // namespace
