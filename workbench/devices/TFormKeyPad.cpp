#include "workbench/devices/TFormKeyPad.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <vector>

#include "devices/DeviceWords.h"
#include "workbench/ButtonFace.h"
#include "workbench/Fonts.h"
#include "workbench/devices/KeyCaps.h"

namespace {

constexpr uint8_t Backspace = 0x08;
constexpr uint8_t Enter = 0x0D;

struct PadKey {
    QRect Box;
    uint8_t Code;
};

template <size_t N> int Start(const std::array<int, N>& ends, size_t index) {
    return index == 0 ? 0 : ends[index - 1];
}

template <size_t N> std::optional<size_t> FirstEndAbove(const std::array<int, N>& ends, int at) {
    for (size_t i = 0; i < N; ++i) {
        if (at < ends[i]) {
            return i;
        }
    }
    return std::nullopt;
}

// The cells of the code table, merged down a column where the code repeats: the backspace
// and enter keys are two rows tall.
std::vector<PadKey> PadKeys() {
    std::vector<PadKey> keys;
    for (size_t column = 0; column < TFormKeyPad::ColumnEnds.size(); ++column) {
        for (size_t row = 0; row < TFormKeyPad::RowEnds.size(); ++row) {
            const QRect cell(
                QPoint(Start(TFormKeyPad::ColumnEnds, column), Start(TFormKeyPad::RowEnds, row)),
                QPoint(TFormKeyPad::ColumnEnds[column] - 1, TFormKeyPad::RowEnds[row] - 1));
            const uint8_t code = Keypad::Codes[row][column];
            if (row > 0 && Keypad::Codes[row - 1][column] == code) {
                keys.back().Box |= cell;
            } else {
                keys.push_back({cell, code});
            }
        }
    }
    return keys;
}

// The tall keys show their short name above an arrow.
void DrawTallKey(QPainter& painter, const QRect& face, const QString& name,
                 const QPolygonF& arrow) {
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(14);
    painter.setFont(font);
    painter.drawText(face.adjusted(0, 5, 0, 0), Qt::AlignHCenter | Qt::AlignTop, name);
    painter.restore();
    DrawKeyArrow(painter, arrow);
}

void DrawLegend(QPainter& painter, const PadKey& key, const QRegion& face) {
    const QRectF box = QRectF(face.boundingRect());
    const double x = box.center().x();
    const double y = box.center().y() + 8;
    if (key.Code == Backspace) {
        DrawTallKey(painter, face.boundingRect(), QStringLiteral("Bk"), {{x + 7, y}, {x - 8, y}});
    } else if (key.Code == Enter) {
        DrawTallKey(painter, face.boundingRect(), QStringLiteral("En"),
                    {{x + 6, y - 9}, {x + 6, y}, {x - 8, y}});
    } else {
        painter.drawText(face.boundingRect(), Qt::AlignCenter, QString(QChar(key.Code)));
    }
}

void DrawKeyPad(QImage& picture) {
    QPainter painter(&picture);
    painter.setPen(KeyInk);
    QFont font = MsSansSerif(16, true);
    font.setBold(true);
    painter.setFont(font);
    for (const PadKey& key : PadKeys()) {
        DrawLegend(painter, key, DrawKeyCap(painter, key.Box));
    }
    font.setPixelSize(13);
    painter.setFont(font);
    const int below = TFormKeyPad::RowEnds.back();
    const int height = static_cast<int>(picture.deviceIndependentSize().height());
    painter.drawText(QRect(0, below, TFormKeyPad::ColumnEnds.back(), height - below),
                     Qt::AlignCenter, QStringLiteral("INT 04 / Port 08"));
}

} // namespace

TFormKeyPad::TFormKeyPad(QWidget* owner, Keypad& model)
    : PictureWindow(owner, "Key Pad", QSize(152, 139), ButtonFace()), model_(model) {
    DrawKeyPad(Picture());
    DescribeState([this] { return KeypadWords(model_); });
    AcceptKeys();
}

void TFormKeyPad::DrawWhole() {
    DrawKeyPad(Picture());
}

std::optional<uint8_t> TFormKeyPad::KeyAt(int x, int y) {
    const auto row = FirstEndAbove(RowEnds, y);
    const auto column = FirstEndAbove(ColumnEnds, x);
    if (!row || !column) {
        return std::nullopt;
    }
    return Keypad::Codes[*row][*column];
}

void TFormKeyPad::ImageKeyPadMouseDown(int x, int y) {
    if (const auto key = KeyAt(x, y)) {
        model_.Press(*key);
    } else {
        model_.PressBeside();
    }
    StateChanged();
}

void TFormKeyPad::mousePressEvent(QMouseEvent* event) {
    const QPoint at = PicturePixel(*event);
    ImageKeyPadMouseDown(at.x(), at.y());
    GiveFocusBack();
}

// A key of the keyboard presses the pad's key with its character: the digits, A to F in
// either case, backspace and enter.
bool TFormKeyPad::TakeKey(const QKeyEvent& event) {
    const QString text = event.text().toUpper();
    if (text.size() != 1 || text[0].unicode() > 0xFF || !Keypad::HasKey(text[0].unicode())) {
        return false;
    }
    model_.Press(static_cast<uint8_t>(text[0].unicode()));
    return true;
}
