#include "workbench/MainWindowTables.h"

#include "workbench/TFormMain.h"

namespace {

template <void (TFormMain::*Handler)()> void Call(TFormMain& form) {
    (form.*Handler)();
}

template <Peripheral Window> void Show(TFormMain& form) {
    form.ShowPeripheral(Window);
}

constexpr CommandButtonEntry CommandButtons[] = {
    {"&Assemble", "TRANSLATE SOURCE CODE TO MACHINE CODE", 0, 0,
     Call<&TFormMain::ButtonAssembleClick>},
    {"Ste&p", "SINGLE STEP PROGRAM", 0, 1, Call<&TFormMain::ButtonStepClick>},
    {"&Run F9", "CONTINUOUS PROGRAM RUN", 0, 2, Call<&TFormMain::ButtonRunClick>},
    {"S&lower", "SLOW DOWN CPU CLOCK", 1, 0, Call<&TFormMain::ButtonSlowClick>},
    {"Fas&ter", "SPEED UP CPU CLOCK", 1, 1, Call<&TFormMain::ButtonFastClick>},
    {"ST&OP", "STOP CONTINUOUS RUN", 1, 2, Call<&TFormMain::ButtonStopClick>},
    {"Co&ntinue", "RESUME CONTINUOUS RUN", 2, 0, Call<&TFormMain::ButtonContinuousClick>},
    {"Cpu R&eset", "RESET THE CPU", 2, 1, Call<&TFormMain::ButtonResetClick>},
    {"Show Ra&m", "SHOW RAM CONTENTS", 2, 2, Call<&TFormMain::ButtonShowRamClick>},
    // Every letter of its caption is another command's: F7 is its key.
    {"Step Back F7", "UNDO THE LAST STEP", 3, 1, Call<&TFormMain::ButtonStepBackClick>},
};

constexpr ToolButtonEntry ToolButtons[] = {
    {ToolPicture::FileOpen, "FILE OPEN   CTRL+O", 288, 3, Call<&TFormMain::MenuFileOpenClick>},
    {ToolPicture::EnlargeFont, "ENLARGE FONT", 312, 3, Call<&TFormMain::EnlargeFontClick>},
    {ToolPicture::ShowVdu, "SHOW VDU SCREEN", 336, 3, Show<Peripheral::Vdu>},
    {ToolPicture::ShowTrafficLights, "SHOW TRAFFIC LIGHTS", 360, 3,
     Show<Peripheral::TrafficLights>},
    {ToolPicture::ShowSevenSegment, "SHOW SEVEN SEGMENT DISPLAYS", 384, 3,
     Show<Peripheral::SevenSegment>},
    {ToolPicture::CloseAll, "CLOSE ALL PERIPHERAL WINDOWS", 408, 3,
     Call<&TFormMain::ToolCloseAllClick>},
    {ToolPicture::FileSave, "FILE SAVE   CTRL+S", 288, 26, Call<&TFormMain::MenuFileSaveClick>},
    {ToolPicture::ReduceFont, "REDUCE FONT", 312, 26, Call<&TFormMain::ReduceFontClick>},
    {ToolPicture::ShowHeater, "SHOW HEATER AND THERMOSTAT", 336, 26, Show<Peripheral::Heater>},
    {ToolPicture::ShowMaze, "SHOW MAZE", 360, 26, Show<Peripheral::Maze>},
    {ToolPicture::ShowStepper, "SHOW STEPPER MOTOR", 384, 26, Show<Peripheral::Stepper>},
    {ToolPicture::FileNew, "FILE NEW", 288, 49, Call<&TFormMain::MenuFileNewClick>},
    {ToolPicture::BoldFont, "BOLD FONT (Toggle)", 312, 49, Call<&TFormMain::BoldFontClick>},
    {ToolPicture::ShowLift, "SHOW LIFT/ELEVATOR", 336, 49, Show<Peripheral::Lift>},
    {ToolPicture::ShowKeyboard, "SHOW KEYBOARD", 360, 49, Show<Peripheral::Keyboard>},
    {ToolPicture::ShowKeypad, "SHOW NUMERIC KEYPAD", 384, 49, Show<Peripheral::Keypad>},
    {ToolPicture::Forum, "VISIT THE INTERNET FORUM", 408, 38, Call<&TFormMain::ToolForumClick>},
};

constexpr MenuEntry Menus[] = {
    {"&File", "&New", "Ctrl+N", Call<&TFormMain::MenuFileNewClick>},
    {"&File", nullptr, "", nullptr},
    {"&File", "&Open", "Ctrl+O", Call<&TFormMain::MenuFileOpenClick>},
    {"&File", "Open Exe&rcise", "", Call<&TFormMain::MenuOpenExerciseClick>},
    {"&File", "&Save", "Ctrl+S", Call<&TFormMain::MenuFileSaveClick>},
    {"&File", "Save &As", "", Call<&TFormMain::MenuFileSaveAsClick>},
    {"&File", nullptr, "", nullptr},
    {"&File", "&Print Source Code", "", Call<&TFormMain::MenuPrintSourceClick>},
    {"&File", "Print &List File", "", Call<&TFormMain::MenuPrintListClick>},
    {"&File", "Print S&etup", "", Call<&TFormMain::MenuPrintSetupClick>},
    {"&File", nullptr, "", nullptr},
    {"&File", "E&xit", "", Call<&TFormMain::MenuExitClick>, true},
    {"E&dit", "&Undo", "Ctrl+Z", Call<&TFormMain::MenuEditUndoClick>},
    {"E&dit", "Re&do", "Ctrl+Y", Call<&TFormMain::MenuEditRedoClick>},
    {"E&dit", nullptr, "", nullptr},
    {"E&dit", "&Copy", "Ctrl+C", Call<&TFormMain::MenuEditCopyClick>},
    {"E&dit", "Cu&t", "Ctrl+X", Call<&TFormMain::MenuEditCutClick>},
    {"E&dit", "&Paste", "Ctrl+V", Call<&TFormMain::MenuEditPasteClick>},
    {"E&dit", nullptr, "", nullptr},
    {"E&dit", "&Select All", "Ctrl+A", Call<&TFormMain::MenuEditSelectAllClick>},
    {"E&dit", "&Find", "Ctrl+F", Call<&TFormMain::MenuFindClick>},
    {"E&dit", "&Replace", "Ctrl+R", Call<&TFormMain::MenuReplaceClick>},
    {"&View", "Hide &All Peripherals", "", Call<&TFormMain::MenuHideAllClick>},
    {"&View", "&Ram", "", Show<Peripheral::RamView>},
    {"&View", "&VDU", "", Show<Peripheral::Vdu>},
    {"&View", "&Traffic Lights", "", Show<Peripheral::TrafficLights>},
    {"&View", "Seven Segment &Displays", "", Show<Peripheral::SevenSegment>},
    {"&View", "&Heater and Thermostat", "", Show<Peripheral::Heater>},
    {"&View", "&Maze", "", Show<Peripheral::Maze>},
    {"&View", "&Stepper Motor", "", Show<Peripheral::Stepper>},
    {"&View", "&Lift", "", Show<Peripheral::Lift>},
    {"&View", "&Keyboard", "", Show<Peripheral::Keyboard>},
    {"&View", "Key &Pad", "", Show<Peripheral::Keypad>},
    // Every letter of "Debug" is already another command's.
    {"Debug", "Toggle &Breakpoint", "F2", Call<&TFormMain::MenuToggleBreakpointClick>},
    {"Debug", "&Clear Breakpoints", "", Call<&TFormMain::MenuClearBreakpointsClick>},
    {"Debug", "Run to C&ursor", "F4", Call<&TFormMain::MenuRunToCursorClick>},
    {"Debug", "Step Bac&k", "F7", Call<&TFormMain::ButtonStepBackClick>},
    {"Debug", nullptr, "", nullptr},
    {"Debug", "C&heck Program", "", Call<&TFormMain::MenuCheckProgramClick>},
    // Every letter of "Window" is already another command's. Arranging leaves the machine
    // alone, so it works while the window is busy too.
    {"Window", "&Arrange", "Ctrl+Shift+A", Call<&TFormMain::MenuArrangeClick>, true},
    {"Window", "&Place New Windows Beside the Workbench", "",
     Call<&TFormMain::MenuPlaceNewBesideClick>, true},
    {"Example&s", "&0 Arithmetic", "", [](TFormMain& form) { form.LoadExample("arithmetic.asm"); }},
    {"Example&s", "&1 Loops", "", [](TFormMain& form) { form.LoadExample("loops.asm"); }},
    {"Example&s", "&2 Lift", "", [](TFormMain& form) { form.LoadExample("lift.asm"); }},
    {"Example&s", "&3 Text", "", [](TFormMain& form) { form.LoadExample("text.asm"); }},
    {"Example&s", "&4 Demonstration", "", [](TFormMain& form) { form.LoadExample("demo.asm"); }},
    {"Example&s", nullptr, "", nullptr},
    {"Example&s", "&5 Exercise: Keypad", "",
     [](TFormMain& form) { form.LoadExampleExercise("keypad.toml"); }},
    {"Example&s", "&6 Exercise: Thermostat", "",
     [](TFormMain& form) { form.LoadExampleExercise("thermostat.toml"); }},
    {"Example&s", "&7 Exercise: Traffic Lights", "",
     [](TFormMain& form) { form.LoadExampleExercise("traffic-lights.toml"); }},
    {"&Help", "&Contents", "F1", Call<&TFormMain::MenuHelpContentsClick>},
    {"&Help", nullptr, "", nullptr},
    {"&Help", "&About", "", Call<&TFormMain::MenuAboutClick>},
};

} // namespace

std::span<const CommandButtonEntry> CommandButtonTable() {
    return CommandButtons;
}

std::span<const ToolButtonEntry> ToolButtonTable() {
    return ToolButtons;
}

std::span<const MenuEntry> MenuTable() {
    return Menus;
}
