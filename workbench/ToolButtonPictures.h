#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

// The pictures of the main window's tool buttons and the program's icon. They are drawn in
// code, so they stay sharp at every screen scale and need no image files.

enum class ToolPicture {
    FileOpen,
    FileSave,
    FileNew,
    EnlargeFont,
    ReduceFont,
    BoldFont,
    ShowVdu,
    ShowTrafficLights,
    ShowSevenSegment,
    ShowHeater,
    ShowMaze,
    ShowStepper,
    ShowLift,
    ShowKeyboard,
    ShowKeypad,
    CloseAll,
    Forum
};

// The picture of a tool button, drawn at whatever size it is shown.
QIcon ToolButtonIcon(ToolPicture picture);
// The logical size the picture is drawn for (19 x 19, the forum 19 x 30).
QSize ToolPictureSize(ToolPicture picture);
// The program's icon, in every size a desktop asks for.
QIcon ProgramIcon();
// One size of the program's icon, for the about box and the icon files.
QPixmap ProgramIconPixmap(int size);
