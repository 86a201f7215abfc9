#include "reports/page_evidence.h"

#include <cstdlib>
#include <string_view>
#include <utility>

#include "base/cp1250.h"

namespace {

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

}  // namespace

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
