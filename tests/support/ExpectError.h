#pragma once

#include "base/Error.h"

#include <gtest/gtest.h>

#include <functional>
#include <source_location>

namespace vnt::test {

// The number of the vnt::Error the call throws; 0 when it throws none.
inline int errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

// Expects the call to throw a vnt::Error of that number.
inline void expectError(int number, const std::function<void()>& call,
                        std::source_location where = std::source_location::current())
{
    const int thrown = errorOf(call);
    if (thrown != number)
        ADD_FAILURE_AT(where.file_name(), int(where.line()))
            << "expected Error " << number << ", got " << (thrown ? "Error " + std::to_string(thrown) : "none");
}

} // namespace vnt::test
