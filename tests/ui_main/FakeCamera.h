#pragma once
// A camera for the main window's headless tests: answers the lines the engine writes on an in-memory
// link, only while the scripted line runs at the camera's rate, and switches its rate after "CBDRT".

#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "FakeLineControl.h"

namespace vr::test {

class FakeCamera {
public:
    explicit FakeCamera(const FakeLineControl& line) : line_(line) {}

    // The reply to one written text; empty while the rates differ or the camera is silent.
    std::string Answer(const std::string& written) {
        if (silent || !line_.open || line_.baudIndex != rateIndex) return {};
        std::string line = written;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        received.push_back(line);
        const size_t eq = line.find('=');
        if (!line.empty() && line.back() == '?') {
            const std::string name = line.substr(0, line.size() - 1);
            if (name == "MD") return "MD=" + model + "\r\n";
            auto it = values.find(name);
            return name + "=" + std::to_string(it == values.end() ? 0 : it->second) + "\r\n";
        }
        if (eq == std::string::npos) return "NG\r\n";
        const std::string name = line.substr(0, eq);
        const int32_t value = static_cast<int32_t>(std::strtol(line.c_str() + eq + 1, nullptr, 10));
        if (refuse.count(name) != 0) return "NG\r\n";
        values[name] = value;
        if (name == "CBDRT") {
            // The camera answers at the old rate and switches afterwards (unless it cannot).
            for (int i = 0; i < 5 && !cannotSwitchRate; ++i)
                if (value == (1 << i)) rateIndex = i;
        }
        return "COMPLETE\r\n";
    }

    // Sets received, in order ("GA=400").
    std::vector<std::string> Sets() const {
        std::vector<std::string> sets;
        for (const auto& r : received)
            if (r.find('=') != std::string::npos) sets.push_back(r);
        return sets;
    }
    int Queries(const std::string& name) const {
        int n = 0;
        for (const auto& r : received) n += r == name + "?" ? 1 : 0;
        return n;
    }

    std::string model = "VR-8200-KB";
    int rateIndex = 0;
    bool silent = false;
    bool cannotSwitchRate = false;
    std::set<std::string> refuse;
    std::map<std::string, int32_t> values;
    std::vector<std::string> received;

private:
    const FakeLineControl& line_;
};

}  // namespace vr::test
