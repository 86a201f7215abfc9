// verify: hashes again the files a campaign page or its sums file names, to show the figures
// still rest on them.
#include <cstdio>
#include <string>

#include "base/cp1250.h"
#include "cli/commands.h"
#include "reports/evidence_check.h"

namespace {

constexpr Cp1250Literal kTakesAPath{
    "verify potřebuje cestu ke stránce důkazu kampaně nebo k jejímu souboru .sha256"};
// The window's words.
constexpr Cp1250Literal kCannotReadProof{"Důkaz nelze přečíst: "};

}  // namespace

ExitStatus RunVerify(const Arguments& args) {
    if (args.size() != 1 || (args[0].size() > 1 && args[0][0] == '-')) {
        return UsageError(kTakesAPath.str());
    }
    const ProofCheck check = CheckProof(args[0]);
    switch (check.outcome) {
        case ProofCheckOutcome::kUnreadable:
            return Failure(kCannotReadProof.str() + args[0] + ": " + Utf8ToCp1250(check.problem));
        case ProofCheckOutcome::kNotAProof:
            Note(args[0] + " " + Utf8ToCp1250(check.problem));
            return ExitStatus::kUsage;
        case ProofCheckOutcome::kChecked:
            break;
    }
    std::string output;
    for (const std::string& line : check.lines) {
        output += line + "\n";
    }
    std::fputs(output.c_str(), stdout);
    return check.allSame ? ExitStatus::kOk : ExitStatus::kFailure;
}
