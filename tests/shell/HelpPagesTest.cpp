// The help pages: every command, dialog and message with help has a topic, and every page
// and link that the topics name is there.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "tests/support/TempDir.h"
#include "view/CommandIds.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

std::string HelpFolder() {
    return SourceDir() + "/resources/help/chimeset";
}

std::map<unsigned long, std::string> ReadTopicMap(std::string* defaultTopic) {
    std::ifstream in(HelpFolder() + "/topics.map");
    std::map<unsigned long, std::string> topics;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == ';') continue;
        std::istringstream fields(line);
        std::string context, page;
        fields >> context >> page;
        if (context == "default")
            *defaultTopic = page;
        else
            topics[std::stoul(context, nullptr, 0)] = page;
    }
    return topics;
}

}  // namespace

TEST(HelpPages, EveryContextHasAnExistingTopic) {
    std::string defaultTopic;
    const auto topics = ReadTopicMap(&defaultTopic);
    EXPECT_EQ(defaultTopic, "index.html");
    for (const int command : {kCmdFileOpen,        kCmdFileClose,          kCmdFileSave,
                              kCmdFilePrint,       kCmdFilePrintPreview,   kCmdAppAbout,
                              kCmdAppExit,         kCmdHelpTopics,         kCmdFind,
                              kCmdFindNext,        kCmdTenorInKilograms,   kCmdSetPrintContents,
                              kCmdCopyToClipboard, kCmdManageUsers,        kCmdBackupInformation,
                              kCmdCheckForUpdate,  kCmdAddAdditionalTower, kCmdUpdateTowerData,
                              kCmdStatistics,      kCmdTowersNear,         kCmdTowerMap,
                              kCmdExportMap})
        EXPECT_EQ(topics.count(0x10000ul + command), 1u) << command;
    for (const unsigned dialog :
         {100u, 128u, 131u, 132u, 133u, 134u, 135u, 136u, 137u, 138u, 139u, 160u, 161u})
        EXPECT_EQ(topics.count(0x20000ul + dialog), 1u) << dialog;
    for (const unsigned message : {0x8005u, 0x800Du, 0x8010u, 0x8011u, 0x8013u})
        EXPECT_EQ(topics.count(0x30000ul + message), 1u) << std::hex << message;

    std::set<std::string> pages{defaultTopic};
    for (const auto& [context, page] : topics) pages.insert(page);
    for (const auto& page : pages)
        EXPECT_FALSE(ReadBytes(HelpFolder() + "/" + page).empty()) << page;
}

TEST(HelpPages, LinksLeadToPagesThatExist) {
    const std::regex link("href=\"([^\"#]+)\"");
    int pagesChecked = 0;
    for (const auto& name : ListFolder(HelpFolder())) {
        if (name.size() < 5 || name.substr(name.size() - 5) != ".html") continue;
        ++pagesChecked;
        const std::string text = ReadBytes(HelpFolder() + "/" + name);
        EXPECT_NE(text.find("<h1>"), std::string::npos) << name;
        for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
            const std::string target = (*it)[1];
            EXPECT_FALSE(ReadBytes(HelpFolder() + "/" + target).empty())
                << name << " -> " << target;
        }
    }
    EXPECT_GE(pagesChecked, 20);
}
