// Each input read as a campaign page and as a sums file: never a crash, an outcome that agrees
// with the files read, and every file read written out again and read back the same; the record
// of what the proof was made from, where one reads, written out and read back the same.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/cp1250.h"
#include "reports/html_escape.h"
#include "reports/proof_files.h"
#include "reports/proof_settings.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A name with a byte the code page leaves undefined has no UTF-8 of its own, so no sums line
// can name it; the system could not open such a file by that name either.
bool SumsCanName(const std::vector<ProofFile>& files) {
    return std::all_of(files.begin(), files.end(), [](const ProofFile& file) {
        return std::all_of(file.path.begin(), file.path.end(), [](char c) {
            return Cp1250ToUnicode(static_cast<unsigned char>(c)) != 0xFFFD;
        });
    });
}

void CheckFiles(const ProofFiles& proof) {
    Require((proof.outcome == ProofReading::kRead) == !proof.files.empty());
    for (const ProofFile& file : proof.files) {
        Require(file.sha256.size() == 64 && !file.path.empty());
        std::string back;
        Require(HtmlAttributeText(HtmlAttribute(file.path), back) && back == file.path);
    }
    if (proof.files.empty() || !SumsCanName(proof.files)) {
        return;
    }
    // As the sums file beside the page would list them.
    const ProofFiles listed = ReadSumsFile(SumsFileText(proof.files));
    Require(listed.outcome == ProofReading::kRead && listed.files.size() == proof.files.size());
    for (size_t i = 0; i < listed.files.size(); ++i) {
        std::string path = proof.files[i].path;
        std::replace(path.begin(), path.end(), '\\', '/');
        Require(listed.files[i].path == path && listed.files[i].sha256 == proof.files[i].sha256);
    }
}

void CheckSettings(std::string_view bytes) {
    const std::optional<ProofSettings> read = FindProofSettings(bytes);
    if (!read) {
        return;
    }
    const std::optional<ProofSettings> back = ParseProofSettings(ProofSettingsJson(*read));
    Require(back && ProofSettingsJson(*back) == ProofSettingsJson(*read));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckFiles(ReadProofPage(bytes));
    CheckFiles(ReadSumsFile(bytes));
    CheckSettings(bytes);
    return 0;
}
