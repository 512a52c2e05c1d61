#include "workbench/devices/TformStep.h"

#include <QPainter>

#include "devices/DeviceWords.h"
#include "workbench/Fonts.h"

namespace {

// The picture's default font: 8 points at the 96 dots per inch of the layout.
constexpr int LabelFontPixels = 11;
constexpr uint8_t PhaseBits = 0x0F;

QPoint At(PixelPoint point) {
    return {point.X, point.Y};
}

// The geometric box of a circle around a centre; an aliased pen strokes both of its edges.
QRect CircleBox(PixelPoint centre, int radius) {
    return {centre.X - radius, centre.Y - radius, 2 * radius, 2 * radius};
}

void DrawDisc(QPainter& painter, PixelPoint centre, int radius, Rgb colour) {
    painter.setPen(QPen(QColor(colour), 1));
    painter.setBrush(QColor(colour));
    painter.drawEllipse(CircleBox(centre, radius));
}

void DrawSpokes(QPainter& painter, int pattern, Rgb colour) {
    painter.setPen(QPen(QColor(colour), StepperMotor::SpokeWidth, Qt::SolidLine, Qt::RoundCap));
    for (PixelPoint end : StepperMotor::SpokeEnds(pattern)) {
        painter.drawLine(At(StepperMotor::Centre), At(end));
    }
}

// Everything the spokes can cover, at any angle.
QRect RotorArea() {
    const int reach = StepperMotor::SpokeLength + StepperMotor::SpokeWidth / 2 + 1;
    return CircleBox(StepperMotor::Centre, reach).adjusted(0, 0, 1, 1);
}

void DrawWires(QPainter& painter) {
    painter.setPen(QPen(QColor(White), 1));
    for (const PixelLine& wire : StepperMotor::Wires()) {
        // The wires run straight down; their last point is left out.
        painter.drawLine(At(wire.From), At(wire.To) - QPoint(0, 1));
    }
}

// The text and the paper under it.
void SetColours(QPainter& painter, Rgb ink, Rgb paper) {
    painter.setPen(QColor(ink));
    painter.setBackground(QColor(paper));
}

} // namespace

TformStep::TformStep(QWidget* owner, StepperMotor& model)
    : PictureWindow(owner, "Stepper Motor - Port 5",
                    QSize(StepperMotor::PictureWidth, StepperMotor::PictureHeight), QColor(Black)),
      model_(model) {
    DrawIdleMotor();
    DescribeState([this] { return StepperWords(model_); });
    model_.OnChange = [this] {
        ShowOutput();
        StateChanged();
    };
}

void TformStep::DrawIdleMotor() {
    QPainter painter(&Picture());
    painter.fillRect(Picture().rect(), QColor(Black));
    DrawDisc(painter, StepperMotor::Centre, StepperMotor::Radius, Teal);
    for (int pole = 0; pole < StepperMotor::PoleCount; ++pole) {
        DrawDisc(painter, StepperMotor::PoleCentre(pole), StepperMotor::PoleRadius, Lime);
    }
    DrawSpokes(painter, model_.StepState(), Silver);
    DrawWires(painter);
    PictureChanged(Picture().rect());
}

void TformStep::DrawWhole() {
    shownPhases_.reset();
    DrawIdleMotor();
    if (const std::optional<uint8_t> value = model_.LastOutput()) {
        QPainter painter(&Picture());
        DrawPoles(painter, *value & PhaseBits);
        WriteBitLabels(painter, *value);
    }
}

void TformStep::ShowOutput() {
    if (model_.LastChangeRestored()) {
        shownPhases_.reset();
        DrawIdleMotor();
        if (!model_.LastOutput()) {
            return;
        }
    }
    const uint8_t value = model_.LastOutput().value_or(0);
    QPainter painter(&Picture());
    QRect changed = DrawPoles(painter, value & PhaseBits);
    changed |= TurnRotor(painter);
    changed |= WriteBitLabels(painter, value);
    PictureChanged(changed);
}

QRect TformStep::DrawPoles(QPainter& painter, uint8_t phases) {
    QRect changed;
    for (int pole = 0; pole < StepperMotor::PoleCount; ++pole) {
        const uint8_t phase = StepperMotor::PhaseMask(pole);
        if (shownPhases_ && (phases & phase) == (*shownPhases_ & phase)) {
            continue;
        }
        const PixelPoint centre = StepperMotor::PoleCentre(pole);
        DrawDisc(painter, centre, StepperMotor::PoleRadius, phases & phase ? Red : Lime);
        changed |= CircleBox(centre, StepperMotor::PoleRadius).adjusted(0, 0, 1, 1);
    }
    shownPhases_ = phases;
    return changed;
}

QRect TformStep::TurnRotor(QPainter& painter) {
    if (model_.StepState() == model_.PrevState()) {
        return {};
    }
    DrawSpokes(painter, model_.PrevState(), Teal);
    DrawSpokes(painter, model_.StepState(), Silver);
    return RotorArea();
}

// Each label goes at its own x on the label row.
QRect TformStep::WriteBitLabels(QPainter& painter, uint8_t value) {
    painter.setFont(MsSansSerif(LabelFontPixels, true));
    painter.setBackgroundMode(Qt::OpaqueMode);
    SetColours(painter, Black, Lime);
    QRect changed = WriteText(painter, {StepperMotor::LsbX, StepperMotor::LabelRow}, "LSB");
    for (int bit = 0; bit < 8; ++bit) {
        const bool set = (value >> bit) & 1;
        SetColours(painter, set ? Yellow : Black, set ? Red : Lime);
        changed |= WriteText(painter, {StepperMotor::BitLabelX[bit], StepperMotor::LabelRow},
                             set ? "1" : "0");
    }
    return changed;
}
