#pragma once

// A device with a timer of its own that runs from program start to exit. The front end
// owns the real timer; it asks for the period after every tick, since a device may change it.
class TimedDevice {
  public:
    virtual ~TimedDevice() = default;
    virtual int TimerInterval() const = 0; // milliseconds
    virtual void Timer1Timer() = 0;
};
