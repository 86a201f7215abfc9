#include "reports/play_lists.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "base/cp1250.h"
#include "base/paths.h"
#include "base/system_files.h"
#include "base/system_reason.h"
#include "campaign/log_tasks.h"
#include "campaign/panel_plan.h"
#include "digest/sha256.h"
#include "reports/html_escape.h"
#include "reports/play_rows.h"
#include "reports/report_file.h"
#include "reports/report_paths.h"

namespace {

constexpr size_t kFlushSize = 1 << 20;
// Lists open at once while the parts are joined: a network's thousands of clients take passes.
constexpr size_t kClientsPerPass = 100;

// A part's record: the booking line, then the sizes of the two rows that follow.
struct RecordHead {
    uint32_t line, peopleSize, playoutSize;
};

std::atomic<unsigned> nextSerial{0};

// One log's rows, written to its part file as they come: beside it first and put in its place
// whole, so that a part that fails says why with the system's own reason.
class PartSink : public PlaySink {
public:
    PartSink(std::unique_ptr<FileReplacement> file, PlayRowMaker maker,
             std::vector<uint32_t> bookingLines, PlayListParts::Part& part)
        : file_(std::move(file)),
          maker_(std::move(maker)),
          bookingLines_(std::move(bookingLines)),
          part_(part) {}
    ~PartSink() override {
        Flush();
        part_.whole = ok_ && file_->Finish() && file_->Commit();
        part_.failure = part_.whole ? "" : SystemReasonText(file_->Failure());
    }

    void Add(const CountedPlay& play) override {
        people_.clear();
        playout_.clear();
        maker_.PeopleRow(play, people_);
        maker_.PlayoutRecord(play, playout_);
        const RecordHead head{bookingLines_[play.planLine], static_cast<uint32_t>(people_.size()),
                              static_cast<uint32_t>(playout_.size())};
        buffer_.append(reinterpret_cast<const char*>(&head), sizeof head);
        buffer_ += people_;
        buffer_ += playout_;
        if (buffer_.size() >= kFlushSize) {
            Flush();
        }
    }

private:
    void Flush() {
        ok_ = ok_ && file_->Write(buffer_.data(), buffer_.size());
        buffer_.clear();
    }

    std::unique_ptr<FileReplacement> file_;
    PlayRowMaker maker_;
    std::vector<uint32_t> bookingLines_;  // [plan line]
    PlayListParts::Part& part_;
    std::string buffer_, people_, playout_;
    bool ok_ = true;
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

// Reads a part's records in order, handing each to add(head, people, playout).
template <typename Add>
bool ReadPart(const std::string& path, std::string& reason, const Add& add) {
    std::FILE* file = OpenFile(path, "rb");
    if (file == nullptr) {
        reason = SystemReasonText(errno);
        return false;
    }
    std::vector<char> buffer(kFlushSize);
    std::setvbuf(file, buffer.data(), _IOFBF, buffer.size());
    std::string rows;
    RecordHead head{};
    bool ok = true;
    while (ok && std::fread(&head, sizeof head, 1, file) == 1) {
        rows.resize(size_t{head.peopleSize} + head.playoutSize);
        ok = std::fread(rows.data(), 1, rows.size(), file) == rows.size();
        if (ok) {
            add(head, std::string_view(rows).substr(0, head.peopleSize),
                std::string_view(rows).substr(head.peopleSize));
        }
    }
    ok = ok && std::ferror(file) == 0;
    if (!ok) {
        reason = SystemReasonText(errno != 0 ? errno : EIO);
    }
    std::fclose(file);
    return ok;
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
    auto file = std::make_unique<FileReplacement>();
    if (!file->Begin(part->path)) {
        part->failure = SystemReasonText(file->Failure());
        return nullptr;
    }
    std::vector<const BookingLine*> lines;
    std::vector<uint32_t> bookingLines;
    for (const PanelLine& line : plan.lines) {
        lines.push_back(line.booking);
        bookingLines.push_back(static_cast<uint32_t>(line.line));
    }
    return std::make_unique<PartSink>(
        std::move(file),
        PlayRowMaker(bookingName_, lines, panels_[plan.panel], log.path, withContacts_),
        std::move(bookingLines), *part);
}

bool PlayListParts::Write(const std::vector<std::string>& clients,
                          std::vector<ReportLists>& written, std::vector<ReportFailure>& failures) {
    written.clear();
    for (size_t first = 0; first == 0 || first < clients.size(); first += kClientsPerPass) {
        const size_t count =
            first < clients.size() ? std::min(kClientsPerPass, clients.size() - first) : 0;
        if (!JoinBatch(clients, first, count, written, failures)) {
            written.clear();
            return false;
        }
    }
    return true;
}

bool PlayListParts::JoinBatch(const std::vector<std::string>& clients, size_t first, size_t count,
                              std::vector<ReportLists>& written,
                              std::vector<ReportFailure>& failures) {
    std::unordered_map<std::string, size_t> clientIndex;
    for (size_t c = 0; c < count; ++c) {
        clientIndex.emplace(clients[first + c], c + 1);
    }
    std::vector<size_t> outputOfLine;  // [booking line] -> pair, 0 none
    for (const BookingLine& line : lines_) {
        const auto found = clientIndex.find(line.client);
        outputOfLine.push_back(found == clientIndex.end() ? 0 : found->second);
    }
    std::vector<std::unique_ptr<ListPair>> pairs;
    pairs.push_back(first == 0 ? std::make_unique<ListPair>(bookingName_, withContacts_) : nullptr);
    for (size_t c = 0; c < count; ++c) {
        const std::string stem = bookingName_ + "_" + ClientFileNamePart(clients[first + c]);
        pairs.push_back(std::make_unique<ListPair>(stem, withContacts_));
    }
    const auto add = [&](const RecordHead& head, std::string_view people,
                         std::string_view playout) {
        const auto put = [&](ListPair* pair) {
            if (pair != nullptr) {
                pair->people.Write(people.data(), people.size());
                pair->playout.Write(playout.data(), playout.size());
            }
        };
        put(pairs[0].get());
        if (const size_t client = outputOfLine[head.line]; client != 0) {
            put(pairs[client].get());
        }
    };
    for (const auto& [task, part] : parts_) {
        std::string reason = part.failure;
        if (!part.whole || !ReadPart(part.path, reason, add)) {
            failures.push_back({PeopleListPath(bookingName_), reason});
            return false;
        }
    }
    for (size_t p = 0; p < pairs.size(); ++p) {
        if (pairs[p] == nullptr) {
            continue;
        }
        ReportLists lists{p == 0 ? "" : clients[first + p - 1], std::vector<WrittenList>(2)};
        if (!pairs[p]->people.Finish(lists.lists[0], failures) ||
            !pairs[p]->playout.Finish(lists.lists[1], failures)) {
            return false;
        }
        written.push_back(std::move(lists));
    }
    return true;
}
