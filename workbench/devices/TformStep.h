#pragma once

#include <QRect>
#include <cstdint>
#include <optional>

#include "devices/StepperMotor.h"
#include "workbench/devices/PictureWindow.h"

class QPainter;

// A stepper motor on port 05. The device draws all of the picture: the stator with its
// poles, which light with their phase, the rotor's spokes and the bits of the last byte.
class TformStep : public PictureWindow {
    Q_OBJECT
  public:
    TformStep(QWidget* owner, StepperMotor& model);

  private:
    void DrawWhole() override;
    void DrawIdleMotor();
    // Adds what the model's last output changed.
    void ShowOutput();
    // Redraws the poles whose colour changed, every pole the first time; the area they cover.
    QRect DrawPoles(QPainter& painter, uint8_t phases);
    // Erases the rotor where it stood and draws it where it stands; the area it covers.
    QRect TurnRotor(QPainter& painter);
    // "LSB" and the byte's bits, the set ones lit; the area they cover.
    static QRect WriteBitLabels(QPainter& painter, uint8_t value);

    StepperMotor& model_;
    // The phases the poles show as energised; none until the first output, which redraws
    // every pole over the tops of the wires.
    std::optional<uint8_t> shownPhases_;
};
