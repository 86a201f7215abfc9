#pragma once
// SHA-256 of the files a proof rests on, from the platform's own crypto library, so that anyone
// can check a figure with `certutil -hashfile FILE SHA256` or `sha256sum`.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

using Sha256Digest = std::array<uint8_t, 32>;

class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Update(const void* bytes, size_t size);
    // The digest of everything given so far; the object is spent after it.
    Sha256Digest Finish();
    // The same, and the object starts over: for many short texts, each its own digest.
    Sha256Digest FinishAndRestart();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// 64 lower-case hex digits, as sha256sum and certutil print them.
std::string HexDigest(const Sha256Digest& digest);

Sha256Digest Sha256Of(std::string_view bytes);

// The digest of the first `limit` bytes of a file (all of it when it is shorter), and how many
// bytes the file has in all. False when the file cannot be read.
struct FileDigest {
    Sha256Digest digest;
    uint64_t hashedSize;  // min(limit, file size)
    uint64_t fileSize;
};
bool DigestFilePrefix(const char* path, uint64_t limit, FileDigest& result);
