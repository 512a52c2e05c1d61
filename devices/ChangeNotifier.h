#pragma once

#include <functional>

// Lets a device's window redraw whenever the model changes, whatever changed it: an output,
// a timer tick or a click.
class ChangeNotifier {
  public:
    std::function<void()> OnChange;

  protected:
    void NotifyChange() const {
        if (OnChange) {
            OnChange();
        }
    }
};
