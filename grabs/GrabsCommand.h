// The statistics and GPX commands of chimeset's command line, run without a window:
//   chimeset --stats LOG [--ringable-only]
//   chimeset --stats-csv OUT_FOLDER LOG [--ringable-only]
//   chimeset --gpx OUT.gpx LOG [--near INDEXNO --radius 10mi|16km] [--unvisited] [--min-bells N]
//                [--ringable-only]
// and --help. No Qt: paths are native, the clock and the settings are handed in.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "grabs/TowersNear.h"
#include "visits/PackedDate.h"

namespace chimeset {

class SettingsStore;

struct GrabsCommand {
    enum class Kind { None, Help, Stats, StatsCsv, Gpx, Invalid };
    Kind kind = Kind::None;
    std::string logPath;
    std::string outPath;  // the CSV folder or the GPX file
    std::optional<std::int32_t> nearIndexNo;
    NearFilter filter;
    bool radiusGiven = false;
    bool ringableOnly = false;  // the statistics over ringable towers; the GPX without unringable
    std::string error;          // why the command line cannot be read
};

// The arguments without the program's own name. Kind::None when none of the commands is
// named, so that the other uses of the command line go on.
GrabsCommand ParseGrabsCommand(const std::vector<std::string>& arguments);

// The text of --help: every command-line use of chimeset.
std::string ChimesetUsage();

// Carries the command out. Output to out (UTF-8), messages to err. Returns the exit status:
// 0 done, 1 failed (with a message), 2 a command line it cannot read.
int RunGrabsCommand(const GrabsCommand& command, const std::string& programFolder,
                    const SettingsStore& settings, std::function<LocalDate()> today,
                    std::ostream& out, std::ostream& err);

}  // namespace chimeset
