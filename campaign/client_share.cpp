#include "campaign/client_share.h"

#include <algorithm>
#include <utility>

#include "campaign/calendar.h"
#include "campaign/coverage.h"
#include "campaign/panel_plan.h"
#include "campaign/window_time.h"

namespace {

uint64_t DayKey(size_t panel, int32_t day) {
    return uint64_t{panel} << 32 | static_cast<uint32_t>(day);
}

uint64_t MonthOfPanelKey(size_t panel, uint32_t year, uint32_t month) {
    return uint64_t{panel} << 32 | (year * 13 + month);
}

size_t PanelOfKey(uint64_t key) {
    return static_cast<size_t>(key >> 32);
}

void SortUnique(std::vector<uint64_t>& keys) {
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
}

// Where an item of the sorted group stands in it; the item is there.
size_t PlaceIn(const std::vector<size_t>& group, size_t item) {
    return static_cast<size_t>(std::lower_bound(group.begin(), group.end(), item) - group.begin());
}

// The items filed under the keys, back in the order of the list they came from.
std::vector<size_t> Gathered(const std::unordered_map<uint64_t, std::vector<size_t>>& byKey,
                             const std::vector<uint64_t>& keys) {
    std::vector<size_t> items;
    for (const uint64_t key : keys) {
        const auto found = byKey.find(key);
        if (found != byKey.end()) {
            items.insert(items.end(), found->second.begin(), found->second.end());
        }
    }
    std::sort(items.begin(), items.end());
    return items;
}

// The window of a booking line on a day, in the day's own timeline.
Stretch WindowOn(const BookingLine& line, int32_t day) {
    const ClockChange change = ClockChangeOn(day);
    return {RealSecondOfDay(change, SecondOfDay(line.from), false),
            RealSecondOfDay(change, SecondOfDay(line.to), true)};
}

// The share's booked windows on each of the given panels' days.
std::unordered_map<uint64_t, std::vector<Stretch>> WindowsOnDays(
    const ClientShare& share, const std::vector<Outage>& outages) {
    std::unordered_map<uint64_t, std::vector<Stretch>> windows;
    for (const Outage& outage : outages) {
        windows[DayKey(outage.panel, outage.day)];
    }
    for (const LineFigures& figures : share.result.figures) {
        const BookingLine& line = share.lines[figures.line];
        for (size_t i = 0; i < figures.delivered.size(); ++i) {
            const int32_t day = line.firstDay + static_cast<int32_t>(i);
            const auto found = windows.find(DayKey(figures.panel, day));
            if (found != windows.end()) {
                found->second.push_back(WindowOn(line, day));
            }
        }
    }
    return windows;
}

// The parts of an outage inside the client's windows that are outages themselves.
void ClipOutage(const Outage& outage, const std::vector<Stretch>& windows, int32_t gapSeconds,
                std::vector<Outage>& clipped) {
    const ClockChange change = ClockChangeOn(outage.day);
    const int32_t end = outage.realStart + outage.seconds;
    std::vector<Stretch> inside;
    for (const Stretch& window : windows) {
        const Stretch part{std::max(window.start, outage.realStart), std::min(window.end, end)};
        if (part.start < part.end) {
            inside.push_back(part);
        }
    }
    for (const Stretch& part : JoinStretches(std::move(inside))) {
        if (part.end - part.start > gapSeconds) {
            clipped.push_back({outage.panel, outage.day, LocalSecondOfDay(change, part.start),
                               LocalSecondOfDay(change, part.end), part.end - part.start,
                               part.start});
        }
    }
}

}  // namespace

std::vector<std::string> ClientsOf(const std::vector<BookingLine>& lines) {
    std::vector<std::string> clients;
    std::unordered_map<std::string, size_t> seen;
    for (const BookingLine& line : lines) {
        if (seen.emplace(line.client, clients.size()).second) {
            clients.push_back(line.client);
        }
    }
    return clients;
}

