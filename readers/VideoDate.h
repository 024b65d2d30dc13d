// The date a video was shot, from an MP4, MOV, M4V or 3GP file: the QuickTime creation date that
// phones write with their offset from UTC, else the movie header's creation time.
#pragma once

#include "readers/IsoBoxes.h"
#include "readers/TakenDate.h"

#include <optional>

// The date in the `moov` box of the file `walker` reads; always an exact UTC instant. The movie
// header (`mvhd`) counts seconds from 1904 in UTC; zero, or a time before 1970, is no date (it is
// what a camera writes with its clock unset). A `com.apple.quicktime.creationdate` item in
// `moov/meta` or `moov/udta/meta` written with its offset ("2023-04-15T14:30:22+0200") wins.
std::optional<TakenDate> ReadVideoDate(BoxWalker& walker);

// "YYYY-MM-DDThh:mm:ss", optionally with a fraction of a second, then "Z", "+hh:mm" or "+hhmm":
// the UTC instant it names; none without an offset, since then it names no instant.
std::optional<CivilTime> ParseQuickTimeDate(std::string_view text);
