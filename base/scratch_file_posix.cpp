#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "base/cp1250.h"
#include "base/scratch_file.h"

bool ScratchFile::Create(const std::string& path) {
    static_cast<void>(Close());
    failure_ = {};
    file_ = open(Cp1250ToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return file_ >= 0 || Fail({errno, false});
}

bool ScratchFile::Close() {
    if (file_ >= 0 && close(file_) != 0) {
        Fail({errno != 0 ? errno : EIO, false});
    }
    file_ = -1;
    return failure_.code == 0;
}
