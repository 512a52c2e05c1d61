// The settings file: where the windows stand, the two clocks and the two switches, read
// once before the main window is first shown and written at every close request.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QTimer>

#include "core/RunControl.h"
#include "workbench/Dialogs.h"
#include "workbench/SafeFile.h"
#include "workbench/SettingsFile.h"
#include "workbench/TFormMain.h"
#include "workbench/TFormRamHex.h"
#include "workbench/WindowFrames.h"

namespace {

// A window's place in the file: its section, whether its size is kept too, and where it
// stands when the file says nothing (outer bounds; the width and height of a fixed-size
// window are its own).
struct WindowPlace {
    const char* Section;
    std::optional<Peripheral> Window; // none for the main window
    bool Sized;
    QRect (*Default)(const QWidget& window);
};

QRect AlongTheRightEdge(const QWidget& window, int right, int top) {
    return {right - window.frameGeometry().width(), top, window.width(), window.height()};
}

const WindowPlace WindowPlaces[] = {
    {"MainWindow", std::nullopt, true, [](const QWidget&) { return QRect(0, 0, 800, 600); }},
    {"KeybWindow", Peripheral::KeyboardInput, true,
     [](const QWidget&) { return QRect(364, 30, 436, 72); }},
    {"RamHexWindow", Peripheral::RamView, true,
     [](const QWidget&) { return QRect(300, 266, 500, 334); }},
    {"Vdu", Peripheral::Vdu, true, [](const QWidget&) { return QRect(600, 205, 200, 95); }},
    {"TLight", Peripheral::TrafficLights, false,
     [](const QWidget& window) { return AlongTheRightEdge(window, 800, 30); }},
    {"SevSeg", Peripheral::SevenSegment, false,
     [](const QWidget& window) { return AlongTheRightEdge(window, 800, 30); }},
    {"Stepper", Peripheral::Stepper, false,
     [](const QWidget& window) { return AlongTheRightEdge(window, 800, 30); }},
    {"Maze", Peripheral::Maze, false,
     [](const QWidget& window) { return AlongTheRightEdge(window, 775, 0); }},
    {"Heat", Peripheral::Heater, false,
     [](const QWidget& window) { return AlongTheRightEdge(window, 800, 30); }},
    {"Lift", Peripheral::Lift, false,
     [](const QWidget& window) { return AlongTheRightEdge(window, 800, 30); }},
    {"Keyb", Peripheral::Keyboard, false,
     [](const QWidget& window) {
         return AlongTheRightEdge(window, 800, 600 - window.frameGeometry().height());
     }},
    {"KeyPad", Peripheral::Keypad, false,
     [](const QWidget& window) { return AlongTheRightEdge(window, 800, 30); }},
};

constexpr int DefaultClock = 1000;
constexpr int DefaultHwTimer = 5000;

} // namespace

QString TFormMain::IniFileName() {
    return QFileInfo(QApplication::applicationFilePath()).completeBaseName() + ".INI";
}

QWidget* TFormMain::PlacedWindow(std::optional<Peripheral> window) {
    return window ? windows_.Window(*window) : this;
}

void TFormMain::LoadSettings() {
    QFile file(QDir::current().filePath(IniFileName()));
    const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const SettingsFile settings =
        SettingsFile::Parse(std::string_view(text.constData(), static_cast<size_t>(text.size())));
    for (const WindowPlace& place : WindowPlaces) {
        QWidget* window = PlacedWindow(place.Window);
        const QRect fallback = place.Default(*window);
        const auto read = [&](const char* key, int otherwise) {
            return settings.Integer(place.Section, key).value_or(otherwise);
        };
        const int top = read("Top", fallback.top());
        const int left = read("Left", fallback.left());
        const int width = place.Sized ? read("Width", fallback.width()) : fallback.width();
        const int height = place.Sized ? read("Height", fallback.height()) : fallback.height();
        frames_->Place(window, QRect(left, top, width, height), place.Sized);
    }
    control_->SetCpuClockInterval(settings.Integer("CPU_Clock", "Interval").value_or(DefaultClock));
    TimerCPU->setInterval(control_->CpuClockInterval());
    control_->SetHwTimerInterval(settings.Integer("HW_Timer", "Interval").value_or(DefaultHwTimer));
    TimerHW->setInterval(control_->HwTimerInterval());
    GroupBoxHWT->setTitle(QString::fromStdString(control_->HwTimerCaption()));
    CheckBoxCLO->setChecked(settings.Integer("OneWindowAtATime", "Show").value_or(0) != 0);
    CheckBoxPrintPause->setChecked(settings.Integer("PrintPause", "Pause").value_or(0) != 0);
}

std::string TFormMain::SettingsText() const {
    std::vector<SettingsFile::Entry> entries;
    for (const WindowPlace& place : WindowPlaces) {
        const QRect outer =
            frames_->Outer(const_cast<TFormMain*>(this)->PlacedWindow(place.Window));
        entries.push_back({place.Section, "Top", outer.top()});
        entries.push_back({place.Section, "Left", outer.left()});
        if (place.Sized) {
            entries.push_back({place.Section, "Width", outer.width()});
            entries.push_back({place.Section, "Height", outer.height()});
        }
    }
    entries.push_back({"CPU_Clock", "Interval", control_->CpuClockInterval()});
    entries.push_back({"HW_Timer", "Interval", control_->HwTimerInterval()});
    entries.push_back({"OneWindowAtATime", "Show", OneAtATime ? 1 : 0});
    entries.push_back({"PrintPause", "Pause", CheckBoxPrintPause->isChecked() ? 1 : 0});
    return SettingsFile::Text(entries);
}

void TFormMain::SaveSettings() {
    const QString path = QDir::current().filePath(IniFileName());
    const QString failed = IniFileName() + " could not be updated.  It may be read only.";
    const QFileInfo info(path);
    if (IsReadOnlyFile(info)) {
        dialogs_.Message(this, failed, QMessageBox::Critical);
        return;
    }
    QString error;
    if (!WriteWholeFile(path, SettingsText(), error)) {
        dialogs_.Message(this, failed, QMessageBox::Critical);
    }
}
