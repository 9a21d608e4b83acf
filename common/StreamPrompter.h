// The prompter of the programs' command lines: without a window every message is a line
// on the error stream, and every question gets the cautious answer.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "common/Prompter.h"

namespace chimeset {

class StreamPrompter : public Prompter {
  public:
    explicit StreamPrompter(std::ostream& err) : err_(err) {}

    Answer Show(const Notice& notice) override;
    void ShowFileError(const FileError& error) override;
    Answer AskSaveChanges(const std::string&) override { return Answer::No; }
    std::optional<std::string> AskOpenFileName(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> AskSaveFileName(const FileDialogRequest&) override {
        return std::nullopt;
    }

  private:
    void Write(std::string utf8);

    std::ostream& err_;
};

}  // namespace chimeset
