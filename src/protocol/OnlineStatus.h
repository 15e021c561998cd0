#pragma once
// The online/offline strip that every dialog shows, and the broadcaster the command engine reports
// each answer and each time-out to.

#include <cstdint>
#include <vector>

namespace vr::protocol {

inline constexpr int32_t kStripOffline = 302;  // small red bitmap
inline constexpr int32_t kStripOnline = 303;   // small green bitmap

// A dialog that shows the status strip. Windows that have not been created (or were destroyed)
// report HasStrip() false and are skipped.
class COnlineStatusUpdater {
public:
    virtual ~COnlineStatusUpdater();
    // 0 offline, 1 online. Only the communication dialog does anything with it.
    virtual void OnStatusChanged(int32_t status) { (void)status; }
    virtual bool HasStrip() const = 0;
    virtual void SetStripPicture(int32_t picture) = 0;
};

class OnlineStatusBroadcaster {
public:
    static OnlineStatusBroadcaster& Instance();

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
    static DialogRegistry& Instance();

    void Add(IRegisteredDialog* dialog);
    void Remove(IRegisteredDialog* dialog);
    void DisableAll();
    void EnableAll();

private:
    std::vector<IRegisteredDialog*> dialogs_;
};

// Greys every registered dialog for the life of the object: the bracket around long operations.
class ScopedDialogsDisabled {
public:
    ScopedDialogsDisabled() { DialogRegistry::Instance().DisableAll(); }
    ~ScopedDialogsDisabled() { DialogRegistry::Instance().EnableAll(); }
    ScopedDialogsDisabled(const ScopedDialogsDisabled&) = delete;
    ScopedDialogsDisabled& operator=(const ScopedDialogsDisabled&) = delete;
};

}  // namespace vr::protocol
