#include "workbench/devices/TFormKeyb.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <optional>

#include "devices/DeviceTable.h"
#include "devices/DeviceWords.h"
#include "devices/OnScreenKeyMap.h"
#include "devices/pictures/KeyboardPicture.h"
#include "workbench/ButtonFace.h"
#include "workbench/Fonts.h"

namespace {

// The code a typed key stands for: Ctrl with a letter its control code, any other key the
// character it types.
std::optional<uint8_t> TypedCode(const QKeyEvent& event) {
    if ((event.modifiers() & Qt::ControlModifier) && event.key() >= Qt::Key_A &&
        event.key() <= Qt::Key_Z) {
        return static_cast<uint8_t>(event.key() - Qt::Key_A + 1);
    }
    const QString text = event.text();
    if (text.size() != 1 || text[0].unicode() > 0xFF) {
        return std::nullopt;
    }
    return static_cast<uint8_t>(text[0].unicode());
}

} // namespace

TFormKeyb::TFormKeyb(QWidget* owner, OnScreenKeyboard& model)
    : PictureWindow(owner, DeviceRowOf(Peripheral::Keyboard).Caption, QSize(430, 155),
                    ButtonFace()),
      model_(model), Label1(new QLabel(this)) {
    ShowPicture(KeyboardPicture());
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAccessibleName(QStringLiteral("Key name"));
    Label1->setFont(MsSansSerif(19, true));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(288, 120, width() - 288, QFontMetrics(Label1->font()).height());
    // The label only shows; the mouse belongs to the picture under it.
    Label1->setAttribute(Qt::WA_TransparentForMouseEvents);
    setMouseTracking(true);
    DescribeState([this] { return KeyboardWords(model_); });
    AcceptKeys();
}

void TFormKeyb::Image1MouseMove(int x, int y) {
    const KeyRegion* key = FindKey(x, y);
    Label1->setText(key ? QString::fromUtf8(key->Name.data(), std::ssize(key->Name)) : QString());
}

void TFormKeyb::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = PicturePixel(*event);
    Image1MouseMove(at.x(), at.y());
}

void TFormKeyb::mousePressEvent(QMouseEvent* event) {
    KeyboardAction(model_, ActionAt(*event));
    StateChanged();
    GiveFocusBack();
}

// A typed key presses the picture's key with the same code and names it as the mouse would.
bool TFormKeyb::TakeKey(const QKeyEvent& event) {
    const std::optional<uint8_t> code = TypedCode(event);
    const KeyRegion* key = code ? FindKeyByCode(*code) : nullptr;
    if (!key) {
        return false;
    }
    KeyboardAction(model_, static_cast<int>(key - OnScreenKeyMap().data()));
    Label1->setText(QString::fromUtf8(key->Name.data(), std::ssize(key->Name)));
    return true;
}
