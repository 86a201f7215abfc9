#pragma once
// The files a campaign page names as its evidence, read back from the page.
#include <string>
#include <vector>

#include "reports/evidence_check.h"

// The rows of the page's evidence table: <tr data-file=".." data-size=".." data-sha256="..">.
std::vector<NamedFile> NamedFiles(const std::string& page);
