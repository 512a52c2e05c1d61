#include "workbench/devices/TFormKeyPad.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "devices/DeviceTable.h"
#include "devices/DeviceWords.h"
#include "devices/pictures/DevicePictures.h"
#include "workbench/ButtonFace.h"

TFormKeyPad::TFormKeyPad(QWidget* owner, Keypad& model)
    : PictureWindow(owner, DeviceRowOf(Peripheral::Keypad).Caption, QSize(152, 139), ButtonFace()),
      model_(model) {
    ShowPicture(KeypadPicture());
    DescribeState([this] { return KeypadWords(model_); });
    AcceptKeys();
}

void TFormKeyPad::ImageKeyPadMouseDown(int x, int y) {
    KeypadAction(model_, ::ActionAt(KeypadPicture(), {x, y}));
    StateChanged();
}

void TFormKeyPad::mousePressEvent(QMouseEvent* event) {
    KeypadAction(model_, ActionAt(*event));
    StateChanged();
    GiveFocusBack();
}

// A key of the keyboard presses the pad's key with its character: the digits, A to F in
// either case, backspace and enter.
bool TFormKeyPad::TakeKey(const QKeyEvent& event) {
    return KeypadAction(model_, TypedKeyActionOf(Peripheral::Keypad, event));
}
