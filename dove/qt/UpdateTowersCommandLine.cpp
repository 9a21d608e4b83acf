#include "dove/qt/UpdateTowersCommandLine.h"

#include <cstring>

#include "common/CodePage.h"
#include "common/PathText.h"
#include "common/qt/Codec.h"
#include "dove/TowerDataUpdate.h"

namespace chimeset {
namespace {

constexpr const char* kSwitch = "--update-towers";

// Messages are Windows-1252 text with CR LF line breaks; a terminal wants UTF-8 lines.
void WriteLines(std::ostream& stream, const std::string& text, const char* prefix) {
    std::string utf8 = Windows1252ToUtf8(text);
    std::size_t start = 0;
    while (start <= utf8.size()) {
        std::size_t end = utf8.find('\n', start);
        if (end == std::string::npos) end = utf8.size();
        std::string line = utf8.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) stream << prefix << line << '\n';
        start = end + 1;
    }
    stream.flush();
}

}  // namespace

UpdateTowersCommand ParseUpdateTowersCommand(const QStringList& arguments) {
    UpdateTowersCommand command;
    const auto at = arguments.indexOf(QLatin1String(kSwitch));
    if (at < 0) return command;
    command.kind = UpdateTowersCommand::Kind::Invalid;
    if (at == 0 && arguments.size() == 2 && !arguments.at(1).startsWith(QLatin1String("--"))) {
        command.kind = UpdateTowersCommand::Kind::Update;
        command.csvPath = arguments.at(1);
    }
    return command;
}

bool HasUpdateTowersSwitch(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], kSwitch) == 0) return true;
    return false;
}

int RunUpdateTowersCommand(const UpdateTowersCommand& command, const std::string& databasePath,
                           std::ostream& out, std::ostream& err) {
    if (command.kind != UpdateTowersCommand::Kind::Update || command.csvPath.isEmpty()) {
        err << kUpdateTowersUsage << '\n';
        return 2;
    }
    if (databasePath.empty()) {
        err << "chimeset: this system gives the user no data folder for the tower database.\n";
        return 1;
    }
    const TowerDataUpdate update = UpdateTowerDatabase(ToNativePath(command.csvPath), databasePath);
    if (!update.ok) {
        WriteLines(err, DescribeUpdateFailure(update), "chimeset: ");
        return 1;
    }
    for (const std::string& line :
         DescribeUpdate(update, TextFromNativePath(databasePath), nullptr))
        WriteLines(out, line, "");
    return 0;
}

}  // namespace chimeset
