#include <gtest/gtest.h>

#include "common/ConflictCopyName.h"

using chimeset::IsConflictCopyName;

TEST(ConflictCopyName, SyncServicesCopiesAreRecognised) {
    for (const char* name : {
             "RINGER1 (conflicted copy 2024-03-01).CBL",           // Dropbox, Nextcloud
             "RINGER1 (Ann's conflicted copy 2024-03-01).CBL",     // Dropbox, with the owner
             "RINGER1 (conflicted copy 2024-03-01 101500).cbl",    // Nextcloud, with a time
             "RINGER1 (Case Conflict).CBL",                        // Dropbox, letter case
             "RINGER1 (Selective Sync Conflict).CBL",              // Dropbox
             "RINGER1.sync-conflict-20240301-101500-ABCDEFG.CBL",  // Syncthing
             "RINGER1_conflict-20240301-101500.CBL",               // ownCloud, older
             "RINGER1 (1).CBL", "RINGER1 (12).cbl",                // Google Drive and others
             "RINGER1-DESKTOP-ABC.CBL", "RINGER1-LAPTOP-7Q2.CBL",  // OneDrive
             "RINGER1 (conflicted copy 2024-03-01)",               // without the extension
         })
        EXPECT_TRUE(IsConflictCopyName(name)) << name;
}

TEST(ConflictCopyName, LogsAndTheProgramsOwnFilesAreNotCopies) {
    for (const char* name :
         {"RINGER1.CBL", "ringer1.cbl", "TOWER_2.CBL", "CAPT99.CBL", "OLD_RINGER1.CBL", "RINGER1",
          "A.CBL", "(1).CBL", "RINGER1 1.CBL", "RINGER1 ().CBL", "RINGER1 (x1).CBL",
          "RINGER1(1).CBL", "RINGER1-.CBL", "-RINGER1.CBL", "RINGER1.CBL.~save000001"})
        EXPECT_FALSE(IsConflictCopyName(name)) << name;
}
