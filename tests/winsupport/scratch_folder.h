#pragma once
// A folder of the running test's own below the temporary folder, made empty, worked in while the
// object lives and removed at the end, when the previous working folder comes back.
#include <filesystem>
#include <string>

namespace winsupport {

class ScratchFolder {
public:
    // Named PREFIX-<process>-<test>; the working folder becomes its subfolder WORK_IN.
    ScratchFolder(const std::string& prefix, const std::filesystem::path& workIn);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_path;
};

}  // namespace winsupport
