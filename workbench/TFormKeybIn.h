#pragma once

#include <QString>
#include <Qt>
#include <cstdint>
#include <optional>

#include "workbench/ToolWindow.h"

class QEventLoop;
class QLabel;

// The code a key press gives the program: the character's Latin-1 code; Ctrl with a letter
// gives 01..1A from the key itself (not from the typed text); Escape 1B, Enter/Return 0D,
// Backspace 08, Tab 09; Ctrl+[ 1B, Ctrl+\ 1C, Ctrl+] 1D, Ctrl+Enter 0A. Keys that type
// nothing (arrows, function keys, Shift alone) and characters beyond Latin-1 give nothing.
std::optional<uint8_t> KeyCodeOf(int key, Qt::KeyboardModifiers modifiers, const QString& text);

// The window IN 00 waits in. It is not modal, so the on-screen keyboard and the keypad stay
// clickable during the wait; it cannot be closed until a key was typed.
class TFormKeybIn : public ToolWindow {
    Q_OBJECT
  public:
    explicit TFormKeybIn(QWidget* owner);

    // Shows the window, takes the activation, and waits in an event loop of its own until a
    // key was taken; returns its code. The window then hides itself. A wait begun while one
    // is already going on returns 1B at once.
    uint8_t WaitForKey();
    bool Waiting() const;
    bool WaitsForKey() const override { return Waiting(); }
    bool KeyTyped() const;

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void TakeKey(uint8_t code);

    QLabel* Label1;
    QEventLoop* loop_ = nullptr;
    bool keyTyped_ = false;
    uint8_t code_ = 0;
};
