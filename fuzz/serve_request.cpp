// The scripting session's request parser: any line is either a request (an id that is null, an
// integer or a text, a command, texts without NUL bytes as arguments) that reads back the same when
// written out again, or an error whose answer line is one line of ASCII JSON carrying the id that
// could be read. Texts from the camera written into an answer never break its JSON.

#include <string>

#include "FuzzCheck.h"
#include "cli/ServeRequest.h"

namespace {

using vr::cli::Json;

bool OneAsciiLine(const std::string& line) {
    for (const char c : line)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(vr::fuzz::AsText(data, size));
    vr::cli::ServeRequest request;
    std::string error;
    if (!vr::cli::ParseRequest(line, request, error)) {
        FUZZ_CHECK(!error.empty());
        FUZZ_CHECK(request.id.is_null() || request.id.is_number_integer() || request.id.is_string());
        const std::string answer = vr::cli::ErrorLine(request.id, 2, error);
        FUZZ_CHECK(OneAsciiLine(answer));
        const Json back = Json::parse(answer);
        FUZZ_CHECK(back["id"] == request.id && back["ok"] == false && back["error"]["code"] == 2);
    } else {
        FUZZ_CHECK(!request.cmd.empty() && request.cmd.find('\0') == std::string::npos);
        for (const std::string& arg : request.args) FUZZ_CHECK(arg.find('\0') == std::string::npos);
        // Written out again, it reads back the same.
        const std::string again = vr::cli::DumpJson({{"id", request.id}, {"cmd", request.cmd}, {"args", request.args}});
        vr::cli::ServeRequest second;
        FUZZ_CHECK(vr::cli::ParseRequest(again, second, error));
        FUZZ_CHECK(second.id == request.id && second.cmd == request.cmd && second.args == request.args);
    }
    // The same bytes as a camera's text in an answer and an event: one ASCII line of JSON, and
    // every byte of the text comes back as one character (a UTF-8 sequence as its character).
    const std::string answer = vr::cli::AnswerLine(request.id, {{"UD", vr::cli::JsonText(line)}});
    FUZZ_CHECK(OneAsciiLine(answer));
    const std::string text = Json::parse(answer)["result"]["UD"].get<std::string>();
    FUZZ_CHECK(text.size() >= line.size());
    FUZZ_CHECK(OneAsciiLine(vr::cli::EventLine("message", {{"text", vr::cli::JsonText(line)}})));
    return 0;
}
