#include "bench/BenchData.h"

#include <random>
#include <vector>

#include "common/FileFormats.h"
#include "common/TextFile.h"
#include "visits/CommentCodec.h"
#include "visits/PackedDate.h"

namespace chimeset::bench {
namespace {

const char* const kStems[] = {"Ash",   "Brad", "Chil", "Dun",   "East", "Fair", "Great", "Hol",
                              "Kings", "Long", "Mel",  "North", "Old",  "Pen",  "Sut",   "West"};
const char* const kEndings[] = {"ford", "ton", "bury", "ley", "ham", "field", "wick", "by"};
const char* const kDedications[] = {"St Mary",    "St Peter",     "All Saints",
                                    "St Michael", "Holy Trinity", "St Andrew"};
const char* const kCounties[] = {"Devon", "Kent", "Norfolk", "Yorkshire", "Somerset", "Essex"};

}  // namespace

std::size_t WriteDatabase(const std::string& folder, int towers) {
    std::mt19937 random(1);
    std::vector<std::string> lines{std::string(kTowerFieldNames)};
    std::size_t bytes = lines[0].size() + 2;
    for (int i = 1; i <= towers; ++i) {
        char os[16];
        std::snprintf(os, sizeof os, "S%c%03u%03u", "TUXY"[random() % 4],
                      static_cast<unsigned>(random() % 1000),
                      static_cast<unsigned>(random() % 1000));
        lines.push_back(std::string(kStems[random() % 16]) + kEndings[random() % 8] + " " +
                        std::to_string(i) + "\\" + kDedications[random() % 6] + "\\" +
                        kCounties[random() % 6] + "\\" + os + "\\51.5\\-1.25\\" +
                        std::to_string(3 + random() % 10) + "\\" +
                        std::to_string(200 + random() % 5800) + "\\" + std::to_string(i));
        bytes += lines.back().size() + 2;
    }
    FileError error;
    WriteTextLines(JoinPath(folder, "DoveData.CB0"), lines, error);
    return bytes;
}

std::string WriteLog(const std::string& folder, int entries, int towers, int additional) {
    std::mt19937 random(2);
    std::vector<std::string> lines{std::string(kVersion2Header)};
    for (int i = 0; i < entries; ++i) {
        const int identity = i < additional ? 200000 + i : 1 + static_cast<int>(random() % towers);
        const PackedDate visit = MakePackedDate(1 + random() % 28, 1 + random() % 12,
                                                1980 + random() % 45, random() % 3);
        const PackedDate quarter = random() % 4 == 0 ? visit : 0;
        lines.push_back(
            "Extra " + std::to_string(i) + "\\St Somebody\\Kent\\\\\\\\6\\900\\" +
            std::to_string(identity) + "\\" + std::to_string(visit) + "\\" +
            std::to_string(quarter) + "\\0\\" +
            (random() % 3 == 0 ? EncodeComment("Rang the back six.\r\nTea after.") : ""));
    }
    const std::string path = JoinPath(folder, "RINGER1.CBL");
    FileError error;
    WriteTextLines(path, lines, error);
    return path;
}

}  // namespace chimeset::bench
