#include "protocol/ComboItems.h"

#include <algorithm>
#include <map>

namespace vr::protocol {
namespace {

using Items = std::vector<std::string>;

Items FullSignalList(bool encoderTypo) {
    return {"Low",
            "High",
            "ExposureActive",
            "LVAL",
            "PulseGenerator0",
            "PulseGenerator1",
            "PulseGenerator2",
            "PulseGenerator3",
            "UserOutput0",
            "UserOutput1",
            "UserOutput2",
            "UserOutput3",
            "Line4:TTL In1",
            "Line5:Opt In1",
            "Line7:CC1",
            "Line10:TTL In2",
            "NAND0 Out",
            "NAND1 Out",
            "Line13:TTL In3",
            encoderTypo ? "EncoderTriger" : "EncoderTrigger",
            "EncoderDirection"};
}

Items Without(Items items, const std::string& drop) {
    items.erase(std::remove(items.begin(), items.end(), drop), items.end());
    return items;
}

std::map<uint32_t, Items> Build() {
    std::map<uint32_t, Items> m;
    auto set = [&m](std::initializer_list<uint32_t> ids, const Items& items) {
        for (uint32_t id : ids) m[id] = items;
    };
    set({1101, 1339, 1340, 1341}, FullSignalList(false));
    set({1342, 1343, 1344, 1345}, FullSignalList(true));
    for (int g = 0; g < 4; ++g) m[1363 + 12 * g] = Without(FullSignalList(false), "PulseGenerator" + std::to_string(g));
    set({1098}, {"Low", "High", "PulseGenerator0", "PulseGenerator1", "PulseGenerator2", "PulseGenerator3",
                 "UserOutput0", "UserOutput1", "UserOutput2", "UserOutput3", "Line4 TTL In1", "Line5:Opt In1",
                 "Line7:CC1", "Line10:TTL In2", "NAND0 Out", "NAND1 Out", "Line13:TTL In3", "EncoderTrigger"});
    set({1124}, {"9600bps", "19200bps", "38400bps", "57600bps", "115200bps"});
    set({1096, 1186, 1233, 1537, 1538, 1259, 1641, 1642, 1643, 1662, 1663, 1664, 1539}, {"Off", "On"});
    set({1099}, {"RisingEdge", "FallingEdge", "LevelHigh", "LevelLow"});
    set({1092}, {"OFF", "Timed", "TriggerWidth"});
    set({1224}, {"Common", "Indivisual"});
    set({1628}, {"Mode1", "Mode2"});
    set({1223}, {"Base", "Medium", "Full", "Eighty"});
    // The pixel format list is not carried by the page layouts; these are the camera's formats.
    set({1100}, {"RGB8", "RGB10", "RGB12"});
    set({1174}, {"85MHz", "63.75MHz", "42.5MHz", "31.875MHz"});
    set({1290}, {"Normal", "Medium", "Strong"});
    set({1576}, {"Red", "Green", "Blue"});
    set({1119}, {"Off", "White", "Grey Pattern 1", "Grey Pattern 2", "Color Bar"});
    set({1173}, {"Off", "Once"});
    set({1217, 1291, 1292, 1293}, {"0dB", "6dB", "12dB"});
    set({1408}, {"Off", "Once", "Exposure Once", "Preset 5000K", "Preset 6500K", "Preset 7500K"});
    set({1120}, {"Off", "User1", "User2", "User3"});
    set({1334}, {"Flat Shading", "Color Shading"});
    set({1192, 1184}, {"Off", "Default", "User1", "User2", "User3"});
    set({1673}, {"Off", "Level1", "Level2", "Level3", "Level4"});
    set({1116}, {"Off", "Gamma", "LUT"});
    set({1194}, {"Main Board"});
    set({1346, 1347, 1348, 1349, 1350, 1351, 1352, 1353, 1364, 1376, 1388, 1400, 1434, 1435, 1436, 1437},
        {"False", "True"});
    set({1195}, {"TypeA", "TypeB"});
    set({1535}, {"RGB", "XYZ", "HSI"});
    set({1536}, {"Off", "sRGB", "AdobeRGB", "UserCustom"});
    set({1542}, {"Forward", "Reverse"});
    set({1543}, {"Low", "High", "Line5:Opt In1", "Line4:TTL In1", "Line10:TTL In2", "Line13:TTL In3", "EncoderDir"});
    set({1548, 1549}, {"Line5:Opt In1", "Line4:TTL In1", "Line10:TTL In2", "Line13:TTL In3"});
    set({1640}, {"none", "2pulse", "4pulse", "8pulse", "16pulse", "32pulse"});
    set({1560}, {"Off", "Lens1", "Lens2", "Lens3"});
    set({1700}, {"Red", "Blue"});
    set({1695}, {"0", "1", "2", "3", "4", "5", "6", "7", "8"});
    set({1704}, {"Both", "Left", "Right"});
    set({1699}, {"SyncMode", "AsyncMode"});
    set({1701}, {"Simple", "Linear", "Custom"});
    set({1565}, {"Auto", "Manual"});
    set({1362, 1374, 1386, 1398}, {"Off", "LevelHigh", "LevelLow", "RisingEdge", "FallingEdge"});
    set({1365, 1377, 1389, 1401}, {"Async Mode", "Sync Mode"});
    set({1438}, {"Off", "0.1us", "1us", "5us", "10us", "50us", "100is"});
    set({1439}, {"Off", "Line Trigger"});
    set({1440, 1446, 1452, 1458}, {"Rising Edge"});
    set({1445}, {"Off", "Line Start"});
    set({1451}, {"Off", "Exposure Start"});
    set({1457}, {"Off", "Line Transfer End"});
    set({1128}, {"Default Area", "Update Area"});
    return m;
}

const std::map<uint32_t, Items>& Lists() {
    static const std::map<uint32_t, Items> lists = Build();
    return lists;
}

}  // namespace

const std::vector<std::string>* ComboItems(uint32_t ctrlId) {
    auto it = Lists().find(ctrlId);
    return it == Lists().end() ? nullptr : &it->second;
}

std::vector<uint32_t> ComboControlIds() {
    std::vector<uint32_t> ids;
    for (const auto& [id, items] : Lists()) ids.push_back(id);
    return ids;
}

}  // namespace vr::protocol
