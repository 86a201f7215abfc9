#pragma once
// Reading a stretch of a log into a line sink, in large blocks, as the player may still be
// appending to it.
#include <cstdint>
#include <string>

#include "logdata/byte_source.h"
#include "logdata/log_parser.h"

// Feeds the bytes [begin, end) of source to sink as whole lines. The last part of a log (last)
// reads its final line on to its line end if the player is still writing it. Returns the
// system's reason when a read failed, the sink then having had only part of the stretch; empty
// when the stretch was read whole.
[[nodiscard]] std::string ReadLines(const ByteSource& source, uint64_t begin, uint64_t end,
                                    bool last, LineSink& sink);
