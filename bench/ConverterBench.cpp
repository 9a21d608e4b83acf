// Converting one Version 1 log of 10,000 records with a Chimeset.CB1 of 2,000 towers.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "common/FileFormats.h"
#include "common/Text.h"
#include "converter/ConvertLogs.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/TempDir.h"

namespace {

using namespace chimeset;

constexpr int kRecords = 10000;
constexpr int kExtraTowers = 2000;

void WriteInputs(const testing::TempDir& root) {
    std::filesystem::create_directory(root.File("program"));
    std::filesystem::create_directory(root.File("data"));
    std::filesystem::create_directory(root.File("out"));
    std::string crossRef = "VLog\\TB\r\n";
    for (int i = 0; i < 6106; ++i) crossRef += Format("%d\\%d\r\n", i, i == 0 ? 0 : i + 7);
    root.Write("program/CrossRef.txt", crossRef);
    std::string extra = std::string(kVersion1MagicLine) + "\r\n";
    for (int i = 0; i < kExtraTowers; ++i)
        extra += Format("Extra Town %d\\S Mary\\Kent\\TQ%06d\\8\\1200\\%d\r\n", i, i, 6106 + i);
    root.Write("program/Chimeset.CB1", extra);
    // Nine in ten records in the table, the rest spread over the extra towers.
    std::string log = std::string(kVersion1MagicLine) + "\r\n";
    for (int i = 0; i < kRecords; ++i) {
        const int index = i % 10 == 9 ? 6106 + (i * 7919) % kExtraTowers : (i * 31) % 6106;
        log += Format("Place %d\\%d\\%d\\0\\0\\Q29tbWVudA==\r\n", i, index, 2000000 + i);
    }
    root.Write("data/ANN.CBL", log);
}

void BM_ConvertLogs(benchmark::State& state) {
    testing::TempDir root;
    WriteInputs(root);
    testing::FakePrompter prompter;
    ConvertInputs inputs;
    inputs.DataFolder = root.File("data");
    inputs.DestinationFolder = root.File("out");
    inputs.LogsToConvert = {"ANN"};
    inputs.programFolder = root.File("program");
    const ConvertOutputs outputs{[] {}, [](const std::string&) {}, [](const std::string&) {},
                                 prompter};
    for (auto _ : state) {
        if (!ConvertLogs(inputs, outputs) || !prompter.Silent()) {
            state.SkipWithError("conversion failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_ConvertLogs)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
