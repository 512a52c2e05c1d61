#include "workbench/devices/TFormLift.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

#include "devices/DeviceTable.h"
#include "devices/DeviceWords.h"
#include "devices/pictures/DevicePictures.h"
#include "devices/pictures/LiftPicture.h"
#include "workbench/ButtonFace.h"
#include "workbench/Fonts.h"
#include "workbench/devices/PicturePainter.h"

namespace {

QPixmap Arrow(bool up, bool lit) {
    QPixmap glyph(16, 16);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    PicturePainter::PaintShapes(painter, CallArrowShapes({0, 0}, up, lit));
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
    : PictureWindow(owner, DeviceRowOf(Peripheral::Lift).Caption, QSize(200, 426), ButtonFace()),
      SpeedButtonUp(CallButton(this, PicturePainter::PixelsOf(TopCallPlace), true)),
      SpeedButtonDown(CallButton(this, PicturePainter::PixelsOf(BottomCallPlace), false)),
      LabelData(MakeLabel(this, PicturePainter::PixelsOf(LiftDataPlace),
                          QStringLiteral("MSB 00000000 LSB"))),
      LabelState(
          MakeLabel(this, PicturePainter::PixelsOf(LiftStatePlace), QStringLiteral("Stopped"))),
      ButtonEngineer(new QPushButton(QStringLiteral("Repair Crashed Lift"), this)), model_(model) {
    setFont(CourierNew(13, true));
    QFont bold = font();
    bold.setBold(true);
    LabelState->setFont(bold);
    LabelState->resize(StateWidth(bold), 16);
    ButtonEngineer->setGeometry(PicturePainter::PixelsOf(RepairPlace));
    ButtonEngineer->setFocusPolicy(Qt::NoFocus);
    SpeedButtonUp->setAccessibleName(QStringLiteral("Call the lift to the top floor"));
    SpeedButtonDown->setAccessibleName(QStringLiteral("Call the lift to the bottom floor"));
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

QRect TFormLift::CarPlace(int top) {
    return PicturePainter::PixelsOf(LiftCarPlace(top));
}

void TFormLift::SpeedButtonUpClick() {
    Click(LiftCallTop);
}

void TFormLift::SpeedButtonDownClick() {
    Click(LiftCallBottom);
}

void TFormLift::ButtonEngineerClick() {
    Click(LiftRepair);
}

// The buttons take their own clicks; one that reaches the picture under them works alike.
void TFormLift::mousePressEvent(QMouseEvent* event) {
    if (const int action = ActionAt(*event); action != NoAction) {
        Click(action);
    }
}

void TFormLift::Click(int action) {
    LiftAction(model_, action);
    GiveFocusBack();
}

// Up calls the lift to the top floor, Down to the bottom one, R repairs it: what the buttons
// do, while the keyboard stays here.
bool TFormLift::TakeKey(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Up:
        return LiftAction(model_, LiftCallTop);
    case Qt::Key_Down:
        return LiftAction(model_, LiftCallBottom);
    case Qt::Key_R:
        return LiftAction(model_, LiftRepair);
    default:
        return false;
    }
}

void TFormLift::ShowModel() {
    ShowPicture(LiftPicture(model_));
    SpeedButtonUp->setEnabled(model_.SpeedButtonUpEnabled());
    SpeedButtonDown->setEnabled(model_.SpeedButtonDownEnabled());
    ButtonEngineer->setEnabled(model_.ButtonEngineerEnabled());
    ShowLabels();
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
