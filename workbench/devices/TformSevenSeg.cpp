#include "workbench/devices/TformSevenSeg.h"

#include <QLabel>
#include <QPainter>
#include <QPointer>

#include "devices/DeviceWords.h"
#include "workbench/Fonts.h"

namespace {

const QColor Green(0x00, 0x80, 0x00);
const QColor BodyBlack(0x14, 0x14, 0x14);
const QRect RightBody(114, 36, 52, 87);
constexpr int SelectY = 80;
constexpr int InverterY = 26;
constexpr QPoint Plug(58, 150);
constexpr int PinTop = Plug.y() + 5;
constexpr int DataInputs = 7;

// The plug's pins stand over the label's digits, bit 7 at the left; pin i carries bit 7 - i.
int PinX(int pin) {
    return Plug.x() + 8 + 8 * pin;
}

QRect LeftBody() {
    return RightBody.translated(SevenSegmentDisplays::LeftDigitShift, 0);
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

void DrawBodies(QPainter& p) {
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(BodyBlack);
    p.drawRect(LeftBody());
    p.drawRect(RightBody);
}

// Each data pin feeds a bus line that runs under both digits. The right digit takes its
// inputs in the mirrored order, so that no bus line crosses another digit's input.
void DrawDataBus(QPainter& p) {
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    for (int pin = 0; pin < DataInputs; ++pin) {
        const int y = 146 - 3 * pin;
        const int leftInput = LeftBody().left() + 6 + 6 * pin;
        const int rightInput = RightBody.right() - 9 - 6 * pin;
        p.drawPolyline(QPolygon{QPoint(leftInput, LeftBody().bottom() + 1), QPoint(leftInput, y),
                                QPoint(rightInput, y), QPoint(rightInput, RightBody.bottom() + 1)});
        p.drawLine(PinX(pin), PinTop, PinX(pin), y);
        p.drawRect(PinX(pin) - 1, y - 1, 2, 2);
    }
}

// Bit 0 selects the right digit as it is and the left one through the inverter.
void DrawSelectLine(QPainter& p) {
    const int pinX = PinX(DataInputs);
    const int outerRight = RightBody.right() + 16;
    const int outerLeft = LeftBody().left() - 12;
    p.setPen(Qt::black);
    p.drawPolyline(QPolygon{QPoint(pinX, PinTop), QPoint(pinX, 149), QPoint(outerRight, 149),
                            QPoint(outerRight, InverterY), QPoint(108, InverterY)});
    p.drawLine(outerRight, SelectY, RightBody.right() + 1, SelectY);
    p.setBrush(Qt::black);
    p.drawRect(outerRight - 1, SelectY - 1, 2, 2);
    p.drawPolyline(QPolygon{QPoint(91, InverterY), QPoint(outerLeft, InverterY),
                            QPoint(outerLeft, SelectY), QPoint(LeftBody().left() - 1, SelectY)});
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF{QPointF(108.5, 20.5), QPointF(108.5, 32.5), QPointF(96.5, 26.5)});
    p.drawEllipse(QPointF(94, 26.5), 2.5, 2.5);
    p.setRenderHint(QPainter::Antialiasing, false);
}

void DrawTitle(QPainter& p) {
    QFont font = MsSansSerif(13, true);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::yellow);
    p.drawText(QRect(0, 2, 200, 16), Qt::AlignCenter, "PORT 2");
}

// The last point of a line is left out, as lines are drawn on screen.
void DrawPixelLine(QPainter& p, const PixelLine& line) {
    const QPoint from(line.From.X, line.From.Y);
    const QPoint to(line.To.X, line.To.Y);
    p.drawLine(from, to - QPoint(Sign(to.x() - from.x()), Sign(to.y() - from.y())));
}

QRect Bounds(const std::vector<PixelLine>& lines) {
    QRect bounds;
    for (const PixelLine& line : lines) {
        bounds |=
            QRect(QPoint(line.From.X, line.From.Y), QPoint(line.To.X, line.To.Y)).normalized();
    }
    return bounds;
}

} // namespace

TformSevenSeg::TformSevenSeg(QWidget* owner, SevenSegmentDisplays& model)
    : PictureWindow(owner, "Seven Segment Displays", QSize(200, 218), Green), model_(model),
      sevSegLabel_(AddBitLabel(QStringLiteral("sevSegLabel"), QRect(62, 184, 64, 16))) {
    DrawWhole();
    DescribeState([this] { return SevenSegmentWords(model_); });
    model_.OnChange = [window = QPointer(this)] {
        if (window) {
            window->ShowModel();
            window->StateChanged();
        }
    };
    ShowModel();
}

void TformSevenSeg::DrawWhole() {
    QPainter painter(&Picture());
    DrawCircuit(painter);
    painter.end();
    for (Digit digit : {Digit::Right, Digit::Left}) {
        const DigitLook& drawn = drawnLit_[static_cast<size_t>(digit)];
        for (size_t index = 0; index < drawn.size(); ++index) {
            DrawSegment(digit, SevenSegmentDisplays::Segments[index], drawn[index]);
        }
    }
}

void TformSevenSeg::DrawCircuit(QPainter& p) {
    p.fillRect(0, 0, 200, 200, Green);
    DrawBodies(p);
    DrawPortPlug(p, Plug);
    DrawDataBus(p);
    DrawSelectLine(p);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawTitle(p);
}

void TformSevenSeg::ShowModel() {
    sevSegLabel_->setText(QString::fromStdString(model_.LabelText()));
    ShowDigit(Digit::Right);
    ShowDigit(Digit::Left);
}

void TformSevenSeg::ShowDigit(Digit digit) {
    DigitLook& drawn = drawnLit_[static_cast<size_t>(digit)];
    for (size_t index = 0; index < drawn.size(); ++index) {
        const Segment& segment = SevenSegmentDisplays::Segments[index];
        if (model_.IsLit(digit, segment) != drawn[index]) {
            drawn[index] = !drawn[index];
            DrawSegment(digit, segment, drawn[index]);
        }
    }
}

void TformSevenSeg::DrawSegment(Digit digit, const Segment& segment, bool lit) {
    const std::vector<PixelLine> lines = SevenSegmentDisplays::LinesOf(digit, segment);
    QPainter painter(&Picture());
    painter.setPen(QPen(lit ? Qt::yellow : Qt::black, 1));
    for (const PixelLine& line : lines) {
        DrawPixelLine(painter, line);
    }
    PictureChanged(Bounds(lines));
}
