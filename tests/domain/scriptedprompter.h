// A prompter for tests: each question must be the next one of the script, word for word, and
// gets the scripted answer. A question nobody expected fails the test.
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
        script_.push_back({type, buttons, std::move(text), answer});
    }

    PromptAnswer Ask(PromptType type, PromptButtons buttons, const std::string& text) override {
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
        return step.answer;
    }

    int asked() const { return asked_; }

private:
    struct Step {
        PromptType type;
        PromptButtons buttons;
        std::string text;
        PromptAnswer answer;
    };
    Prompter* previous_;
    std::deque<Step> script_;
    int asked_ = 0;
};

} // namespace duebell::testing
