#pragma once

#include "base/Error.h"

#include <gtest/gtest.h>

#include <functional>

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
// (The caller's place comes from the compilers' builtins: clang 14, which builds
// the fuzz targets, has no std::source_location.)
inline void expectError(int number, const std::function<void()>& call, const char* file = __builtin_FILE(),
                        int line = __builtin_LINE())
{
    const int thrown = errorOf(call);
    if (thrown != number)
        ADD_FAILURE_AT(file, line) << "expected Error " << number << ", got "
                                   << (thrown ? "Error " + std::to_string(thrown) : "none");
}

} // namespace vnt::test
