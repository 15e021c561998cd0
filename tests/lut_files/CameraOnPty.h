#pragma once
// A virtual camera on a pseudo-terminal at 115200 bit/s and a program's services talking to it
// through the real serial link, with every line the program sent kept in order.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "TestServices.h"
#include "link/CommSetting.h"
#include "lut/LutTransfer.h"
#include "protocol/Command.h"
#include "protocol/TrafficLog.h"
#include "sim/PtyServer.h"

namespace vr::test {

class CameraOnPty : public ::testing::Test {
protected:
    // Long enough for any answer on a loaded machine, short enough that ten time-outs in a row stay
    // well under a second or two.
    static constexpr std::chrono::milliseconds kShortTimeout{150};

    void TearDown() override { Shutdown(); }

    void StartCamera(sim::SimOptions options = {}) {
        Shutdown();
        options.startRate = 115200;
        server = std::make_unique<sim::PtyServer>();
        std::string error;
        ASSERT_TRUE(server->Start(options, &error)) << error;
        services = std::make_unique<TestServices>(LineKind::Real);
        services->link.SetSaveOnExit(false);
        services->link.SetMode(link::ComPort);
        const int index = services->link.AddDevicePath(server->DevicePath());
        ASSERT_GE(index, 0);
        services->link.SetPortIndex(static_cast<uint32_t>(index));
        ASSERT_EQ(services->link.OpenBaud(115200), 1);
        services->traffic.SetTerminalSink([this](const std::string& line) {
            if (line.rfind("Tx: ", 0) == 0) sent.push_back(line.substr(4));
        });
    }
    void Shutdown() {
        if (services) {
            services->traffic.SetTerminalSink(nullptr);
            services->link.Close();
        }
        services.reset();
        server.reset();
        sent.clear();
    }

    // Sends a set the way the tool does, for setting the camera up; forgets it in `sent`.
    void Set(uint32_t cmdId, int32_t value) {
        ASSERT_EQ(services->engine.SendCommandInt(cmdId, value, std::chrono::milliseconds(2000)), 1);
        sent.pop_back();
    }

    lut::TransferTimeouts Short() const { return {kShortTimeout, kShortTimeout, kShortTimeout}; }

    std::unique_ptr<sim::PtyServer> server;
    std::unique_ptr<TestServices> services;
    std::vector<std::string> sent;
};

}  // namespace vr::test
