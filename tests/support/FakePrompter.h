// A Prompter that records every message and answers from a script.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/Prompter.h"

namespace chimeset::testing {

class FakePrompter : public Prompter {
  public:
    // Answers for Show, in order; with none left, Show answers Ok / Yes / Yes (first button).
    void QueueAnswer(Answer answer) { answers_.push_back(answer); }
    void QueueSaveChangesAnswer(Answer answer) { saveAnswers_.push_back(answer); }
    // Answers for the file dialogs, in order; std::nullopt is a cancel.
    void QueueFileName(std::optional<std::string> name) { fileNames_.push_back(std::move(name)); }

    Answer Show(const Notice& notice) override;
    void ShowFileError(const FileError& error) override;
    Answer AskSaveChanges(const std::string& documentTitle) override;
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;

    std::vector<Notice> notices;
    std::vector<FileError> fileErrors;
    std::vector<std::string> saveQuestions;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;

    // The numbers of the messages shown, in order.
    std::vector<unsigned> Ids() const;
    bool Silent() const { return notices.empty() && fileErrors.empty(); }
    void Clear();

  private:
    std::deque<Answer> answers_;
    std::deque<Answer> saveAnswers_;
    std::deque<std::optional<std::string>> fileNames_;
};

}  // namespace chimeset::testing
