#include "ui/main/PageInventory.h"

#include <algorithm>
#include <map>

#include "protocol/ComboItems.h"
#include "protocol/ParameterTable.h"

namespace vr::ui {
namespace {

constexpr PageControl Edit(uint32_t id, uint32_t page, const char* group, const char* label, uint32_t spin) {
    return {id, page, group, label, CtrlType::Edit, "", spin, false};
}
constexpr PageControl Output(uint32_t id, uint32_t page, const char* group, const char* label) {
    return {id, page, group, label, CtrlType::Edit, "", 0, true};
}
constexpr PageControl TextEdit(uint32_t id, uint32_t page, const char* group, const char* label) {
    return {id, page, group, label, CtrlType::Edit, "", 0, false};
}
constexpr PageControl Combo(uint32_t id, uint32_t page, const char* group, const char* label) {
    return {id, page, group, label, CtrlType::Combo, "", 0, false};
}
constexpr PageControl Button(uint32_t id, uint32_t page, const char* group, const char* label, const char* text) {
    return {id, page, group, label, CtrlType::Button, text, 0, false};
}
constexpr PageControl Static(uint32_t id, uint32_t page, const char* group, const char* label) {
    return {id, page, group, label, CtrlType::Static, "", 0, true};
}

constexpr PageInfo kPages[] = {
    {0, 111, "User A", false}, {1, 112, "User B", false}, {2, 113, "User C", false},
    {3, 114, "User D", false}, {4, 115, "User E", false}, {5, 117, "Factory A", true},
};

// The spin of an edit is the edit's id plus one, except where that id is taken: "Gain All" 1041 has
// 1045, and the chromatic aberration value and coefficient editors (1702, 1703 are neighbours) have
// 1564 and 1585, with 1562 for the ratio editor so that the three spins are enabled with their editors.
constexpr PageControl kControls[] = {
    // User A
    Combo(1096, 111, "Trigger", "Trigger Mode"),
    Combo(1098, 111, "Trigger", "Trigger Source"),
    Combo(1099, 111, "Trigger", "Trigger Activation"),
    Combo(1186, 111, "Trigger", "Auto Reset Mode"),
    Combo(1092, 111, "Exposure", "Exposure Mode"),
    Combo(1224, 111, "Exposure", "Exposure Time Mode"),
    Combo(1233, 111, "Exposure", "RB Exp Interlocked"),
    Edit(1093, 111, "Exposure", "Exposure Time", 1094),
    Edit(1294, 111, "Exposure", "Exposure Time R", 1295),
    Edit(1296, 111, "Exposure", "Exposure Time G", 1297),
    Edit(1298, 111, "Exposure", "Exposure Time B", 1299),
    Static(1220, 111, "Exposure", "Exposure Time Max / Min"),
    Static(1221, 111, "Exposure", "Exposure Time Max / Min"),
    Button(1222, 111, "Exposure", "Exposure Time Max / Min", "Read"),
    Edit(1187, 111, "Line Rate", "Line Period (10 ns)", 1188),
    Static(1215, 111, "Line Rate", "Line Period / Frequency"),
    Static(1216, 111, "Line Rate", "Line Period / Frequency"),
    Static(1218, 111, "Line Rate", "Minimum Line Period"),
    Button(1219, 111, "Line Rate", "Minimum Line Period", "Read"),
    Combo(1259, 111, "Gain and Black", "Indivisual Gain Mode"),
    Combo(1173, 111, "Gain and Black", "Gain Auto"),
    Edit(1665, 111, "Gain and Black", "30～95%", 1666),
    Edit(1669, 111, "Gain and Black", "30～95%", 1670),
    Edit(1671, 111, "Gain and Black", "30～95%", 1672),
    Edit(1041, 111, "Gain and Black", "Gain All", 1045),
    Edit(1246, 111, "Gain and Black", "Gain Red", 1247),
    Edit(1244, 111, "Gain and Black", "Gain Green", 1245),
    Edit(1248, 111, "Gain and Black", "Gain Blue", 1249),
    Combo(1217, 111, "Gain and Black", "Analog Base Gain All"),
    Combo(1292, 111, "Gain and Black", "Analog Base Gain R"),
    Combo(1291, 111, "Gain and Black", "Analog Base Gain G"),
    Combo(1293, 111, "Gain and Black", "Analog Base Gain B"),
    Edit(1139, 111, "Gain and Black", "Black Level All", 1140),
    Edit(1234, 111, "Gain and Black", "Black Level Red", 1235),
    Edit(1236, 111, "Gain and Black", "Black Level Blue", 1237),
    Edit(1225, 111, "Image format", "Width", 1226),
    Edit(1227, 111, "Image format", "Offset X", 1228),
    Edit(1229, 111, "Image format", "Binning H", 1230),
    Edit(1231, 111, "Image format", "Binning V", 1232),
    Combo(1100, 111, "Image format", "Pixel Format"),
    Combo(1223, 111, "Image format", "CL Configuration"),
    Combo(1174, 111, "Image format", "CL Clock"),
    Combo(1119, 111, "Image format", "Test Pattern"),

    // User B
    Combo(1116, 112, "LUT", "LUT selector"),
    Edit(1117, 112, "LUT", "Gamma Selector", 1118),
    Button(1132, 112, "LUT", "", "Open LUT Table"),
    Edit(1421, 112, "LUT", "R", 1422),
    Edit(1423, 112, "LUT", "R", 1424),
    Button(1430, 112, "LUT", "R", "Read"),
    Button(1431, 112, "LUT", "R", "Write"),
    Edit(1160, 112, "LUT", "G", 1161),
    Edit(1162, 112, "LUT", "G", 1163),
    Button(1164, 112, "LUT", "G", "Read"),
    Button(1165, 112, "LUT", "G", "Write"),
    Edit(1425, 112, "LUT", "B", 1426),
    Edit(1427, 112, "LUT", "B", 1428),
    Button(1432, 112, "LUT", "B", "Read"),
    Button(1433, 112, "LUT", "B", "Write"),
    Combo(1184, 112, "Pixel Black Correction", "Correction Mode"),
    Button(1183, 112, "Pixel Black Correction", "", "Recalibrate Pixel Black"),
    Combo(1120, 112, "Shading Correction", "Correction Mode"),
    Combo(1334, 112, "Shading Correction", "Method"),
    Button(1121, 112, "Shading Correction", "", "Recalibrate Shading"),
    Combo(1192, 112, "Pixel Gain Correction", "Correction Mode"),
    Button(1193, 112, "Pixel Gain Correction", "", "Recalibrate Pixel Gain"),
    Button(1336, 112, "Correction Data", "", "Read ( camera -> file )"),
    Button(1337, 112, "Correction Data", "", "Write ( file -> camera )"),
    Button(1338, 112, "Correction Data", "", "Store in flash memory"),
    Combo(1408, 112, "White Balance", "Mode"),
    Edit(1404, 112, "White Balance", "Width", 1405),
    Edit(1406, 112, "White Balance", "Offset X", 1407),
    Combo(1628, 112, "Acquisition Linerate Option", "Correction Mode"),
    Combo(1641, 112, "FIR Filter", "R"),
    Edit(1644, 112, "FIR Filter", "R", 1645),
    Edit(1650, 112, "FIR Filter", "R", 1651),
    Edit(1656, 112, "FIR Filter", "R", 1657),
    Combo(1642, 112, "FIR Filter", "G"),
    Edit(1646, 112, "FIR Filter", "G", 1647),
    Edit(1652, 112, "FIR Filter", "G", 1653),
    Edit(1658, 112, "FIR Filter", "G", 1659),
    Combo(1643, 112, "FIR Filter", "B"),
    Edit(1648, 112, "FIR Filter", "B", 1649),
    Edit(1654, 112, "FIR Filter", "B", 1655),
    Edit(1660, 112, "FIR Filter", "B", 1661),
    Combo(1662, 112, "MEDIAN Filter", "R"),
    Combo(1663, 112, "MEDIAN Filter", "G"),
    Combo(1664, 112, "MEDIAN Filter", "B"),
    Button(1667, 112, "WhiteBalance/Shading/GainAuto", "", "Auto Setting"),
    Combo(1673, 112, "Others", "Noise Reduction"),

    // User C
    Combo(1539, 113, "H Image Mirroring", "Mode"),
    Combo(1542, 113, "Object Direction", "Mode"),
    Combo(1543, 113, "Object Direction", "Source"),
    Edit(1517, 113, "Color Matrix ( User Custom )", "Red", 1518),
    Edit(1519, 113, "Color Matrix ( User Custom )", "Red", 1520),
    Edit(1521, 113, "Color Matrix ( User Custom )", "Red", 1522),
    Edit(1523, 113, "Color Matrix ( User Custom )", "Green", 1524),
    Edit(1525, 113, "Color Matrix ( User Custom )", "Green", 1526),
    Edit(1527, 113, "Color Matrix ( User Custom )", "Green", 1528),
    Edit(1529, 113, "Color Matrix ( User Custom )", "Blue", 1530),
    Edit(1531, 113, "Color Matrix ( User Custom )", "Blue", 1532),
    Edit(1533, 113, "Color Matrix ( User Custom )", "Blue", 1534),
    Combo(1535, 113, "Color Transformation", "Mode"),
    Combo(1536, 113, "Color Transformation", "RGB Mode"),
    Combo(1548, 113, "Encoder Control", "Source A"),
    Combo(1549, 113, "Encoder Control", "Source B"),
    Edit(1551, 113, "Encoder Control", "Divider", 1552),
    Edit(1580, 113, "Encoder Control", "Filter", 1581),
    Edit(1582, 113, "Encoder Control", "Strobe", 1583),
    Combo(1640, 113, "Encoder Control", "Averaging Interval"),
    Combo(1560, 113, "Chromatic Aberration Correction", "Mode"),
    Combo(1699, 113, "Chromatic Aberration Correction", "SyncMode"),
    Combo(1701, 113, "Chromatic Aberration Correction", "Method"),
    Combo(1704, 113, "Chromatic Aberration Correction", "SideSelector"),
    Combo(1700, 113, "Chromatic Aberration Correction", "ColorSelector"),
    Combo(1695, 113, "Chromatic Aberration Correction", "Index"),
    Edit(1696, 113, "Chromatic Aberration Correction", "Ratio", 1562),
    Edit(1702, 113, "Chromatic Aberration Correction", "Value", 1564),
    Edit(1703, 113, "Chromatic Aberration Correction", "Coeff", 1585),
    Button(1698, 113, "Chromatic Aberration Correction", "", "Save"),
    Combo(1565, 113, "Spartial Compensation", "Mode"),
    Edit(1566, 113, "Spartial Compensation", "Red", 1567),
    Edit(1568, 113, "Spartial Compensation", "Green", 1569),
    Edit(1570, 113, "Spartial Compensation", "Blue", 1571),
    Edit(1578, 113, "Spartial Compensation", "Distance", 1579),
    Edit(1690, 113, "Sub Pixel Shift", "Red", 1691),
    Edit(1693, 113, "Sub Pixel Shift", "Blue", 1694),

    // User D
    Edit(1354, 114, "Pulse Generator 0", "Length", 1355),
    Edit(1356, 114, "Pulse Generator 0", "Start", 1357),
    Edit(1358, 114, "Pulse Generator 0", "End", 1359),
    Edit(1360, 114, "Pulse Generator 0", "Repeat", 1361),
    Combo(1362, 114, "Pulse Generator 0", "Activation"),
    Combo(1363, 114, "Pulse Generator 0", "Source"),
    Combo(1364, 114, "Pulse Generator 0", "Inverter"),
    Combo(1365, 114, "Pulse Generator 0", "Sync"),
    Edit(1366, 114, "Pulse Generator 1", "Length", 1367),
    Edit(1368, 114, "Pulse Generator 1", "Start", 1369),
    Edit(1370, 114, "Pulse Generator 1", "End", 1371),
    Edit(1372, 114, "Pulse Generator 1", "Repeat", 1373),
    Combo(1374, 114, "Pulse Generator 1", "Activation"),
    Combo(1375, 114, "Pulse Generator 1", "Source"),
    Combo(1376, 114, "Pulse Generator 1", "Inverter"),
    Combo(1377, 114, "Pulse Generator 1", "Sync"),
    Edit(1378, 114, "Pulse Generator 2", "Length", 1379),
    Edit(1380, 114, "Pulse Generator 2", "Start", 1381),
    Edit(1382, 114, "Pulse Generator 2", "End", 1383),
    Edit(1384, 114, "Pulse Generator 2", "Repeat", 1385),
    Combo(1386, 114, "Pulse Generator 2", "Activation"),
    Combo(1387, 114, "Pulse Generator 2", "Source"),
    Combo(1388, 114, "Pulse Generator 2", "Inverter"),
    Combo(1389, 114, "Pulse Generator 2", "Sync"),
    Edit(1390, 114, "Pulse Generator 3", "Length", 1391),
    Edit(1392, 114, "Pulse Generator 3", "Start", 1393),
    Edit(1394, 114, "Pulse Generator 3", "End", 1395),
    Edit(1396, 114, "Pulse Generator 3", "Repeat", 1397),
    Combo(1398, 114, "Pulse Generator 3", "Activation"),
    Combo(1399, 114, "Pulse Generator 3", "Source"),
    Combo(1400, 114, "Pulse Generator 3", "Inverter"),
    Combo(1401, 114, "Pulse Generator 3", "Sync"),
    Edit(1402, 114, "PG Clock PreScaler", "", 1403),
    Combo(1434, 114, "User Output", "0"),
    Combo(1435, 114, "User Output", "1"),
    Combo(1436, 114, "User Output", "2"),
    Combo(1437, 114, "User Output", "3"),
    Combo(1438, 114, "Opt In Filter Selector", ""),
    Combo(1101, 114, "Line Source", "TTLOut1"),
    Combo(1346, 114, "Line Source", "TTLOut1"),
    Combo(1339, 114, "Line Source", "TTLOut2"),
    Combo(1347, 114, "Line Source", "TTLOut2"),
    Combo(1340, 114, "Line Source", "TTLOut3"),
    Combo(1348, 114, "Line Source", "TTLOut3"),
    Combo(1341, 114, "Line Source", "TTLOut4"),
    Combo(1349, 114, "Line Source", "TTLOut4"),
    Combo(1342, 114, "Line Source", "Nand0 In1"),
    Combo(1350, 114, "Line Source", "Nand0 In1"),
    Combo(1343, 114, "Line Source", "Nand0 In2"),
    Combo(1351, 114, "Line Source", "Nand0 In2"),
    Combo(1344, 114, "Line Source", "Nand1 In1"),
    Combo(1352, 114, "Line Source", "Nand1 In1"),
    Combo(1345, 114, "Line Source", "Nand1 In2"),
    Combo(1353, 114, "Line Source", "Nand1 In2"),

    // User E
    Combo(1439, 115, "Counter 0", "Source"),
    Combo(1440, 115, "Counter 0", "Activation"),
    Output(1443, 115, "Counter 0", "Value"),
    Output(1444, 115, "Counter 0", "Status"),
    Button(1441, 115, "Counter 0", "", "Reset"),
    Button(1442, 115, "Counter 0", "", "Read"),
    Combo(1445, 115, "Counter 1", "Source"),
    Combo(1446, 115, "Counter 1", "Activation"),
    Output(1449, 115, "Counter 1", "Value"),
    Output(1450, 115, "Counter 1", "Status"),
    Button(1447, 115, "Counter 1", "", "Reset"),
    Button(1448, 115, "Counter 1", "", "Read"),
    Combo(1451, 115, "Counter 2", "Source"),
    Combo(1452, 115, "Counter 2", "Activation"),
    Output(1455, 115, "Counter 2", "Value"),
    Output(1456, 115, "Counter 2", "Status"),
    Button(1453, 115, "Counter 2", "", "Reset"),
    Button(1454, 115, "Counter 2", "", "Read"),
    Combo(1457, 115, "Counter 3", "Source"),
    Combo(1458, 115, "Counter 3", "Activation"),
    Output(1461, 115, "Counter 3", "Value"),
    Output(1462, 115, "Counter 3", "Status"),
    Button(1459, 115, "Counter 3", "", "Reset"),
    Button(1460, 115, "Counter 3", "", "Read"),
    Combo(1194, 115, "Temperature", "Sensor"),
    Output(1049, 115, "Temperature", "Temperature"),
    Button(1125, 115, "Temperature", "Temperature", "Get"),
    Combo(1195, 115, "Sensor Select", ""),
    Combo(1290, 115, "Cable Emphasis", ""),
    Combo(1537, 115, "Swap B and R", ""),
    Combo(1538, 115, "Additional Infomation", ""),
    Combo(1576, 115, "Exposure Active Source", ""),

    // Factory A
    Button(1197, 117, "Pixel Gain Correction", "", "Recalibrate Pixel Gain"),
    Button(1198, 117, "Pixel Black Correction", "", "Recalibrate Pixel Black"),
    Edit(1240, 117, "Factory Black", "Red", 1241),
    Edit(1238, 117, "Factory Black", "Green", 1239),
    Edit(1242, 117, "Factory Black", "Blue", 1243),
    Edit(1255, 117, "Factory Gain", "Red", 1256),
    Edit(1250, 117, "Factory Gain", "Green", 1251),
    Edit(1257, 117, "Factory Gain", "Blue", 1258),
    Combo(1142, 117, "Camera Model", ""),
    Button(1014, 117, "Camera Model", "", "Set"),
    TextEdit(1178, 117, "XML Version", ""),
    TextEdit(1179, 117, "XML Version", ""),
    TextEdit(1180, 117, "XML Version", ""),
    Button(1181, 117, "XML Version", "", "Wirte"),
    Button(1182, 117, "XML Version", "", "Read"),
    Edit(1268, 117, "Factory Gain Type A", "Red", 1269),
    Edit(1266, 117, "Factory Gain Type A", "Green", 1267),
    Edit(1270, 117, "Factory Gain Type A", "Blue", 1271),
    Edit(1274, 117, "Factory Gain Type B", "Red", 1275),
    Edit(1272, 117, "Factory Gain Type B", "Green", 1273),
    Edit(1276, 117, "Factory Gain Type B", "Blue", 1277),
    Edit(1280, 117, "Factory Black Type A", "Red", 1281),
    Edit(1278, 117, "Factory Black Type A", "Green", 1279),
    Edit(1282, 117, "Factory Black Type A", "Blue", 1283),
    Edit(1286, 117, "Factory Black Type B", "Red", 1287),
    Edit(1284, 117, "Factory Black Type B", "Green", 1285),
    Edit(1288, 117, "Factory Black Type B", "Blue", 1289),
    Edit(1409, 117, "Preset Gain", "5000K", 1410),
    Edit(1411, 117, "Preset Gain", "5000K", 1412),
    Edit(1413, 117, "Preset Gain", "6500K", 1414),
    Edit(1415, 117, "Preset Gain", "6500K", 1416),
    Edit(1417, 117, "Preset Gain", "7500K", 1418),
    Edit(1419, 117, "Preset Gain", "7500K", 1420),
    Combo(1128, 117, "Boot Area Set", ""),
    Edit(1600, 117, "Factory Gain Adjust", "Red", 1601),
    Edit(1598, 117, "Factory Gain Adjust", "Green", 1599),
    Edit(1602, 117, "Factory Gain Adjust", "Blue", 1603),
    Edit(1606, 117, "Factory Gain Adjust A", "Red", 1607),
    Edit(1604, 117, "Factory Gain Adjust A", "Green", 1605),
    Edit(1608, 117, "Factory Gain Adjust A", "Blue", 1609),
    Edit(1612, 117, "Factory Gain Adjust B", "Red", 1613),
    Edit(1610, 117, "Factory Gain Adjust B", "Green", 1611),
    Edit(1614, 117, "Factory Gain Adjust B", "Blue", 1615),
    Edit(1633, 117, "Cable Emphasis", "Normal", 1634),
    Edit(1635, 117, "Cable Emphasis", "Medium", 1636),
    Edit(1637, 117, "Cable Emphasis", "Strong", 1638),
    Edit(1674, 117, "Others", "NR Threshold", 1675),
    Edit(1678, 117, "Chromatic Aberration Adjust", "Red", 1679),
    Edit(1680, 117, "Chromatic Aberration Adjust", "Green", 1681),
    Edit(1682, 117, "Chromatic Aberration Adjust", "Blue", 1683),
    Button(1010, 117, "", "", "Terminal"),
    Button(1012, 117, "", "", "Camera Reset"),
    Button(1021, 117, "", "", "Store All"),
};

// The gamma selector's caption is shown and hidden with it by the LUT mode, under its own id.
constexpr uint32_t kGammaControl = 1117;
constexpr uint32_t kGammaLabel = 1141;

struct Index {
    std::map<uint32_t, PageControl> byId;  // controls, spins, labels, groups
    std::map<uint32_t, uint32_t> buddies;  // spin -> edit
    std::vector<PageLayout> layouts;
    std::map<uint32_t, std::vector<std::string>> items;
};

// Group boxes of a page that hold no control of the tool; they stand on the page all the same,
// after the group named.
struct EmptyGroup {
    uint32_t page;
    const char* caption;
    const char* after;
};
constexpr EmptyGroup kEmptyGroups[] = {{113, "Tilted View Correction", "Encoder Control"}};

Index BuildIndex() {
    Index ix;
    uint32_t nextLabel = kLabelIdBase;
    uint32_t nextGroup = kGroupIdBase;
    for (const PageInfo& page : kPages) {
        PageLayout layout{page, {}};
        for (const PageControl& c : kControls) {
            if (c.page != page.templateId) continue;
            ix.byId.emplace(c.id, c);
            if (c.spinId != 0) {
                PageControl spin = c;
                spin.id = c.spinId;
                spin.type = CtrlType::Spin;
                spin.spinId = 0;
                ix.byId.emplace(spin.id, spin);
                ix.buddies.emplace(spin.id, c.id);
            }
            GroupLayout* group = nullptr;
            for (auto& g : layout.groups)
                if (g.caption == c.group) group = &g;
            if (group == nullptr) {
                const uint32_t groupId = c.group[0] == '\0' ? 0 : nextGroup++;
                layout.groups.push_back({groupId, c.group, {}});
                group = &layout.groups.back();
                if (groupId != 0)
                    ix.byId.emplace(
                        groupId, PageControl{groupId, page.templateId, c.group, "", CtrlType::Group, c.group, 0, true});
            }
            RowLayout* row = nullptr;
            if (c.label[0] != '\0')
                for (auto& r : group->rows)
                    if (r.label == c.label) row = &r;
            if (row == nullptr) {
                uint32_t labelId = 0;
                if (c.label[0] != '\0') labelId = c.id == kGammaControl ? kGammaLabel : nextLabel++;
                group->rows.push_back({labelId, c.label, {}});
                row = &group->rows.back();
                if (labelId != 0)
                    ix.byId.emplace(labelId, PageControl{labelId, page.templateId, c.group, c.label, CtrlType::Label,
                                                         c.label, 0, true});
            }
            row->controls.push_back(c.id);
        }
        for (const EmptyGroup& empty : kEmptyGroups) {
            if (empty.page != page.templateId) continue;
            auto at = std::find_if(layout.groups.begin(), layout.groups.end(),
                                   [&empty](const GroupLayout& g) { return g.caption == empty.after; });
            if (at != layout.groups.end()) ++at;
            const uint32_t groupId = nextGroup++;
            layout.groups.insert(at, GroupLayout{groupId, empty.caption, {}});
            ix.byId.emplace(groupId, PageControl{groupId, page.templateId, empty.caption, "", CtrlType::Group,
                                                 empty.caption, 0, true});
        }
        ix.layouts.push_back(std::move(layout));
    }
    for (uint32_t id : protocol::ComboControlIds())
        if (ix.byId.count(id) != 0) ix.items[id] = *protocol::ComboItems(id);
    // The model display is not a parameter list: its items are the two model names.
    ix.items[1142] = {"VR-8200-KB", "VR-8200-KA"};
    return ix;
}

const Index& TheIndex() {
    static const Index index = BuildIndex();
    return index;
}

}  // namespace

std::span<const PageInfo> Pages() {
    return kPages;
}

const PageInfo* FindPage(uint32_t templateId) {
    for (const PageInfo& p : kPages)
        if (p.templateId == templateId) return &p;
    return nullptr;
}

std::span<const PageControl> PageControls() {
    return kControls;
}

const PageControl* FindControl(uint32_t id) {
    const auto& byId = TheIndex().byId;
    auto it = byId.find(id);
    return it == byId.end() ? nullptr : &it->second;
}

CtrlType TypeOf(uint32_t id) {
    const PageControl* c = FindControl(id);
    return c == nullptr ? CtrlType::None : c->type;
}

bool IsPageControl(uint32_t id) {
    return FindControl(id) != nullptr;
}

uint32_t BuddyOf(uint32_t spinId) {
    const auto& buddies = TheIndex().buddies;
    auto it = buddies.find(spinId);
    return it == buddies.end() ? 0 : it->second;
}

uint32_t SpinOf(uint32_t editId) {
    const PageControl* c = FindControl(editId);
    return c != nullptr && c->type == CtrlType::Edit ? c->spinId : 0;
}

void RowSpinRange(uint32_t spinId, int32_t& minValue, int32_t& maxValue) {
    minValue = 0;
    maxValue = 100;
    const uint32_t edit = BuddyOf(spinId);
    if (edit == 0) return;
    const protocol::ParameterDef* defs = protocol::ParameterDefs();
    for (size_t i = 0; i < protocol::kParameterRowCount; ++i) {
        if (defs[i].ctrlId != edit || defs[i].controlKind != protocol::ControlKind::SpinEdit) continue;
        minValue = defs[i].minValue;
        maxValue = defs[i].maxValue;
        return;
    }
}

const std::vector<std::string>& TemplateItems(uint32_t id) {
    static const std::vector<std::string> kNone;
    const auto& items = TheIndex().items;
    auto it = items.find(id);
    return it == items.end() ? kNone : it->second;
}

const std::vector<PageLayout>& PageLayouts() {
    return TheIndex().layouts;
}

}  // namespace vr::ui
