#include "workbench/devices/TFormKeyb.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <array>
#include <map>
#include <optional>
#include <vector>

#include "devices/DeviceWords.h"
#include "devices/OnScreenKeyMap.h"
#include "workbench/ButtonFace.h"
#include "workbench/Fonts.h"
#include "workbench/devices/KeyCaps.h"

namespace {

// The upper left of a key, where a click gives Ctrl with the key.
const QColor CtrlTint(0xc6, 0xd9, 0xf1);

QRect Box(const KeyRegion& part) {
    return QRect(QPoint(part.Left, part.Top), QPoint(part.Right, part.Bottom));
}

bool IsCtrl(const KeyRegion& part) {
    return part.Name.starts_with("Ctrl+");
}

// What a part of a key belongs with: a Ctrl part with the capital or sign right of it, an
// upper part with the part under it that ends at the same right edge. The lowest part, which
// belongs with nothing, holds the key together.
const KeyRegion* Holder(const KeyRegion& part) {
    for (const KeyRegion& other : OnScreenKeyMap()) {
        const bool besideCtrl =
            IsCtrl(part) && other.Top == part.Top && other.Left == part.Right + 1;
        const bool under =
            other.Top == part.Bottom + 1 && other.Right == part.Right && other.Left <= part.Left;
        if (besideCtrl || under) {
            return &other;
        }
    }
    return nullptr;
}

// The keys of the picture: every part of the key map under the lowest part of its key.
std::map<const KeyRegion*, std::vector<const KeyRegion*>> Keys() {
    std::map<const KeyRegion*, std::vector<const KeyRegion*>> keys;
    for (const KeyRegion& part : OnScreenKeyMap()) {
        const KeyRegion* base = &part;
        while (const KeyRegion* holder = Holder(*base)) {
            base = holder;
        }
        keys[base].push_back(&part);
    }
    return keys;
}

// Centred on the capitals' height, so that signs, descenders and underscores sit as on a
// key; they may reach into the shade, never beyond the rim.
void DrawCentred(QPainter& painter, const QRegion& area, const QString& text) {
    const QFontMetricsF metrics(painter.font());
    const QRectF box(area.boundingRect());
    const QPointF baseline(box.center().x() - metrics.horizontalAdvance(text) / 2,
                           box.center().y() + metrics.capHeight() / 2);
    painter.drawText(baseline, text);
}

// A part shows its character; a Ctrl part is tinted. The named keys draw symbols instead.
void DrawPart(QPainter& painter, const KeyRegion& part, const QRegion& face) {
    const QRegion area = face & Box(part);
    const QString text = QString::fromUtf8(part.Name.data(), std::ssize(part.Name));
    if (IsCtrl(part)) {
        FillKeyPart(painter, area, CtrlTint);
    } else if (text.size() == 1) {
        DrawCentred(painter, area, text);
    }
}

// An arrow with a stop bar across its head.
void DrawBarredArrow(QPainter& painter, QPointF from, QPointF to) {
    DrawKeyArrow(painter, {from, to});
    painter.fillRect(QRectF(to.x() + (to.x() < from.x() ? -1.5 : 0.5), to.y() - 4, 1, 8), KeyInk);
}

void DrawBackspace(QPainter& painter, const QRectF& face) {
    const double y = face.center().y();
    DrawKeyArrow(painter, {{face.right() - 10, y}, {face.left() + 10, y}});
}

void DrawTab(QPainter& painter, const QRectF& face) {
    const double third = face.height() / 3;
    const double upper = face.top() + third;
    const double lower = face.bottom() - third;
    DrawBarredArrow(painter, {face.right() - 8, upper}, {face.left() + 8, upper});
    DrawBarredArrow(painter, {face.left() + 8, lower}, {face.right() - 8, lower});
}

void DrawReturn(QPainter& painter, const QRectF& face) {
    const QPointF corner(face.right() - 9, face.center().y() + 3);
    DrawKeyArrow(painter, {{corner.x(), face.top() + 5}, corner, {face.left() + 8, corner.y()}});
}

struct Symbol {
    std::string_view Name;
    void (*Draw)(QPainter&, const QRectF&);
};

// Drawn on the lowest part of their keys; the space bar is plain.
constexpr std::array<Symbol, 3> Symbols{{
    {"BkSp", DrawBackspace},
    {"Tab", DrawTab},
    {"Enter", DrawReturn},
}};

void DrawSymbol(QPainter& painter, const KeyRegion& base, const QRegion& face) {
    for (const Symbol& symbol : Symbols) {
        if (symbol.Name == base.Name) {
            symbol.Draw(painter, QRectF((face & Box(base)).boundingRect()));
        }
    }
}

void DrawKey(QPainter& painter, const KeyRegion& base, const std::vector<const KeyRegion*>& parts) {
    QRegion area;
    for (const KeyRegion* part : parts) {
        area |= Box(*part);
    }
    const QRegion face = DrawKeyCap(painter, area);
    painter.setClipRegion(InsideKeyRim(area));
    for (const KeyRegion* part : parts) {
        DrawPart(painter, *part, face);
    }
    DrawSymbol(painter, base, face);
    painter.setClipping(false);
}

struct LegendPart {
    QRect Box;
    const char* Text;
    bool Ctrl;
};

// A key at the bottom right that names its parts.
void DrawLegend(QPainter& painter) {
    const std::array<LegendPart, 3> parts{{
        {QRect(356, 88, 29, 16), "Ctrl", true},
        {QRect(385, 88, 40, 16), "Shift", false},
        {QRect(356, 104, 69, 15), "Normal", false},
    }};
    QRegion area;
    for (const LegendPart& part : parts) {
        area |= part.Box;
    }
    const QRegion face = DrawKeyCap(painter, area);
    painter.setClipRegion(InsideKeyRim(area));
    painter.setFont(MsSansSerif(10, true));
    for (const LegendPart& part : parts) {
        if (part.Ctrl) {
            FillKeyPart(painter, face & part.Box, CtrlTint);
        }
        DrawCentred(painter, face & part.Box, part.Text);
    }
    painter.setClipping(false);
}

void DrawPortWords(QPainter& painter) {
    QFont font = MsSansSerif(14, true);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(8, 116, 100, 34), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("INT 03\nPort 07"));
}

