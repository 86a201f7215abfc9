#include "campaign/issuer.h"

#include <algorithm>
#include "campaign/operator_table.h"

namespace {

std::string_view Trimmed(std::string_view line) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && blank(line.front())) {
        line.remove_prefix(1);
    }
    while (!line.empty() && blank(line.back())) {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace

std::vector<std::string> ParseIssuer(std::string_view bytes) {
    const std::string text = OperatorTextToCp1250(bytes);
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = Trimmed(std::string_view(text).substr(start, end - start));
        if (!line.empty() && line.front() != '#') {
            lines.emplace_back(line);
        }
        start = end + 1;
    }
    return lines;
}
