#include "tests/logdata/test_support.h"

#include <cstdio>

#include "logdata/totals.h"

std::string WriteTempFile(const std::string& name, const std::string& bytes) {
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (file != nullptr) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return name;
}

std::vector<PlaybackRecord> Records(const PlaybackLog& log) {
    return {log.records, log.records + log.recordCount};
}

std::vector<AnimationTotal> Totals(const PlaybackLog& log) {
    return {log.totals, log.totals + log.totalCount};
}

std::string Name(const PlaybackRecord& record) {
    return record.name;
}

std::string RowText(PlaybackLog& log, int row) {
    std::string text;
    for (int column = 0; column < 4; ++column) {
        text += (column ? "\t" : "") + TotalCellText(log, row, column);
    }
    return text;
}
