#include "base/replaced_file.h"

#include <string>

std::string TemporaryPathBeside(const std::string& path, unsigned long process, unsigned attempt) {
    const size_t separator = path.find_last_of("/\\");
    const std::string folder = separator == std::string::npos ? "" : path.substr(0, separator + 1);
    // No report ends in ".tmp", and the short name keeps within every file system's limits.
    return folder + "~kv" + std::to_string(process) + "_" + std::to_string(attempt) + ".tmp";
}

bool FileReplacement::Fail(SystemError failure) {
    if (failure_.code == 0) {
        failure_ = failure;
    }
    return false;
}
