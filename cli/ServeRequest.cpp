#include "ServeRequest.h"

#include <stdexcept>

namespace vr::cli {
namespace {

// Deeper nesting is no request of ours; the bound keeps a hostile line from costing the parser's
// stack or time.
constexpr int kMaxDepth = 4;
constexpr size_t kMaxArgs = 100000;

Json ReadableId(const Json& object) {
    const auto it = object.find("id");
    if (it == object.end()) return nullptr;
    return it->is_number_integer() || it->is_string() ? *it : Json(nullptr);
}

}  // namespace

bool ParseRequest(std::string_view line, ServeRequest& request, std::string& error) {
    request = ServeRequest{};
    if (line.size() > kMaxRequestBytes) {
        error = "the request is longer than " + std::to_string(kMaxRequestBytes) + " bytes";
        return false;
    }
    Json object;
    try {
        const Json::parser_callback_t depthBound = [](int depth, Json::parse_event_t, Json&) {
            if (depth > kMaxDepth) throw std::invalid_argument("the request is nested too deeply");
            return true;
        };
        object = Json::parse(line.begin(), line.end(), depthBound);
    } catch (const std::exception& e) {
        error = std::string("not a JSON request: ") + e.what();
        return false;
    }
    if (!object.is_object()) {
        error = "a request is a JSON object";
        return false;
    }
    request.id = ReadableId(object);
    if (const auto id = object.find("id"); id != object.end() && request.id.is_null() && !id->is_null()) {
        error = "\"id\" is an integer or a text";
        return false;
    }
    const auto cmd = object.find("cmd");
    if (cmd == object.end() || !cmd->is_string() || cmd->get_ref<const std::string&>().empty()) {
        error = "a request names its command in \"cmd\"";
        return false;
    }
    request.cmd = cmd->get<std::string>();
    if (request.cmd.find('\0') != std::string::npos) {
        error = "\"cmd\" holds a NUL byte";
        return false;
    }
    if (const auto args = object.find("args"); args != object.end() && !args->is_null()) {
        if (!args->is_array() || args->size() > kMaxArgs) {
            error = "\"args\" is a list of texts";
            return false;
        }
        for (const Json& arg : *args) {
            // An argument travels as a C string to the command line's parser.
            if (!arg.is_string() || arg.get_ref<const std::string&>().find('\0') != std::string::npos) {
                error = "\"args\" is a list of texts without NUL bytes";
                return false;
            }
            request.args.push_back(arg.get<std::string>());
        }
    }
    return true;
}

std::string IdText(const Json& id) {
    return id.is_string() ? id.get<std::string>() : id.dump();
}

std::string AnswerLine(const Json& id, const Json& result) {
    return DumpJson({{"id", id}, {"ok", true}, {"result", result}});
}

std::string ErrorLine(const Json& id, int code, const std::string& message) {
    return DumpJson({{"id", id}, {"ok", false}, {"error", {{"code", code}, {"message", JsonText(message)}}}});
}

std::string EventLine(const std::string& name, const Json& fields) {
    Json event = {{"event", name}};
    for (const auto& [key, value] : fields.items()) event[key] = value;
    return DumpJson(event);
}

}  // namespace vr::cli
