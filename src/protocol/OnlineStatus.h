#pragma once
// The online/offline strip that every dialog shows, and the broadcaster the command engine reports
// each answer and each time-out to; the registry of dialogs that long operations grey.

#include <cstdint>
#include <vector>

namespace vr::protocol {

inline constexpr int32_t kStripOffline = 302;  // small red bitmap
inline constexpr int32_t kStripOnline = 303;   // small green bitmap

class OnlineStatusBroadcaster;

// A dialog that shows the status strip. Windows that have not been created (or were destroyed)
// report HasStrip() false and are skipped.
class COnlineStatusUpdater {
public:
    COnlineStatusUpdater() = default;
    COnlineStatusUpdater(const COnlineStatusUpdater&) = delete;
    COnlineStatusUpdater& operator=(const COnlineStatusUpdater&) = delete;
    virtual ~COnlineStatusUpdater();
    // 0 offline, 1 online. Only the communication dialog does anything with it.
    virtual void OnStatusChanged(int32_t status) { (void)status; }
    virtual bool HasStrip() const = 0;
    virtual void SetStripPicture(int32_t picture) = 0;

private:
    friend class OnlineStatusBroadcaster;
    OnlineStatusBroadcaster* broadcaster_ = nullptr;  // the one it is registered with
};

class OnlineStatusBroadcaster {
public:
    OnlineStatusBroadcaster() = default;
    ~OnlineStatusBroadcaster();
    OnlineStatusBroadcaster(const OnlineStatusBroadcaster&) = delete;
    OnlineStatusBroadcaster& operator=(const OnlineStatusBroadcaster&) = delete;

    void Register(COnlineStatusUpdater* updater);
    void Unregister(COnlineStatusUpdater* updater);
    void SetOffline();
    void SetOnline();

    int32_t CurrentPicture() const { return picture_; }
    bool IsOnline() const { return picture_ == kStripOnline; }

private:
    void Broadcast(int32_t picture, int32_t status);

    int32_t picture_ = kStripOffline;
    std::vector<COnlineStatusUpdater*> updaters_;
};

// A dialog the registry can grey during long camera operations.
class IRegisteredDialog {
public:
    virtual ~IRegisteredDialog() = default;
    virtual bool HasWindow() const = 0;
    virtual void EnableWindow(bool enable) = 0;
};

class DialogRegistry {
public:
    void Add(IRegisteredDialog* dialog);
    void Remove(IRegisteredDialog* dialog);
    // Long operations nest (a settings-file load reads all settings at its end): only the outermost
    // EnableAll gives the dialogs back.
    void DisableAll();
    void EnableAll();
    bool Disabled() const { return depth_ > 0; }

private:
    std::vector<IRegisteredDialog*> dialogs_;
    int depth_ = 0;
};

// Greys every registered dialog for the life of the object: the bracket around long operations.
class ScopedDialogsDisabled {
public:
    explicit ScopedDialogsDisabled(DialogRegistry& registry) : registry_(registry) { registry_.DisableAll(); }
    ~ScopedDialogsDisabled() { registry_.EnableAll(); }
    ScopedDialogsDisabled(const ScopedDialogsDisabled&) = delete;
    ScopedDialogsDisabled& operator=(const ScopedDialogsDisabled&) = delete;

private:
    DialogRegistry& registry_;
};

}  // namespace vr::protocol
