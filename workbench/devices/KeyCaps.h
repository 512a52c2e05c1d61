#pragma once

#include <QColor>
#include <QPolygonF>
#include <QRegion>

class QPainter;

// The key caps of the on-screen keyboard and the keypad, drawn alike.

// The legends' and arrows' ink.
inline const QColor KeyInk(0x20, 0x20, 0x28);
// Draws a key cap on area, a pixel clear of its edge so that neighbouring keys stay apart:
// a dark rim with rounded corners, lit from the top left. Returns the cap's top face, where
// the legends go.
QRegion DrawKeyCap(QPainter& painter, const QRegion& area);
// Where a key's legends may go: inside its rim.
QRegion InsideKeyRim(const QRegion& area);
// Paints part of a key cap, pixel for pixel.
void FillKeyPart(QPainter& painter, const QRegion& part, const QColor& colour);
// An arrow along the points, its head at the last one.
void DrawKeyArrow(QPainter& painter, const QPolygonF& path);
