// chimeset's statistics, GPX and help commands from main: run before any window exists, so
// they need no display.
#pragma once

namespace chimeset {

// True when the command line asks for --stats, --stats-csv, --gpx or --help (or misuses them).
bool IsGrabsCommandLine(int argc, char** argv);
// Runs it and returns the exit status (0, 1, or 2 for a command line it cannot read).
int RunGrabsCommandLine(int argc, char** argv);

}  // namespace chimeset
