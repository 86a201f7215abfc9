// verify: hashes again the files a campaign page names, to show the figures still rest on them.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/cp1250.h"
#include "cli/commands.h"
#include "digest/sha256.h"

namespace {

struct NamedFile {
    std::string path;  // Windows-1250
    uint64_t size;
    std::string sha256;
};

std::string Unescape(std::string_view html) {
    static constexpr std::pair<std::string_view, char> kReferences[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}};
    std::string text;
    for (size_t i = 0; i < html.size(); ++i) {
        bool replaced = false;
        for (const auto& [reference, c] : kReferences) {
            if (html.substr(i, reference.size()) == reference) {
                text += c;
                i += reference.size() - 1;
                replaced = true;
                break;
            }
        }
        if (!replaced && html.substr(i, 6) == "&nbsp;") {
            text += "\xC2\xA0";
            i += 5;
        } else if (!replaced) {
            text += html[i];
        }
    }
    return text;
}

std::string Attribute(std::string_view row, std::string_view name) {
    const std::string key = std::string(name) + "=\"";
    const size_t start = row.find(key);
    if (start == std::string_view::npos) {
        return "";
    }
    const size_t end = row.find('"', start + key.size());
    return std::string(row.substr(start + key.size(), end - start - key.size()));
}

// The rows of the page's evidence table: <tr data-file=".." data-size=".." data-sha256="..">.
std::vector<NamedFile> NamedFiles(const std::string& page) {
    std::vector<NamedFile> files;
    for (size_t at = page.find("<tr data-file=\""); at != std::string::npos;
         at = page.find("<tr data-file=\"", at + 1)) {
        const std::string_view row(page.data() + at, page.find('>', at) - at);
        const std::string size = Attribute(row, "data-size");
        const std::string sha256 = Attribute(row, "data-sha256");
        if (size.empty() || size.find_first_not_of("0123456789") != std::string::npos ||
            sha256.size() != 64) {
            continue;
        }
        files.push_back({Utf8ToCp1250(Unescape(Attribute(row, "data-file"))),
                         std::strtoull(size.c_str(), nullptr, 10), sha256});
    }
    return files;
}

// One line about the file; true when it is as the page says.
bool Check(const NamedFile& file, std::string& line) {
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

}  // namespace

int RunVerify(const Arguments& args) {
    if (args.size() != 1 || (args[0].size() > 1 && args[0][0] == '-')) {
        return UsageError("verify takes the path of a campaign page");
    }
    std::FILE* file = std::fopen(args[0].c_str(), "rb");
    if (file == nullptr) {
        return Failure("cannot read " + args[0]);
    }
    std::string page;
    char block[65536];
    for (size_t got = 0; (got = std::fread(block, 1, sizeof block, file)) > 0;) {
        page.append(block, got);
    }
    std::fclose(file);
    const std::vector<NamedFile> files = NamedFiles(page);
    if (files.empty()) {
        return Failure(args[0] + " names no files with their SHA-256: not a campaign page");
    }
    bool allSame = true;
    std::string output;
    for (const NamedFile& named : files) {
        std::string line;
        allSame = Check(named, line) && allSame;
        output += line + "\n";
    }
    std::fputs(output.c_str(), stdout);
    return allSame ? kExitOk : kExitFailure;
}
