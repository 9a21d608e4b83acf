#include "grabs/GrabsTables.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "common/CodePage.h"
#include "common/FileFormats.h"
#include "common/Text.h"
#include "common/TextFile.h"
#include "common/XmlText.h"
#include "grabs/TowerVisits.h"
#include "towerdata/TowerDatabase.h"
#include "towerdata/WeightFormat.h"

namespace chimeset {
namespace {

TableCell Text(std::string text) {
    return TableCell{std::move(text), 0, false};
}

TableCell Number(std::int32_t value) {
    return TableCell{std::to_string(value), double(value), true};
}

TableCell Share(std::int32_t part, std::int32_t whole) {
    return TableCell{FormatShare(part, whole), whole > 0 ? double(part) / whole : 0, true};
}

std::vector<std::string> ShareColumns(const char* first) {
    return {first, "Towers", "Visited", "Share", "Complete"};
}

void AddShareRows(Table& table, const std::vector<ShareRow>& rows) {
    for (const ShareRow& row : rows)
        table.rows.push_back({Text(row.label), Number(row.towers), Number(row.visited),
                              Share(row.visited, row.towers), Text(row.Complete() ? "yes" : "")});
}

// Characters on screen of Windows-1252 text: one per byte.
std::size_t Width(const std::string& text) {
    return text.size();
}

std::vector<std::string> CellTexts(const std::vector<TableCell>& row) {
    std::vector<std::string> texts;
    texts.reserve(row.size());
    for (const TableCell& cell : row) texts.push_back(cell.text);
    return texts;
}

std::string CsvField(const std::string& utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
    std::string out = "\"";
    for (const char c : utf8) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

// A Windows-1252 field in one line: tabs and line ends would break the row apart.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return text;
}

std::string WeightText(const TowerDatabase& database, std::int32_t tower) {
    return FormatWeight(database.GetTowerField(tower, kWt), false);
}

// "yes", "no" or, when the database does not say, nothing.
std::string RingableText(const TowerDatabase& database, std::int32_t tower) {
    switch (ParseDetailAnswer(database.GetDetailField(tower, kRingable))) {
        case DetailAnswer::kYes:
            return "yes";
        case DetailAnswer::kNo:
            return "no";
        default:
            return "";
    }
}

// What a ringer going there wants on the sat-nav besides the bells: whether they can be rung,
// the practice night, the postcode and the remarks, the long ones cut.
std::string GpxDetailsText(const TowerDatabase& database, std::int32_t tower) {
    const TowerDetails details = database.DetailsOf(tower);
    std::string text;
    const auto add = [&text](const std::string& part) {
        if (part.empty()) return;
        text += (text.empty() ? "" : "; ") + OneLine(part);
    };
    if (details.IsUnringable()) add("unringable");
    if (!details.practice.empty())
        add("practice " + CutForShowing(details.practice, kLongestDetailShown));
    if (!details.postcode.empty())
        add("postcode " + CutForShowing(details.postcode, kLongestDetailShown));
    add(CutForShowing(details.remarks, kLongestGpxRemarks));
    return text;
}

}  // namespace

std::string FormatShare(std::int32_t part, std::int32_t whole) {
    if (whole <= 0) return "";
    return FixedText(100.0 * part / whole, 1) + "%";
}

std::string FixedText(double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::vector<Table> StatisticsTables(const GrabStatistics& stats) {
    std::vector<Table> tables;
    const GrabTotals& t = stats.totals;
    Table totals{"totals", "Totals", {"What", "Towers"}, {}};
    const auto add = [&totals](const char* what, std::int32_t value) {
        totals.rows.push_back({Text(what), Number(value)});
    };
    add("Towers visited", t.visited);
    add("Towers with a quarter peal", t.quartered);
    add("Towers with a peal", t.pealed);
    add(stats.ringableOnly ? "Ringable towers in the database" : "Towers in the database",
        t.databaseTowers);
    add("Database towers visited", t.visitedDatabase);
    totals.rows.push_back(
        {Text("Share of the database visited"), Share(t.visitedDatabase, t.databaseTowers)});
    add("Additional towers visited", t.additionalTowers);
    add("Visits with the date unknown", t.unknownDate);
    add("Visits with only the year", t.yearOnly);
    if (stats.ringableOnly) add("Unringable towers not counted", t.unringableLeftOut);
    tables.push_back(std::move(totals));

    Table counties{"counties", "By county", ShareColumns("County"), {}};
    AddShareRows(counties, stats.counties);
    tables.push_back(std::move(counties));
    Table bells{"bells", "By number of bells", ShareColumns("Bells"), {}};
    AddShareRows(bells, stats.bells);
    tables.push_back(std::move(bells));
    Table weights{"weights", "By tenor weight", ShareColumns("Tenor"), {}};
    AddShareRows(weights, stats.weights);
    tables.push_back(std::move(weights));

    Table years{"years",
                "By year",
                {"Year", "First visits", "Quarter peals", "Peals", "Running total"},
                {}};
    for (const YearRow& row : stats.years) {
        TableCell year = row.year > 0 ? Number(row.year) : Text("no date");
        year.numeric = true;  // sorts before every year
        years.rows.push_back({year, Number(row.firstVisits), Number(row.quarterPeals),
                              Number(row.peals), Number(row.runningTotal)});
    }
    tables.push_back(std::move(years));
    return tables;
}

Table NearTable(const TowerDatabase& database, const TowerVisits& visits, const TowerPlaces& places,
                const NearResult& near, DistanceUnit unit) {
    Table table{"near",
                "Towers near",
                {"Distance", "Tower", "County", "Bells", "Weight", "Visited", "Ringable",
                 "Practice", "Latitude", "Longitude"},
                {}};
    for (const NearTower& item : near.towers) {
        const std::int32_t tower = item.tower;
        TableCell distance{FormatDistance(item.metres, item.bearing, unit), item.metres, true};
        TableCell bells = Text(database.GetTowerField(tower, kBells));
        bells.number = ParseNumber(bells.text);
        bells.numeric = true;
        TableCell weight = Text(WeightText(database, tower));
        weight.number = ParseNumber(database.GetTowerField(tower, kWt));
        weight.numeric = true;
        const PackedDate visit = visits.Of(tower).visit;
        TableCell visited = Text(FormatPackedDate(visit));
        visited.number = static_cast<double>(static_cast<std::uint32_t>(std::max(visit, 0)));
        visited.numeric = true;
        const GeoPoint& point = places.At(tower);
        table.rows.push_back(
            {distance, Text(database.FormatTowerName(tower)),
             Text(database.GetTowerField(tower, kCnty)), bells, weight, visited,
             Text(RingableText(database, tower)),
             Text(CutForShowing(database.GetDetailField(tower, kPractice), kLongestDetailShown)),
             Text(FixedText(point.latitude, 5)), Text(FixedText(point.longitude, 5))});
    }
    return table;
}

std::string PlainTableText(const Table& table) {
    std::vector<std::size_t> widths;
    std::vector<bool> right;
    for (const std::string& column : table.columns) {
        widths.push_back(Width(column));
        right.push_back(false);
    }
    for (const auto& row : table.rows)
        for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c) {
            widths[c] = std::max(widths[c], Width(row[c].text));
            if (row[c].numeric) right[c] = true;
        }
    std::string out = Windows1252ToUtf8(table.title) + "\n";
    const auto line = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const std::string cell = c < cells.size() ? OneLine(cells[c]) : std::string();
            const std::string pad(widths[c] - std::min(widths[c], Width(cell)), ' ');
            if (c > 0) text += "  ";
            text += right[c] ? pad + cell : cell + pad;
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        out += Windows1252ToUtf8(text) + "\n";
    };
    line(table.columns);
    std::vector<std::string> rule;
    for (const std::size_t width : widths) rule.push_back(std::string(width, '-'));
    line(rule);
    for (const auto& row : table.rows) line(CellTexts(row));
    return out;
}

