#include "reports/campaign_run.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "base/paths.h"
#include "base/system_files.h"
#include "campaign/issuer.h"
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

OperatorFileEvidence EvidenceOf(const std::string& path, const std::string& bytes,
                                OperatorFileKind kind) {
    return {path, bytes.size(), Sha256Of(bytes), kind};
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

std::string DefaultOperatorFile(const std::string& name) {
    struct stat info {};
    return StatPath(name, info) == 0 && !IsFolder(name) ? name : "";
}

bool ReadOperatorFiles(OperatorFiles& files, std::string& failedPath, std::string& reason) {
    if (!files.registerPath.empty()) {
        if (!ReadWholeFile(files.registerPath, files.registerBytes, reason)) {
            failedPath = files.registerPath;
            return false;
        }
        files.panelRegister = ParsePanelRegister(files.registerBytes);
    }
    if (!files.audiencePath.empty()) {
        if (!ReadWholeFile(files.audiencePath, files.audienceBytes, reason)) {
            failedPath = files.audiencePath;
            return false;
        }
        files.audience = ParseAudience(files.audienceBytes);
    }
    files.issuerPath = DefaultOperatorFile(kIssuerFile);
    if (!files.issuerPath.empty()) {
        if (!ReadWholeFile(files.issuerPath, files.issuerBytes, reason)) {
            failedPath = files.issuerPath;
            return false;
        }
        files.issuer = ParseIssuer(files.issuerBytes);
    }
    return true;
}

std::vector<size_t> ApplyOperatorFiles(const OperatorFiles& files,
                                       std::vector<CampaignPanel>& panels) {
    std::vector<size_t> unregistered;
    for (size_t i = 0; i < panels.size(); ++i) {
        CampaignPanel& panel = panels[i];
        panel.audience = AudienceOf(files.audience, panel.name);
        if (files.registerPath.empty()) {
            continue;
        }
        if (const RegisteredPanel* row = FindRegistered(files.panelRegister, panel.name)) {
            panel.registered = *row;
        } else {
            unregistered.push_back(i);
        }
    }
    return unregistered;
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
                                  const CampaignResult& result, const CampaignSettings& settings,
                                  bool perClient, const OperatorFiles& operatorFiles) {
    BookingFileEvidence booking{file.path, file.bytes.size(), Sha256Of(file.bytes)};
    if (!operatorFiles.registerPath.empty()) {
        booking.operatorFiles.push_back(EvidenceOf(
            operatorFiles.registerPath, operatorFiles.registerBytes, OperatorFileKind::kRegister));
    }
    if (!operatorFiles.audiencePath.empty()) {
        booking.operatorFiles.push_back(EvidenceOf(
            operatorFiles.audiencePath, operatorFiles.audienceBytes, OperatorFileKind::kAudience));
    }
    if (!operatorFiles.issuerPath.empty()) {
        booking.operatorFiles.push_back(EvidenceOf(
            operatorFiles.issuerPath, operatorFiles.issuerBytes, OperatorFileKind::kIssuer));
        booking.issuer = operatorFiles.issuer;
    }
    CampaignReport report{BookingName(file.path), file.booking.lines,  panels, result,
                          std::move(booking),     settings.gapMinutes, ""};
    report.settings = {std::string(ProgramVersion()),
                       file.path,
                       {},
                       operatorFiles.registerPath,
                       operatorFiles.audiencePath,
                       settings.gapMinutes,
                       settings.asOfDay,
                       perClient,
                       "",
                       static_cast<std::time_t>(settings.madeAt)};
    for (const CampaignPanel& panel : panels) {
        report.settings.panels.push_back(panel.folder);
    }
    return report;
}
