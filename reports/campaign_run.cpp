#include "reports/campaign_run.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/paths.h"
#include "base/system_files.h"
#include "campaign/spot_pattern.h"
#include "digest/sha256.h"

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

// The last component of a path, without the separators it may end in.
std::string LastComponent(std::string path) {
    while (path.size() > 1 && IsSeparator(path.back())) {
        path.pop_back();
    }
    size_t start = path.size();
    while (start > 0 && !IsSeparator(path[start - 1])) {
        --start;
    }
    return path.substr(start);
}

}  // namespace

bool ReadBookingFile(const std::string& path, BookingFile& file, std::string& reason) {
    file.path = path;
    file.bytes.clear();
    if (!ReadWholeFile(path, file.bytes, reason)) {
        return false;
    }
    file.booking = ParseBooking(file.bytes);
    return true;
}

std::string BookingName(const std::string& path) {
    std::string name = LastComponent(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string FolderName(const std::string& folder) {
    const std::string full = FullPath(folder);
    std::string name = LastComponent(full.empty() ? folder : full);
    if (!name.empty() && name.back() == ':') {
        name.pop_back();  // a drive's root
    }
    return name.empty() || IsSeparator(name[0]) ? folder : name;
}

PanelRefusal AddPanel(const std::string& folder, std::vector<CampaignPanel>& panels,
                      size_t* sameAs) {
    if (!IsFolder(folder)) {
        return PanelRefusal::kNoFolder;
    }
    CampaignPanel panel{FolderName(folder), folder};
    for (size_t i = 0; i < panels.size(); ++i) {
        if (EqualIgnoringCase(panels[i].name, panel.name)) {
            *sameAs = i;
            return PanelRefusal::kSameName;
        }
    }
    panels.push_back(panel);
    return PanelRefusal::kNone;
}

CampaignReport MakeCampaignReport(const BookingFile& file, const std::vector<CampaignPanel>& panels,
                                  const CampaignResult& result, int32_t gapMinutes) {
    return CampaignReport{BookingName(file.path),
                          file.booking.lines,
                          panels,
                          result,
                          {file.path, file.bytes.size(), Sha256Of(file.bytes)},
                          gapMinutes,
                          ""};
}
