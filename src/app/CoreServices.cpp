#include "app/CoreServices.h"

namespace vr::app {

CoreServices::CoreServices(platform::IPlatform& platform, const std::string& configFolder, link::SerialPortList ports,
                           const std::string& shutdownValue)
    : registry(configFolder, shutdownValue),
      controlMode(registry),
      table(platform),
      link(registry, platform, traffic, std::move(ports)),
      line(link),
      engine(platform, status, traffic),
      waitCancel(platform, dialogs, engine),
      services_{platform, registry, controlMode, traffic, status, dialogs, table, engine, link, line, model},
      session_(services_) {
    engine.SetLink(&link);
    engine.SetWaitCancel(&waitCancel);
}

}  // namespace vr::app
