#include "domain/prompt.h"
#include "objectlist/exceptions.h"
#include "scriptedprompter.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

using testing::ScriptedPrompter;

TEST(Prompt, AskingWithNoPrompterIsAnInternalErrorNotAHang) {
    Prompter* previous = SetPrompter(nullptr);
    try {
        AskYesNo("Anyone there?");
        ADD_FAILURE() << "no exception";
    } catch (const EAbort&) {
        ADD_FAILURE() << "silent abort instead of an error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message().rfind("Internal error.  ", 0), 0u) << e.message();
    }
    SetPrompter(previous);
}

TEST(Prompt, CancelEndsTheOperationSilently) {
    ScriptedPrompter prompter;
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel, "Q", PromptAnswer::Yes);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel, "Q", PromptAnswer::No);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel, "Q",
                    PromptAnswer::Cancel);
    EXPECT_TRUE(AskYesNoCancel("Q"));
    EXPECT_FALSE(AskYesNoCancel("Q"));
    EXPECT_THROW(AskYesNoCancel("Q"), EAbort);
}

TEST(Prompt, ScriptedPrompterRestoresThePreviousOne) {
    ScriptedPrompter outer;
    {
        ScriptedPrompter inner;
        EXPECT_EQ(&CurrentPrompter(), &inner);
    }
    EXPECT_EQ(&CurrentPrompter(), &outer);
}

} // namespace
} // namespace duebell