ClientShares::ClientShares(const std::vector<BookingLine>& lines,
                           const std::vector<CampaignPanel>& panels, const CampaignResult& result,
                           int32_t gapMinutes)
    : lines_(lines), panels_(panels), result_(result), gapSeconds_(gapMinutes * 60) {
    std::unordered_map<std::string, size_t> number;
    for (const BookingLine& line : lines) {
        const auto [at, added] = number.emplace(line.client, clients_.size());
        if (added) {
            clients_.push_back(line.client);
        }
        clientOfLine_.push_back(at->second);
    }
    for (Groups* groups : {&clientLines_, &figures_, &overlaps_, &withoutPanel_, &shortDays_}) {
        groups->resize(clients_.size());
    }
    for (size_t l = 0; l < lines.size(); ++l) {
        clientLines_[clientOfLine_[l]].push_back(l);
    }
    for (size_t f = 0; f < result.figures.size(); ++f) {
        figures_[clientOfLine_[result.figures[f].line]].push_back(f);
    }
    // Only a client's own pairs are ever shown, and the others may be millions.
    for (size_t o = 0; o < result.overlaps.size(); ++o) {
        const size_t client = clientOfLine_[result.overlaps[o].first];
        if (clientOfLine_[result.overlaps[o].second] == client) {
            overlaps_[client].push_back(o);
        }
    }
    for (size_t w = 0; w < result.linesWithoutPanel.size(); ++w) {
        withoutPanel_[clientOfLine_[result.linesWithoutPanel[w]]].push_back(w);
    }
    for (size_t s = 0; s < result.shortDays.size(); ++s) {
        shortDays_[clientOfLine_[result.figures[result.shortDays[s].figures].line]].push_back(s);
    }
    for (size_t o = 0; o < result.outages.size(); ++o) {
        outagesByDay_[DayKey(result.outages[o].panel, result.outages[o].day)].push_back(o);
    }
    for (size_t s = 0; s < result.silentDays.size(); ++s) {
        silentByDay_[DayKey(result.silentDays[s].panel, result.silentDays[s].day)].push_back(s);
    }
    for (size_t m = 0; m < result.missingLogs.size(); ++m) {
        const MissingLog& log = result.missingLogs[m];
        missingByMonth_[MonthOfPanelKey(log.panel, log.year, log.month)].push_back(m);
    }
    for (size_t g = 0; g < result.logs.size(); ++g) {
        logsByPath_[result.logs[g].path].push_back(g);
    }
}

ClientShare ClientShares::ShareOf(size_t client) const {
    ClientShare share;
    const std::vector<size_t>& lineIndex = clientLines_[client];
    for (const size_t l : lineIndex) {
        share.lines.push_back(lines_[l]);
    }
    CampaignResult& mine = share.result;
    mine.asOfDay = result_.asOfDay;
    for (const size_t f : figures_[client]) {
        mine.figures.push_back(result_.figures[f]);
        mine.figures.back().line = PlaceIn(lineIndex, result_.figures[f].line);
    }
    std::vector<uint64_t> days, months;
    AddDaysOf(share, days, months);
    AddOutages(days, share);
    for (const size_t s : Gathered(silentByDay_, days)) {
        mine.silentDays.push_back(result_.silentDays[s]);
    }
    for (const size_t m : Gathered(missingByMonth_, months)) {
        mine.missingLogs.push_back(result_.missingLogs[m]);
    }
    for (const size_t g : LogsOfMonths(months)) {
        mine.logs.push_back(result_.logs[g]);
    }
    for (const size_t o : overlaps_[client]) {
        const BookingOverlap& overlap = result_.overlaps[o];
        mine.overlaps.push_back({PlaceIn(lineIndex, overlap.first),
                                 PlaceIn(lineIndex, overlap.second), overlap.sharedPlays});
    }
    for (const size_t w : withoutPanel_[client]) {
        mine.linesWithoutPanel.push_back(PlaceIn(lineIndex, result_.linesWithoutPanel[w]));
    }
    AddShortDays(client, share);
    for (const LogEnd& end : result_.panelEnds) {
        if (std::any_of(months.begin(), months.end(),
                        [&](uint64_t key) { return PanelOfKey(key) == end.panel; })) {
            mine.panelEnds.push_back(end);
        }
    }
    AddWindowTimes(share.lines, panels_.size(), mine);
    return share;
}

