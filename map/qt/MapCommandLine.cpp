#include "map/qt/MapCommandLine.h"

#include <cstring>
#include <utility>

#include "common/CodePage.h"
#include "common/FileFormats.h"
#include "common/Prompter.h"
#include "common/StreamPrompter.h"
#include "common/qt/Codec.h"
#include "map/qt/MapExport.h"
#include "map/qt/MapResource.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {
namespace {

bool PaperByName(const QString& name, QPageSize& paper) {
    const struct {
        const char* name;
        QPageSize::PageSizeId id;
    } papers[] = {{"A4", QPageSize::A4}, {"A3", QPageSize::A3}, {"A2", QPageSize::A2},
                  {"A1", QPageSize::A1}, {"A0", QPageSize::A0}, {"Letter", QPageSize::Letter}};
    for (const auto& p : papers) {
        if (name.compare(QLatin1String(p.name), Qt::CaseInsensitive) == 0) {
            paper = QPageSize(p.id);
            return true;
        }
    }
    return false;
}

}  // namespace

MapCommand ParseMapCommand(const QStringList& arguments) {
    MapCommand command;
    if (!arguments.contains(QStringLiteral("--map"))) return command;
    command.kind = MapCommand::Kind::Invalid;
    QStringList rest;
    QString size;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--map") || argument == QLatin1String("--size")) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).startsWith(QLatin1String("--"))) {
                command.problem = argument + QStringLiteral(" needs a value");
                return command;
            }
            QString& target = argument == QLatin1String("--map") ? command.outPath : size;
            if (!target.isEmpty()) {
                command.problem = argument + QStringLiteral(" is given twice");
                return command;
            }
            target = arguments.at(++i);
        } else if (argument.startsWith(QLatin1String("--"))) {
            command.problem = argument + QStringLiteral(" is not known with --map");
            return command;
        } else {
            rest.append(argument);
        }
    }
    if (rest.size() > 1) {
        command.problem = QStringLiteral("only one log can be drawn");
        return command;
    }
    const auto format = MapFormatOfPath(command.outPath);
    if (!format) {
        command.problem = QStringLiteral("the map file must end in .png, .svg or .pdf");
        return command;
    }
    if (!size.isEmpty()) {
        if (*format == MapFileFormat::Pdf) {
            if (!PaperByName(size, command.paper)) {
                command.problem =
                    QStringLiteral("a PDF's size is a paper: A4, A3, A2, A1, A0 or Letter");
                return command;
            }
        } else {
            command.pixels = ParseMapSize(size);
            if (command.pixels.isEmpty()) {
                command.problem =
                    QStringLiteral("the size must read like 2000x3000 (at most 20000 a side)");
                return command;
            }
        }
    }
    if (!rest.isEmpty()) command.logPath = rest.front();
    command.kind = MapCommand::Kind::Map;
    return command;
}

bool HasMapSwitch(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--map") == 0) return true;
    return false;
}

int RunMapCommand(const MapCommand& command, const std::string& programFolder,
                  SettingsStore& settings, std::function<LocalDate()> today, std::ostream& err) {
    if (command.kind != MapCommand::Kind::Map) {
        if (!command.problem.isEmpty())
            err << "chimeset: " << command.problem.toStdString() << '\n';
        err << kMapUsage << '\n';
        return 2;
    }
    const MapData& map = BuiltInMap();
    if (!map.IsLoaded()) {
        err << "chimeset: the map data could not be read (" << map.Error() << ").\n";
        return 1;
    }
    StreamPrompter prompter(err);
    CChimesetDoc doc(programFolder, prompter, settings, std::move(today));
    if (!doc.IsDatabaseLoaded()) {
        err << "chimeset: the tower database " << programFolder
            << "/DoveData.CB0 could not be loaded.\n";
        return 1;
    }
    if (!command.logPath.isEmpty()) {
        std::string noUser;
        if (!doc.OpenLog(ToNativePath(command.logPath), noUser)) {
            err << "chimeset: " << command.logPath.toStdString()
                << " could not be opened as a visit log.\n";
            return 1;
        }
    }
    MapTowers towers;
    towers.Build(doc.Database(), CategoriesOf(doc), map.Bounds());
    MapExportRequest request;
    request.path = command.outPath;
    request.format = *MapFormatOfPath(command.outPath);
    request.pixels = command.pixels;
    request.paper = command.paper;
    const MapPosterText text = PosterTextOf(doc);
    request.options.title = text.title;
    request.options.subtitle = text.subtitle;
    request.options.credit = text.credit;
    request.options.nameOf = [&doc](std::int32_t tower) {
        return Windows1252ToUtf8(doc.Database().GetTowerField(tower, kLocn));
    };
    QString error;
    if (!ExportMap(map, towers, request, error)) {
        err << "chimeset: " << command.outPath.toStdString()
            << " could not be written: " << error.toStdString() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace chimeset
