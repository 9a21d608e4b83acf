// Turns a Dove's Guide CSV download into the lines of a tower database (DoveData.CB0).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/FileFormats.h"

namespace chimeset {

// The second line of a converted database, after the column names (DoveDatabaseHeader).
inline constexpr const char* kDoveCreditLine =
    "; Tower data from Dove's Guide for Church Bell Ringers, (c) the Central Council of "
    "Church Bell Ringers, licensed CC BY-SA 4.0 (https://dove.cccbr.org.uk)";

// The first line of a converted database: the nine tower columns, then the details a ringer
// checks before going (kTowerDetailNames), each written for every tower, empty when the
// download does not say.
std::string DoveDatabaseHeader();

// No field that the converter reads is anywhere near this long in a real download (the
// longest is under 100 characters); a longer one means the file is damaged.
inline constexpr std::size_t kLongestDoveField = 500;

struct DoveImportOptions {
    bool lightweight = false;  // also write lightweight rings
    // Told now and then how many of the download's lines are read; returning false stops
    // the conversion, which then fails with kDoveImportStopped.
    std::function<bool(std::size_t linesRead, std::size_t lines)> progress = {};
};

inline constexpr const char* kDoveImportStopped = "The conversion was stopped.";

struct DoveImportSummary {
    std::size_t rowsRead = 0;
    std::size_t towersWritten = 0;
    // Why rows were left out, with how many, in the order first met.
    std::vector<std::pair<std::string, std::size_t>> skipped;
    // Rows left out that are named one by one: the line and what is wrong with it.
    std::vector<std::pair<std::size_t, std::string>> skippedLines;
    std::size_t unreadableWeights = 0;    // written with an empty weight
    std::size_t numberedByTowerId = 0;    // no TowerBase number: the TowerID is the identity
    std::size_t unreadableTowerBase = 0;  // TowerBase not a usable number: numbered by TowerID
    std::size_t disambiguated = 0;     // locations lengthened so that no two list lines are alike
    std::size_t simplifiedFields = 0;  // fields whose letters were brought to a plain form
    std::size_t unknownCharacterFields = 0;  // fields holding a "?" for a character

    std::size_t SkippedCount() const;
    void Skip(const std::string& reason);
    // Skips a row and names it in skippedLines.
    void Skip(const std::string& reason, std::size_t line, std::string detail);

  private:
    std::unordered_map<std::string, std::size_t> reasonIndex_;  // position in skipped
};

struct DoveImportError {
    DoveImportError() = default;
    DoveImportError(std::size_t atLine, std::string text, std::string aboutFile = {})
        : line(atLine), message(std::move(text)), file(std::move(aboutFile)) {}

    std::size_t line = 0;  // line of the input the error is on; 0 for none in particular
    std::string message;
    std::string file;  // the file the error is about, when a file was read or written

    // "<file>, line <n>: <message>", leaving out what is unknown.
    std::string Describe() const;
};

// Converts the CSV text (UTF-8, a byte order mark allowed) into database lines: the header,
// the credit comment and one record per tower. False, with nothing in lines, when the
// text cannot be used.
bool ConvertDoveCsv(std::string_view csv, const DoveImportOptions& options,
                    std::vector<std::string>& lines, DoveImportSummary& summary,
                    DoveImportError& error);

// Reads the CSV file and writes the database file; the output is replaced only when the
// whole conversion succeeded.
bool ImportDoveFile(const std::string& csvPath, const std::string& databasePath,
                    const DoveImportOptions& options, DoveImportSummary& summary,
                    DoveImportError& error);

// The summary as lines for the user: towers written, rows skipped by reason (the first few
// reasons by name, any others counted together), numbering and naming, oddities.
std::vector<std::string> DescribeSummary(const DoveImportSummary& summary,
                                         const std::string& databasePath);

}  // namespace chimeset
