#include "workbench/devices/TformHeat.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <cmath>

#include "devices/DeviceWords.h"
#include "workbench/Fonts.h"

namespace {

const QColor Teal(0x00, 0x80, 0x80);
const QColor Ink(0x24, 0x2C, 0x30);
const QColor Wall(0xF3, 0xEA, 0xD3);
const QColor Floor(0xA8, 0x6E, 0x3E);
const QColor FloorJoint(0x7D, 0x4E, 0x28);
const QColor Glass(0xA8, 0xD8, 0xF2);
const QColor HeaterBody(0xA4, 0xA8, 0xAC);
const QColor HeaterFin(0x70, 0x74, 0x78);
const QColor HeaterPanel(0x50, 0x54, 0x58);
const QColor Brass(0xD4, 0xAF, 0x37);
const QColor Mercury(0xFF, 0x00, 0x00);

const QString Hint = QStringLiteral("CLICK THERMOMETER TO SET TEMPERATURE");

constexpr QPoint ReadingAt(80, 172);
// The mercury's column: two pixels wide, centred on x 170 as a 2-pixel pen draws it.
constexpr QRect Column(Heater::ColumnX - 1, Heater::ColumnTop, 2,
                       Heater::ColumnBottom - Heater::ColumnTop);
constexpr QRect LabelIoPlace(59, 144, 64, 16);
// The picture keeps a margin of 4 pixels inside the window on the left and the right.
constexpr QRect RoomPlace(4, 22, 154, 105);
constexpr QRect HeaterPlace(21, 44, 75, 67);
constexpr QRect ThermostatPlace(131, 76, 23, 17);
// Above the thermostat, clear of the heater and of the wall's window.
constexpr QRect ThermostatLabelPlace(96, 57, 58, 14);
constexpr QRect PlaquePlace(160, 22, 36, 146);
// The scale's marks, right of the ticks and inside the plaque.
constexpr int MarkLeft = 176;
constexpr QSize MarkSize(PlaquePlace.right() - 1 - MarkLeft, 14);
constexpr int PinTop = 130;
constexpr int FloorTop = 112;

QPen Wire() {
    return QPen(Ink, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

QFont MarkFont(bool bold = false) {
    QFont font = MsSansSerif(10, true);
    font.setBold(bold);
    return font;
}

// Centre of the pin under character i of labelIO, MSB first.
int PinX(const QFontMetricsF& metrics, int i) {
    const double advance = metrics.horizontalAdvance(QStringLiteral("00000000")) / 8.0;
    return LabelIoPlace.left() + static_cast<int>(std::lround(advance * (i + 0.5)));
}

void DrawRoom(QPainter& p) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(Wall);
    p.drawRect(RoomPlace.adjusted(0, 0, -1, -1));
    const QRect inside = RoomPlace.adjusted(1, 1, -1, -1);
    p.fillRect(inside.left(), FloorTop, inside.width(), inside.bottom() - FloorTop + 1, Floor);
    p.setPen(FloorJoint);
    p.drawLine(inside.left(), FloorTop, inside.right(), FloorTop);
    for (int x = 20; x < inside.right(); x += 26) {
        p.drawLine(x, FloorTop + 1, x, inside.bottom());
    }
    // A window on the wall, above the thermostat.
    const QRect glass(117, 30, 36, 22);
    p.setPen(QPen(Ink, 1));
    p.setBrush(Glass);
    p.drawRect(glass);
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(glass.center().x(), glass.top() + 1, glass.center().x(), glass.bottom() + 1);
    p.drawLine(glass.left() + 1, glass.center().y(), glass.right(), glass.center().y());
}

void DrawHeater(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Ink, 1));
    p.setBrush(HeaterBody);
    p.drawRoundedRect(QRectF(HeaterPlace).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int x = HeaterPlace.left() + 6; x < HeaterPlace.right() - 6; x += 6) {
        p.fillRect(x, 50, 3, 36, HeaterFin);
    }
    // The panel under labelOnOff.
    p.fillRect(24, 91, 69, 18, HeaterPanel);
    p.fillRect(HeaterPlace.left() + 5, 111, 6, 2, Ink);
    p.fillRect(HeaterPlace.right() - 10, 111, 6, 2, Ink);
    p.setFont(MarkFont(true));
    p.setPen(Ink);
    p.drawText(QRect(HeaterPlace.left(), 29, HeaterPlace.width(), 14), Qt::AlignCenter,
               QStringLiteral("Heater"));
}

