// verify: hashes again the files a campaign page or its sums file names, to show the figures
// still rest on them.
#include <cstdio>
#include <string>

#include "base/cp1250.h"
#include "cli/commands.h"
#include "reports/evidence_check.h"

int RunVerify(const Arguments& args) {
    if (args.size() != 1 || (args[0].size() > 1 && args[0][0] == '-')) {
        return UsageError("verify takes the path of a campaign page or of its .sha256 file");
    }
    const std::string shown = Cp1250ToUtf8(args[0]);
    const ProofCheck check = CheckProof(args[0]);
    switch (check.outcome) {
        case ProofCheckOutcome::kUnreadable:
            return Failure("cannot read " + shown + ": " + check.problem);
        case ProofCheckOutcome::kNotAProof:
            std::fprintf(stderr, "kvimeter-cli: %s %s\n", shown.c_str(), check.problem.c_str());
            return kExitUsage;
        case ProofCheckOutcome::kChecked:
            break;
    }
    std::string output;
    for (const std::string& line : check.lines) {
        output += line + "\n";
    }
    std::fputs(output.c_str(), stdout);
    return check.allSame ? kExitOk : kExitFailure;
}
