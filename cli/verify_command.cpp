// verify: hashes again the files a campaign page names, to show the figures still rest on them.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/cp1250.h"
#include "cli/commands.h"
#include "reports/evidence_check.h"
#include "reports/page_evidence.h"

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
        allSame = CheckNamedFile(named, line) && allSame;
        output += line + "\n";
    }
    std::fputs(output.c_str(), stdout);
    return allSame ? kExitOk : kExitFailure;
}
