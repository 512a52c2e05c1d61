#include "workbench/devices/TformHeat.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QToolTip>

#include "devices/DeviceTable.h"
#include "devices/DeviceWords.h"
#include "devices/pictures/DevicePictures.h"
#include "devices/pictures/HeaterPicture.h"
#include "workbench/Fonts.h"

namespace {

const QString Hint = QStringLiteral("CLICK THERMOMETER TO SET TEMPERATURE");

QLabel* MakeLabel(QWidget* parent, const QRect& place) {
    auto* label = new QLabel(parent);
    label->setGeometry(place);
    return label;
}

} // namespace

TformHeat::TformHeat(QWidget* owner, Heater& model)
    : PictureWindow(owner, DeviceRowOf(Peripheral::Heater).Caption, QSize(200, 218),
                    QColor(0x00, 0x80, 0x80)),
      labelIO(AddBitLabel(QString(), QRect(59, 144, 64, 16))),
      labelOnOff(MakeLabel(this, QRect(25, 92, 67, 16))), model_(model) {
    setFont(MsSansSerif(8));
    labelOnOff->setAccessibleName(QStringLiteral("Heater switch"));
    DescribeState([this] { return HeaterWords(model_); });
    AcceptKeys();
    model_.OnChange = [this] {
        ShowModel();
        StateChanged();
    };
    ShowModel();
}

void TformHeat::ShowModel() {
    ShowPicture(HeaterPicture(model_));
    if (model_.LabelOnOff() != switch_) {
        ShowSwitch(model_.LabelOnOff());
    }
    labelIO->setText(QString::fromStdString(model_.LabelIoText()));
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

// Up and down set the room a degree warmer or cooler, as a click on the next mark would.
bool TformHeat::TakeKey(const QKeyEvent& event) {
    const int action = event.key() == Qt::Key_Up     ? HeaterWarmer
                       : event.key() == Qt::Key_Down ? HeaterCooler
                                                     : NoAction;
    return action != NoAction && HeaterAction(model_, action);
}

void TformHeat::mousePressEvent(QMouseEvent* event) {
    const int action = ActionAt(*event);
    if (action != NoAction) {
        HeaterAction(model_, action);
    }
}
