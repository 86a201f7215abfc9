#include "reports/evidence_check.h"

#include "base/cp1250.h"
#include "digest/sha256.h"

bool CheckNamedFile(const NamedFile& file, std::string& line) {
    const std::string path = Cp1250ToUtf8(file.path);
    FileDigest found{};
    if (!DigestFilePrefix(file.path.c_str(), file.size, found)) {
        line = "chybí nebo nelze číst: " + path;
        return false;
    }
    const bool prefixSame = found.hashedSize == file.size && HexDigest(found.digest) == file.sha256;
    if (prefixSame && found.fileSize == file.size) {
        line = "v pořádku: " + path;
        return true;
    }
    if (prefixSame) {
        line = "změněn: " + path + " (prvních " + std::to_string(file.size) +
               " B beze změny, za nimi " + std::to_string(found.fileSize - file.size) +
               " B připsaných)";
    } else if (found.fileSize < file.size) {
        line = "změněn: " + path + " (má " + std::to_string(found.fileSize) + " B, stránka uvádí " +
               std::to_string(file.size) + " B)";
    } else {
        line = "změněn: " + path + " (SHA-256 se liší)";
    }
    return false;
}
