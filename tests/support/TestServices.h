#pragma once
// A test's composition root: every service of a program, built over the recording platform and a
// settings store in a folder of the test's own. The windows' line is a scripted FakeLineControl
// unless the test asks for the real one over the link object.

#include <memory>

#include "FakeLineControl.h"
#include "FakePlatform.h"
#include "TempDir.h"
#include "camera/ModelCommands.h"
#include "camera/Services.h"
#include "link/CommSetting.h"
#include "link/CommSettingLineControl.h"
#include "platform/ControlMode.h"
#include "platform/Registry.h"
#include "protocol/Command.h"
#include "protocol/OnlineStatus.h"
#include "protocol/ParameterTable.h"
#include "protocol/TrafficLog.h"

namespace vr::test {

enum class LineKind { Fake, Real };

class TestServices {
public:
    explicit TestServices(LineKind kind = LineKind::Fake)
        : realLine(link),
          services{platform,    registry,
                   controlMode, traffic,
                   status,      dialogs,
                   table,       engine,
                   link,        kind == LineKind::Fake ? static_cast<link::ILineControl&>(fakeLine) : realLine,
                   model} {
        engine.SetLink(&link);
    }
    TestServices(const TestServices&) = delete;
    TestServices& operator=(const TestServices&) = delete;
    ~TestServices() { engine.SetLink(nullptr); }

    camera::Services& Get() { return services; }

    TempDir dir;
    FakePlatform platform;
    platform::CRegistry registry{dir.Path()};
    platform::ControlMode controlMode{registry};
    protocol::TrafficLog traffic;
    protocol::OnlineStatusBroadcaster status;
    protocol::DialogRegistry dialogs;
    protocol::ParameterTable table{platform};
    link::CCommSetting link{registry, platform, traffic};
    FakeLineControl fakeLine;
    link::CommSettingLineControl realLine;
    protocol::Command engine{platform, status, traffic};
    camera::CameraModel model;
    camera::Services services;
};

}  // namespace vr::test