void DrawThermostat(QPainter& p) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(0xDC, 0xDC, 0xD8));
    p.drawRect(ThermostatPlace.adjusted(0, 0, -1, -1));
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::white);
    const QPointF dial = QRectF(ThermostatPlace).center();
    p.drawEllipse(dial, 5, 5);
    p.drawLine(dial, dial + QPointF(3, -3));
    p.setRenderHint(QPainter::Antialiasing, false);
    // The sensing link to the thermometer, at the switching point.
    p.setPen(Wire());
    p.drawLine(ThermostatPlace.right() + 1, 84, Heater::ColumnX - 4, 84);
    p.setFont(MarkFont(true));
    p.setPen(Ink);
    p.drawText(ThermostatLabelPlace, Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Thermostat"));
}

// A wall plaque with the glass tube, the bulb and the scale marks.
void DrawThermometer(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(PlaquePlace).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    p.setBrush(Mercury);
    p.drawEllipse(QPointF(170, 157), 6.5, 6.5);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(167, 26, 6, 126, QColor(0x9A, 0xA4, 0xAA));
    p.fillRect(168, 27, 4, 123, Qt::white);
    p.fillRect(168, 150, 4, 3, Mercury);
    p.setPen(Ink);
    for (int degrees = 0; degrees <= 40; degrees += 5) {
        const int y = Heater::ColumnBottom - 3 * degrees;
        p.drawLine(173, y, degrees % 20 == 0 ? 175 : 174, y);
    }
    p.setFont(FittingFont(MarkFont(), QStringLiteral("40C"), MarkSize));
    for (int degrees : {0, 20, 40}) {
        const int y = Heater::ColumnBottom - 3 * degrees;
        p.drawText(QRect(QPoint(MarkLeft, y - 7), MarkSize), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("%1C").arg(degrees));
    }
}

void DrawPins(QPainter& p, const QFontMetricsF& metrics) {
    p.fillRect(PinX(metrics, 0) - 5, PinTop - 2, PinX(metrics, 7) - PinX(metrics, 0) + 10, 12, Ink);
    for (int i = 0; i < 8; ++i) {
        p.fillRect(PinX(metrics, i) - 2, PinTop, 4, 8, Brass);
    }
    p.setFont(MarkFont(true));
    p.setPen(Qt::white);
    p.drawText(QRect(24, LabelIoPlace.top(), 33, 16), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("MSB"));
    p.drawText(QRect(LabelIoPlace.right() + 3, LabelIoPlace.top(), 33, 16),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("LSB"));
}

// The heater drives the MSB, the thermostat reports on the LSB.
void DrawWires(QPainter& p, const QFontMetricsF& metrics) {
    const int msb = PinX(metrics, 0);
    const int lsb = PinX(metrics, 7);
    p.setPen(Wire());
    p.drawLine(msb, HeaterPlace.bottom() + 3, msb, PinTop - 2);
    const int link = ThermostatPlace.center().x();
    p.drawPolyline(
        QPolygon{{link, ThermostatPlace.bottom() + 1}, {link, 120}, {lsb, 120}, {lsb, PinTop - 2}});
}

