#include "workbench/devices/TFormKeyb.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include "devices/DeviceTable.h"
#include "devices/DeviceWords.h"
#include "devices/OnScreenKeyMap.h"
#include "devices/pictures/KeyboardPicture.h"
#include "workbench/ButtonFace.h"
#include "workbench/Fonts.h"

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
    const int action = TypedKeyActionOf(Peripheral::Keyboard, event);
    if (!KeyboardAction(model_, action)) {
        return false;
    }
    const std::string_view name = OnScreenKeyMap()[action].Name;
    Label1->setText(QString::fromUtf8(name.data(), std::ssize(name)));
    return true;
}
