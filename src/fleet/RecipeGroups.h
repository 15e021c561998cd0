#pragma once
// The groups a recipe or a comparison can be narrowed to: the group boxes the pages show the
// settings in ("gain-and-black" for "Gain and Black", "white-balance", "pulse-generator-0", ...),
// and three that cut across them and are left out unless named:
//   identity     the camera's model name ("MD00" in a factory settings file)
//   factory      every factory row (the "Factory A" page)
//   calibration  what the white balance, exposure white balance and gain auto leave in each camera
//                (the gains "GAR", "GAG", "GAB" and the exposure times "PER", "PEB")
// so that one product's recipe can go to every camera without overwriting what makes each camera
// itself.

#include <set>
#include <string>
#include <vector>

namespace vr::fleet {

inline constexpr const char* kIdentityGroup = "identity";
inline constexpr const char* kFactoryGroup = "factory";
inline constexpr const char* kCalibrationGroup = "calibration";

// Every group name, the three above first, then the group boxes in page order.
std::vector<std::string> GroupNames();
// The groups a setting (by its mnemonic) belongs to; empty for a name no settings file carries.
std::vector<std::string> GroupsOf(const std::string& mnemonic);
// The mnemonics a group holds, in table order.
std::vector<std::string> GroupMembers(const std::string& group);

class GroupSelection {
public:
    // Everything but identity, factory rows and calibration results.
    GroupSelection() = default;
    // `only` (none: every group) narrowed by `except`. The three groups left out by default are in only
    // when `only` names them. False, with `why`, for a name that is no group.
    static bool Make(const std::vector<std::string>& only, const std::vector<std::string>& except,
                     GroupSelection& selection, std::string& why);

    // Whether a settings line or a difference of this name is part of the work.
    bool Takes(const std::string& mnemonic) const;
    // "every group but identity, factory, calibration", or the groups named.
    std::string Describe() const;

private:
    std::set<std::string> only_;
    std::set<std::string> except_ = {kIdentityGroup, kFactoryGroup, kCalibrationGroup};
};

}  // namespace vr::fleet
