// Text that a user typed, on its way to be stored in Windows-1252: a character that the
// code page lacks is never changed to "?" behind the user's back. The user is shown which
// characters cannot be stored and the text with their nearest plain forms, and decides.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/Prompter.h"
#include "common/TextFolding.h"

namespace chimeset {

// The question for a fit with characters the code page lacks (Yes and No buttons).
Notice PlainFormQuestion(const CodePageFit& fit);

// The Windows-1252 text to store: the typed text when the code page holds all of it, or
// its plain forms when the user answers Yes; std::nullopt when the user answers No and
// wants to change the text.
std::optional<std::string> AgreeTextToStore(std::u32string_view typed, Prompter& prompter);

}  // namespace chimeset
