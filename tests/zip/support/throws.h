// Checks that an action throws one kind of exception with exactly the expected message.
#pragma once

#include <gtest/gtest.h>
#include <string>

namespace duebell::zip::ziptest {

template <class E, class Action>
::testing::AssertionResult ThrowsWithMessage(Action action, const std::string& message) {
    try {
        action();
    } catch (const E& e) {
        if (e.what() == message) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "message \"" << e.what() << "\"";
    }
    return ::testing::AssertionFailure() << "no exception";
}

} // namespace duebell::zip::ziptest
