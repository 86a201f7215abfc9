#include <windows.h>

#include "base/cp1250.h"
#include "base/scratch_file.h"

namespace {

SystemError LastError() {
    const DWORD error = GetLastError();
    return {static_cast<int>(error != 0 ? error : ERROR_GEN_FAILURE), true};
}

}  // namespace

bool ScratchFile::Create(const std::string& path) {
    static_cast<void>(Close());
    failure_ = {};
    const std::u16string wide = Cp1250ToUtf16(path);
    // Temporary: the system's cache keeps it and writes it out only when it must.
    const HANDLE file =
        CreateFileW(reinterpret_cast<const wchar_t*>(wide.c_str()), GENERIC_WRITE, FILE_SHARE_READ,
                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return Fail(LastError());
    }
    file_ = file;
    return true;
}

bool ScratchFile::Close() {
    if (file_ != nullptr && !CloseHandle(file_)) {
        Fail(LastError());
    }
    file_ = nullptr;
    return failure_.code == 0;
}
