// Any bytes as a Version 1 log: the converter must convert it or say why not, and every
// record of a converted log must come back as an entry when the main program opens it,
// with its dates, its comment and the tower the translation table names.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/FileFormats.h"
#include "common/Text.h"
#include "common/TextFile.h"
#include "converter/ConvertLogs.h"
#include "converter/CrossRefTable.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/LogChecks.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "visits/CChimesetDoc.h"
#include "visits/CommentCodec.h"

namespace {

using namespace chimeset;

// The translation table of the scratch program folder: Version 1 index to IndexNo. 1 and 2
// are towers of the small database, 99 is not; every other index translates to 0.
std::int32_t TranslatedIndexNo(std::int64_t index) {
    switch (index) {
        case 1:
        case 4:
            return 1;
        case 2:
            return 2;
        case 3:
            return 99;
        default:
            return 0;
    }
}

void WriteText(const std::string& path, std::string_view text) {
    fuzz::WriteFile(path, reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

// A line with nothing but white space and DOS end-of-file marks: a reader may take it for
// no record at all.
bool MayHoldNoRecord(std::string_view line) {
    return line.find_first_not_of(" \t\r\n\v\f\x1a") == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& root = fuzz::ScratchFolder();
    const std::string program = JoinPath(root, "program");
    const std::string source = JoinPath(root, "v1");
    const std::string destination = JoinPath(root, "v2");
    static const bool prepared = [&] {
        for (const auto& folder : {program, source, destination})
            std::filesystem::create_directories(folder);
        fuzz::WriteSmallDatabase(program);
        WriteText(JoinPath(program, "CrossRef.txt"),
                  "VLog\\TB\r\n0\\0\r\n1\\1\r\n2\\2\r\n3\\99\r\n4\\1\r\n");
        WriteText(JoinPath(program, "Chimeset.CB1"),
                  std::string(kVersion1MagicLine) +
                      "\r\n"
                      "Upton\\S Mary\\Kent\\TQ123456\\6\\1200\\7000\r\n"
                      "\r\n"
                      "Wyke\\All Saints\\Devon\\SX731912\\5\\812\\6106\r\n");
        return true;
    }();
    (void)prepared;
    const std::string log = JoinPath(source, "FUZZ.CBL");
    fuzz::WriteFile(log, data, size);
    const std::string converted = JoinPath(destination, "FUZZ.CBL");
    std::remove(converted.c_str());

    testing::FakePrompter prompter;
    ConvertInputs inputs;
    inputs.DataFolder = source;
    inputs.DestinationFolder = destination;
    inputs.LogsToConvert = {"FUZZ"};
    inputs.programFolder = program;
    const bool done = ConvertLogs(inputs, ConvertOutputs{[] {}, [](const std::string&) {},
                                                         [](const std::string&) {}, prompter});
    if (!done) {
        if (prompter.Silent()) std::abort();  // a refusal must say why
        return 0;
    }

    // What the log held.
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = SplitTextLinesAnyLineEnd(bytes);
    std::vector<fuzz::EntryView> expected;
    std::vector<bool> optional;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        fuzz::EntryView entry;
        entry.visit = ParseNumber(GetField(line, 2));
        entry.detailsKnown = entry.visit > 0;
        entry.quarter = ParseNumber(GetField(line, 3));
        entry.peal = ParseNumber(GetField(line, 4));
        entry.comment = DecodeComment(GetField(line, 5));
        const std::int64_t index = ReadLeadingNumber(GetField(line, 1));
        entry.identity = CrossRefTable::Contains(index) ? TranslatedIndexNo(index) : 0;
        expected.push_back(entry);
        optional.push_back(MayHoldNoRecord(line));
    }

    testing::MemorySettings settings;
    settings.WriteString("Users", "FUZZ", "Fuzz Tester");
    CChimesetDoc doc(program, prompter, settings, [] { return LocalDate{2026, 12, 7}; });
    std::string user = "FUZZ";
    if (!doc.OpenLog(converted, user)) std::abort();
    const std::vector<fuzz::EntryView> entries = fuzz::ViewEntries(doc);
    // Blank records may be left out, but nothing else.
    std::vector<fuzz::EntryView> kept;
    for (std::size_t r = 0; r < expected.size(); ++r) {
        const std::size_t recordsLeft = expected.size() - r;
        const std::size_t entriesLeft = entries.size() - std::min(entries.size(), kept.size());
        if (optional[r] && entriesLeft < recordsLeft) continue;
        kept.push_back(expected[r]);
    }
    expected = std::move(kept);
    if (entries.size() != expected.size()) std::abort();
    const std::int32_t databaseTowers = doc.Database().GetDatabaseCount();
    for (std::size_t e = 0; e < entries.size(); ++e) {
        fuzz::EntryView& want = expected[e];
        const bool additional = doc.TowerOfEntry(static_cast<std::int32_t>(e)) >= databaseTowers;
        // A tower with no IndexNo gets a number of its own when the log is read.
        if (want.identity == 0) {
            if (!additional) std::abort();
            want.identity = entries[e].identity;
        } else if (additional != (want.identity == 99)) {
            std::abort();
        }
    }
    fuzz::CheckSameEntries(expected, entries);
    fuzz::CheckSaveAndReopen(doc, converted, "FUZZ");
    return 0;
}
