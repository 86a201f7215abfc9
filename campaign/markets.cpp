#include "campaign/markets.h"

#include <algorithm>
#include <set>
#include <utility>

#include "campaign/line_figures.h"

namespace {

// The figures of one group of lines × panels, the panels counted once each.
struct MarketTally {
    MarketFigures figures;
    std::set<size_t> booked, delivered;

    void Add(const BookingLine& line, const LineFigures& figures) {
        const FiguresTotal total = TotalOf(line, figures);
        this->figures.booked += total.booked;
        this->figures.delivered += total.delivered;
        booked.insert(figures.panel);
        if (total.delivered > 0) {
            delivered.insert(figures.panel);
        }
    }
    MarketFigures Done() {
        figures.screensBooked = static_cast<uint32_t>(booked.size());
        figures.screensDelivered = static_cast<uint32_t>(delivered.size());
        return figures;
    }
};

MarketTally& TallyOf(std::vector<MarketTally>& tallies, const BookingLine& line,
                     const std::string& town, bool total) {
    const auto found = std::find_if(tallies.begin(), tallies.end(), [&](const MarketTally& t) {
        return t.figures.client == line.client && t.figures.campaign == line.campaign &&
               t.figures.town == town && t.figures.total == total;
    });
    if (found != tallies.end()) {
        return *found;
    }
    tallies.push_back({{line.client, line.campaign, town, total}, {}, {}});
    return tallies.back();
}

// The rows of tallies made: each campaign's markets, then its total.
std::vector<MarketFigures> RowsOf(std::vector<MarketTally>& markets,
                                  std::vector<MarketTally>& totals) {
    std::vector<MarketFigures> rows;
    for (MarketTally& total : totals) {
        for (MarketTally& market : markets) {
            if (market.figures.client == total.figures.client &&
                market.figures.campaign == total.figures.campaign) {
                rows.push_back(market.Done());
            }
        }
        rows.push_back(total.Done());
    }
    return rows;
}

void Add(const std::vector<BookingLine>& lines, const std::vector<std::string>& townOfPanel,
         const LineFigures& figures, std::vector<MarketTally>& markets,
         std::vector<MarketTally>& totals) {
    const BookingLine& line = lines[figures.line];
    TallyOf(markets, line, townOfPanel[figures.panel], false).Add(line, figures);
    TallyOf(totals, line, "", true).Add(line, figures);
}

}  // namespace

std::vector<MarketFigures> FiguresByMarket(const std::vector<BookingLine>& lines,
                                           const CampaignResult& result,
                                           const std::vector<std::string>& townOfPanel) {
    std::vector<MarketTally> markets, totals;
    for (const LineFigures& figures : result.figures) {
        Add(lines, townOfPanel, figures, markets, totals);
    }
    return RowsOf(markets, totals);
}

std::vector<MarketFigures> FiguresByMarket(const std::vector<BookingLine>& lines,
                                           const CampaignResult& result,
                                           const std::vector<std::string>& townOfPanel,
                                           const std::vector<size_t>& figures) {
    std::vector<MarketTally> markets, totals;
    for (const size_t f : figures) {
        Add(lines, townOfPanel, result.figures[f], markets, totals);
    }
    return RowsOf(markets, totals);
}
