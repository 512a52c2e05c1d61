// Start-up, the keys the main window sees first, its activation, and the close request.
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <cerrno>
#include <sys/stat.h>

#include "core/Assem.h"
#include "workbench/Dialogs.h"
#include "workbench/SafeFile.h"
#include "workbench/TFormMain.h"
#include "workbench/TformAboutBox.h"
#include "workbench/ToolWindow.h"

namespace {

// A key press reaches the focused widget first (the window itself when nothing has the
// focus); its parents may see it again while it propagates, so only the first delivery counts.
bool FirstDelivery(QObject* watched, QWidget* window) {
    QWidget* focus = QApplication::focusWidget();
    return focus ? watched == focus && focus->window() == window : watched == window;
}

// 0 when the path leads to something, or the system's reason why it does not.
int PathProblem(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? 0 : errno;
}

// A name that came with bytes that are not UTF-8 has lost them on the way in.
QString PathProblemText(const QString& path, int problem) {
    if (problem == ENOENT && path.contains(QChar::ReplacementCharacter)) {
        return QStringLiteral("The file name is not valid UTF-8; rename the file to open it.");
    }
    return problem == ENOENT ? QStringLiteral("File not found.") : SystemReason(problem) + ".";
}

} // namespace

// The arguments are joined with single spaces, so a path with a space works unquoted.
void TFormMain::StartUp(const QStringList& arguments) {
    LoadSettings();
    if (arguments.isEmpty()) {
        return;
    }
    const QString name = arguments.join(u' ');
    const int problem = PathProblem(name);
    if (problem == 0) {
        OpenFromCommandLine(name);
    } else if (arguments.size() > 1 && PathProblem(arguments.first()) == 0) {
        // Two files chosen together, rather than one name with a space in it.
        dialogs_.Message(this,
                         "Only one file can be opened at a time, so only " + arguments.first() +
                             " was opened.",
                         QMessageBox::Warning);
        OpenFromCommandLine(arguments.first());
    } else {
        dialogs_.Message(this, arguments.first() + " : " + PathProblemText(name, problem),
                         QMessageBox::Critical);
    }
}

void TFormMain::OpenFromCommandLine(const QString& name) {
    if (LoadFile(name)) {
        openFileName_ = name;
    }
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        // Escape and F9 act here, and then still go on to the focused control.
        if (FirstDelivery(watched, this) && !Busy()) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape) {
                ButtonStopClick();
            } else if (key == Qt::Key_F9) {
                ButtonRunClick();
            }
        }
        break;
    case QEvent::WindowActivate:
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
            auto* window = static_cast<QWidget*>(watched);
            if (window == this) {
                OnActivated(lastActiveWindow_);
            }
            lastActiveWindow_ = window;
        }
        break;
    case QEvent::Resize:
        if (watched == LabelCurrInstr->parentWidget()) {
            const int width = LabelCurrInstr->parentWidget()->width();
            LabelCurrInstr->resize(width - 2, 16);
            LabelRunning->move(width - 1 - LabelRunning->width(), LabelClock->y());
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// The Source Code tab comes to the front at the first activation and whenever the window
// comes back from one of our own windows; not after a box or a file dialog, which belong to
// the command that opened them.
void TFormMain::OnActivated(QWidget* previous) {
    if (firstActivation_ || qobject_cast<ToolWindow*>(previous) ||
        qobject_cast<TformAboutBox*>(previous)) {
        firstActivation_ = false;
        ShowSourceTab();
        FocusEditor();
    }
}

void TFormMain::closeEvent(QCloseEvent* event) {
    event->ignore();
    SaveSettings(); // also when the close is then refused
    if (CheckBoxAsmLog->isChecked()) {
        CheckBoxAsmLog->setChecked(false);
        dialogs_.Message(this,
                         "Can not quit while assembler logging is on. Assembler logging has "
                         "been turned off. You can now try to quit again.",
                         QMessageBox::Warning);
        return;
    }
    if (Busy() || !AskToSaveChanges(QStringLiteral("Save source code before quitting?"))) {
        return;
    }
    for (QTimer* timer : findChildren<QTimer*>(Qt::FindDirectChildrenOnly)) {
        timer->stop();
    }
    machine_->ClearProgram();
    event->accept();
}
