// The settings store on any file: whatever lies in settings.ini, the store starts, gives a value
// for every slot, and keeps what it is then given (any bytes of a device path included).

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "FuzzCheck.h"
#include "platform/FileIo.h"
#include "platform/Registry.h"

namespace {

// One folder for the whole run, in memory where the machine has one: the store writes with fsync.
const std::string& Folder() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::exists("/dev/shm") ? std::string("/dev/shm") : std::string("/tmp")) +
                              "/vr8200-fuzz-store-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        return pattern;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto parts = vr::fuzz::SplitInput(vr::fuzz::AsText(data, size));
    const std::string& folder = Folder();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    std::string error;
    FUZZ_CHECK(vr::platform::WriteFileAtomically(folder + "/" + vr::platform::kRegFileName, parts[0], error) ==
               vr::platform::WriteResult::Written);
    {
        vr::platform::CRegistry store(folder);
        for (int slot = 0; slot < vr::platform::kRegValueCount; ++slot) {
            uint32_t number = 0;
            std::string text;
            if (vr::platform::kRegValues[slot].kind == vr::platform::RegKind::Number)
                store.ReadDword(slot, number, 7);
            else
                store.ReadString(slot, text);
        }
        const std::string device = parts.size() > 1 ? parts[1] : std::string("/dev/ttyUSB0");
        FUZZ_CHECK(store.WriteComPortDevice(device) == 1);
        FUZZ_CHECK(store.WriteDword(vr::platform::kRegBaudrate, 4) == 1);
        std::string back;
        uint32_t rate = 0;
        FUZZ_CHECK(store.ReadComPortDevice(back) == 1 && back == device);
        FUZZ_CHECK(store.ReadDword(vr::platform::kRegBaudrate, rate, 0) == 1 && rate == 4);
    }
    // The next start finds the store in order, and no temporary file beside it.
    vr::platform::CRegistry next(folder);
    FUZZ_CHECK(next.WasShutdownClean() == 1);
    std::string device;
    FUZZ_CHECK(next.ReadComPortDevice(device) == 1);
    FUZZ_CHECK(device == (parts.size() > 1 ? parts[1] : std::string("/dev/ttyUSB0")));
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        FUZZ_CHECK(name.rfind(".settings.ini.", 0) != 0);
    }
    return 0;
}
