// The main window in the theme shown: the status line, the registers, the editor in and out
// of run mode, the "RUNNING" mark and the clock, and the windows it owns.
#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>

#include "core/MachineState.h"
#include "core/RunControl.h"
#include "workbench/ButtonFace.h"
#include "workbench/SourceHighlighter.h"
#include "workbench/SourceMarks.h"
#include "workbench/TFormKeybIn.h"
#include "workbench/TFormMain.h"
#include "workbench/TFormRamHex.h"
#include "workbench/Themes.h"

namespace {

void Paint(QWidget* widget, const ColourPair& colours) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colours.Back);
    palette.setColor(QPalette::WindowText, colours.Text);
    widget->setPalette(palette);
}

const ColourPair& StatusColours(const Theme& theme, StatusStyle style) {
    switch (style) {
    case StatusStyle::Progress:
        return theme.Progress;
    case StatusStyle::Error:
        return theme.Error;
    case StatusStyle::Halted:
        return theme.Halted;
    case StatusStyle::Instruction:
    case StatusStyle::Blank:
        break;
    }
    return theme.AtRest;
}

} // namespace

void TFormMain::BuildThemeMenu(QMenu* view) {
    view->addSeparator();
    QMenu* menu = view->addMenu("Th&eme");
    auto* group = new QActionGroup(menu);
    for (const ThemeName& name : ThemeNames()) {
        QAction* action = menu->addAction(name.Caption);
        action->setCheckable(true);
        action->setChecked(name.Id == ThemeId::Classic);
        group->addAction(action);
        const ThemeId id = name.Id;
        connect(action, &QAction::triggered, this, [this, id] { ChooseTheme(id); });
        ThemeActions[static_cast<size_t>(id)] = action;
    }
}

// The Classic the window starts in is left as it is drawn.
void TFormMain::ChooseTheme(ThemeId id) {
    ThemeActions[static_cast<size_t>(id)]->setChecked(true);
    if (ShownTheme().Id == id) {
        return;
    }
    ShowTheme(id);
    PaintStatusLine(statusStyle_);
    for (int index = 0; index < RegisterCount; ++index) {
        PaintRegister(index);
    }
    Paint(LabelRunning, ShownTheme().Running);
    PaintPanes();
    PaintEditor();
    highlighter_->rehighlight();
    sourceMarks_->Recolour();
    RamView->ApplyTheme();
    KeyboardInputWindow->ApplyTheme();
}

ThemeId TFormMain::CurrentTheme() const {
    return ShownTheme().Id;
}

void TFormMain::PaintStatusLine(StatusStyle style) {
    statusStyle_ = style;
    Paint(LabelCurrInstr, StatusColours(ShownTheme(), style));
}

// Yellow while the last step's write is marked.
void TFormMain::PaintRegister(int index) {
    const Theme& theme = ShownTheme();
    Paint(RegisterLabels[index], yellowRegisters_ & (1u << index) ? theme.Changed : theme.AtRest);
}

// The list file on the button face, and the editor's selection as visible without the focus
// as with it.
void TFormMain::PaintPanes() {
    QPalette face = MemoList->palette();
    face.setColor(QPalette::Base, ButtonFace());
    MemoList->setPalette(face);
    QPalette editor = memoSource->palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        editor.setColor(QPalette::Inactive, role,
                        QApplication::palette().color(QPalette::Active, role));
    }
    memoSource->setPalette(editor);
}

void TFormMain::PaintEditor() {
    const Theme& theme = ShownTheme();
    const QColor back = !editorGrey_ ? theme.Field.Back
                        : runShown_  ? theme.RunningEditor
                                     : theme.LockedEditor;
    QPalette colours = memoSource->palette();
    colours.setColor(QPalette::Base, back);
    memoSource->setPalette(colours);
}

// A continuous run, a program waiting for a key included, shows from the back of the room.
void TFormMain::ShowRunning() {
    if (runShown_ == runGoing_) {
        return;
    }
    runShown_ = runGoing_;
    Paint(LabelRunning, ShownTheme().Running);
    LabelRunning->setVisible(runShown_);
    PaintEditor();
}

void TFormMain::ShowClock() {
    LabelClock->setText(QString::fromStdString(control_->CpuClockCaption()));
}
