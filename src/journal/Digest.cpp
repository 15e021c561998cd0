#include "journal/Digest.h"

#include <nettle/sha2.h>

namespace vr::journal {

std::string Sha256Hex(const std::string& bytes) {
    sha256_ctx ctx;
    sha256_init(&ctx);
    sha256_update(&ctx, bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data()));
    uint8_t digest[SHA256_DIGEST_SIZE];
    sha256_digest(&ctx, sizeof digest, digest);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * sizeof digest);
    for (const uint8_t b : digest) {
        hex += kHex[b >> 4];
        hex += kHex[b & 0x0f];
    }
    return hex;
}

std::string TableDigest(const std::vector<int32_t>& values) {
    std::string text;
    text.reserve(values.size() * 6);
    for (const int32_t v : values) text += std::to_string(v) + "\n";
    return Sha256Hex(text);
}

}  // namespace vr::journal
