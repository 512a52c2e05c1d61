#pragma once

#include <array>
#include <optional>

#include "devices/Keypad.h"
#include "workbench/devices/PictureWindow.h"

class QMouseEvent;

// The hexadecimal keypad, drawn from the keypad's table: a click on a key presses it, which
// stores its code and raises interrupt 04; port 08 reads the code.
class TFormKeyPad : public PictureWindow {
    Q_OBJECT
  public:
    TFormKeyPad(QWidget* owner, Keypad& model);

    // A key's row is the first whose end lies below y, its column likewise for x.
    static constexpr std::array<int, 4> RowEnds{33, 61, 88, 113};
    static constexpr std::array<int, 5> ColumnEnds{32, 60, 89, 118, 146};
    static_assert(RowEnds.size() == Keypad::Codes.size() &&
                  ColumnEnds.size() == Keypad::Codes[0].size());
    // The code of the key at x,y of the picture, or none beside the keys.
    static std::optional<uint8_t> KeyAt(int x, int y);

    // Any mouse button, at x,y of the picture.
    void ImageKeyPadMouseDown(int x, int y);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool TakeKey(const QKeyEvent& event) override;

  private:
    void DrawWhole() override;

    Keypad& model_;
};
