// How core code talks to the user: message boxes, file errors, file dialogs.
// The program hands in the Qt implementation; tests hand in a scripted fake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/FileError.h"

namespace chimeset {

enum class NoticeIcon { None, Stop, Exclamation, Question, Information };
enum class NoticeButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class Answer { Ok, Cancel, Yes, No };

// One message box: the message's number (0 for a text that has none), its text in
// Windows-1252, icon, buttons and help context (0: no Help button, F1 does nothing).
struct Notice {
    std::uint32_t id = 0;
    std::string text;
    NoticeIcon icon = NoticeIcon::None;
    NoticeButtons buttons = NoticeButtons::Ok;
    std::uint32_t helpContext = 0;
    // The text is UTF-8, not Windows-1252: for a question that must show the very
    // characters the code page lacks.
    bool textIsUtf8 = false;
    // Captions in place of the standard ones, in the buttons' order (Yes, No, Cancel). A box
    // with captions of its own defaults to its last button, the one that changes nothing.
    std::vector<std::string> buttonCaptions;
};

struct FileDialogRequest {
    std::string title;
    NativePath initialPath;        // folder, or folder plus file name
    std::string defaultExtension;  // without the dot, e.g. "CBL"
    std::string filter;            // "Tower Logs (*.CBL)|*.cbl||" form
    bool mustExist = false;        // the path must exist (open) / its folder must (save)
    bool promptOverwrite = true;   // save only
};

class Prompter {
  public:
    virtual ~Prompter() = default;

    virtual Answer Show(const Notice& notice) = 0;
    // The standard file-error box.
    virtual void ShowFileError(const FileError& error) = 0;
    // "Save changes to <title>?" with Yes, No and Cancel.
    virtual Answer AskSaveChanges(const std::string& documentTitle) = 0;
    virtual std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) = 0;
};

}  // namespace chimeset