std::string TabSeparatedText(const Table& table) {
    std::string out;
    const auto line = [&out](const std::vector<std::string>& cells) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0) out += '\t';
            out += OneLine(cells[c]);
        }
        out += "\r\n";
    };
    line(table.columns);
    for (const auto& row : table.rows) line(CellTexts(row));
    return out;
}

std::string CsvText(const Table& table) {
    std::string out = "\xEF\xBB\xBF";
    const auto line = [&out](const std::vector<std::string>& cells) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0) out += ',';
            out += CsvField(Windows1252ToUtf8(cells[c]));
        }
        out += "\r\n";
    };
    line(table.columns);
    for (const auto& row : table.rows) line(CellTexts(row));
    return out;
}

namespace {

// Writes text as it is: the atomic writer ends each line it is given with CR LF, so the
// text goes in as its lines.
bool WriteWholeText(const std::string& path, const std::string& text, FileError& error) {
    AtomicTextWriter writer(path);
    if (!writer.Open(error)) return false;
    std::string_view rest(text);
    while (!rest.empty()) {
        const std::size_t end = rest.find("\r\n");
        if (end == std::string_view::npos) {
            writer.WriteLine(rest);
            break;
        }
        writer.WriteLine(rest.substr(0, end));
        rest.remove_prefix(end + 2);
    }
    return writer.Commit(error);
}

}  // namespace

