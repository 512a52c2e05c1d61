#pragma once

#include <QRect>

#include "devices/Heater.h"
#include "workbench/devices/PictureWindow.h"

class QLabel;

// A room with a heater and a thermostat on port 03. The mercury and the reading go onto the
// picture; a click on the picture sets the temperature the thermometer points at.
class TformHeat : public PictureWindow {
    Q_OBJECT
  public:
    TformHeat(QWidget* owner, Heater& model);

    // Where the picture of the room lies; clicks and the hint belong to it.
    static constexpr QRect Image1{0, 0, 200, 201};

    QLabel* labelIO;
    QLabel* labelOnOff;

  protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool TakeKey(const QKeyEvent& event) override;

  private:
    // Brings the picture and the labels up to the model, drawing only what changed.
    void ShowModel();
    void ShowSwitch(Heater::SwitchLabel state);

    Heater& model_;
    Heater::SwitchLabel switch_ = Heater::SwitchLabel::Blank;
};
