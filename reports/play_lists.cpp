#include "reports/play_lists.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "base/cp1250.h"
#include "base/paths.h"
#include "base/scratch_file.h"
#include "base/system_files.h"
#include "base/system_reason.h"
#include "campaign/log_tasks.h"
#include "campaign/panel_plan.h"
#include "logdata/parallel.h"
#include "digest/sha256.h"
#include "reports/html_escape.h"
#include "reports/play_rows.h"
#include "reports/report_file.h"
#include "reports/report_paths.h"

namespace {

constexpr size_t kFlushSize = 1 << 20;
// Lists open at once while the parts are joined: a network's thousands of clients take passes.
constexpr size_t kClientsPerPass = 100;
// Passes at once: each holds its lists' buffers.
constexpr size_t kJoiningThreads = 2;

// A part's record of one counted play, followed by the name as logged. The rows are made only
// when the parts are joined: a record is a fraction of its rows' size, and the part file is
// written and read again once for each pass.
struct PartRecord {
    int64_t utcSecond;
    double length;
    double contacts;
    PlayReference reference;
    int32_t day;
    int32_t localSecond;
    uint32_t planLine;
    uint32_t nameSize;
    uint8_t overBooked;  // bytes rather than bool: any byte read back is a valid one
    uint8_t hasContacts;
};

std::atomic<unsigned> nextSerial{0};

// One log's records, written to a part file of its own as they come.
class PartSink : public PlaySink {
public:
    PartSink(std::unique_ptr<ScratchFile> file, const CampaignPanel& panel,
             std::string_view logPath, PlayListParts::Part& part)
        : file_(std::move(file)), references_(panel, logPath), part_(part) {}
    ~PartSink() override {
        Flush();
        part_.whole = file_->Close();
        part_.failure = part_.whole ? "" : SystemReasonText(file_->Failure());
    }

    void Add(const CountedPlay& play) override {
        const PartRecord record{play.utcSecond,
                                play.length,
                                play.contacts,
                                references_.Of(play.offset),
                                play.day,
                                play.localSecond,
                                static_cast<uint32_t>(play.planLine),
                                static_cast<uint32_t>(play.name.size()),
                                static_cast<uint8_t>(play.overBooked),
                                static_cast<uint8_t>(play.hasContacts)};
        buffer_.append(reinterpret_cast<const char*>(&record), sizeof record);
        buffer_ += play.name;
        if (buffer_.size() >= kFlushSize) {
            Flush();
        }
    }

private:
    void Flush() {
        static_cast<void>(file_->Write(buffer_.data(), buffer_.size()));  // Close tells
        buffer_.clear();
    }

    std::unique_ptr<ScratchFile> file_;
    PlayReferences references_;
    PlayListParts::Part& part_;
    std::string buffer_;
};

// Reads a part's records in order, in large reads.
class PartReader {
public:
    explicit PartReader(const std::string& path) : file_(OpenFile(path, "rb")) {
        if (file_ == nullptr) {
            error_ = errno != 0 ? errno : EIO;
        }
    }
    ~PartReader() {
        if (file_ != nullptr) {
            std::fclose(file_);
        }
    }
    PartReader(const PartReader&) = delete;
    PartReader& operator=(const PartReader&) = delete;

    // The next record and its name, false at the end or on a failure.
    bool Next(PartRecord& record, std::string_view& name) {
        if (!Have(sizeof record)) {
            return false;
        }
        std::memcpy(&record, buffer_.data() + at_, sizeof record);
        at_ += sizeof record;
        if (!Have(record.nameSize)) {
            error_ = error_ != 0 ? error_ : EIO;  // a record cut short
            return false;
        }
        name = std::string_view(buffer_.data() + at_, record.nameSize);
        at_ += record.nameSize;
        return true;
    }
    // The system's reason when the part could not be read whole, else 0.
    int Error() const { return error_; }

private:
    // Whether size bytes are there from at_, reading on as needed.
    bool Have(size_t size) {
        if (buffer_.size() - at_ >= size) {
            return true;
        }
        if (file_ == nullptr || error_ != 0) {
            return false;
        }
        buffer_.erase(0, at_);
        at_ = 0;
        const size_t kept = buffer_.size();
        buffer_.resize(std::max(kFlushSize, size));
        errno = 0;
        const size_t read = std::fread(buffer_.data() + kept, 1, buffer_.size() - kept, file_);
        buffer_.resize(kept + read);
        if (std::ferror(file_) != 0) {
            error_ = errno != 0 ? errno : EIO;
        } else if (buffer_.size() > 0 && buffer_.size() < size) {
            error_ = EIO;  // a record cut short
        }
        return buffer_.size() >= size;
    }

