// verify: hashes again the files a campaign page or its sums file names, to show the figures
// still rest on them; with --recount also counts the campaign again from them.
#include <cstdio>
#include <string>

#include "base/cp1250.h"
#include "cli/commands.h"
#include "reports/evidence_check.h"
#include "reports/recount.h"

namespace {

constexpr Cp1250Literal kTakesAPath{
    "verify potřebuje cestu ke stránce důkazu kampaně nebo k jejímu souboru .sha256"};
// The window's words.
constexpr Cp1250Literal kCannotReadProof{"Důkaz nelze přečíst: "};

// The one path, and whether --recount was given before or after it.
bool ParseVerifyArguments(const Arguments& args, std::string& path, bool& recount) {
    recount = false;
    path.clear();
    for (const std::string& arg : args) {
        if (arg == "--recount") {
            recount = true;
        } else if ((arg.size() > 1 && arg[0] == '-') || !path.empty()) {
            return false;
        } else {
            path = arg;
        }
    }
    return !path.empty();
}

}  // namespace

ExitStatus RunVerify(const Arguments& args) {
    std::string path;
    bool recount = false;
    if (!ParseVerifyArguments(args, path, recount)) {
        return UsageError(kTakesAPath.str());
    }
    const ProofCheck check = CheckProof(path);
    switch (check.outcome) {
        case ProofCheckOutcome::kUnreadable:
            return Failure(kCannotReadProof.str() + path + ": " + Utf8ToCp1250(check.problem));
        case ProofCheckOutcome::kNotAProof:
            Note(path + " " + Utf8ToCp1250(check.problem));
            return ExitStatus::kUsage;
        case ProofCheckOutcome::kChecked:
            break;
    }
    std::string output;
    for (const std::string& line : check.lines) {
        output += line + "\n";
    }
    bool agrees = true;
    if (recount) {
        const ProofRecount again = RecountProof(path);
        for (const std::string& line : again.lines) {
            output += line + "\n";
        }
        agrees = again.agrees;
    }
    std::fputs(output.c_str(), stdout);
    return check.allSame && agrees ? ExitStatus::kOk : ExitStatus::kFailure;
}
