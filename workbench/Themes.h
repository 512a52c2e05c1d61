#pragma once

#include <QColor>
#include <QPalette>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "workbench/SourceHighlighter.h"

// A background and the text written on it.
struct ColourPair {
    QColor Back;
    QColor Text;
    bool operator==(const ColourPair&) const = default;
};

enum class ThemeId { Classic, Dark, HighContrast };

// How a theme is named in the View menu and in the settings file.
struct ThemeName {
    ThemeId Id;
    const char* Caption;
    const char* Key;
};

std::span<const ThemeName> ThemeNames();
// Anything but a theme's key is Classic.
ThemeId ThemeFromKey(std::string_view key);
const char* KeyOf(ThemeId id);

// Every colour the workbench gives a meaning, by role. Classic takes the desktop's palette as
// it finds it; Dark and High Contrast bring palettes of their own. Device pictures keep their
// own colours in every theme.
struct Theme {
    ThemeId Id;
    ColourPair Window;    // windows, labels and boxes
    ColourPair Field;     // the editor, the lists and the logs
    ColourPair Face;      // buttons, the list file and the RAM view's button row
    ColourPair Selection; // selected text and rows
    ColourPair Indicator; // the boxes of check boxes and radio buttons, and their marks
    QColor Bevel;         // the edges of frames, boxes and buttons
    ColourPair AtRest;    // the status line and the registers with nothing to say
    ColourPair Progress;  // the status line's green
    ColourPair Error;     // the status line's red
    ColourPair Halted;    // the status line's yellow
    ColourPair Changed;   // a register the last step wrote
    ColourPair Running;   // the "RUNNING" mark beside the status line
    QColor LockedEditor;  // the editor's background in run mode
    QColor RunningEditor; // and while a continuous run goes on
    ColourPair RamCell;
    ColourPair RamIp;
    ColourPair RamSp;
    ColourPair RamHeading;
    ColourPair KeyPrompt;   // the keyboard input window
    ColourPair Gutter;      // line numbers
    ColourPair GutterError; // the number of a line with an error
    QColor GutterEdge;
    QColor Breakpoint;
    QColor IpArrow;
    QColor ErrorUnderline;
    ColourPair Link; // the about box's addresses
    std::array<SourceColour, 8> Source;
};

// The theme's colours; Classic's palette roles are the system's.
Theme MakeTheme(ThemeId id, const QPalette& system);
// The application's palette in the theme: the system's own for Classic.
QPalette ThemePalette(const Theme& theme, const QPalette& system);

// The theme the windows show, and switching it: the application's palette follows. The
// system's palette is taken before the first switch, so Classic gives it back unchanged.
const Theme& ShownTheme();
void ShowTheme(ThemeId id);
// The system's palette with every role fixed, for the windows that keep their own colours
// whatever the theme.
QPalette FixedSystemPalette();

// WCAG 2 contrast of two colours, from 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);

// A text colour on a background the theme puts it on.
struct TextOnBack {
    std::string Name;
    ColourPair Colours;
};

// Every pair of text and background that carries something to read.
std::vector<TextOnBack> ReadablePairs(const Theme& theme);
