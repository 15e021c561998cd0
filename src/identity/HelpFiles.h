#pragma once
// The documents the device information dialog offers: the PDF help files that lie in the working
// folder, and the tool's own documentation behind its link.

#include <string>
#include <vector>

namespace vr::identity {

// The names of the ordinary files "*.pdf" in the folder, sorted by name. A manual copied from a
// system whose names ignore case keeps its ".PDF"; folders and other special files are left out.
// Empty when the folder cannot be read.
std::vector<std::string> ListHelpFiles(const std::string& folder);

// The first of the candidate documents that exists as an ordinary file; the first candidate when
// none does (opening it then tells the operator), empty when there are none.
std::string ChooseDocumentation(const std::vector<std::string>& candidates);

}  // namespace vr::identity
