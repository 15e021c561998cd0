#pragma once
// How the tool finds the rate a camera listens at and brings the line up to 115200 bit/s: the line
// flush, the rate search and the "CBDRT" raise. The main window's start-up and the communication
// dialog run the same steps, each in its own order around them.

#include <functional>

namespace vr::protocol {
class Command;
}

namespace vr::link {

class ILineControl;

class RateNegotiation {
public:
    // `probe` asks the camera who it is (1 when it answered); `selectBaud` shows a rate index the line
    // was switched to in the communication dialog.
    RateNegotiation(ILineControl& line, protocol::Command& engine, std::function<int()> probe,
                    std::function<void(int)> selectBaud);

    // Sends wake-up bytes at every rate the link runs at, from 115200 down; the line is left at the
    // slowest of them.
    void FlushLine();
    // Probes at every rate the link runs at, from 115200 down; 1 with the line at the rate the camera
    // answered at, 0 when it answered at none.
    int SearchRate();
    // Asks the camera to go to 115200 bit/s with "CBDRT" and follows it; the line goes back to its
    // old rate when the camera does not confirm at the new one. 1 when the line runs at 115200 now or
    // the link cannot run faster than it does; 0 when the camera did not complete or confirm.
    int RaiseLine();

private:
    // Opens the line at the rate of `index` and shows it; false when the link cannot run at that rate.
    bool SwitchRate(int index);

    ILineControl& line_;
    protocol::Command& engine_;
    std::function<int()> probe_;
    std::function<void(int)> selectBaud_;
};

}  // namespace vr::link