    std::FILE* file_;
    std::string buffer_;
    size_t at_ = 0;
    int error_ = 0;
};

// A list being joined: buffered, hashed and counted as it is written beside its old file.
class ListOutput {
public:
    explicit ListOutput(std::string path)
        : path_(std::move(path)), file_(std::make_unique<FileReplacement>()) {
        ok_ = file_->Begin(path_);
    }
    void Write(const char* bytes, size_t size) {
        buffer_.append(bytes, size);
        if (buffer_.size() >= kFlushSize) {
            Flush();
        }
    }
    // The whole list, or the failure added.
    bool Finish(WrittenList& list, std::vector<ReportFailure>& failures) {
        Flush();
        ok_ = ok_ && file_->Finish();
        if (!ok_) {
            failures.push_back({path_, SystemReasonText(file_->Failure())});
            return false;
        }
        list = {{path_, size_, HexDigest(hash_.Finish())}, std::move(file_)};
        return true;
    }

private:
    void Flush() {
        hash_.Update(buffer_.data(), buffer_.size());
        size_ += buffer_.size();
        ok_ = ok_ && file_->Write(buffer_.data(), buffer_.size());
        buffer_.clear();
    }

    std::string path_;
    std::unique_ptr<FileReplacement> file_;
    Sha256 hash_;
    uint64_t size_ = 0;
    std::string buffer_;
    bool ok_ = false;
};

// A report's two lists in a pass: the people's and the playout.
struct ListPair {
    ListOutput people, playout;
    ListPair(const std::string& stem, bool withContacts)
        : people(PeopleListPath(stem)), playout(PlayoutListPath(stem)) {
        const std::string header = PeopleHeader(withContacts);
        people.Write(header.data(), header.size());
    }
};

// A part's plays as rows of the pairs their lines go to (pairs[0] is none).
bool JoinPart(const PlayListParts::Part& part, PlayRowMaker& maker,
              const std::vector<size_t>& pairOfLine, std::vector<std::unique_ptr<ListPair>>& pairs,
              std::string& reason) {
    PartReader reader(part.path);
    PartRecord record{};
    std::string_view name;
    std::string people, playout;
    while (reader.Next(record, name)) {
        if (record.planLine >= part.bookingLines.size()) {
            reason = SystemReasonText(EIO);  // not a part this count wrote
            return false;
        }
        ListPair* const pair = pairs[pairOfLine[part.bookingLines[record.planLine]]].get();
        if (pair == nullptr) {
            continue;
        }
        const CountedPlay play{record.planLine,
                               0,
                               record.day,
                               record.localSecond,
                               record.utcSecond,
                               record.length,
                               record.overBooked != 0,
                               0,
                               record.hasContacts != 0,
                               record.contacts,
                               name};
        people.clear();
        playout.clear();
        maker.PeopleRow(play, people);
        maker.PlayoutRecord(play, record.reference, playout);
        pair->people.Write(people.data(), people.size());
        pair->playout.Write(playout.data(), playout.size());
    }
    if (reader.Error() != 0) {
        reason = SystemReasonText(reader.Error());
        return false;
    }
    return true;
}

// The folder the reports go to, as their paths begin.
std::string ReportFolder() {
    const std::string path = CampaignReportPath("", ReportFileType::kCsv);
    return path.substr(0, path.find_last_of("/\\"));
}

// A link to a file beside the page: its name, its bytes outside the URL's unreserved ones
// written %XX.
std::string LinkTo(const std::string& path) {
    const std::string name = Cp1250ToUtf8(NameWithoutFolders(path));
    std::string href;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                                (c >= '0' && c <= '9') ||
                                std::string_view("-._~").find(c) != std::string_view::npos;
        if (unreserved) {
            href += c;
        } else {
            static constexpr char kDigits[] = "0123456789ABCDEF";
            href += {'%', kDigits[byte >> 4], kDigits[byte & 15]};
        }
    }
    return "<a href=\"" + href + "\">" + HtmlText(NameWithoutFolders(path)) + "</a>";
}

}  // namespace

std::string PlayListsLinks(const std::string& stem) {
    static constexpr Cp1250Literal kTerm{"Seznam přehrání"};
    return "<dt>" + Cp1250ToUtf8(kTerm) + "</dt><dd>" + LinkTo(PeopleListPath(stem)) + ", " +
           LinkTo(PlayoutListPath(stem)) + "</dd>\n";
}

std::string PeopleListPath(const std::string& stem) {
    return CampaignReportPath(stem + "_prehrani", ReportFileType::kCsv);
}

std::string PlayoutListPath(const std::string& stem) {
    return CampaignReportPath(stem + "_playout", ReportFileType::kCsv);
}

