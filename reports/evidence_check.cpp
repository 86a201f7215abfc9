#include "reports/evidence_check.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/cp1250.h"
#include "base/system_files.h"
#include "digest/sha256.h"
#include "reports/proof_files.h"
#include "reports/report_paths.h"

namespace {

bool EndsWith(const std::string& text, std::string_view end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool IsSeparator(char c) {
    return c == '/' || c == kReportPathSeparator;
}

}  // namespace

bool IsAbsoluteProofPath(const std::string& path) {
    return (!path.empty() && IsSeparator(path[0])) || (path.size() > 1 && path[1] == ':');
}

std::string ProofWorkingFolder(const std::string& proof) {
    size_t cut = proof.size();
    while (cut > 0 && !IsSeparator(proof[cut - 1])) {
        --cut;
    }
    std::string folder = proof.substr(0, cut);  // with its separator, or ""
    if (folder.empty()) {
        return std::filesystem::current_path().filename() == "report"
                   ? ".." + std::string(1, kReportPathSeparator)
                   : "";
    }
    size_t nameStart = folder.size() - 1;
    while (nameStart > 0 && !IsSeparator(folder[nameStart - 1])) {
        --nameStart;
    }
    const std::string name = folder.substr(nameStart, folder.size() - 1 - nameStart);
    return name == "report" ? folder.substr(0, nameStart) : folder;
}

namespace {

// Why the proof cannot be checked, in words; empty when its files were read.
std::string ProblemOf(const ProofFiles& proof, bool sumsFile) {
    switch (proof.outcome) {
        case ProofReading::kRead:
            return "";
        case ProofReading::kNotAProof:
            return sumsFile ? "není soubor součtů (na každém řádku součet, dvě mezery a cesta)"
                            : "není stránka důkazu kampaně: nemá oddíl s důkazy";
        case ProofReading::kCut:
            return "je zkrácen: jeho seznam souborů nekončí";
        case ProofReading::kNoFiles:
            return "neuvádí žádné soubory s jejich SHA-256";
        case ProofReading::kDamaged:
            return "nelze přečíst na řádku " + std::to_string(proof.line) +
                   ": položka jeho seznamu souborů je poškozena";
    }
    return "";
}

// One line about the file; true when it is as the proof says.
bool Check(const ProofFile& file, const std::string& folder, std::string& line) {
    const std::string where = IsAbsoluteProofPath(file.path) ? file.path : folder + file.path;
    const std::string path = Cp1250ToUtf8(file.path);
    FileDigest found{};
    if (!DigestFilePrefix(where.c_str(), file.size.value_or(UINT64_MAX), found)) {
        line = "chybí nebo nelze číst: " + path;
        return false;
    }
    const uint64_t size = file.size.value_or(found.fileSize);
    const bool prefixSame = found.hashedSize == size && HexDigest(found.digest) == file.sha256;
    if (prefixSame && found.fileSize == size) {
        line = "v pořádku: " + path;
        return true;
    }
    if (prefixSame) {
        line = "změněn: " + path + " (prvních " + std::to_string(size) + " B beze změny, za nimi " +
               std::to_string(found.fileSize - size) + " B připsaných)";
    } else if (found.fileSize < size) {
        line = "změněn: " + path + " (má " + std::to_string(found.fileSize) + " B, stránka uvádí " +
               std::to_string(size) + " B)";
    } else {
        line = "změněn: " + path + " (SHA-256 se liší)";
    }
    return false;
}

}  // namespace

ProofCheck CheckProof(const std::string& path) {
    ProofCheck check;
    std::string bytes;
    std::string reason;
    if (!ReadWholeFile(path, bytes, reason)) {
        check.outcome = ProofCheckOutcome::kUnreadable;
        check.problem = Cp1250ToUtf8(reason);
        return check;
    }
    const bool sumsFile = EndsWith(path, ".sha256");
    const ProofFiles proof = sumsFile ? ReadSumsFile(bytes) : ReadProofPage(bytes);
    check.problem = ProblemOf(proof, sumsFile);
    if (!check.problem.empty()) {
        check.outcome = ProofCheckOutcome::kNotAProof;
        return check;
    }
    check.outcome = ProofCheckOutcome::kChecked;
    const std::string folder = ProofWorkingFolder(path);
    check.allSame = true;
    for (const ProofFile& file : proof.files) {
        std::string line;
        check.allSame = Check(file, folder, line) && check.allSame;
        check.lines.push_back(line);
    }
    return check;
}
