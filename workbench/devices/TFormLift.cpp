#include "workbench/devices/TFormLift.h"

#include <QFontMetricsF>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <cmath>

#include "devices/DeviceWords.h"
#include "workbench/ButtonFace.h"
#include "workbench/Fonts.h"
#include "workbench/Zoom.h"

namespace {

const QColor Ink(0x22, 0x26, 0x2B);
const QColor Building(0xE6, 0xE1, 0xD5);
const QColor Shaft(0x5C, 0x63, 0x6B);
const QColor Rail(0x78, 0x80, 0x88);
const QColor Concrete(0x9A, 0x96, 0x8E);
const QColor Metal(0xB8, 0xBE, 0xC4);
const QColor Brass(0xD4, 0xAF, 0x37);
const QColor CarBody(0x00, 0xFF, 0xFF);
const QColor CarEdge(0x00, 0x00, 0x80);
const QColor Lit(0xFF, 0x00, 0x00);

constexpr int SceneHeight = 380;
constexpr QRect ShaftPlace(42, 62, 73, 257); // inside the walls, down to the pit floor
constexpr int TopFloor = 162;                // the top landing's floor, under the car at 75
constexpr int BottomFloor = 319;             // the pit floor, under the car at 232
constexpr int SlabHeight = 6;
constexpr QPoint Drum(78, 40);
constexpr int DrumRadius = 11;
constexpr int CableX = 78;
constexpr int ContactX = 112;
constexpr QRect DataPlace(31, 361, 128, 16);
constexpr int PinTop = 344;
constexpr QRect TopCall(8, 104, 25, 25);
constexpr QRect BottomCall(8, 264, 25, 25);

// A wire from a part of the lift to its bit's pin: out to a lane, down the lane, across
// under the shaft and down to the pin. Lanes and turns are ordered so that no two
// wires cross: the further right the pin, the further out the lane and the lower the turn.
struct Wiring {
    int Bit;
    QPoint From;
    int Lane;
    int Turn;
};

constexpr Wiring Wires[] = {
    {0, {98, 30}, 186, 340},                     // motor up
    {1, {98, 48}, 176, 336},                     // motor down
    {2, {ContactX + 6, 150}, 166, 332},          // top floor contact
    {3, {ContactX + 6, 307}, 156, 328},          // bottom floor contact
    {4, {20, BottomCall.bottom() + 1}, 20, 332}, // bottom floor call
    {5, {TopCall.left() - 1, 116}, 4, 338},      // top floor call
};

QPen Pen(const QColor& colour, int width) {
    return QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

// Centre of the pin under bit b's digit in LabelData ("MSB 76543210 LSB").
int PinX(const QFontMetricsF& metrics, int bit) {
    const double advance = metrics.horizontalAdvance(QStringLiteral("0"));
    const double first = DataPlace.left() + metrics.horizontalAdvance(QStringLiteral("MSB "));
    return static_cast<int>(std::lround(first + advance * (7 - bit + 0.5)));
}

void DrawBuilding(QPainter& p) {
    p.fillRect(0, ShaftPlace.top(), ShaftPlace.right() + 4, BottomFloor - ShaftPlace.top(),
               Building);
    p.fillRect(ShaftPlace, Shaft);
    p.fillRect(ShaftPlace.left() + 2, ShaftPlace.top(), 2, ShaftPlace.height(), Rail);
    p.fillRect(ShaftPlace.right() - 3, ShaftPlace.top(), 2, ShaftPlace.height(), Rail);
    p.fillRect(ShaftPlace.left() - 2, ShaftPlace.top() - 2, 2, BottomFloor - ShaftPlace.top() + 2,
               Ink);
    p.fillRect(ShaftPlace.right() + 1, ShaftPlace.top() - 2, 2, BottomFloor - ShaftPlace.top() + 2,
               Ink);
    // The landings: a slab under each floor, the pit floor across the shaft.
    p.fillRect(0, TopFloor, ShaftPlace.left() - 2, SlabHeight, Concrete);
    p.fillRect(0, BottomFloor, ShaftPlace.right() + 3, SlabHeight, Concrete);
    p.setPen(Ink);
    p.drawLine(0, TopFloor, ShaftPlace.left() - 3, TopFloor);
    p.drawLine(0, BottomFloor, ShaftPlace.right() + 2, BottomFloor);
}

void DrawMotor(QPainter& p) {
    p.setPen(Pen(Ink, 1));
    p.setBrush(Concrete);
    p.drawRect(ShaftPlace.left() - 2, 18, ShaftPlace.width() + 3, 42);
    p.setBrush(Metal);
    p.drawRect(58, 24, 40, 32);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x6A, 0x70, 0x78));
    p.drawEllipse(QPointF(Drum) + QPointF(0.5, 0.5), DrumRadius, DrumRadius);
    p.setBrush(Metal);
    p.drawEllipse(QPointF(Drum) + QPointF(0.5, 0.5), 4, 4);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Ink);
    p.setFont(MsSansSerif(9, true));
    // Each motor wire's name, over the wire where it leaves the motor room.
    for (const Wiring& wire : {Wires[0], Wires[1]}) {
        p.drawText(QRect(ShaftPlace.right() + 6, wire.From.y() - 12, 40, 11),
                   Qt::AlignLeft | Qt::AlignBottom, wire.Bit == 0 ? "Up" : "Down");
    }
}

