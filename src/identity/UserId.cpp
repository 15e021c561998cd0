#include "identity/UserId.h"

#include "camera/Services.h"
#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandIds.h"
#include "protocol/TextValue.h"

namespace vr::identity {

UserId::Verdict UserId::Check(std::string_view text) {
    if (text.size() > kMaxLength) return Verdict::TooLong;
    if (!protocol::IsSendableText(text)) return Verdict::NotSendable;
    if (!protocol::ReadsBackWhole(text)) return Verdict::Comma;
    return Verdict::Ok;
}

const char* UserId::VerdictText(Verdict verdict) {
    switch (verdict) {
        case Verdict::TooLong:
            return kTooLongMessage;
        case Verdict::NotSendable:
            return kNotSendableText;
        case Verdict::Comma:
            return kCommaText;
        case Verdict::Ok:
            break;
    }
    return "";
}

std::string UserId::CompletedText(const std::string& text) {
    return "Writing the User ID \"" + text + "\" has been completed.";
}

int UserId::Query(std::string& text) {
    return services_.engine.QueryString(protocol::cmd::UD, text, kTimeout);
}

int UserId::Save(const std::string& text) {
    platform::IPlatform& platform = services_.platform;
    if (const Verdict verdict = Check(text); verdict != Verdict::Ok) {
        platform.MessageBox(VerdictText(verdict), platform::kAppTitle, platform::MsgIcon::Error);
        return 0;
    }
    if (services_.engine.SendCommandString(protocol::cmd::UD, text, kTimeout) != 1) {
        platform.MessageBox(kWriteFailedText, platform::kAppTitle, platform::MsgIcon::Error);
        return 0;
    }
    platform.MessageBox(CompletedText(text), platform::kAppTitle, platform::MsgIcon::Information);
    return 1;
}

}  // namespace vr::identity
