#include "tests/support/FakePrompter.h"

namespace chimeset::testing {

Answer FakePrompter::Show(const Notice& notice) {
    notices.push_back(notice);
    if (!answers_.empty()) {
        const Answer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return notice.buttons == NoticeButtons::Ok || notice.buttons == NoticeButtons::OkCancel
               ? Answer::Ok
               : Answer::Yes;
}

void FakePrompter::ShowFileError(const FileError& error) {
    fileErrors.push_back(error);
}

Answer FakePrompter::AskSaveChanges(const std::string& documentTitle) {
    saveQuestions.push_back(documentTitle);
    if (saveAnswers_.empty()) return Answer::No;
    const Answer answer = saveAnswers_.front();
    saveAnswers_.pop_front();
    return answer;
}

std::optional<std::string> FakePrompter::AskOpenFileName(const FileDialogRequest& request) {
    openRequests.push_back(request);
    if (fileNames_.empty()) return std::nullopt;
    auto name = fileNames_.front();
    fileNames_.pop_front();
    return name;
}

std::optional<std::string> FakePrompter::AskSaveFileName(const FileDialogRequest& request) {
    saveRequests.push_back(request);
    if (fileNames_.empty()) return std::nullopt;
    auto name = fileNames_.front();
    fileNames_.pop_front();
    return name;
}

std::vector<unsigned> FakePrompter::Ids() const {
    std::vector<unsigned> ids;
    for (const auto& notice : notices) ids.push_back(notice.id);
    return ids;
}

void FakePrompter::Clear() {
    notices.clear();
    fileErrors.clear();
    saveQuestions.clear();
    openRequests.clear();
    saveRequests.clear();
}

}  // namespace chimeset::testing
