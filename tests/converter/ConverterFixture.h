// Folders for a conversion run: a program folder with its data files, a data folder with
// Version 1 logs and a destination, all temporary.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/FileFormats.h"
#include "converter/ConvertLogs.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/TempDir.h"

namespace chimeset::testing {

inline const std::string kMagic(kVersion1MagicLine);

class ConverterFixture : public ::testing::Test {
  protected:
    ConverterFixture() {
        program = root.File("program");
        data = root.File("data");
        destination = root.File("destination");
        for (const auto& folder : {program, data, destination})
            std::filesystem::create_directory(folder);
        WriteCrossRef({"VLog\\TB", "0\\0", "12\\12", "13\\6132", "6105\\6005"});
        WriteExtraTowers({kMagic, "Upton\\S Mary\\Kent\\TQ123456\\6\\1200\\7000",
                          "Upton Again\\S Paul\\Kent\\TQ000000\\8\\900\\7000", ""});
    }

    void WriteCrossRef(const std::vector<std::string>& lines) {
        root.WriteLines("program/CrossRef.txt", lines);
    }
    void WriteExtraTowers(const std::vector<std::string>& lines) {
        root.WriteLines("program/Chimeset.CB1", lines);
    }
    std::string WriteLog(const std::string& folder, const std::string& file,
                         const std::vector<std::string>& lines) {
        return root.WriteLines(folder + "/" + file, lines);
    }
    std::string DataFile(const std::string& name) const { return data + "/" + name; }
    std::string DestinationFile(const std::string& name) const { return destination + "/" + name; }

    bool Convert(const std::vector<std::string>& names, const std::string& to) {
        ConvertInputs inputs;
        inputs.DataFolder = data;
        inputs.DestinationFolder = to;
        inputs.LogsToConvert = names;
        inputs.programFolder = program;
        return ConvertLogs(
            inputs, ConvertOutputs{[this] { list.clear(); },
                                   [this](const std::string& l) { list.push_back(l); },
                                   [this](const std::string& t) { messageArea = t; }, prompter});
    }

    TempDir root;
    std::string program, data, destination;
    FakePrompter prompter;
    std::vector<std::string> list;
    std::string messageArea;
};

inline std::string Crlf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes += line + "\r\n";
    return bytes;
}

inline const std::string kHeader(kVersion2Header);

}  // namespace chimeset::testing
