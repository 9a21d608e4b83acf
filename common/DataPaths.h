// Where the programs find their files. In a build tree everything lies beside the programs;
// installed, the programs are in PREFIX/bin, their read-only data in PREFIX/share/chimeset
// and the CB2TB library in PREFIX/lib/chimeset (or beside the programs). Each user's own
// tower database, made by an update from a Dove's Guide download, lies in the user's
// application data folder and is read in place of the installed one.
#pragma once

#include <functional>
#include <string>

namespace chimeset {

struct DataPaths {
    std::string programFolder;      // the folder of the running program
    bool installed = false;         // the installed layout, not a build tree
    std::string dataFolder;         // the read-only data: sample database, CrossRef.txt, help
    std::string libraryFolder;      // the CB2TB library
    std::string userFolder;         // the user's application data; empty where there is none
    std::string installedDatabase;  // the DoveData.CB0 that came with the program
    std::string userDatabase;       // the user's own DoveData.CB0; empty without a user folder
    std::string database;           // the one to read: the user's when it exists

    // The folder that holds the database to read (every database is named DoveData.CB0).
    std::string DatabaseFolder() const;
    // The help topics of a program ("chimeset", "chimemove").
    std::string HelpFolder(const std::string& program) const;
    // A read-only data file such as CrossRef.txt.
    std::string DataFile(const std::string& name) const;
};

// exists: whether a file or folder is there (handed in, so that both layouts are tested
// without installing anything).
DataPaths FindDataPaths(const std::string& programFolder, const std::string& userFolder,
                        const std::function<bool(const std::string&)>& exists);

}  // namespace chimeset
