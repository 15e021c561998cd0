#include "fleet/RecordedCamera.h"

#include <memory>

#include "journal/Recorder.h"

namespace vr::fleet {
namespace {

struct Recorded {
    std::shared_ptr<void> camera;
    std::unique_ptr<journal::Recorder> recorder;  // declared last: destroyed first
};

}  // namespace

OpenedCamera WithRecorder(OpenedCamera opened, journal::Journal* journal, const journal::Origin& origin) {
    if (journal == nullptr || opened.session == nullptr) return opened;
    auto recorded = std::make_shared<Recorded>();
    recorded->camera = std::move(opened.owner);
    recorded->recorder = std::make_unique<journal::Recorder>(*opened.session, *journal, origin);
    recorded->recorder->SetLink(journal::LinkName(*opened.session));
    return {recorded, opened.session, ""};
}

}  // namespace vr::fleet
