#pragma once

#include <QRect>

#include "devices/Lift.h"
#include "workbench/devices/PictureWindow.h"

class QLabel;
class QPushButton;
class QToolButton;

// A lift between two floors on port 06, drawn from the model's picture; the car moves with
// the model. The call buttons call the lift and the repair button repairs it, as the
// picture's hot areas under them do.
class TFormLift : public PictureWindow {
    Q_OBJECT
  public:
    TFormLift(QWidget* owner, Lift& model);

    // The car at its top edge, in window pixels.
    static QRect CarPlace(int top);

    QToolButton* SpeedButtonUp;
    QToolButton* SpeedButtonDown;
    QLabel* LabelData;
    QLabel* LabelState;
    QPushButton* ButtonEngineer;

    // The buttons' clicks: each hands the keyboard back to the main window.
    void SpeedButtonUpClick();
    void SpeedButtonDownClick();
    void ButtonEngineerClick();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool TakeKey(const QKeyEvent& event) override;

  private:
    // Brings the picture, the buttons and the labels up to the model.
    void ShowModel();
    void ShowLabels();
    // Works a hot area's action and hands the keyboard back.
    void Click(int action);

    Lift& model_;
};
