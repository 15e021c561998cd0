#include "fleet/RecipeGroups.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"

namespace vr::fleet {
namespace {

// Settings that stand in a group box of their own on the pages, without a caption in the table.
const std::map<std::string, std::string> kOwnBox = {
    {"LR", "Line Rate"},
    {"AGCF", "Gain and Black"},
    {"SCB", "Cable Emphasis"},
    {"SWBR", "Swap B and R"},
    {"ADDI", "Additional Information"},
    {"EAS", "Exposure Active Source"},
    {"STP", "Sensor Select"},
    {"CACS", "Chromatic Aberration Correction"},
    {"PGDEV", "PG Clock PreScaler"},
    {"OPTFL", "Opt In Filter Selector"},
};

// What the one-push white balance, exposure white balance and gain auto leave in each camera.
const std::set<std::string> kCalibrationResults = {"GAR", "GAG", "GAB", "PER", "PEB"};

// "Color Matrix ( User Custom )" -> "color-matrix-user-custom".
std::string Slug(const std::string& caption) {
    std::string slug;
    for (const unsigned char c : caption) {
        if (std::isalnum(c))
            slug += static_cast<char>(std::tolower(c));
        else if (!slug.empty() && slug.back() != '-')
            slug += '-';
    }
    while (!slug.empty() && slug.back() == '-') slug.pop_back();
    return slug;
}

struct Groups {
    std::vector<std::string> names;                             // in order
    std::map<std::string, std::vector<std::string>> ofSetting;  // mnemonic -> groups
    std::map<std::string, std::vector<std::string>> members;    // group -> mnemonics
    void Add(const std::string& mnemonic, const std::string& group) {
        if (std::find(names.begin(), names.end(), group) == names.end()) names.push_back(group);
        ofSetting[mnemonic].push_back(group);
        members[group].push_back(mnemonic);
    }
};

const Groups& AllGroups() {
    static const Groups groups = [] {
        Groups g;
        g.names = {kIdentityGroup, kFactoryGroup, kCalibrationGroup};
        g.Add("MD00", kIdentityGroup);
        const protocol::ParameterDef* defs = protocol::ParameterDefs();
        for (size_t i = 0; i < protocol::kParameterRowCount; ++i) {
            const protocol::ParameterDef& def = defs[i];
            if (!def.inSettingsFile) continue;
            const std::string name = protocol::GetCommandName(def.cmdId);
            if (name.empty()) continue;
            const auto own = kOwnBox.find(name);
            const std::string box = own != kOwnBox.end() ? own->second : def.group;
            if (!box.empty()) g.Add(name, Slug(box));
            if (def.area == protocol::ParamArea::Factory) g.Add(name, kFactoryGroup);
            if (kCalibrationResults.count(name) != 0) g.Add(name, kCalibrationGroup);
        }
        return g;
    }();
    return groups;
}

bool IsGroup(const std::string& name) {
    const auto& names = AllGroups().names;
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string Join(const std::set<std::string>& names) {
    std::string text;
    for (const auto& n : names) text += (text.empty() ? "" : ", ") + n;
    return text;
}

}  // namespace

std::vector<std::string> GroupNames() {
    return AllGroups().names;
}

std::vector<std::string> GroupsOf(const std::string& mnemonic) {
    const auto& of = AllGroups().ofSetting;
    const auto it = of.find(mnemonic);
    return it == of.end() ? std::vector<std::string>{} : it->second;
}

std::vector<std::string> GroupMembers(const std::string& group) {
    const auto& members = AllGroups().members;
    const auto it = members.find(group);
    return it == members.end() ? std::vector<std::string>{} : it->second;
}

bool GroupSelection::Make(const std::vector<std::string>& only, const std::vector<std::string>& except,
                          GroupSelection& selection, std::string& why) {
    GroupSelection made;
    for (const auto* list : {&only, &except}) {
        for (const std::string& name : *list) {
            if (!IsGroup(name)) {
                why = "no group is named \"" + name + "\"";
                return false;
            }
        }
    }
    made.only_.insert(only.begin(), only.end());
    for (const std::string& name : only) made.except_.erase(name);
    made.except_.insert(except.begin(), except.end());
    selection = made;
    return true;
}

bool GroupSelection::Takes(const std::string& mnemonic) const {
    const std::vector<std::string> groups = GroupsOf(mnemonic);
    if (groups.empty()) return false;
    for (const std::string& g : groups)
        if (except_.count(g) != 0) return false;
    if (only_.empty()) return true;
    return std::any_of(groups.begin(), groups.end(), [&](const std::string& g) { return only_.count(g) != 0; });
}

std::string GroupSelection::Describe() const {
    if (only_.empty()) return "every group but " + Join(except_);
    std::string text = Join(only_);
    std::set<std::string> cut;
    for (const auto& e : except_)
        if (only_.count(e) == 0 && e != kIdentityGroup && e != kFactoryGroup && e != kCalibrationGroup) cut.insert(e);
    return cut.empty() ? text : text + " but " + Join(cut);
}

}  // namespace vr::fleet
