#pragma once
// The plays lists of a count, KAMPAN_<name>_prehrani.csv and KAMPAN_<name>_playout.csv and each
// client's pair of them: while the logs are counted, each log's task writes its plays to a part
// file of its own in the report folder; once counted, the parts are joined in the tasks' order
// (panel by panel, months in order) into the lists, which join the proof's set. The overview's
// lists and the clients' are joined on threads of their own.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "base/replaced_file.h"
#include "campaign/booking.h"
#include "campaign/campaign_result.h"
#include "campaign/counted_play.h"
#include "reports/proof_files.h"
#include "reports/report_result.h"

// A list written whole beside its old file, waiting for the set's rename.
struct WrittenList {
    ProofFile file;  // its path, size and SHA-256, for the sums file beside its page
    std::unique_ptr<FileReplacement> replacement;
};

// One report's two lists: the overview's, or a client's.
struct ReportLists {
    std::string client;  // "" for the overview
    std::vector<WrittenList> lists;
};

class PlayListParts : public PlayRecorder {
public:
    // lines and panels stay as they are until the parts are gone.
    PlayListParts(std::string bookingName, const std::vector<BookingLine>& lines,
                  const std::vector<CampaignPanel>& panels);
    ~PlayListParts() override;  // removes every part
    PlayListParts(const PlayListParts&) = delete;
    PlayListParts& operator=(const PlayListParts&) = delete;

    std::unique_ptr<PlaySink> ForLog(size_t task, const LogTask& log,
                                     const PanelPlan& plan) override;

    // The overview's lists, then each client's in the order given, written beside their old
    // files. False, with the failure added, when a part or a list could not be written whole.
    [[nodiscard]] bool Write(const std::vector<std::string>& clients,
                             std::vector<ReportLists>& written,
                             std::vector<ReportFailure>& failures);

    // A log's part: its state, shared with the sink that writes it, and what its rows need.
    struct Part {
        std::string path;
        bool whole = false;
        std::string failure;  // the system's reason, Windows-1250
        size_t panel = 0;
        std::vector<const BookingLine*> lines;  // [plan line]
        std::vector<uint32_t> bookingLines;     // [plan line] -> the booking's line
    };

private:
    // The lists one pass over the parts writes: the overview's, or up to a hundred clients'.
    struct JoinPass {
        bool overview = true;
        size_t firstClient = 0, clientCount = 0;
        bool whole = false;
        std::vector<ReportLists> written;
        std::vector<ReportFailure> failures;
    };
    bool Join(const std::vector<std::string>& clients, JoinPass& pass) const;

    std::string bookingName_;
    const std::vector<BookingLine>& lines_;
    const std::vector<CampaignPanel>& panels_;
    bool withContacts_ = false;
    bool hadReportFolder_;  // else one left empty goes with the parts
    unsigned serial_;
    std::mutex mutex_;
    std::map<size_t, Part> parts_;  // [task]
};

// The page's term and definition (UTF-8 HTML) that link to the lists beside it.
std::string PlayListsLinks(const std::string& stem);

// "report\KAMPAN_<stem>_prehrani.csv" and "…_playout.csv".
std::string PeopleListPath(const std::string& stem);
std::string PlayoutListPath(const std::string& stem);
