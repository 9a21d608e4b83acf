#include <gtest/gtest.h>

#include <string>

#include "common/WindowsFileNames.h"

using namespace chimeset;

TEST(WindowsFileNames, DeviceNamesWithAnyExtensionAndCase) {
    for (const char* name : {"CON", "con", "CON.CBL", "NUL", "nul.txt", "PRN", "AUX.x.y", "COM1",
                             "COM9.CBL", "LPT1", "lpt0.cbl", "CONIN$", "CONOUT$.log", "CON .CBL"})
        EXPECT_TRUE(IsWindowsDeviceName(name)) << name;
    for (const char* name : {"CONS.CBL", "ACON", "COM10", "COM", "LPTX", "NULL.CBL", "RINGER1.CBL",
                             ".CON", "", "COMA.CBL"})
        EXPECT_FALSE(IsWindowsDeviceName(name)) << name;
}

TEST(WindowsFileNames, PathProblemsNameTheCause) {
    EXPECT_EQ(WindowsPathProblem("C:\\Logs\\RINGER1.CBL"), "");
    EXPECT_EQ(WindowsPathProblem("C:\\Logs\\CON.CBL"),
              "\"CON.CBL\" is the name of a device on Windows, not of a file.");
    EXPECT_EQ(WindowsPathProblem("/logs/NUL"),
              "\"NUL\" is the name of a device on Windows, not of a file.");
    EXPECT_EQ(WindowsPathProblem("C:\\Logs\\RINGER1."),
              "\"RINGER1.\" ends in a dot or a blank, which Windows drops from file names.");
    EXPECT_NE(WindowsPathProblem("C:\\Logs\\RINGER1 ").find("ends in a dot or a blank"),
              std::string::npos);
    // A folder of a device's name is not judged: only the file's own name is.
    EXPECT_EQ(WindowsPathProblem("C:\\CON2\\RINGER1.CBL"), "");

    const std::string longest = "C:\\" + std::string(kWindowsMaxPath - 7, 'a') + ".CBL";
    ASSERT_EQ(longest.size(), kWindowsMaxPath);
    EXPECT_EQ(WindowsPathProblem(longest), "");
    EXPECT_EQ(WindowsPathProblem(longest + "x"),
              "The path is 260 characters long; Windows takes at most 259.");
}