// The share's counted days and months per panel, sorted: what it may see of the panels.
void ClientShares::AddDaysOf(const ClientShare& share, std::vector<uint64_t>& days,
                             std::vector<uint64_t>& months) const {
    for (const LineFigures& figures : share.result.figures) {
        const int32_t firstDay = share.lines[figures.line].firstDay;
        for (size_t i = 0; i < figures.delivered.size(); ++i) {
            const int32_t day = firstDay + static_cast<int32_t>(i);
            const CivilDate date = DateOfDay(day);
            days.push_back(DayKey(figures.panel, day));
            months.push_back(MonthOfPanelKey(figures.panel, date.year, date.month));
        }
    }
    SortUnique(days);
    SortUnique(months);
}

// The logs read for the months, in the result's order.
std::vector<size_t> ClientShares::LogsOfMonths(const std::vector<uint64_t>& months) const {
    std::vector<size_t> logs;
    for (const uint64_t key : months) {
        const size_t panel = PanelOfKey(key);
        const auto yearMonth = static_cast<uint32_t>(key);
        const auto found =
            logsByPath_.find(PanelLogPath(panels_[panel], yearMonth / 13, yearMonth % 13));
        if (found == logsByPath_.end()) {
            continue;
        }
        for (const size_t g : found->second) {
            if (result_.logs[g].panel == panel) {
                logs.push_back(g);
            }
        }
    }
    std::sort(logs.begin(), logs.end());
    logs.erase(std::unique(logs.begin(), logs.end()), logs.end());
    return logs;
}

void ClientShares::AddOutages(const std::vector<uint64_t>& days, ClientShare& share) const {
    std::vector<Outage> outages;
    for (const size_t o : Gathered(outagesByDay_, days)) {
        outages.push_back(result_.outages[o]);
    }
    const auto windows = WindowsOnDays(share, outages);
    for (const Outage& outage : outages) {
        ClipOutage(outage, windows.at(DayKey(outage.panel, outage.day)), gapSeconds_,
                   share.result.outages);
    }
}

// The client's short days, each with the client's own outages in its line's window, and the
// ends of the logs that explain some of them.
void ClientShares::AddShortDays(size_t client, ClientShare& share) const {
    const std::vector<size_t>& figuresIndex = figures_[client];
    CampaignResult& mine = share.result;
    ByKey outagesByDay;
    for (size_t o = 0; o < mine.outages.size(); ++o) {
        outagesByDay[DayKey(mine.outages[o].panel, mine.outages[o].day)].push_back(o);
    }
    std::vector<size_t> panelsEnded;
    for (const size_t s : shortDays_[client]) {
        ShortDay day = result_.shortDays[s];
        day.figures = PlaceIn(figuresIndex, day.figures);
        const LineFigures& figures = mine.figures[day.figures];
        const BookingLine& line = share.lines[figures.line];
        day.outages.clear();
        const auto found = outagesByDay.find(DayKey(figures.panel, day.day));
        if (found != outagesByDay.end()) {
            for (const size_t o : found->second) {
                if (mine.outages[o].start < SecondOfDay(line.to) &&
                    mine.outages[o].end > SecondOfDay(line.from)) {
                    day.outages.push_back(o);
                }
            }
        }
        if (day.afterLogEnd) {
            panelsEnded.push_back(figures.panel);
        }
        mine.shortDays.push_back(std::move(day));
    }
    std::sort(panelsEnded.begin(), panelsEnded.end());
    for (const LogEnd& end : result_.logEnds) {
        if (std::binary_search(panelsEnded.begin(), panelsEnded.end(), end.panel)) {
            mine.logEnds.push_back(end);
        }
    }
}

ClientShare ShareOf(const std::vector<BookingLine>& lines, const std::vector<CampaignPanel>& panels,
                    const CampaignResult& result, const std::string& client, int32_t gapMinutes) {
    const ClientShares shares(lines, panels, result, gapMinutes);
    const auto& clients = shares.Clients();
    const auto found = std::find(clients.begin(), clients.end(), client);
    if (found == clients.end()) {
        ClientShare none;
        none.result.asOfDay = result.asOfDay;
        return none;
    }
    return shares.ShareOf(static_cast<size_t>(found - clients.begin()));
}
