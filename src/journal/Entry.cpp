#include "journal/Entry.h"

#include <algorithm>

namespace vr::journal {

std::string Describe(const Entry& e) {
    const std::string failed = e.ok && !*e.ok ? " (failed)" : "";
    const std::string digest = e.digest.empty() ? "" : ", sha256 " + e.digest.substr(0, 12);
    if (e.kind == kind::kSet)
        return e.name + " " + (e.oldValue ? *e.oldValue + " -> " : "-> ") + e.newValue.value_or("");
    if (e.kind == kind::kRefused) return e.newValue.value_or(e.name) + ": " + e.detail;
    if (e.kind == kind::kSnapshot)
        return std::to_string(e.count.value_or(0)) + " values" + (e.detail.empty() ? "" : " (" + e.detail + ")");
    if (e.kind == kind::kTextWritten) return e.name + "=\"" + e.newValue.value_or("") + "\"" + failed;
    if (e.kind == kind::kOnePush) {
        std::string text = e.detail;
        std::replace(text.begin(), text.end(), '\n', ' ');
        return e.name + ": " + text + failed;
    }
    if (e.kind == kind::kTablesWritten) return e.name + ": " + e.detail + digest + failed;
    if (e.count) return e.name + " (" + std::to_string(*e.count) + ")" + digest + failed;
    return (e.name.empty() ? "" : "area " + e.name) + failed;
}

}  // namespace vr::journal
