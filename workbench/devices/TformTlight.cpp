#include "workbench/devices/TformTlight.h"

#include <QLabel>
#include <QPointer>

#include "devices/DeviceTable.h"
#include "devices/DeviceWords.h"
#include "devices/pictures/TrafficLightsPicture.h"

TformTlight::TformTlight(QWidget* owner, TrafficLights& model)
    : PictureWindow(owner, DeviceRowOf(Peripheral::TrafficLights).Caption, QSize(200, 218),
                    QColor(0x80, 0x80, 0x00)),
      model_(model),
      tlightLabel_(AddBitLabel(QStringLiteral("tlightLabel"), QRect(64, 176, 64, 16))) {
    DescribeState([this] { return TrafficLightsWords(model_); });
    model_.OnChange = [window = QPointer(this)] {
        if (window) {
            window->ShowModel();
            window->StateChanged();
        }
    };
    ShowModel();
}

void TformTlight::ShowModel() {
    tlightLabel_->setText(QString::fromStdString(model_.LabelText()));
    ShowPicture(TrafficLightsPicture(model_));
}
