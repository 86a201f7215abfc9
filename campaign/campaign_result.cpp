#include "campaign/campaign_result.h"

uint64_t StampKey(const PlayStamp& s) {
    return ((((uint64_t{s.year} * 13 + s.month) * 32 + s.day) * 24 + s.hour) * 60 + s.minute) * 60 +
           s.second;
}

bool IsPlausible(const LogEvidence& log) {
    return !AnyFinding(log.findings);
}

std::vector<size_t> OutagesTouching(const CampaignResult& result, size_t panel, int32_t day,
                                    int32_t from, int32_t to) {
    std::vector<size_t> touching;
    for (size_t o = 0; o < result.outages.size(); ++o) {
        const Outage& outage = result.outages[o];
        if (outage.panel == panel && outage.day == day && outage.start < to && outage.end > from) {
            touching.push_back(o);
        }
    }
    return touching;
}