// Spring contacts on the shaft wall that the car touches at each floor.
void DrawContacts(QPainter& p) {
    for (int y : {Wires[2].From.y(), Wires[3].From.y()}) {
        p.fillRect(ContactX + 3, y - 6, 3, 12, Ink);
        p.fillRect(ContactX, y - 4, 3, 8, Brass);
    }
}

void DrawWires(QPainter& p, const QFontMetricsF& metrics) {
    p.setPen(Pen(Ink, 2));
    p.setBrush(Qt::NoBrush);
    for (const Wiring& wire : Wires) {
        const int pin = PinX(metrics, wire.Bit);
        p.drawPolyline(QPolygon{wire.From,
                                {wire.Lane, wire.From.y()},
                                {wire.Lane, wire.Turn},
                                {pin, wire.Turn},
                                {pin, PinTop}});
    }
}

void DrawPins(QPainter& p, const QFontMetricsF& metrics) {
    const int left = PinX(metrics, 7) - 6;
    p.fillRect(left, PinTop - 2, PinX(metrics, 0) + 6 - left, 14, Ink);
    for (int bit = 0; bit < 8; ++bit) {
        p.fillRect(PinX(metrics, bit) - 2, PinTop, 4, 10, Brass);
    }
}

// An empty image of a logical size at a zoom factor.
QImage ZoomedImage(QSize size, double zoom) {
    QImage image(Zoomed(QRect(QPoint(0, 0), size), zoom).size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(zoom);
    return image;
}

QImage DrawBackground(const QColor& face, const QFont& dataFont, double zoom) {
    QImage picture = ZoomedImage(QSize(200, 426), zoom);
    picture.fill(face);
    QPainter p(&picture);
    p.setClipRect(0, 0, 200, SceneHeight);
    const QFontMetricsF metrics(dataFont);
    DrawBuilding(p);
    DrawMotor(p);
    DrawContacts(p);
    DrawWires(p, metrics);
    DrawPins(p, metrics);
    return picture;
}

// The car: a cyan box with somebody riding in it.
QImage DrawCar(double zoom) {
    const QRect place = TFormLift::CarPlace(0);
    QImage car = ZoomedImage(place.size(), zoom);
    car.fill(CarEdge);
    QPainter p(&car);
    p.fillRect(QRect(QPoint(0, 0), place.size()).adjusted(1, 1, -1, -1), CarBody);
    p.fillRect(4, 46, 58, 2, QColor(0x00, 0xB0, 0xC0)); // handrail
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(CarEdge, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xFF, 0xE0, 0xB0));
    p.drawEllipse(QPointF(33, 22), 7, 7);
    p.drawLine(QPointF(33, 30), QPointF(33, 58));
    p.drawPolyline(QPolygonF{{21, 48}, {33, 36}, {45, 48}});
    p.drawPolyline(QPolygonF{{24, 79}, {33, 58}, {42, 79}});
    return car;
}

QPixmap Arrow(bool up, bool lit) {
    QPixmap glyph(16, 16);
    glyph.fill(Qt::transparent);
    QPainter p(&glyph);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF arrow{{8, 1.5}, {14.5, 8}, {10.5, 8}, {10.5, 14.5}, {5.5, 14.5}, {5.5, 8}, {1.5, 8}};
    if (!up) {
        for (QPointF& point : arrow) {
            point.setY(16 - point.y());
        }
    }
    p.setPen(QPen(lit ? QColor(0x80, 0x00, 0x00) : Ink, 1));
    p.setBrush(lit ? Lit : QColor(Qt::transparent));
    p.drawPolygon(arrow);
    return glyph;
}

// Outlined while the call may be made, red while it is pending (the button then disabled).
QToolButton* CallButton(QWidget* parent, const QRect& place, bool up) {
    auto* button = new QToolButton(parent);
    button->setGeometry(place);
    button->setFocusPolicy(Qt::NoFocus);
    QIcon glyph(Arrow(up, false));
    glyph.addPixmap(Arrow(up, true), QIcon::Disabled);
    button->setIcon(glyph);
    button->setIconSize(QSize(16, 16));
    return button;
}

QLabel* MakeLabel(QWidget* parent, const QRect& place, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    return label;
}

