#pragma once
#include "common/AppError.h"

#include <functional>

namespace wel::test {

// The message of the AppError the operation throws, "" when it succeeds.
inline QString errorOf(const std::function<void()>& operation)
{
    try {
        operation();
    } catch (const AppError& e) {
        return e.message();
    }
    return {};
}

} // namespace wel::test