void DrawLabels(QPainter& p) {
    p.setFont(MarkFont(true));
    p.setPen(Qt::yellow);
    p.drawText(QRect(6, 4, 60, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Port 03"));
    p.setPen(Qt::white);
    p.drawText(QRect(100, 4, PlaquePlace.right() - 99, 14), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Thermometer"));
}

// The readout frame under the reading, wide enough for the longest one.
void DrawReadout(QPainter& p, const QFont& font) {
    const QFontMetrics metrics(font);
    const QRect text(ReadingAt, QSize(metrics.horizontalAdvance(QStringLiteral("   40.00 C   ")),
                                      metrics.height()));
    p.fillRect(text.adjusted(-3, -3, 3, 3), Ink);
    p.fillRect(text.adjusted(-1, -1, 1, 1), Qt::white);
}

void DrawRoomPicture(QImage& picture, const QFont& readingFont, const QFont& labelIoFont) {
    QPainter p(&picture);
    const QFontMetricsF pinMetrics(labelIoFont);
    DrawLabels(p);
    DrawRoom(p);
    DrawHeater(p);
    DrawThermostat(p);
    DrawThermometer(p);
    DrawWires(p, pinMetrics);
    DrawPins(p, pinMetrics);
    DrawReadout(p, readingFont);
}

QLabel* MakeLabel(QWidget* parent, const QRect& place) {
    auto* label = new QLabel(parent);
    label->setGeometry(place);
    return label;
}

} // namespace

TformHeat::TformHeat(QWidget* owner, Heater& model)
    : PictureWindow(owner, "Heater and Thermostat", QSize(200, 218), Teal),
      labelIO(AddBitLabel(QString(), LabelIoPlace)),
      labelOnOff(MakeLabel(this, QRect(25, 92, 67, 16))), model_(model) {
    setFont(MsSansSerif(8));
    labelOnOff->setAccessibleName(QStringLiteral("Heater switch"));
    DrawWhole();
    DescribeState([this] { return HeaterWords(model_); });
    AcceptKeys();
    model_.OnChange = [this] {
        ShowModel();
        StateChanged();
    };
    ShowModel();
}

void TformHeat::DrawWhole() {
    DrawRoomPicture(Picture(), font(), BitLabelFont());
    if (mercury_ >= 0) {
        DrawMercury(mercury_);
    }
    if (!reading_.isEmpty()) {
        DrawReading(reading_);
    }
}

void TformHeat::ShowModel() {
    if (model_.MercuryHeight() != mercury_) {
        DrawMercury(model_.MercuryHeight());
    }
    const QString reading = QString::fromStdString(model_.ReadingText());
    if (reading != reading_) {
        DrawReading(reading);
    }
    if (model_.LabelOnOff() != switch_) {
        ShowSwitch(model_.LabelOnOff());
    }
    labelIO->setText(QString::fromStdString(model_.LabelIoText()));
}

void TformHeat::DrawMercury(int height) {
    QPainter p(&Picture());
    // A white stroke wipes the column, then the mercury rises from the bulb.
    p.fillRect(Column, Qt::white);
    p.fillRect(QRect(Column.left(), Heater::ColumnBottom - height, Column.width(), height),
               Mercury);
    mercury_ = height;
    PictureChanged(Column);
}

void TformHeat::DrawReading(const QString& text) {
    QPainter p(&Picture());
    p.setFont(font());
    const QRect area(ReadingAt,
                     QSize(p.fontMetrics().horizontalAdvance(text), p.fontMetrics().height()));
    p.fillRect(area, Qt::white);
    p.setPen(Qt::black);
    p.drawText(area, Qt::AlignLeft | Qt::AlignTop, text);
    reading_ = text;
    PictureChanged(area);
}

void TformHeat::ShowSwitch(Heater::SwitchLabel state) {
    const bool on = state == Heater::SwitchLabel::On;
    labelOnOff->setAutoFillBackground(state != Heater::SwitchLabel::Blank);
    QPalette colours = labelOnOff->palette();
    colours.setColor(QPalette::Window, on ? QColor(Qt::red) : palette().color(QPalette::Button));
    colours.setColor(QPalette::WindowText, on ? QColor(Qt::yellow) : QColor(Qt::black));
    labelOnOff->setPalette(colours);
    labelOnOff->setText(QString::fromStdString(model_.LabelOnOffText()));
    switch_ = state;
}

bool TformHeat::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return PictureWindow::event(event);
    }
    // The hint belongs to the picture, not to the strip under it.
    const auto* help = static_cast<QHelpEvent*>(event);
    if (PixelsOf(Image1).contains(help->pos())) {
        QToolTip::showText(help->globalPos(), Hint, this, PixelsOf(Image1));
    } else {
        QToolTip::hideText();
    }
    return true;
}

void TformHeat::Image1MouseDown(int y) {
    // The scale as a click reads it: 0 degrees at y 148, 2.95 pixels a degree, to the nearest
    // whole degree (halves to even).
    constexpr double zeroAt = 148.0;
    constexpr double pixelsPerDegree = 2.95;
    model_.SetRoomTemperature(static_cast<int>(std::nearbyint((zeroAt - y) / pixelsPerDegree)));
}

// Up and down set the room a degree warmer or cooler, as a click on the next mark would.
bool TformHeat::TakeKey(const QKeyEvent& event) {
    const int step = event.key() == Qt::Key_Up ? 1 : (event.key() == Qt::Key_Down ? -1 : 0);
    if (step == 0) {
        return false;
    }
    model_.SetRoomTemperature(static_cast<int>(std::lround(model_.Temperature())) + step);
    return true;
}

void TformHeat::mousePressEvent(QMouseEvent* event) {
    const QPoint at = PicturePixel(*event);
    if (Image1.contains(at)) {
        Image1MouseDown(at.y());
    }
}
