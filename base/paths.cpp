#include "base/paths.h"

#include "base/system_files.h"

#include <sys/stat.h>

namespace {

template <class Char>
std::basic_string_view<Char> LastComponent(std::basic_string_view<Char> path) {
    constexpr Char kSeparators[] = {Char('\\'), Char('/'), Char(0)};
    size_t start = path.size() >= 2 && path[1] == Char(':') ? 2 : 0;  // the drive
    const size_t separator = path.find_last_of(kSeparators);
    if (separator != path.npos && separator + 1 > start) {
        start = separator + 1;
    }
    return path.substr(start);
}

}  // namespace

std::string_view NameWithoutFolders(std::string_view path) {
    return LastComponent(path);
}

std::wstring_view NameWithoutFolders(std::wstring_view path) {
    return LastComponent(path);
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return StatPath(path, info) == 0 && S_ISDIR(info.st_mode);
}
