#include "tests/winsupport/scratch_folder.h"

#include <system_error>

#include "tests/support/scratch_path.h"

namespace fs = std::filesystem;

namespace winsupport {

ScratchFolder::ScratchFolder(const std::string& prefix, const fs::path& workIn)
    : m_previous(fs::current_path()) {
    m_path = TestScratchPath(prefix);
    fs::remove_all(m_path);
    fs::create_directories(m_path / workIn);
    fs::current_path(m_path / workIn);
}

ScratchFolder::~ScratchFolder() {
    fs::current_path(m_previous);
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

}  // namespace winsupport
