#pragma once
// Expecting a FatalError with its exact message.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/FatalError.h"

inline void expectFatal(const std::function<void()>& action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "expected FatalError: " << message;
    } catch (const FatalError& error) {
        EXPECT_EQ(std::string(error.what()), message);
    }
}
