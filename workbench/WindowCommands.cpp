// The Window menu: the windows side by side, and new windows placed beside the others.
#include <QAction>

#include "workbench/TFormMain.h"
#include "workbench/WindowArranger.h"

void TFormMain::MenuArrangeClick() {
    const int overlapping = arranger_->Arrange();
    if (overlapping > 0) {
        // The status line rather than a box: the windows are there to be seen, and a box
        // would cover them again.
        ShowStatus("Not all windows fit on this screen: " + std::to_string(overlapping) +
                       (overlapping == 1 ? " overlaps others." : " overlap others."),
                   StatusStyle::Error);
    }
}

void TFormMain::MenuPlaceNewBesideClick() {
    arranger_->PlaceNewBeside = PlaceNewBesideAction->isChecked();
}

void TFormMain::SetPlaceNewBeside(bool on) {
    PlaceNewBesideAction->setChecked(on);
    arranger_->PlaceNewBeside = on;
}
