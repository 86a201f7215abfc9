#pragma once
// The check of a campaign proof, a page or its sums file: every file it names hashed again and
// compared. The names are relative to the proof's working folder, the one above its report
// folder, wherever the check runs. The command line and the window both check with it.
#include <string>
#include <vector>

enum class ProofCheckOutcome {
    kChecked,     // lines says how each file is; allSame whether all are unchanged
    kUnreadable,  // the proof itself cannot be read: problem gives the system's reason
    kNotAProof,   // cut short, without evidence, or another file: problem says which
};

struct ProofCheck {
    ProofCheckOutcome outcome = ProofCheckOutcome::kUnreadable;
    std::string problem;             // UTF-8
    std::vector<std::string> lines;  // UTF-8, one a file: "v pořádku: ...", "změněn: ...", ...
    bool allSame = false;
};

// The folder a proof's names start from: the one above its report folder. "" for the current
// one, else ending in a separator.
std::string ProofWorkingFolder(const std::string& proof);
// A name that does not start from the working folder.
bool IsAbsoluteProofPath(const std::string& path);

// path is Windows-1250; a path ending in ".sha256" is read as a sums file.
[[nodiscard]] ProofCheck CheckProof(const std::string& path);