bool WriteCsvFile(const std::string& path, const Table& table, FileError& error) {
    return WriteWholeText(path, CsvText(table), error);
}

std::string GpxText(const TowerDatabase& database, const TowerVisits& visits,
                    const TowerPlaces& places, const std::vector<std::int32_t>& towers,
                    std::int32_t* skipped) {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<gpx version=\"1.1\" creator=\"Chimeset\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
        "xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 "
        "http://www.topografix.com/GPX/1/1/gpx.xsd\">\r\n"
        "  <metadata>\r\n    <name>Towers</name>\r\n  </metadata>\r\n";
    std::int32_t left = 0;
    for (const std::int32_t tower : towers) {
        if (!places.HasPosition(tower)) {
            ++left;
            continue;
        }
        const GeoPoint& point = places.At(tower);
        // Longitude 180 is written as -180, the form the schema allows.
        const double longitude = point.longitude >= 180 ? point.longitude - 360 : point.longitude;
        const TowerRecords& records = visits.Of(tower);
        std::string desc;
        const std::string bells = database.GetTowerField(tower, kBells);
        if (!bells.empty()) desc += bells + (bells == "1" ? " bell" : " bells");
        const std::string weight = WeightText(database, tower);
        if (!weight.empty()) desc += (desc.empty() ? "" : ", ") + weight;
        const std::string county = database.GetTowerField(tower, kCnty);
        if (!county.empty()) desc += (desc.empty() ? "" : ", ") + county;
        desc += desc.empty() ? "" : "; ";
        desc += records.Visited() ? "visited " + FormatPackedDate(records.visit)
                                  : std::string("not yet visited");
        const std::string details = GpxDetailsText(database, tower);
        if (!details.empty()) desc += "; " + details;
        out += "  <wpt lat=\"" + FixedText(point.latitude, 6) + "\" lon=\"" +
               FixedText(longitude, 6) + "\">\r\n";
        out += "    <name>" + XmlEscape(Windows1252ToUtf8(database.FormatTowerName(tower))) +
               "</name>\r\n";
        out += "    <desc>" + XmlEscape(Windows1252ToUtf8(desc)) + "</desc>\r\n";
        out += std::string("    <sym>") +
               (records.Visited() ? kGpxVisitedSymbol : kGpxUnvisitedSymbol) + "</sym>\r\n";
        out += std::string("    <type>") + (records.Visited() ? "Visited" : "Not visited") +
               "</type>\r\n";
        out += "  </wpt>\r\n";
    }
    out += "</gpx>\r\n";
    if (skipped) *skipped = left;
    return out;
}

bool WriteGpxFile(const std::string& path, const std::string& gpx, FileError& error) {
    return WriteWholeText(path, gpx, error);
}

}  // namespace chimeset