PlayListParts::PlayListParts(std::string bookingName, const std::vector<BookingLine>& lines,
                             const std::vector<CampaignPanel>& panels)
    : bookingName_(std::move(bookingName)),
      lines_(lines),
      panels_(panels),
      hadReportFolder_(IsFolder(ReportFolder())),
      serial_(nextSerial++) {
    for (const CampaignPanel& panel : panels) {
        withContacts_ = withContacts_ || !panel.audience.Empty();
    }
}

PlayListParts::~PlayListParts() {
    for (const auto& [task, part] : parts_) {
        RemoveFile(part.path);
    }
    if (!hadReportFolder_) {
        RemoveFolder(ReportFolder());  // only when nothing else was written into it
    }
}

std::unique_ptr<PlaySink> PlayListParts::ForLog(size_t task, const LogTask& log,
                                                const PanelPlan& plan) {
    static_cast<void>(EnsureReportFolder(nullptr));  // a failure is the part's own
    Part* part = nullptr;
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        part = &parts_[task];
    }
    part->path = ReportFolder() + kReportPathSeparator + "~kv" + std::to_string(ProcessId()) + "_" +
                 std::to_string(serial_) + "_" + std::to_string(task) + ".tmp";
    part->panel = plan.panel;
    for (const PanelLine& line : plan.lines) {
        part->lines.push_back(line.booking);
        part->bookingLines.push_back(static_cast<uint32_t>(line.line));
    }
    auto file = std::make_unique<ScratchFile>();
    if (!file->Create(part->path)) {
        part->failure = SystemReasonText(file->Failure());
        return nullptr;
    }
    return std::make_unique<PartSink>(std::move(file), panels_[plan.panel], log.path, *part);
}

bool PlayListParts::Write(const std::vector<std::string>& clients,
                          std::vector<ReportLists>& written, std::vector<ReportFailure>& failures) {
    std::vector<JoinPass> passes(1);  // the overview's
    for (size_t first = 0; first < clients.size(); first += kClientsPerPass) {
        JoinPass& pass = passes.emplace_back();
        pass.overview = false;
        pass.firstClient = first;
        pass.clientCount = std::min(kClientsPerPass, clients.size() - first);
    }
    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
    ForEachIndex(std::min({kJoiningThreads, size_t{ThreadCount()}, passes.size()}), [&](size_t) {
        for (size_t p = next++; p < passes.size() && !failed; p = next++) {
            passes[p].whole = Join(clients, passes[p]);
            if (!passes[p].whole) {
                failed = true;  // the set is not replaced: the other passes need not finish
            }
        }
    });
    written.clear();
    for (JoinPass& pass : passes) {
        for (const ReportFailure& failure : pass.failures) {
            const bool known = std::any_of(failures.begin(), failures.end(), [&](const auto& f) {
                return f.path == failure.path && f.reason == failure.reason;
            });
            if (!known) {
                failures.push_back(failure);  // a part that fails fails each pass alike
            }
        }
        for (ReportLists& lists : pass.written) {
            written.push_back(std::move(lists));
        }
    }
    if (failed) {
        written.clear();
    }
    return !failed;
}

bool PlayListParts::Join(const std::vector<std::string>& clients, JoinPass& pass) const {
    std::unordered_map<std::string, size_t> clientIndex;
    for (size_t c = 0; c < pass.clientCount; ++c) {
        clientIndex.emplace(clients[pass.firstClient + c], c + 1);
    }
    std::vector<size_t> pairOfLine;  // [booking line] -> pair, 0 none
    for (const BookingLine& line : lines_) {
        const auto found = clientIndex.find(line.client);
        pairOfLine.push_back(pass.overview ? 1 : found == clientIndex.end() ? 0 : found->second);
    }
    std::vector<std::unique_ptr<ListPair>> pairs(1);
    if (pass.overview) {
        pairs.push_back(std::make_unique<ListPair>(bookingName_, withContacts_));
    }
    for (size_t c = 0; c < pass.clientCount; ++c) {
        const std::string stem =
            bookingName_ + "_" + ClientFileNamePart(clients[pass.firstClient + c]);
        pairs.push_back(std::make_unique<ListPair>(stem, withContacts_));
    }
    for (const auto& [task, part] : parts_) {
        std::string reason = part.failure;
        PlayRowMaker maker(bookingName_, part.lines, panels_[part.panel], withContacts_);
        if (!part.whole || !JoinPart(part, maker, pairOfLine, pairs, reason)) {
            pass.failures.push_back({PeopleListPath(bookingName_), reason});
            return false;
        }
    }
    for (size_t p = 1; p < pairs.size(); ++p) {
        ReportLists lists{pass.overview ? "" : clients[pass.firstClient + p - 1],
                          std::vector<WrittenList>(2)};
        if (!pairs[p]->people.Finish(lists.lists[0], pass.failures) ||
            !pairs[p]->playout.Finish(lists.lists[1], pass.failures)) {
            return false;
        }
        pass.written.push_back(std::move(lists));
    }
    return true;
}
