#pragma once
// What a camera session tells whoever listens: the main window, and anything else that follows one
// camera (a journal of changes, a remote client, a runner of several cameras). Every call comes on
// the thread the session runs on, after the change it tells of; a listener does its own work only
// and never sends to the camera from inside a call.

#include <cstdint>
#include <string>

#include "camera/ModelCommands.h"
#include "camera/ReadAllSettings.h"

namespace vr::camera {

// A value the camera took (sent, or loaded from a file), with the value it replaced.
struct ValueChange {
    uint32_t cmdId = 0;
    uint32_t ctrlId = 0;
    int32_t oldValue = 0;
    int32_t newValue = 0;
};

// A value the camera did not take: it refused it or did not answer.
struct Refusal {
    uint32_t cmdId = 0;
    std::string sent;    // the line as it went out, "GA=400"
    std::string reason;  // the engine's account: the camera's error text, or that it did not answer
};

enum class AreaOperation {
    Store,     // the working settings into one area
    StoreAll,  // into every area
    Load,      // one area into the working settings
    Reset,     // the camera restarted
};

enum class FileOperation {
    SettingsLoaded,  // a settings file went to the camera
    SettingsSaved,   // the values went into a settings file
    TablesWritten,   // LUT or shading tables went to the camera
    TablesRead,      // LUT or shading tables came from the camera
};

class ISessionListener {
public:
    virtual ~ISessionListener() = default;

    // The camera answered (online) or the last command found nobody (offline).
    virtual void OnOnline(bool online) { (void)online; }
    // The model probe named the camera.
    virtual void OnModel(const CameraModel& model) { (void)model; }
    // The camera named the memory area in use ("EA").
    virtual void OnArea(uint32_t area) { (void)area; }
    // The line runs at another rate now (an index into link::kRates).
    virtual void OnLineRate(int baudIndex) { (void)baudIndex; }
    // A step of the start-up that waits on the camera ("Searching for the camera at 57600 bit/s…");
    // empty when that step is over.
    virtual void OnStartUpStep(const std::string& text) { (void)text; }
    // Every setting was read (or the read ended early: `read` says why).
    virtual void OnSettingsRead(const RowsRead& read) { (void)read; }
    virtual void OnValueChanged(const ValueChange& change) { (void)change; }
    virtual void OnRefused(const Refusal& refusal) { (void)refusal; }
    // `area` is -1 for the operations on every area and the reset.
    virtual void OnAreaOperation(AreaOperation operation, int area, bool succeeded) {
        (void)operation;
        (void)area;
        (void)succeeded;
    }
    // `count` is what went through: lines sent, tables moved.
    virtual void OnFile(FileOperation operation, const std::string& path, bool succeeded, int count) {
        (void)operation;
        (void)path;
        (void)succeeded;
        (void)count;
    }
    // A long operation on the camera (reading all settings, a file load, a table transfer, a one-push
    // wait, storing all areas) shows `text` at `percent`; `finished` once it is over.
    virtual void OnProgress(const std::string& text, int percent, bool finished) {
        (void)text;
        (void)percent;
        (void)finished;
    }
    // A one-push function ended; `text` is what the operator was told.
    virtual void OnOnePush(const std::string& function, const std::string& text, bool succeeded) {
        (void)function;
        (void)text;
        (void)succeeded;
    }
};

}  // namespace vr::camera
