#pragma once
// The digest the journal keeps of a file or a table: SHA-256 as 64 lower-case hex digits, so that a
// file loaded twice, or a table written again, is seen to be the same.

#include <cstdint>
#include <string>
#include <vector>

namespace vr::journal {

std::string Sha256Hex(const std::string& bytes);
// A table's values as decimal numbers, one a line, then digested: the same for the same table
// whatever machine wrote it.
std::string TableDigest(const std::vector<int32_t>& values);

}  // namespace vr::journal
