#include "workbench/devices/TformStep.h"

#include "devices/DeviceTable.h"
#include "devices/DeviceWords.h"
#include "devices/pictures/StepperPicture.h"

TformStep::TformStep(QWidget* owner, StepperMotor& model)
    : PictureWindow(owner, DeviceRowOf(Peripheral::Stepper).Caption,
                    QSize(StepperMotor::PictureWidth, StepperMotor::PictureHeight), QColor(Black)),
      model_(model) {
    ShowPicture(StepperPicture(model_));
    DescribeState([this] { return StepperWords(model_); });
    model_.OnChange = [this] {
        ShowPicture(StepperPicture(model_));
        StateChanged();
    };
}
