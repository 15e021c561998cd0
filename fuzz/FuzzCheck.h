#pragma once
// What every fuzz target shares: a check that stops the run with the broken rule (libFuzzer then
// keeps the input that broke it), a way to cut one input into the parts a target needs, and a
// scratch folder for targets that need files.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#define FUZZ_CHECK(condition)                                                                 \
    do {                                                                                      \
        if (!(condition)) {                                                                   \
            std::fprintf(stderr, "%s:%d: rule broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (0)

namespace vr::fuzz {

inline std::string_view AsText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The parts of an input between the separator bytes; always at least one part. A separator of two
// rare bytes keeps the mutator from cutting every input into crumbs.
inline std::vector<std::string> SplitInput(std::string_view text, std::string_view separator = "\xFE\xFE") {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        if (at == std::string_view::npos) break;
        parts.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

// A folder of the process's own below /tmp, made on first use and removed when the process ends
// (its name is kept where no static destructor can take it away first).
inline const std::string& ScratchFolder() {
    static const std::string* const folder = [] {
        char name[] = "/tmp/vr8200-fuzz-XXXXXX";
        if (::mkdtemp(name) == nullptr) std::abort();
        auto* kept = new std::string(name);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(ScratchFolder(), ec);
        });
        return kept;
    }();
    return *folder;
}

inline bool HasControlCharacter(std::string_view text) {
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F) return true;
    return false;
}

}  // namespace vr::fuzz
