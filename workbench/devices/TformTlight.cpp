#include "workbench/devices/TformTlight.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>
#include <bit>

#include "devices/DeviceWords.h"

namespace {

const QColor OliveGround(0x80, 0x80, 0x00);
const QColor Metal(0x5A, 0x5A, 0x5A);
const QColor LampRing(0x3C, 0x3C, 0x3C);
constexpr int Horizon = 124;
constexpr int HeadHalfWidth = 18;
constexpr QPoint Plug(60, 150);
constexpr int PinTop = Plug.y() + 5;

int BitOf(const TrafficLights::Lamp& lamp) {
    return std::countr_zero(lamp.Mask);
}

// The plug's pins stand over the label's digits, bit 7 at the left.
int PinX(int bit) {
    return Plug.x() + 8 + 8 * (7 - bit);
}

bool OnLeftHead(const TrafficLights::Lamp& lamp) {
    return BitOf(lamp) >= 5;
}

QPointF Centre(const PixelRect& box) {
    return {(box.Left + box.Right + 1) / 2.0, (box.Top + box.Bottom + 1) / 2.0};
}

int HeadCentreX(const TrafficLights::Lamp& lamp) {
    return (lamp.Box.Left + lamp.Box.Right) / 2;
}

QColor ColourOf(Rgb rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

void DrawLandscape(QPainter& p) {
    QLinearGradient sky(0, 0, 0, Horizon);
    sky.setColorAt(0, QColor(0x4A, 0x8F, 0xD6));
    sky.setColorAt(1, QColor(0xC8, 0xE4, 0xF8));
    p.fillRect(0, 0, 200, Horizon, sky);
    p.fillRect(0, Horizon, 200, 200 - Horizon, OliveGround);
}

// A black head on a post, around the column of lamps centred on x.
void DrawHead(QPainter& p, int x) {
    p.setPen(Qt::NoPen);
    p.setBrush(Metal);
    p.drawRect(x - 3, 94, 7, 38);
    p.drawRoundedRect(x - 8, 130, 17, 5, 2, 2);
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(x - HeadHalfWidth + 0.5, 16.5, 2 * HeadHalfWidth, 78), 6, 6);
}

// A dark rim around the lamp, so that an unlit lamp still shows on the black head.
void DrawLampRing(QPainter& p, const PixelRect& box) {
    p.setPen(Qt::NoPen);
    p.setBrush(LampRing);
    p.drawEllipse(Centre(box), 13.5, 13.5);
}

// The left head's wires leave by its outer side and come round under the ground, nested
// so that none crosses another; the right head's run straight across to their pins.
void DrawWire(QPainter& p, const TrafficLights::Lamp& lamp) {
    const int bit = BitOf(lamp);
    const int y = static_cast<int>(Centre(lamp.Box).y());
    const int headX = HeadCentreX(lamp);
    QPolygon wire;
    if (OnLeftHead(lamp)) {
        const int nesting = 7 - bit;
        const int outerX = headX - HeadHalfWidth - 11 + 4 * nesting;
        const int underY = 146 - 4 * nesting;
        wire << QPoint(headX - HeadHalfWidth, y) << QPoint(outerX, y) << QPoint(outerX, underY)
             << QPoint(PinX(bit), underY);
    } else {
        wire << QPoint(headX - HeadHalfWidth, y) << QPoint(PinX(bit), y);
    }
    wire << QPoint(PinX(bit), PinTop);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(wire);
}

} // namespace

TformTlight::TformTlight(QWidget* owner, TrafficLights& model)
    : PictureWindow(owner, "Traffic Lights on Port One", QSize(200, 218), OliveGround),
      model_(model),
      tlightLabel_(AddBitLabel(QStringLiteral("tlightLabel"), QRect(64, 176, 64, 16))) {
    DrawWhole();
    DescribeState([this] { return TrafficLightsWords(model_); });
    model_.OnChange = [window = QPointer(this)] {
        if (window) {
            window->ShowModel();
            window->StateChanged();
        }
    };
    ShowModel();
}

void TformTlight::DrawWhole() {
    QPainter painter(&Picture());
    DrawCircuit(painter);
    painter.end();
    for (size_t index = 0; index < TrafficLights::Lamps.size(); ++index) {
        DrawLamp(TrafficLights::Lamps[index], drawnLit_[index]);
    }
}

void TformTlight::DrawCircuit(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    DrawLandscape(p);
    for (const TrafficLights::Lamp* lamp :
         {&TrafficLights::Lamps.front(), &TrafficLights::Lamps.back()}) {
        DrawHead(p, HeadCentreX(*lamp));
    }
    for (const TrafficLights::Lamp& lamp : TrafficLights::Lamps) {
        DrawLampRing(p, lamp.Box);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    DrawPortPlug(p, Plug);
    for (const TrafficLights::Lamp& lamp : TrafficLights::Lamps) {
        DrawWire(p, lamp);
    }
}

void TformTlight::ShowModel() {
    tlightLabel_->setText(QString::fromStdString(model_.LabelText()));
    for (size_t index = 0; index < TrafficLights::Lamps.size(); ++index) {
        const TrafficLights::Lamp& lamp = TrafficLights::Lamps[index];
        if (model_.IsLit(lamp) != drawnLit_[index]) {
            drawnLit_[index] = model_.IsLit(lamp);
            DrawLamp(lamp, drawnLit_[index]);
        }
    }
}

// A filled circle with a one-pixel black outline, both corners of the box included.
void TformTlight::DrawLamp(const TrafficLights::Lamp& lamp, bool lit) {
    const QRect box(lamp.Box.Left, lamp.Box.Top, lamp.Box.Right - lamp.Box.Left,
                    lamp.Box.Bottom - lamp.Box.Top);
    QPainter painter(&Picture());
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(lit ? ColourOf(lamp.Colour) : QColor(Qt::black));
    painter.drawEllipse(box);
    PictureChanged(box.adjusted(0, 0, 1, 1));
}
