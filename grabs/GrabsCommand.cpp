#include "grabs/GrabsCommand.h"

#include <utility>

#include "common/CodePage.h"
#include "common/Prompter.h"
#include "common/StreamPrompter.h"
#include "common/Text.h"
#include "common/TextFile.h"
#include "grabs/GrabStatistics.h"
#include "grabs/GrabsTables.h"
#include "grabs/TowerPlaces.h"
#include "grabs/TowerVisits.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {
namespace {

GrabsCommand Invalid(std::string why) {
    GrabsCommand command;
    command.kind = GrabsCommand::Kind::Invalid;
    command.error = std::move(why);
    return command;
}

bool IsSwitch(const std::string& argument) {
    return argument.size() > 1 && argument[0] == '-';
}

}  // namespace

std::string ChimesetUsage() {
    return "Usage: chimeset [LOG.CBL]\n"
           "  Opens the program; a log named here opens read-only.\n"
           "\n"
           "Without a window:\n"
           "  chimeset --print LOG             prints the log's list to the default printer\n"
           "  chimeset --pdf OUT.pdf LOG       the same pages into a PDF file\n"
           "  chimeset --update-towers DOWNLOAD.csv\n"
           "                                   replaces your tower database with one made from\n"
           "                                   a Dove's Guide CSV download\n"
           "  chimeset --stats LOG [--ringable-only]\n"
           "                                   the statistics as plain text tables\n"
           "  chimeset --stats-csv FOLDER LOG [--ringable-only]\n"
           "                                   each statistics table as a CSV file in FOLDER\n"
           "  chimeset --gpx OUT.gpx LOG [--near INDEXNO --radius 10mi|16km]\n"
           "                                   [--unvisited] [--min-bells N] [--ringable-only]\n"
           "                                   towers as GPX waypoints: every tower, or those\n"
           "                                   within the radius of the tower INDEXNO\n"
           "  --ringable-only leaves out the towers the database marks unringable (for the\n"
           "  statistics: those not yet visited).\n"
           "  chimeset --map OUT.png|OUT.svg|OUT.pdf [--size 2000x3000|A3] [LOG]\n"
           "                                   a poster of the tower map\n"
           "  chimeset --help                  this text\n"
           "\n"
           "Exit status: 0 done, 1 failed (the reason on stderr), 2 a command line that\n"
           "cannot be read.\n";
}

GrabsCommand ParseGrabsCommand(const std::vector<std::string>& arguments) {
    GrabsCommand command;
    if (arguments.empty()) return command;
    const std::string& verb = arguments[0];
    if (verb == "--help" || verb == "-h") {
        if (arguments.size() != 1) return Invalid("--help takes no further arguments");
        command.kind = GrabsCommand::Kind::Help;
        return command;
    }
    std::size_t next = 0;
    if (verb == "--stats" || verb == "--stats-csv") {
        const bool csv = verb == "--stats-csv";
        const char* usage = csv ? "usage: --stats-csv OUT_FOLDER LOG [--ringable-only]"
                                : "usage: --stats LOG [--ringable-only]";
        const std::size_t paths = csv ? 2 : 1;
        std::size_t count = arguments.size();
        if (count == paths + 2 && arguments.back() == "--ringable-only") {
            command.ringableOnly = true;
            --count;
        }
        if (count != paths + 1) return Invalid(usage);
        for (std::size_t i = 1; i <= paths; ++i)
            if (IsSwitch(arguments[i])) return Invalid(usage);
        command.kind = csv ? GrabsCommand::Kind::StatsCsv : GrabsCommand::Kind::Stats;
        if (csv) command.outPath = arguments[1];
        command.logPath = arguments[paths];
        return command;
    }
    if (verb != "--gpx") {
        // Another command's switches are that command's business; a stray one of ours is not.
        for (const std::string& argument : arguments)
            if (argument == "--stats" || argument == "--stats-csv" || argument == "--gpx" ||
                argument == "--help")
                return Invalid(argument + " must come first");
        return command;
    }
    if (arguments.size() < 3 || IsSwitch(arguments[1]) || IsSwitch(arguments[2]))
        return Invalid(
            "usage: --gpx OUT.gpx LOG [--near INDEXNO --radius 10mi|16km] "
            "[--unvisited] [--min-bells N] [--ringable-only]");
    command.kind = GrabsCommand::Kind::Gpx;
    command.outPath = arguments[1];
    command.logPath = arguments[2];
    for (next = 3; next < arguments.size(); ++next) {
        const std::string& option = arguments[next];
        const bool hasValue = next + 1 < arguments.size();
        if (option == "--unvisited") {
            command.filter.unvisitedOnly = true;
        } else if (option == "--ringable-only") {
            command.ringableOnly = true;
            command.filter.ringableOnly = true;
        } else if (option == "--near" && hasValue) {
            const std::int32_t number = ParseNumber(arguments[++next]);
            if (number <= 0) return Invalid("--near needs a tower's identity number");
            command.nearIndexNo = number;
        } else if (option == "--radius" && hasValue) {
            std::string why;
            const auto radius = ParseRadius(arguments[++next], why);
            if (!radius) return Invalid(why);
            command.filter.radius = *radius;
            command.radiusGiven = true;
        } else if (option == "--min-bells" && hasValue) {
            const std::int32_t bells = ParseNumber(arguments[++next]);
            if (bells <= 0 || bells > 99) return Invalid("--min-bells needs a number from 1 to 99");
            command.filter.minBells = bells;
        } else {
            return Invalid("unknown or incomplete option " + option);
        }
    }
    if (command.radiusGiven && !command.nearIndexNo)
        return Invalid("--radius needs --near INDEXNO");
    if (command.nearIndexNo && !command.radiusGiven)
        return Invalid("--near needs --radius, for example --radius 10mi");
    return command;
}

