// RFC 4180 records from text, with the line each record starts on, read through libcsv.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace chimeset {

// Where the line that starts at start ends, its line end included: after CR LF, LF or CR.
std::size_t EndOfLine(std::string_view text, std::size_t start);

// The line (from 1) that the byte at offset stands on, counting line ends as EndOfLine does.
std::size_t LineOfOffset(std::string_view text, std::size_t offset);

class CsvReader {
  public:
    // Called for each record with the line (from 1) it starts on; returning false stops
    // the reading, and Read then returns false with the error left to the caller.
    using RecordHandler = std::function<bool(std::size_t line, std::vector<std::string>& fields)>;

    // Reads every record of the text; blank lines are skipped. False on malformed quoting
    // (ErrorLine and ErrorMessage say where and what) or when the handler stopped.
    bool Read(std::string_view text, const RecordHandler& handler);

    std::size_t ErrorLine() const { return errorLine_; }
    const std::string& ErrorMessage() const { return errorMessage_; }

  private:
    static void OnField(void* data, std::size_t length, void* self);
    static void OnRecordEnd(int terminator, void* self);

    const RecordHandler* handler_ = nullptr;
    std::vector<std::string> fields_;
    std::size_t currentLine_ = 0;
    std::size_t recordLine_ = 0;  // line the record being read started on; 0 between records
    bool stopped_ = false;
    std::size_t errorLine_ = 0;
    std::string errorMessage_;
};

}  // namespace chimeset
