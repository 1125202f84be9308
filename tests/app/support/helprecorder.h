// A help system for tests: records every request, in order, as "context 510", "contents" or
// "topic <name>", and opens nothing.
#pragma once

#include "app/framework/helpsystem.h"

#include <string>
#include <vector>

namespace duebell::test {

class HelpRecorder : public HelpSystem {
public:
    HelpRecorder() : previous_(SetHelpSystem(this)) {}
    ~HelpRecorder() override { SetHelpSystem(previous_); }
    HelpRecorder(const HelpRecorder&) = delete;
    HelpRecorder& operator=(const HelpRecorder&) = delete;

    void ShowContext(int helpContext) override {
        requests.push_back("context " + std::to_string(helpContext));
    }
    void ShowContents() override { requests.push_back("contents"); }
    void ShowTopic(const std::string& topic) override { requests.push_back("topic " + topic); }

    std::vector<std::string> requests;

private:
    HelpSystem* previous_;
};

} // namespace duebell::test
