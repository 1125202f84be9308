// A prompter for tests: each question must be the next one of the script, word for word, with
// the scripted default answer, and gets the scripted answer. A question nobody expected fails
// the test.
#pragma once

#include "domain/prompt.h"
#include "objectlist/exceptions.h"

#include <deque>
#include <gtest/gtest.h>
#include <string>

namespace duebell::testing {

class ScriptedPrompter : public Prompter {
public:
    ScriptedPrompter() : previous_(SetPrompter(this)) {}
    ~ScriptedPrompter() override {
        SetPrompter(previous_);
        for (const Step& step : script_)
            ADD_FAILURE() << "Question never asked: " << step.text;
    }
    ScriptedPrompter(const ScriptedPrompter&) = delete;
    ScriptedPrompter& operator=(const ScriptedPrompter&) = delete;

    void Expect(PromptType type, PromptButtons buttons, std::string text, PromptAnswer answer) {
        script_.push_back({type, buttons, std::move(text), answer, false});
    }
    // A question whose default answer is No.
    void ExpectDefaultNo(PromptType type, PromptButtons buttons, std::string text,
                         PromptAnswer answer) {
        script_.push_back({type, buttons, std::move(text), answer, true});
    }

    PromptAnswer Ask(PromptType type, PromptButtons buttons, const std::string& text) override {
        return Answer(type, buttons, text, false);
    }
    PromptAnswer AskDefaultNo(PromptType type, PromptButtons buttons,
                              const std::string& text) override {
        return Answer(type, buttons, text, true);
    }

    int asked() const { return asked_; }

private:
    struct Step {
        PromptType type;
        PromptButtons buttons;
        std::string text;
        PromptAnswer answer;
        bool defaultNo;
    };

    PromptAnswer Answer(PromptType type, PromptButtons buttons, const std::string& text,
                        bool defaultNo) {
        ++asked_;
        if (script_.empty()) {
            ADD_FAILURE() << "Unexpected question: " << text;
            throw EAbort();
        }
        Step step = script_.front();
        script_.pop_front();
        EXPECT_EQ(text, step.text);
        EXPECT_EQ(type, step.type) << text;
        EXPECT_EQ(buttons, step.buttons) << text;
        EXPECT_EQ(defaultNo, step.defaultNo) << "default No: " << text;
        return step.answer;
    }

    Prompter* previous_;
    std::deque<Step> script_;
    int asked_ = 0;
};

} // namespace duebell::testing
