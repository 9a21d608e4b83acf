// Generated data for the benchmarks: a database of invented towers and a visit log.
#pragma once

#include <string>

namespace chimeset::bench {

// Writes DoveData.CB0 with the given number of towers into the folder; returns its size.
std::size_t WriteDatabase(const std::string& folder, int towers);
// Writes a Version 2 log of the given number of entries (towers from 1..towers) and a few
// additional towers; returns its path.
std::string WriteLog(const std::string& folder, int entries, int towers, int additional);

}  // namespace chimeset::bench
