// What every writer and reader of record lines (the tower database, Version 2 logs) agrees
// on, so that a record written is read back as the same record.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace chimeset {

// A tower field as a record line may carry it: each control character (below 0x20, and
// 0x7F) becomes a blank, so that no line break splits the record and no other control
// character reaches the file.
std::string RecordFieldText(std::string_view text);

// A record line as a writer may write it. A line that begins with ";" is a comment to every
// reader, so such a record gets a leading blank, which the field readers trim again.
std::string SafeRecordLine(std::string line);

// A line that holds no record: empty, only white space, or a DOS end-of-file mark
// (Ctrl-Z) with at most white space beside it.
bool IsEmptyRecordLine(std::string_view line);

// The last line of a file without the DOS end-of-file mark (Ctrl-Z) that may end it.
std::string_view WithoutEndOfFileMark(std::string_view line);

// Line i of a file's lines holds no record (blank, or a Ctrl-Z that ends the file). Read as a
// Version 1 record it would be a visit to the tower of index 0.
bool IsVersion1BlankLine(const std::vector<std::string>& lines, std::size_t i);

}  // namespace chimeset
