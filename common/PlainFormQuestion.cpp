#include "common/PlainFormQuestion.h"

#include "common/CodePage.h"

namespace chimeset {
namespace {

// The question shows the characters themselves, so it is written in UTF-8.
std::string Describe(char32_t c) {
    std::string described;
    AppendUtf8(described, c);
    const char* plain = PlainFormOf(c);
    if (plain == nullptr || *plain == '\0') return described + " (left out)";
    return described + " (becomes " + Windows1252ToUtf8(plain) + ")";
}

}  // namespace

Notice PlainFormQuestion(const CodePageFit& fit) {
    std::string list;
    for (const char32_t c : fit.unheld) {
        if (!list.empty()) list += ", ";
        list += Describe(c);
    }
    Notice question;
    question.text = (fit.unheld.size() == 1 ? "This character cannot be stored: "
                                            : "These characters cannot be stored: ") +
                    list + ".\r\n\r\nStore the text in this plain form?\r\n\r\n" +
                    Windows1252ToUtf8(fit.text) +
                    "\r\n\r\nClick\r\nYES to store the plain form,\r\nNO to change the text "
                    "yourself.";
    question.icon = NoticeIcon::Question;
    question.buttons = NoticeButtons::YesNo;
    question.textIsUtf8 = true;
    return question;
}

std::optional<std::string> AgreeTextToStore(std::u32string_view typed, Prompter& prompter) {
    CodePageFit fit = FitToWindows1252(typed);
    if (fit.unheld.empty()) return std::move(fit.text);
    if (prompter.Show(PlainFormQuestion(fit)) != Answer::Yes) return std::nullopt;
    return std::move(fit.text);
}

}  // namespace chimeset
