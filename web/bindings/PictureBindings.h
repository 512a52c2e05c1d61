#pragma once

#include <emscripten/val.h>

#include "devices/Picture.h"

// A picture description as a plain object for web/src/pictures/PictureCanvas.js:
//
//     {width, height, background: "#rrggbb",
//      parts: [{area: {left, top, right, bottom}, desktopLabel, shapes: [
//          {kind: "Rect"|"RoundedRect"|"Ellipse"|"Line"|"Polyline"|"Polygon"|"Text"|
//                 "ClipTo"|"ClipOff", x, y, w, h, radius, points: [[x, y], ...],
//           pen: null | {colour: "#rrggbb", width, flat},
//           brush: null | {colour, stops: [{at, colour}], from: [x, y], to: [x, y]},
//           smooth, text (Latin-1), font: {face: "Mono"|"Sans", pixelSize, bold},
//           align: "Left"|"Centre"|"Right"}]}],
//      areas: [{box: {left, top, right, bottom}, action}]}
emscripten::val PictureObject(const Picture& picture);
