#pragma once
// The check of one file that a campaign page names as evidence: hashed again and compared.
#include <cstdint>
#include <string>

struct NamedFile {
    std::string path;  // Windows-1250
    uint64_t size;
    std::string sha256;
};

// One line about the file (UTF-8: "v pořádku: ...", "změněn: ...", "chybí nebo nelze číst: ...");
// true when it is as the page says.
bool CheckNamedFile(const NamedFile& file, std::string& line);
