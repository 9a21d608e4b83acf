// Typed text that Windows-1252 cannot hold whole is stored only as the user agrees.
#include <gtest/gtest.h>

#include "common/PlainFormQuestion.h"
#include "tests/support/FakePrompter.h"

using namespace chimeset;
using namespace chimeset::testing;

TEST(PlainFormQuestion, AsksOnlyWhenACharacterCannotBeStoredAndNamesEach) {
    FakePrompter prompter;
    EXPECT_EQ(AgreeTextToStore(U"Plain text \u00e9", prompter), "Plain text \xE9");
    EXPECT_TRUE(prompter.Silent());

    // Yes stores the plain form: the w-circumflex as w, the emoji left out.
    prompter.QueueAnswer(Answer::Yes);
    EXPECT_EQ(AgreeTextToStore(U"Lovely peal \U0001F514 at Caerw\u0175s", prompter),
              "Lovely peal  at Caerwws");
    ASSERT_EQ(prompter.notices.size(), 1u);
    const Notice& question = prompter.notices[0];
    EXPECT_EQ(question.buttons, NoticeButtons::YesNo);
    EXPECT_EQ(
        question.text,
        "These characters cannot be stored: \xF0\x9F\x94\x94 (left out), \xC5\xB5 (becomes w).\r\n"
        "\r\nStore the text in this plain form?\r\n\r\nLovely peal  at Caerwws\r\n\r\n"
        "Click\r\nYES to store the plain form,\r\nNO to change the text yourself.");
    EXPECT_EQ(question.text.find('?', question.text.find("form?") + 5), std::string::npos);
    EXPECT_TRUE(question.textIsUtf8);

    // No stores nothing; a repeated character is named once.
    prompter.Clear();
    prompter.QueueAnswer(Answer::No);
    EXPECT_EQ(AgreeTextToStore(U"\u0177\u0177", prompter), std::nullopt);
    ASSERT_EQ(prompter.notices.size(), 1u);
    EXPECT_EQ(
        prompter.notices[0].text.rfind("This character cannot be stored: \xC5\xB7 (becomes y).", 0),
        0u);
}
