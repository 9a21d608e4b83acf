// Opening logs: a user opens their own for editing by ID name (File Open); a log that
// arrives from outside (command line, dropped file) opens read-only.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "common/Prompter.h"
#include "common/SettingsStore.h"
#include "users/LogDocument.h"

namespace chimeset {

// Shows the "Open Your Visit Log" dialog: the typed ID name, or nullopt on Cancel.
using AskIdName = std::function<std::optional<std::string>()>;

// Which registered user File Open is for. With one user, that user without asking; with
// several, the one whose ID name equals the typed text exactly. nullopt when there is
// nobody to open (a message has been shown) or the user cancelled.
std::optional<std::string> ChooseUserToOpen(const SettingsStore& settings, Prompter& prompter,
                                            const AskIdName& askIdName);

// The File Open command. pendingUserId is the application's: it carries the chosen ID into
// the document's open and is empty again afterwards, whatever happened.
bool OpenUserLog(LogDocument& doc, const SettingsStore& settings, Prompter& prompter,
                 std::string& pendingUserId, const AskIdName& askIdName);

// A log named on the command line or dropped on the window: read-only.
bool OpenLogFromOutside(LogDocument& doc, const std::string& path);

}  // namespace chimeset
