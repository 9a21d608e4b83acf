#include "common/PlainFormQuestion.h"

#include <cstdio>

namespace chimeset {
namespace {

// Characters outside the code page cannot appear in the question's own text, so each is
// named by its Unicode number.
std::string Describe(char32_t c) {
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(c));
    const char* plain = PlainFormOf(c);
    if (plain == nullptr || *plain == '\0') return std::string(number) + " (left out)";
    return std::string(number) + " (becomes " + plain + ")";
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
                    list + ".\r\n\r\nStore the text in this plain form?\r\n\r\n" + fit.text +
                    "\r\n\r\nClick\r\nYES to store the plain form,\r\nNO to change the text "
                    "yourself.";
    question.icon = NoticeIcon::Question;
    question.buttons = NoticeButtons::YesNo;
    return question;
}

std::optional<std::string> AgreeTextToStore(std::u32string_view typed, Prompter& prompter) {
    CodePageFit fit = FitToWindows1252(typed);
    if (fit.unheld.empty()) return std::move(fit.text);
    if (prompter.Show(PlainFormQuestion(fit)) != Answer::Yes) return std::nullopt;
    return std::move(fit.text);
}

}  // namespace chimeset
