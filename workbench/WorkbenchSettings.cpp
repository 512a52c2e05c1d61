// The settings file: where the windows stand, the two clocks and the switches, read
// once before the main window is first shown and written at every close request.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>

#include "core/RunControl.h"
#include "devices/DeviceTable.h"
#include "workbench/DeviceWindows.h"
#include "workbench/Dialogs.h"
#include "workbench/SafeFile.h"
#include "workbench/SettingsFile.h"
#include "workbench/TFormMain.h"
#include "workbench/TFormRamHex.h"
#include "workbench/Themes.h"
#include "workbench/WindowFrames.h"

namespace {

// A window's place in the file: its section, whether its size is kept too, and where it
// stands when the file says nothing.
struct WindowPlace {
    const char* Section;
    std::optional<Peripheral> Window; // none for the main window
    FramePlace (*Default)(const QWidget& window);
};

// The machine's own windows, then the devices' in the order of their window rows.
std::vector<WindowPlace> WindowPlaces() {
    std::vector<WindowPlace> places = {
        {"MainWindow", std::nullopt,
         [](const QWidget&) {
             return Sized(0, 0, TFormMain::StartSize.width(), TFormMain::StartSize.height());
         }},
        {"KeybWindow", Peripheral::KeyboardInput,
         [](const QWidget&) { return Sized(364, 30, 436, 72); }},
        {"RamHexWindow", Peripheral::RamView,
         [](const QWidget&) { return Sized(300, 266, 500, 334); }},
    };
    for (const DeviceWindowRow& row : DeviceWindowTable()) {
        places.push_back({DeviceRowOf(row.Window).SettingsSection, row.Window, row.Default});
    }
    return places;
}

constexpr int DefaultClock = 1000;
constexpr int DefaultHwTimer = 5000;
// Far more than the 36 keys need; a larger file is not one of ours.
constexpr qint64 MaxSettingsBytes = 1 << 20;

} // namespace

QString TFormMain::IniFileName() {
    return QFileInfo(QApplication::applicationFilePath()).completeBaseName() + ".INI";
}

QWidget* TFormMain::PlacedWindow(std::optional<Peripheral> window) {
    return window ? windows_.Window(*window) : this;
}

// A missing file is the first start; any other trouble is said, and the defaults are used.
QByteArray TFormMain::ReadSettingsBytes() {
    const QString path = QDir::current().filePath(IniFileName());
    if (!QFileInfo::exists(path)) {
        return {};
    }
    const FileRead read = ReadRegularFile(path, MaxSettingsBytes);
    if (!read.Error.isEmpty()) {
        dialogs_.Message(this, read.Error, QMessageBox::Warning);
    }
    return read.Bytes;
}

void TFormMain::LoadSettings() {
    const QByteArray text = ReadSettingsBytes();
    const SettingsFile settings =
        SettingsFile::Parse(std::string_view(text.constData(), static_cast<size_t>(text.size())));
    for (const WindowPlace& entry : WindowPlaces()) {
        QWidget* window = PlacedWindow(entry.Window);
        FramePlace place = entry.Default(*window);
        const auto read = [&](const char* key) { return settings.Integer(entry.Section, key); };
        if (const auto top = read("Top")) {
            place.Corner.setY(*top);
            place.Held.setFlag(Qt::BottomEdge, false);
        }
        if (const auto left = read("Left")) {
            place.Corner.setX(*left);
            place.Held.setFlag(Qt::RightEdge, false);
        }
        if (place.Sized) {
            place.Size = QSize(read("Width").value_or(place.Size.width()),
                               read("Height").value_or(place.Size.height()));
        }
        frames_->Place(window, place);
    }
    control_->SetCpuClockInterval(settings.Integer("CPU_Clock", "Interval").value_or(DefaultClock));
    ShowClock();
    control_->SetHwTimerInterval(settings.Integer("HW_Timer", "Interval").value_or(DefaultHwTimer));
    GroupBoxHWT->setTitle(QString::fromStdString(control_->HwTimerCaption()));
    CheckBoxCLO->setChecked(settings.Integer("OneWindowAtATime", "Show").value_or(0) != 0);
    CheckBoxPrintPause->setChecked(settings.Integer("PrintPause", "Pause").value_or(0) != 0);
    SetPlaceNewBeside(settings.Integer("Arrange", "PlaceNewBeside").value_or(0) != 0);
    recent_.Read(settings);
    RefreshRecentFilesMenu();
    ChooseTheme(ThemeFromKey(settings.String("Theme", "Name").value_or("")));
}

std::string TFormMain::SettingsText() const {
    std::vector<SettingsFile::Entry> entries;
    for (const WindowPlace& entry : WindowPlaces()) {
        const QWidget* window = const_cast<TFormMain*>(this)->PlacedWindow(entry.Window);
        const QRect outer = frames_->Outer(window);
        entries.push_back(SettingsFile::Number(entry.Section, "Top", outer.top()));
        entries.push_back(SettingsFile::Number(entry.Section, "Left", outer.left()));
        if (entry.Default(*window).Sized) {
            entries.push_back(SettingsFile::Number(entry.Section, "Width", outer.width()));
            entries.push_back(SettingsFile::Number(entry.Section, "Height", outer.height()));
        }
    }
    entries.push_back(SettingsFile::Number("CPU_Clock", "Interval", control_->CpuClockInterval()));
    entries.push_back(SettingsFile::Number("HW_Timer", "Interval", control_->HwTimerInterval()));
    entries.push_back(SettingsFile::Number("OneWindowAtATime", "Show", OneAtATime ? 1 : 0));
    entries.push_back(
        SettingsFile::Number("PrintPause", "Pause", CheckBoxPrintPause->isChecked() ? 1 : 0));
    entries.push_back(SettingsFile::Number("Arrange", "PlaceNewBeside",
                                           PlaceNewBesideAction->isChecked() ? 1 : 0));
    recent_.Write(entries);
    entries.push_back({"Theme", "Name", KeyOf(CurrentTheme())});
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
    if (const int error = WriteWholeFile(path, SettingsText())) {
        dialogs_.Message(this, IsDiskFull(error) ? SaveFailureMessage(path, error) : failed,
                         QMessageBox::Critical);
    }
}
