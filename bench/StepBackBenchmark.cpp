// Step Back's cost in the real main window: the lift example runs StepBackDepth steps and
// more with the run log on, every step keeping a moment, and then every step kept is undone.
// Prints what a moment takes, how much the workbench's memory grew for the whole history
// (moments and the run log lines kept for them), and the time of a step back.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <string>

#include "bench/SilentDialogs.h"
#include "core/Assem.h"
#include "core/Scheduler.h"
#include "workbench/RunLogPane.h"
#include "workbench/StepBack.h"
#include "workbench/TFormMain.h"

namespace {

// The resident memory of this process in megabytes.
double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024.0;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    SilentDialogs dialogs;
    TFormMain form(dialogs);
    form.TimerClock->stop();
    form.SetOpenFileName(CORVANE_EXAMPLES "/lift.asm");
    form.OpenSource(false);
    form.CheckBoxRunLog->setChecked(true);
    form.ButtonRunClick();

    const double before = ResidentMegabytes();
    constexpr int64_t Steps = StepBackDepth + 500;
    int64_t made = 0;
    while (made < Steps && form.Machine().Machine.Running) {
        made += form.Clock().RunFor(1000, Steps - made).Steps; // as 10 ms turns would, at once
        form.ApplyReport();
        form.FlushPanes();
    }
    const double grown = ResidentMegabytes() - before;
    const size_t kept = form.StepsToUndo();
    std::printf("a moment: %zu bytes; %lld steps run, %zu kept, log lines written %lld\n",
                sizeof(WindowMoment), static_cast<long long>(made), kept,
                static_cast<long long>(form.RichEdit1->Written()));
    std::printf("memory grown for the history: %.1f MB (%.0f bytes a step)\n", grown,
                grown * 1024 * 1024 / static_cast<double>(kept));

    QElapsedTimer wall;
    wall.start();
    for (size_t i = 0; i < kept; ++i) {
        form.ButtonStepBackClick();
    }
    std::printf("step back: %.3f ms each, %zu steps left to undo\n",
                static_cast<double>(wall.elapsed()) / static_cast<double>(kept),
                form.StepsToUndo());
    return 0;
}
