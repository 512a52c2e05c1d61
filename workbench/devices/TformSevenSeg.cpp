#include "workbench/devices/TformSevenSeg.h"

#include <QLabel>
#include <QPointer>

#include "devices/DeviceTable.h"
#include "devices/DeviceWords.h"
#include "devices/pictures/SevenSegmentPicture.h"

TformSevenSeg::TformSevenSeg(QWidget* owner, SevenSegmentDisplays& model)
    : PictureWindow(owner, DeviceRowOf(Peripheral::SevenSegment).Caption, QSize(200, 218),
                    QColor(0x00, 0x80, 0x00)),
      model_(model),
      sevSegLabel_(AddBitLabel(QStringLiteral("sevSegLabel"), QRect(62, 184, 64, 16))) {
    DescribeState([this] { return SevenSegmentWords(model_); });
    model_.OnChange = [window = QPointer(this)] {
        if (window) {
            window->ShowModel();
            window->StateChanged();
        }
    };
    ShowModel();
}

void TformSevenSeg::ShowModel() {
    sevSegLabel_->setText(QString::fromStdString(model_.LabelText()));
    ShowPicture(SevenSegmentPicture(model_));
}
