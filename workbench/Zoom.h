#pragma once

#include <QRect>
#include <array>
#include <optional>

class QWidget;

// The zoom of the whole workbench, in percent: the main window, the RAM view and every
// device window grow together, for a projector at the back of a classroom.
inline constexpr std::array<int, 7> ZoomSteps = {100, 125, 150, 175, 200, 250, 300};
inline constexpr int ActualSize = 100;
inline constexpr int ProjectorZoom = 200;

// The next step up or down; the ends stay where they are.
int ZoomedIn(int percent);
int ZoomedOut(int percent);
// A zoom as the settings file gives it: one of the steps, anything else the actual size.
int ZoomFromSettings(std::optional<int> percent);

// A length or a place at a zoom factor. Edges are rounded, so neighbours stay neighbours and
// a factor of one or more can be undone exactly.
int Zoomed(int length, double factor);
QRect Zoomed(const QRect& place, double factor);
// A length at one zoom factor taken to another.
int Rezoomed(int length, double from, double to);
// The whole pixels an area covers at a zoom factor, for repainting it.
QRect Covering(const QRect& area, double factor);

// Takes a window and everything in it from one zoom factor to another: fonts, the places and
// sizes of what stands at fixed places, icon sizes and the window's own size. The menus and
// tool windows it owns follow (a tool window then redraws itself); boxes keep their look.
void Rezoom(QWidget* window, double from, double to);
