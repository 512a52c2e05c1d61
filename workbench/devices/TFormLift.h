#pragma once

#include <QImage>
#include <QRect>

#include "devices/Lift.h"
#include "workbench/devices/PictureWindow.h"

class QLabel;
class QPushButton;
class QToolButton;

// A lift between two floors on port 06. The car is drawn onto the picture over the shaft and
// moves with the model; the call buttons call the lift and the repair button repairs it.
class TFormLift : public PictureWindow {
    Q_OBJECT
  public:
    TFormLift(QWidget* owner, Lift& model);

    // The car at its top edge, in window pixels.
    static QRect CarPlace(int top) { return {45, top, 66, 86}; }

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
    bool TakeKey(const QKeyEvent& event) override;

  private:
    void DrawWhole() override;
    // Brings the car, the buttons and the labels up to the model.
    void ShowModel();
    void MoveCar(int top);
    void ShowLabels();

    Lift& model_;
    QImage background_; // the picture without the car, to restore what the car uncovers
    QImage car_;
    int carTop_;
};
