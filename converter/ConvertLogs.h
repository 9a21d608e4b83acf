// Turns Version 1 logs into Version 2 logs through CrossRef.txt and Chimeset.CB1.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/FileError.h"
#include "common/Prompter.h"

namespace chimeset {

struct ConvertInputs {
    std::string DataFolder;         // native path, no trailing separator
    std::string DestinationFolder;  // native path, no trailing separator
    // Upper-case log names (user ID names, Windows-1252), in discovery order.
    std::vector<std::string> LogsToConvert;
    std::string programFolder;  // where CrossRef.txt and Chimeset.CB1 lie
    // The file name on disk of a log whose name differs from "<NAME>.CBL" in letter case;
    // discovery fills it on file systems that tell case apart.
    std::map<std::string, std::string> sourceFileNames;
    // Puts a finished file in another's place in one step; empty for the file system's own
    // replace. Lets a run be stopped between its steps.
    std::function<bool(const std::string& from, const std::string& to, FileError& error)>
        replaceFile;
};

// The dialog's outputs, so that a run needs no dialog. Texts are Windows-1252.
struct ConvertOutputs {
    std::function<void()> clearList;
    std::function<void(const std::string&)> addListLine;
    std::function<void(const std::string&)> setMessageArea;
    Prompter& messageBox;
};

// True when every log was converted; false when the run stopped early, after telling the
// user why. Logs converted before a failure stay converted.
bool ConvertLogs(const ConvertInputs& inputs, const ConvertOutputs& outputs);

// The Version 2 record line for one Version 1 line; for tests and the benchmark.
class CrossRefTable;
class ExtraTowerList;
std::string ConvertRecordLine(const std::string& version1Line, const CrossRefTable& table,
                              const ExtraTowerList& extraTowers, bool* detailsMissing);

}  // namespace chimeset
