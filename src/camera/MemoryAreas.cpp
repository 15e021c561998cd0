#include "camera/MemoryAreas.h"

#include <iterator>
#include <thread>

#include "camera/LongOperation.h"
#include "camera/Services.h"
#include "camera/WaitCancel.h"
#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"

namespace vr::camera {

int MemoryAreas::QueryArea(int32_t& area) {
    int32_t answer = 0;
    if (services_.engine.QueryInt(protocol::cmd::EA, answer, kQueryTimeout) != 1) return 0;
    area = answer;
    return 1;
}

int MemoryAreas::Store(int area, std::chrono::milliseconds timeout) {
    if (!IsArea(area)) return 0;
    if (area == kFactoryArea) return services_.engine.SendCommandInt(protocol::cmd::SA00, 0, timeout);
    return services_.engine.SendCommandInt(protocol::cmd::SA, area, timeout);
}

int MemoryAreas::Load(int area) {
    if (!IsArea(area)) return 0;
    return services_.engine.SendCommandInt(protocol::cmd::LD, area, kLoadTimeout);
}

int MemoryAreas::StoreChosen(int area, bool factoryMode) {
    platform::IPlatform& platform = services_.platform;
    // The factory area is overwritten only in factory mode, whoever asks.
    if (!IsArea(area) || (area == kFactoryArea && !factoryMode)) {
        platform.MessageBox("Selected invalid area !", platform::kAppTitle, platform::MsgIcon::Error);
        return 0;
    }
    if (Store(area, kMenuStoreTimeout) != 1) return 0;  // the engine has told the operator
    platform.MessageBox("Completed saving current setting data !", platform::kAppTitle, platform::MsgIcon::Information);
    return 1;
}

int MemoryAreas::StoreAll(std::chrono::milliseconds timeout) {
    platform::IPlatform& platform = services_.platform;
    if (platform.MessageBox(kStoreAllQuestion, platform::kAppTitle, platform::MsgIcon::Question,
                            platform::MsgButtons::YesNo) != platform::MsgResult::Yes)
        return 0;
    constexpr int kAreas[] = {1, 2, 3, kFactoryArea};
    constexpr int kCount = static_cast<int>(std::size(kAreas));
    int failures = 0;
    int done = 0;
    std::string abandoned;  // the store the operator stopped waiting for
    {
        camera::LongOperation progress(services_, kStoringText);
        for (int area : kAreas) {
            progress.SetStep(kStoringText, done, kCount);
            if (!progress.Continue()) break;
            std::this_thread::sleep_for(kStoreAllPause);
            if (Store(area, timeout) != 1) {
                const protocol::Failure& failure = services_.engine.LastFailure();
                if (failure.kind == protocol::FailureKind::Cancelled) {
                    abandoned = failure.command;
                    break;
                }
                ++failures;
            }
            ++done;
        }
    }
    if (done < kCount) {
        std::string text = camera::LongOperation::StoppedText(done, kCount, "areas");
        if (!abandoned.empty()) text += "\n" + camera::WaitCancel::StoppedText(abandoned);
        platform.MessageBox(text, platform::kAppTitle, platform::MsgIcon::Information);
        return 0;
    }
    if (failures == 0) {
        platform.MessageBox("Completed to store current setting data!", platform::kAppTitle,
                            platform::MsgIcon::Information);
        return 1;
    }
    platform.MessageBox("Couldn't store current setting data!", platform::kAppTitle, platform::MsgIcon::Exclamation);
    return 0;
}

std::string MemoryAreas::AreaName(int area) {
    if (area == kFactoryArea) return "Factory";
    return IsArea(area) ? "User " + std::to_string(area) : std::string();
}

int MemoryAreas::ResetCamera() {
    return services_.engine.SendCommandInt(protocol::cmd::CRS00, 1, kResetTimeout);
}

}  // namespace vr::camera
