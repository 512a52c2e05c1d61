#include "workbench/TFormKeybIn.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <array>

#include "core/UserInterface.h"
#include "workbench/Fonts.h"
#include "workbench/Themes.h"

namespace {

struct NamedKey {
    int key;
    uint8_t code;
};

// Keys whose code does not depend on the typed text.
constexpr std::array<NamedKey, 6> PlainKeys = {{
    {Qt::Key_Escape, EscapeKey},
    {Qt::Key_Return, 0x0D},
    {Qt::Key_Enter, 0x0D},
    {Qt::Key_Backspace, 0x08},
    {Qt::Key_Tab, 0x09},
    {Qt::Key_Backtab, 0x09},
}};

// Ctrl with Enter gives a line feed; the bracket keys give the control codes after Ctrl+Z,
// shifted or not.
constexpr std::array<NamedKey, 8> ControlKeys = {{
    {Qt::Key_Return, 0x0A},
    {Qt::Key_Enter, 0x0A},
    {Qt::Key_BracketLeft, 0x1B},
    {Qt::Key_BraceLeft, 0x1B},
    {Qt::Key_Backslash, 0x1C},
    {Qt::Key_Bar, 0x1C},
    {Qt::Key_BracketRight, 0x1D},
    {Qt::Key_BraceRight, 0x1D},
}};

template <size_t N> std::optional<uint8_t> Lookup(const std::array<NamedKey, N>& keys, int key) {
    for (const NamedKey& named : keys) {
        if (named.key == key) {
            return named.code;
        }
    }
    return std::nullopt;
}

std::optional<uint8_t> ControlCode(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<uint8_t>(key - Qt::Key_A + 1);
    }
    return Lookup(ControlKeys, key);
}

// One printable Latin-1 character; control codes come from the key, never from the text.
std::optional<uint8_t> PrintableCode(const QString& text) {
    if (text.size() != 1) {
        return std::nullopt;
    }
    const char16_t character = text.front().unicode();
    if (character < 0x20 || character == 0x7F || character > 0xFF) {
        return std::nullopt;
    }
    return static_cast<uint8_t>(character);
}

} // namespace

std::optional<uint8_t> KeyCodeOf(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    if (control) {
        if (const auto code = ControlCode(key)) {
            return code;
        }
    }
    if (const auto code = Lookup(PlainKeys, key)) {
        return code;
    }
    if (control) {
        return std::nullopt;
    }
    return PrintableCode(text);
}

TFormKeybIn::TFormKeybIn(QWidget* owner)
    : ToolWindow(owner, QStringLiteral("Keyboard Input"), QSize(428, 39), Frame::NoButtons,
                 ShownTheme().KeyPrompt.Back),
      Label1(new QLabel(QStringLiteral(" Waiting for keyboard input > "), this)) {
    // Unlike the other tool windows, this one needs the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    setFocusPolicy(Qt::StrongFocus);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(2, 1, 420, 37);
    ApplyTheme();
    Label1->setFont(FittingFont(MsSansSerif(32, true), Label1->text(), Label1->size()));
}

void TFormKeybIn::ApplyTheme() {
    const ColourPair& prompt = ShownTheme().KeyPrompt;
    SetBackground(prompt.Back);
    QPalette colours = Label1->palette();
    colours.setColor(QPalette::WindowText, prompt.Text);
    Label1->setPalette(colours);
}

void TFormKeybIn::AwaitKey() {
    waiting_ = true;
    show();
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

bool TFormKeybIn::event(QEvent* event) {
    if (waiting_ && event->type() == QEvent::ShortcutOverride) {
        // Every key is the program's while it waits, none a shortcut's.
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        // Straight to the key handler, so Tab and Backtab do not move the focus.
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return ToolWindow::event(event);
}

void TFormKeybIn::keyPressEvent(QKeyEvent* event) {
    if (waiting_) {
        if (const auto code = KeyCodeOf(event->key(), event->modifiers(), event->text())) {
            TakeKey(*code);
        }
    }
    event->accept();
}

void TFormKeybIn::closeEvent(QCloseEvent* event) {
    // The program must not be left without its key.
    if (waiting_) {
        event->ignore();
    } else {
        event->accept();
    }
}

void TFormKeybIn::TakeKey(uint8_t code) {
    waiting_ = false;
    hide();
    emit KeyTaken(code);
}
