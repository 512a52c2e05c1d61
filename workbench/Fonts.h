#pragma once

#include <QFont>
#include <QSize>
#include <QString>

// The windows ask for the classic font names; these map them once, at start, to fonts with
// the same metrics that the set-up installs, so layouts hold on machines without them.
void MapClassicFonts();

// Courier New at a point size, or at a pixel height when pixels is true.
QFont CourierNew(int size, bool pixels = false);
// MS Sans Serif at a point size, or at a pixel height when pixels is true.
QFont MsSansSerif(int size, bool pixels = false);
// Times New Roman at a point size, or at a pixel height when pixels is true.
QFont TimesNewRoman(int size, bool pixels = false);
// A font of a pixel height made smaller, pixel by pixel, until the text fits the box.
QFont FittingFont(QFont font, const QString& text, QSize box);
