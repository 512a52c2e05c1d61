// Runs a looping program in the real main window at the fastest clock (2 ms) for ten seconds
// of wall time, with the run log off, on, and on with a thread spinning beside it (a machine
// where something else keeps one core busy), and prints how many of the steps the clock asked
// for were made and how much of one core the workbench used. Also prints the time from start
// to the first painted main window. The RAM view and the VDU are open, and with --devices the
// program drives the traffic lights, the seven-segment displays and the lift, whose windows
// are open too; --zoom=200 runs it all at that zoom. Last, it types
// into a coloured 32 KB source and prints the time a keystroke takes, repaint included; with
// --typing it does only that.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QSyntaxHighlighter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <optional>
#include <pthread.h>
#include <sys/resource.h>
#include <thread>

#include "bench/GeneratedPrograms.h"
#include "bench/SilentDialogs.h"
#include "core/Assem.h"
#include "core/RunControl.h"
#include "workbench/Fonts.h"
#include "workbench/TFormMain.h"
#include "workbench/Zoom.h"

namespace {

constexpr int RunMilliseconds = 10000;
constexpr int TypedKeys = 400;

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

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A thread that keeps one core busy until it is destroyed; its own CPU time is not the
// workbench's.
class BusyThread {
  public:
    BusyThread()
        : thread_([this] {
              while (!stop_.load(std::memory_order_relaxed)) {
              }
          }) {}
    ~BusyThread() {
        stop_ = true;
        thread_.join();
    }
    double CpuSeconds() {
        clockid_t clock{};
        timespec used{};
        pthread_getcpuclockid(thread_.native_handle(), &clock);
        clock_gettime(clock, &used);
        return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) / 1e9;
    }

  private:
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

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

void RunFor(TFormMain& form, bool runLog, bool busy) {
    form.CheckBoxRunLog->setChecked(runLog);
    std::optional<BusyThread> beside;
    if (busy) {
        beside.emplace();
    }
    const int64_t stepsBefore = form.StepsRun();
    const double cpuStart = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    form.ButtonRunClick();
    QEventLoop loop;
    QTimer::singleShot(RunMilliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    form.ButtonStopClick();
    const auto steps = static_cast<double>(form.StepsRun() - stepsBefore);
    const double cpu = CpuSeconds() - cpuStart - (beside ? beside->CpuSeconds() : 0.0);
    const double seconds = static_cast<double>(wall.elapsed()) / 1000.0;
    const double asked = seconds * 1000.0 / form.Control().CpuClockInterval();
    std::printf("run log %-3s%s: %.0f of %.0f steps (%.1f %%), CPU %.1f %% of one core\n",
                runLog ? "on" : "off", busy ? ", a busy thread beside it" : "", steps, asked,
                100.0 * steps / asked, 100.0 * cpu / seconds);
}

// A line typed into the middle of the source, a key at a time, each key painted before the next.
void TypeInto(TFormMain& form, const QString& path) {
    QFile file(path);
    const std::string source = LargeSource();
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(source.data(), static_cast<qint64>(source.size())) < 0) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return;
    }
    file.close();
    form.SetOpenFileName(path);
    form.OpenSource(false);
    QPlainTextEdit& editor = *form.memoSource;
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(editor.document()->characterCount() / 2);
    editor.setTextCursor(cursor);
    const QString line = QStringLiteral("\tMOV\tAL,[15]\t; typed \"here\"\r");
    QApplication::processEvents();
    QElapsedTimer colouring;
    colouring.start();
    editor.document()->findChild<QSyntaxHighlighter*>()->rehighlight();
    std::printf("colouring all %d lines: %.3f ms\n", editor.document()->blockCount(),
                static_cast<double>(colouring.nsecsElapsed()) / 1e6);
    int64_t worstNs = 0;
    QElapsedTimer all;
    all.start();
    for (int key = 0; key < TypedKeys; ++key) {
        QElapsedTimer one;
        one.start();
        const QChar c = line[key % line.size()];
        if (c == u'\r') {
            QTest::keyClick(&editor, Qt::Key_Return);
        } else {
            QTest::keyClick(&editor, c.toLatin1());
        }
        editor.viewport()->repaint();
        QApplication::processEvents();
        worstNs = std::max<int64_t>(worstNs, one.nsecsElapsed());
    }
    std::printf("typing into %zu bytes: %.3f ms a keystroke, worst %.3f ms\n", source.size(),
                static_cast<double>(all.nsecsElapsed()) / 1e6 / TypedKeys,
                static_cast<double>(worstNs) / 1e6);
}

// --zoom=200 runs the workbench at that zoom; any other number is the actual size.
int ZoomArgument(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument.startsWith("--zoom=")) {
            return ZoomFromSettings(argument.mid(7).toInt());
        }
    }
    return ActualSize;
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
    form.SetZoom(ZoomArgument(app.arguments()));
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
    if (app.arguments().contains("--typing")) {
        TypeInto(form, folder.filePath("typed.asm"));
        return 0;
    }
    form.SetOpenFileName(path);
    form.OpenSource(false);
    form.ButtonAssembleClick();
    form.ShowPeripheral(Peripheral::RamView);
    form.ShowPeripheral(Peripheral::Vdu);
    if (devices) {
        for (Peripheral window :
             {Peripheral::TrafficLights, Peripheral::SevenSegment, Peripheral::Lift}) {
            form.ShowPeripheral(window);
        }
    }
    std::printf("zoom %d %%\n", form.ZoomPercent());
    while (form.Control().CpuClockInterval() > RunControl::FastestClock) {
        form.ButtonFastClick();
    }
    RunFor(form, false, false);
    RunFor(form, true, false);
    RunFor(form, true, true);
    form.ButtonStopClick();
    TypeInto(form, folder.filePath("typed.asm"));
    return 0;
}
