#include "base/scratch_file.h"

#include "base/replaced_file.h"

bool ScratchFile::Write(const char* bytes, size_t size) {
    if (failure_.code == 0) {
        Fail(WriteAll(file_, bytes, size));
    }
    return failure_.code == 0;
}
