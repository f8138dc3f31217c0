// How old the oldest thing waiting for a node is: @old, @cdaytime, @fdays
// and @fromday. `now` is the local time as Unix seconds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "outbound/queue.h"
#include "platform/dos_time.h"
#include "support/utf8.h"

namespace zeb {

// Seconds since the node's oldest record; a record from the future (a
// clock set back) counts as age 0.
int64_t NodeAge(const TQueueNode& node, int64_t now);

// @age: the seconds since the oldest item of the kinds the letters name,
// any case: N netmail, E echomail, F files, R file requests. Empty when the
// node has no such item (or there is no node); nothing for a letter of no
// kind.
std::optional<std::string> AgeText(const TQueueNode* node, int64_t now, std::string_view kinds);

// Whole days, rounded to the nearest ("0" for no node).
std::string OldText(const TQueueNode* node, int64_t now);

// `params` is "limit,mark" or just "mark". Eleven characters: "hh:mm"
// right-aligned for less than a day, else "  ddd-hh:mm"; when the days reach
// the limit (65025 when it is not a number) the first character becomes the
// mark's first. `units` says what a character of the mark is.
std::string CDayTimeText(const TQueueNode* node, int64_t now, std::string_view params,
                         TTextUnits units = TTextUnits(false));

// `params` is "limit,mark" or just "limit" (0 when not a number, at most
// 99; the mark defaults to "!"). Two characters: the whole days, or the
// mark's first character once they exceed the limit; " !" for no node.
std::string FDaysText(const TQueueNode* node, int64_t now, std::string_view params,
                      TTextUnits units = TTextUnits(false));

// The date of the oldest record as dd-mm-yyyy; `today` for no node.
std::string FromDayText(const TQueueNode* node, const TDateTime& today);

}  // namespace zeb