int RunGrabsCommand(const GrabsCommand& command, const std::string& programFolder,
                    const SettingsStore& settings, std::function<LocalDate()> today,
                    std::ostream& out, std::ostream& err) {
    switch (command.kind) {
        case GrabsCommand::Kind::Help:
            out << ChimesetUsage();
            return 0;
        case GrabsCommand::Kind::None:
        case GrabsCommand::Kind::Invalid:
            err << "chimeset: " << (command.error.empty() ? "nothing to do" : command.error)
                << "\n\n"
                << ChimesetUsage();
            return 2;
        default:
            break;
    }
    StreamPrompter prompter(err);
    CChimesetDoc doc(programFolder, prompter, settings, std::move(today));
    if (!doc.IsDatabaseLoaded()) {
        err << "chimeset: the tower database " << JoinPath(programFolder, kDatabaseFileName)
            << " could not be loaded.\n";
        return 1;
    }
    std::string noUser;  // opens read-only, as a log named on the command line always does
    if (!doc.OpenLog(command.logPath, noUser)) {
        err << "chimeset: " << command.logPath << " could not be opened as a visit log.\n";
        return 1;
    }
    const TowerVisits visits(doc);

    if (command.kind == GrabsCommand::Kind::Stats || command.kind == GrabsCommand::Kind::StatsCsv) {
        const std::vector<Table> tables =
            StatisticsTables(ComputeGrabStatistics(doc, visits, command.ringableOnly));
        if (command.kind == GrabsCommand::Kind::Stats) {
            for (std::size_t i = 0; i < tables.size(); ++i)
                out << (i > 0 ? "\n" : "") << PlainTableText(tables[i]);
            out.flush();
            return out ? 0 : 1;
        }
        if (!IsDirectory(command.outPath)) {
            err << "chimeset: " << command.outPath << " is not a folder.\n";
            return 1;
        }
        for (const Table& table : tables) {
            FileError error;
            if (!WriteCsvFile(JoinPath(command.outPath, table.name + ".csv"), table, error)) {
                err << "chimeset: " << error.path.Text() << ": " << error.cause << '\n';
                return 1;
            }
        }
        return 0;
    }

    const TowerPlaces places(doc.Database());
    std::vector<std::int32_t> towers;
    if (command.nearIndexNo) {
        const std::int32_t origin = doc.Database().FindByIndexNo(*command.nearIndexNo);
        if (origin < 0) {
            err << "chimeset: no tower has the identity number " << *command.nearIndexNo << ".\n";
            return 1;
        }
        if (!places.HasPosition(origin)) {
            err << "chimeset: the tower "
                << Windows1252ToUtf8(doc.Database().FormatTowerName(origin))
                << " has neither latitude and longitude nor a grid reference.\n";
            return 1;
        }
        const NearResult near =
            FindTowersNear(doc.Database(), visits, places, places.At(origin), command.filter, -1);
        for (const NearTower& item : near.towers) towers.push_back(item.tower);
        if (near.withoutPosition > 0)
            err << "chimeset: " << near.withoutPosition
                << " towers have no position and were not measured.\n";
    } else {
        for (std::int32_t tower = 0; tower < doc.Database().GetTowerCount(); ++tower) {
            if (tower >= doc.Database().GetDatabaseCount() && !visits.Of(tower).Visited()) continue;
            if (command.filter.Accepts(doc.Database(), visits, tower)) towers.push_back(tower);
        }
    }
    std::int32_t skipped = 0;
    const std::string gpx = GpxText(doc.Database(), visits, places, towers, &skipped);
    if (skipped > 0 && !command.nearIndexNo)
        err << "chimeset: " << skipped << " towers have no position and were left out.\n";
    FileError error;
    if (!WriteGpxFile(command.outPath, gpx, error)) {
        err << "chimeset: " << error.path.Text() << ": " << error.cause << '\n';
        return 1;
    }
    return 0;
}

}  // namespace chimeset
