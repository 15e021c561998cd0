#pragma once
// What the main window's start-up does with the link object beyond sending commands: open it with the
// stored settings, change its rate, wake the camera's receiver and ask whether a rate is possible.
// The application uses the process's link object (CommSettingLine); tests give a scripted line.

#include <cstdint>

namespace vr::ui {

class ICameraLine {
public:
    virtual ~ICameraLine() = default;

    // Opens the link of the stored mode, port and rate; 1 on success.
    virtual int Reopen() = 0;
    // Reopens at the rate of index 0..4 (9600 .. 115200 bit/s); 1 on success.
    virtual int OpenBaudIndex(int index) = 0;
    virtual int GetBaudIndex() const = 0;
    // Whether the link of the current mode can run at `rate`; asked before the rate is used, so a
    // Camera Link library is never asked for a rate it refuses and the camera is never sent to one.
    virtual bool SupportsRate(uint32_t rate) = 0;
    // Writes `count` NUL bytes one at a time on the serial port link, unlisted; in the Camera Link
    // modes nothing is written.
    virtual void SendWakeUpBytes(int count) = 0;
    virtual void Close() = 0;
};

// The rate of index 0..4; 9600 for any other index.
uint32_t RateOfIndex(int index);

}  // namespace vr::ui
