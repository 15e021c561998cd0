#pragma once
// The lines of `vr8200ctl serve`, one JSON object a line each way. A request names a subcommand and
// its arguments as the command line takes them: {"id": 7, "cmd": "get", "args": ["GA", "MD"]}. Its
// answer echoes the id: {"id": 7, "ok": true, "result": ...} or {"id": 7, "ok": false, "error":
// {"code": 1, "message": "..."}}, the code being the exit status the command line would have ended
// with. Events carry "event" instead of "id".

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "Output.h"

namespace vr::cli {

// A longer line is answered with an error and never parsed.
inline constexpr size_t kMaxRequestBytes = 1u << 20;

struct ServeRequest {
    Json id;  // an integer, a string, or null when the request gave none
    std::string cmd;
    std::vector<std::string> args;
};

// Reads one line. False with the reason in `error` (and whatever id could be read in `request.id`)
// for anything but an object with a non-empty "cmd" text, an "id" that is an integer or a text (or
// absent) and "args" (optional) a list of texts without NUL bytes.
bool ParseRequest(std::string_view line, ServeRequest& request, std::string& error);

// How a cancel request names the request it stops: the id's text ("7" for 7, "a" for "a").
std::string IdText(const Json& id);

std::string AnswerLine(const Json& id, const Json& result);
std::string ErrorLine(const Json& id, int code, const std::string& message);
// {"event": NAME, ...fields}
std::string EventLine(const std::string& name, const Json& fields = Json::object());

}  // namespace vr::cli
