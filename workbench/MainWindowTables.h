#pragma once

#include <span>

#include "workbench/ToolButtonPictures.h"

class TFormMain;

// The main window's buttons and menus as tables: the window is built from them and the
// tests check against them.
using MainCommand = void (*)(TFormMain&);

struct CommandButtonEntry {
    const char* Caption;
    const char* Hint;
    int Column; // 0..2
    int Row;    // 0..2
    MainCommand Handler;
};

struct ToolButtonEntry {
    ToolPicture Picture;
    const char* Hint;
    int X;
    int Y;
    MainCommand Handler;
};

// A separator has no caption.
struct MenuEntry {
    const char* Menu;
    const char* Caption;
    const char* Shortcut;
    MainCommand Handler;
    // Most commands wait while the window is busy; Exit asks the close request, which
    // answers for itself as the close box does.
    bool WhileBusy = false;
};

std::span<const CommandButtonEntry> CommandButtonTable();
std::span<const ToolButtonEntry> ToolButtonTable();
std::span<const MenuEntry> MenuTable();
