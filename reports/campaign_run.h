#pragma once
// The steps of a campaign proof that the command line and the window share: read the booking
// file and the operator's panel register and audience file, make panels of folders, count, and
// write the report files.
#include <cstddef>
#include <string>
#include <vector>

#include "base/win32_types.h"
#include "campaign/audience.h"
#include "campaign/booking.h"
#include "campaign/campaign.h"
#include "campaign/panel_register.h"
#include "reports/campaign_report.h"
#include "reports/report_result.h"

struct BookingFile {
    std::string path;   // as given, Windows-1250
    std::string bytes;  // the file as read, for its size and SHA-256
    Booking booking;
};

// Reads and parses the booking. False with the system's reason when it cannot be read (or is
// larger than 64 MB); the booking's own errors are in file.booking.errors.
[[nodiscard]] bool ReadBookingFile(const std::string& path, BookingFile& file, std::string& reason);

// The panel register and the audience file, each read whole when its path is not ""; and who
// issues the proof, from the working folder's issuer file when it is there.
struct OperatorFiles {
    std::string registerPath, registerBytes;
    PanelRegister panelRegister;
    std::string audiencePath, audienceBytes;
    AudienceFile audience;
    std::string issuerPath, issuerBytes;
    std::vector<std::string> issuer;
};

constexpr const char* kDefaultRegisterFile = "panely.csv";
constexpr const char* kDefaultAudienceFile = "publikum.csv";
constexpr const char* kIssuerFile = "provozovatel.txt";

// The file of the working folder when it is there, else "".
std::string DefaultOperatorFile(const std::string& name);

// Reads and parses the files given, and the issuer's file of the working folder. False with the
// path that failed and the system's reason; each file's own errors are in its errors.
[[nodiscard]] bool ReadOperatorFiles(OperatorFiles& files, std::string& failedPath,
                                     std::string& reason);

// Gives each panel its register row and its audience; returns the panels the register lacks
// (none without a register).
std::vector<size_t> ApplyOperatorFiles(const OperatorFiles& files,
                                       std::vector<CampaignPanel>& panels);

// The booking file's name without its folders and its extension.
std::string BookingName(const std::string& path);

// The folder's own name, also for "." and "..".
std::string FolderName(const std::string& folder);

enum class PanelRefusal { kNone, kNoFolder, kSameName };

// Appends the folder as a panel named after it, unless it is no folder or a listed panel has
// the same name (either case); *sameAs is then that panel's index.
[[nodiscard]] PanelRefusal AddPanel(const std::string& folder, std::vector<CampaignPanel>& panels,
                                    size_t* sameAs);

// The report of a counted booking, as both files and the summary show it, with the settings it
// was counted with for a recount; perClient whether the clients' own pairs were asked for.
CampaignReport MakeCampaignReport(const BookingFile& file, const std::vector<CampaignPanel>& panels,
                                  const CampaignResult& result, const CampaignSettings& settings,
                                  bool perClient, const OperatorFiles& operatorFiles = {});
