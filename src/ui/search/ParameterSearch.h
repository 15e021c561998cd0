#pragma once
// Finding a parameter among the two hundred on the pages by what the operator remembers of it: its
// caption ("gain"), its camera command ("GA") or its control id ("1041").

#include <cstdint>
#include <string>
#include <vector>

namespace vr::ui {

struct SearchEntry {
    uint32_t ctrlId;
    std::string caption;   // the caption beside the control
    std::string mnemonic;  // the camera command it sends
    int pageIndex;         // position in the page array
    std::string page;      // the page's tab title
    std::string group;     // the group box it stands in; empty for a control on the page itself
};

// How well an entry matches; lower is better.
enum class MatchRank : int {
    ExactMnemonic = 0,      // "ga" finds "GA"
    ExactControlId = 1,     // "1041"
    CaptionStart = 2,       // the caption begins with the query: "gain" in "Gain All"
    CaptionWordStarts = 3,  // every word of the query begins a word of the caption: "time r" in "Exposure Time R"
    MnemonicStart = 4,      // "ga" in "GAR"
    ControlIdStart = 5,     // "104" in "1041"
    GroupWordStarts = 6,    // the words begin words of the group and caption together: "black red"
    CaptionContains = 7,    // anywhere in the caption: "gain" in "Again"
};

struct SearchMatch {
    const SearchEntry* entry;
    MatchRank rank;
};

// Every parameter row that stands on one of the pages, in table order.
const std::vector<SearchEntry>& SearchableParameters();

// The entries that match `query` (case does not matter, blanks around words neither), best first and
// in the given order within a rank, at most `limit`. An empty query matches nothing.
std::vector<SearchMatch> FindParameters(const std::string& query, const std::vector<const SearchEntry*>& entries,
                                        size_t limit = 50);

}  // namespace vr::ui
