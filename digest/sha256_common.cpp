#include <cstdio>
#include <vector>

#include "digest/sha256.h"

#include "base/system_files.h"

std::string HexDigest(const Sha256Digest& digest) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const uint8_t byte : digest) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

Sha256Digest Sha256Of(std::string_view bytes) {
    Sha256 hash;
    hash.Update(bytes.data(), bytes.size());
    return hash.Finish();
}

bool DigestFilePrefix(const char* path, uint64_t limit, FileDigest& result) {
    std::FILE* file = OpenFile(path, "rb");
    if (file == nullptr) {
        return false;
    }
    Sha256 hash;
    std::vector<char> block(size_t{1} << 20);
    uint64_t total = 0;
    uint64_t hashed = 0;
    size_t got = 0;
    while ((got = std::fread(block.data(), 1, block.size(), file)) > 0) {
        const uint64_t take = hashed < limit ? std::min<uint64_t>(got, limit - hashed) : 0;
        hash.Update(block.data(), static_cast<size_t>(take));
        hashed += take;
        total += got;
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    result = {hash.Finish(), hashed, total};
    return !failed;
}
