#pragma once

#include <QString>
#include <Qt>
#include <cstdint>
#include <optional>

#include "workbench/ToolWindow.h"

class QLabel;

// The code a key press gives the program: the character's Latin-1 code; Ctrl with a letter
// gives 01..1A from the key itself (not from the typed text); Escape 1B, Enter/Return 0D,
// Backspace 08, Tab 09; Ctrl+[ 1B, Ctrl+\ 1C, Ctrl+] 1D, Ctrl+Enter 0A. Keys that type
// nothing (arrows, function keys, Shift alone) and characters beyond Latin-1 give nothing.
std::optional<uint8_t> KeyCodeOf(int key, Qt::KeyboardModifiers modifiers, const QString& text);

// The window a key for IN 00 is typed in. It is not modal, so the on-screen keyboard and the
// keypad stay clickable while a key is awaited; it cannot be closed until a key was taken.
class TFormKeybIn : public ToolWindow {
    Q_OBJECT
  public:
    explicit TFormKeybIn(QWidget* owner);

    // Shows the window and takes the activation; the first key that types something is then
    // taken, and the window hides itself.
    void AwaitKey();
    // The prompt in the colours of the theme shown.
    void ApplyTheme();
    bool Waiting() const { return waiting_; }
    bool WaitsForKey() const override { return waiting_; }

  signals:
    void KeyTaken(uint8_t code);

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void TakeKey(uint8_t code);

    QLabel* Label1;
    bool waiting_ = false;
};