void DrawKeyboard(QImage& picture) {
    QPainter painter(&picture);
    painter.setPen(KeyInk);
    painter.setFont(MsSansSerif(10, true));
    for (const auto& [base, parts] : Keys()) {
        DrawKey(painter, *base, parts);
    }
    DrawLegend(painter);
    DrawPortWords(painter);
}

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
    : PictureWindow(owner, "Key press generates INT 03 - Read key from port 07", QSize(430, 155),
                    ButtonFace()),
      model_(model), Label1(new QLabel(this)) {
    DrawKeyboard(Picture());
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

void TFormKeyb::DrawWhole() {
    DrawKeyboard(Picture());
}

void TFormKeyb::Image1MouseDown(int x, int y) {
    if (const KeyRegion* key = FindKey(x, y)) {
        model_.Press(key->Code);
    } else {
        model_.PressBeside();
    }
    StateChanged();
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
    const QPoint at = PicturePixel(*event);
    Image1MouseDown(at.x(), at.y());
    GiveFocusBack();
}

// A typed key presses the picture's key with the same code and names it as the mouse would.
bool TFormKeyb::TakeKey(const QKeyEvent& event) {
    const std::optional<uint8_t> code = TypedCode(event);
    const KeyRegion* key = code ? FindKeyByCode(*code) : nullptr;
    if (!key) {
        return false;
    }
    model_.Press(key->Code);
    Label1->setText(QString::fromUtf8(key->Name.data(), std::ssize(key->Name)));
    return true;
}
