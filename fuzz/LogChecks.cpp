#include "fuzz/LogChecks.h"

#include <cstdlib>

#include "common/FileFormats.h"
#include "common/TextFile.h"
#include "fuzz/FuzzSupport.h"

namespace chimeset::fuzz {

void WriteSmallDatabase(const std::string& folder) {
    const std::string text = std::string(kTowerFieldNames) +
                             "\r\n"
                             "Aston\\St Peter\\Warks\\SP081895\\52.5\\-1.9\\8\\2000\\1\r\n"
                             "Bray\\St Michael\\Berks\\SU912795\\51.5\\-0.7\\8\\1500\\2\r\n";
    WriteFile(JoinPath(folder, kDatabaseFileName),
              reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

std::vector<EntryView> ViewEntries(CChimesetDoc& doc) {
    std::vector<EntryView> entries(static_cast<std::size_t>(doc.EntryCount()));
    for (std::int32_t e = 0; e < doc.EntryCount(); ++e) {
        EntryView& view = entries[static_cast<std::size_t>(e)];
        view.visit = doc.VisitDateOf(e);
        view.identity = doc.Database().GetIndexNo(doc.TowerOfEntry(e));
    }
    // As the view does after every open: the all-towers list first, then the one wanted.
    doc.SetFilter(kFilterAllTowers);
    doc.SetFilter(kFilterVisited);
    for (std::int32_t p = 0; p < doc.GetListCount(); ++p) {
        doc.SelectListItem(p);
        const std::int32_t e = doc.CurrentEntry();
        if (e < 0 || e >= doc.EntryCount()) std::abort();
        EntryView& view = entries[static_cast<std::size_t>(e)];
        view.detailsKnown = true;
        view.quarter = doc.EntryQuarterDate();
        view.peal = doc.EntryPealDate();
        view.comment = doc.EntryComment();
    }
    return entries;
}

void CheckSameEntries(const std::vector<EntryView>& expected, const std::vector<EntryView>& got) {
    if (expected.size() != got.size()) std::abort();
    for (std::size_t e = 0; e < expected.size(); ++e) {
        const EntryView& a = expected[e];
        const EntryView& b = got[e];
        if (a.visit != b.visit || a.identity != b.identity) std::abort();
        if (a.detailsKnown && b.detailsKnown &&
            (a.quarter != b.quarter || a.peal != b.peal || a.comment != b.comment))
            std::abort();
    }
}

void CheckSaveAndReopen(CChimesetDoc& doc, const std::string& path, const std::string& user) {
    std::vector<EntryView> kept;
    for (const EntryView& entry : ViewEntries(doc)) {
        if (entry.visit != 0) kept.push_back(entry);  // entries without a visit are not saved
    }
    if (!doc.OnSaveDocument(path)) return;
    std::string pending = user;
    if (!doc.OpenLog(path, pending)) std::abort();
    CheckSameEntries(kept, ViewEntries(doc));
}

}  // namespace chimeset::fuzz
