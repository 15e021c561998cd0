#include "ui/search/ParameterSearch.h"

#include <algorithm>
#include <optional>

#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"
#include "ui/main/PageInventory.h"

namespace vr::ui {
namespace {

std::string Lower(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool IsWordCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Words of letters and digits; "B/Shading" is two words and "( User Custom )" two as well.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (IsWordCharacter(c)) {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Whether each query word begins a different word of `words`, in any order.
bool EachBeginsAWord(const std::vector<std::string>& query, std::vector<std::string> words) {
    for (const std::string& q : query) {
        const auto hit =
            std::find_if(words.begin(), words.end(), [&q](const std::string& w) { return StartsWith(w, q); });
        if (hit == words.end()) return false;
        words.erase(hit);
    }
    return true;
}

std::optional<MatchRank> Rank(const SearchEntry& e, const std::string& query, const std::vector<std::string>& words) {
    const std::string mnemonic = Lower(e.mnemonic);
    const std::string caption = Lower(e.caption);
    const std::string id = std::to_string(e.ctrlId);
    if (!mnemonic.empty() && query == mnemonic) return MatchRank::ExactMnemonic;
    if (query == id) return MatchRank::ExactControlId;
    if (StartsWith(caption, query)) return MatchRank::CaptionStart;
    const std::vector<std::string> captionWords = Words(caption);
    if (EachBeginsAWord(words, captionWords)) return MatchRank::CaptionWordStarts;
    if (!mnemonic.empty() && StartsWith(mnemonic, query)) return MatchRank::MnemonicStart;
    if (StartsWith(id, query)) return MatchRank::ControlIdStart;
    std::vector<std::string> both = Words(Lower(e.group));
    both.insert(both.end(), captionWords.begin(), captionWords.end());
    if (EachBeginsAWord(words, both)) return MatchRank::GroupWordStarts;
    if (caption.find(query) != std::string::npos) return MatchRank::CaptionContains;
    return std::nullopt;
}

std::vector<SearchEntry> BuildEntries() {
    std::vector<SearchEntry> entries;
    const protocol::ParameterDef* defs = protocol::ParameterDefs();
    for (size_t i = 0; i < protocol::kParameterRowCount; ++i) {
        const protocol::ParameterDef& d = defs[i];
        const PageInfo* page = FindPage(d.layout);
        if (page == nullptr || !IsPageControl(d.ctrlId)) continue;  // rows of templates that are no page
        entries.push_back({d.ctrlId, d.label, protocol::GetCommandName(d.cmdId), page->index, page->title, d.group});
    }
    return entries;
}

}  // namespace

const std::vector<SearchEntry>& SearchableParameters() {
    static const std::vector<SearchEntry> kEntries = BuildEntries();
    return kEntries;
}

std::vector<SearchMatch> FindParameters(const std::string& query, const std::vector<const SearchEntry*>& entries,
                                        size_t limit) {
    std::vector<std::string> words = Words(Lower(query));
    std::vector<SearchMatch> matches;
    if (words.empty()) return matches;
    // Blanks inside the query count once, so "gain  all" is "gain all".
    std::string normalised;
    for (const std::string& w : words) normalised += (normalised.empty() ? "" : " ") + w;
    for (const SearchEntry* e : entries)
        if (const auto rank = Rank(*e, normalised, words)) matches.push_back({e, *rank});
    std::stable_sort(matches.begin(), matches.end(),
                     [](const SearchMatch& a, const SearchMatch& b) { return a.rank < b.rank; });
    if (matches.size() > limit) matches.resize(limit);
    return matches;
}

}  // namespace vr::ui
