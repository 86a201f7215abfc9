#pragma once
// The files a campaign proof rests on: written as a sums file that `sha256sum -c` checks, and
// read back, from that file or from the proof's page, to be hashed again.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ProofFile {
    std::string path;              // Windows-1250, relative to the proof's working folder
    std::optional<uint64_t> size;  // the bytes hashed; a page gives it, a sums file does not
    std::string sha256;            // 64 lower-case hex digits
};

enum class ProofReading {
    kRead,
    kNotAProof,  // not a campaign page, or not a sums file
    kCut,        // ends before its list of files does
    kNoFiles,    // names no file
    kDamaged,    // an entry that cannot be read; line says where
};

struct ProofFiles {
    ProofReading outcome = ProofReading::kNotAProof;
    std::vector<ProofFile> files;
    size_t line = 0;  // kDamaged: the line of the entry, from 1
};

// One line per file, CR LF: the hash, two spaces and the path in UTF-8 with "/".
std::string SumsFileText(const std::vector<ProofFile>& files);

// The evidence rows of a page that CampaignPage wrote.
[[nodiscard]] ProofFiles ReadProofPage(std::string_view page);
// A sums file as SumsFileText writes it or sha256sum prints it ("hash  path" or "hash *path");
// lines that start with "#" are comments.
[[nodiscard]] ProofFiles ReadSumsFile(std::string_view text);