// Wide enough for the longest state; the design's 53 pixels hold only "Stopped".
int StateWidth(const QFont& font) {
    const QFontMetrics metrics(font);
    int width = 53;
    for (const char* text : {"Going Down", "Going Up", "CRASHED", "Stopped"}) {
        width = std::max(width, metrics.horizontalAdvance(QString::fromLatin1(text)) + 2);
    }
    return width;
}

} // namespace

TFormLift::TFormLift(QWidget* owner, Lift& model)
    : PictureWindow(owner, "Lift on Port 06", QSize(200, 426), ButtonFace()),
      SpeedButtonUp(CallButton(this, TopCall, true)),
      SpeedButtonDown(CallButton(this, BottomCall, false)),
      LabelData(MakeLabel(this, DataPlace, QStringLiteral("MSB 00000000 LSB"))),
      LabelState(MakeLabel(this, QRect(4, 4, 53, 16), QStringLiteral("Stopped"))),
      ButtonEngineer(new QPushButton(QStringLiteral("Repair Crashed Lift"), this)), model_(model),
      carTop_(model.CarTop()) {
    setFont(CourierNew(13, true));
    QFont bold = font();
    bold.setBold(true);
    LabelState->setFont(bold);
    LabelState->resize(StateWidth(bold), 16);
    ButtonEngineer->setGeometry(8, 384, 185, 33);
    ButtonEngineer->setFocusPolicy(Qt::NoFocus);
    SpeedButtonUp->setAccessibleName(QStringLiteral("Call the lift to the top floor"));
    SpeedButtonDown->setAccessibleName(QStringLiteral("Call the lift to the bottom floor"));
    DrawWhole();
    connect(SpeedButtonUp, &QToolButton::clicked, this, &TFormLift::SpeedButtonUpClick);
    connect(SpeedButtonDown, &QToolButton::clicked, this, &TFormLift::SpeedButtonDownClick);
    connect(ButtonEngineer, &QPushButton::clicked, this, &TFormLift::ButtonEngineerClick);
    DescribeState([this] { return LiftWords(model_); });
    AcceptKeys();
    model_.OnChange = [this] {
        ShowModel();
        StateChanged();
    };
    ShowModel();
}

void TFormLift::DrawWhole() {
    background_ = DrawBackground(ButtonFace(), font(), Zoom());
    car_ = DrawCar(Zoom());
    Picture() = background_;
    MoveCar(carTop_);
}

void TFormLift::SpeedButtonUpClick() {
    model_.CallLift(Lift::Floor::Top);
    GiveFocusBack();
}

void TFormLift::SpeedButtonDownClick() {
    model_.CallLift(Lift::Floor::Bottom);
    GiveFocusBack();
}

void TFormLift::ButtonEngineerClick() {
    model_.RepairLift();
    GiveFocusBack();
}

// Up calls the lift to the top floor, Down to the bottom one, R repairs it: what the buttons
// do, while the keyboard stays here.
bool TFormLift::TakeKey(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Up:
        model_.CallLift(Lift::Floor::Top);
        return true;
    case Qt::Key_Down:
        model_.CallLift(Lift::Floor::Bottom);
        return true;
    case Qt::Key_R:
        model_.RepairLift();
        return true;
    default:
        return false;
    }
}

void TFormLift::ShowModel() {
    if (model_.CarTop() != carTop_) {
        MoveCar(model_.CarTop());
    }
    SpeedButtonUp->setEnabled(model_.SpeedButtonUpEnabled());
    SpeedButtonDown->setEnabled(model_.SpeedButtonDownEnabled());
    ButtonEngineer->setEnabled(model_.ButtonEngineerEnabled());
    ShowLabels();
}

// Uncovers the shaft where the car was and draws it, and the cable above it, where it is.
void TFormLift::MoveCar(int top) {
    const QRect changed = CarPlace(carTop_).united(CarPlace(top));
    QPainter p(&Picture());
    const QRect pixels = PixelsOf(changed);
    p.drawImage(QRectF(QPointF(pixels.topLeft()) / Zoom(), QSizeF(pixels.size()) / Zoom()),
                background_, pixels);
    p.fillRect(CableX - 1, Drum.y() + DrumRadius, 2, top - Drum.y() - DrumRadius, Ink);
    p.drawImage(CarPlace(top).topLeft(), car_);
    carTop_ = top;
    PictureChanged(changed);
}

void TFormLift::ShowLabels() {
    const QColor ink = model_.StateShowsCrash() ? QColor(Qt::red) : QColor(Qt::black);
    if (LabelState->palette().color(QPalette::WindowText) != ink) {
        QPalette colours = LabelState->palette();
        colours.setColor(QPalette::WindowText, ink);
        LabelState->setPalette(colours);
    }
    LabelState->setText(QString::fromStdString(model_.StateText()));
    LabelData->setText(QString::fromStdString(model_.DataText()));
}
