// Runs a looping program in the real main window at the fastest clock (2 ms) for ten seconds
// of wall time, once with the run log off and once on, and prints how many of the steps the
// clock asked for were made and how much of one core the process used. Also prints the time
// from start to the first painted main window. The RAM view and the VDU are open, and with
// --devices the program drives the traffic lights, the seven-segment displays and the lift.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

#include "core/Assem.h"
#include "core/RunControl.h"
#include "workbench/Dialogs.h"
#include "workbench/Fonts.h"
#include "workbench/TFormMain.h"

namespace {

constexpr int RunMilliseconds = 10000;

// Writes RAM and the screen at every pass; with devices also three output ports.
const char* const Program = R"(start:
	INC	AL
	MOV	[C0],AL
	MOV	[D5],AL
	MOV	[80],AL
	MOV	BL,[80]
	PUSH	BL
	POP	CL
	JMP	start
	END
)";

const char* const DeviceProgram = R"(start:
	INC	AL
	MOV	[C0],AL
	MOV	[80],AL
	OUT	01
	OUT	02
	OUT	06
	JMP	start
	END
)";

// No person is there to answer: every question is cancelled, every box dropped.
class SilentDialogs : public Dialogs {
  public:
    QMessageBox::StandardButton AskYesNoCancel(QWidget*, const QString&) override {
        return QMessageBox::Cancel;
    }
    void Message(QWidget*, const QString& text, QMessageBox::Icon) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    QString FileName(QWidget*, const FileDialogRequest&) override { return {}; }
    bool AskYesCancel(QWidget*, const QString&) override { return false; }
    bool PrintDialog(QWidget*, QPrinter&) override { return false; }
    void PageSetupDialog(QWidget*, QPrinter&) override {}
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Waits in the event loop until the window has painted itself once.
class FirstPaint : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return false;
    }
    bool painted = false;
};

void RunFor(TFormMain& form, bool runLog) {
    form.CheckBoxRunLog->setChecked(runLog);
    long ticks = 0;
    const auto counter = QObject::connect(form.TimerCPU, &QTimer::timeout,
                                          [&] { ticks += form.Machine().Machine.Running ? 1 : 0; });
    const double cpuStart = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    form.ButtonRunClick();
    QEventLoop loop;
    QTimer::singleShot(RunMilliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    form.ButtonStopClick();
    const double cpu = CpuSeconds() - cpuStart;
    const double seconds = static_cast<double>(wall.elapsed()) / 1000.0;
    QObject::disconnect(counter);
    const double asked = seconds * 1000.0 / form.TimerCPU->interval();
    std::printf("run log %-3s: %ld of %.0f steps (%.1f %%), CPU %.1f %% of one core\n",
                runLog ? "on" : "off", ticks, asked, 100.0 * static_cast<double>(ticks) / asked,
                100.0 * cpu / seconds);
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const bool devices = app.arguments().contains("--devices");
    MapClassicFonts();
    SilentDialogs dialogs;
    TFormMain form(dialogs);
    FirstPaint paint;
    form.installEventFilter(&paint);
    form.show();
    while (!paint.painted) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    std::printf("start-up to the first painted main window: %lld ms\n",
                static_cast<long long>(sinceStart.elapsed()));

    QTemporaryDir folder;
    const QString path = folder.filePath("bench.asm");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(devices ? DeviceProgram : Program) < 0) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return 1;
    }
    file.close();
    form.SetOpenFileName(path);
    form.OpenSource(false);
    form.ButtonAssembleClick();
    form.ShowPeripheral(Peripheral::Vdu);
    while (form.TimerCPU->interval() > RunControl::FastestClock) {
        form.ButtonFastClick();
    }
    RunFor(form, false);
    RunFor(form, true);
    return 0;
}
