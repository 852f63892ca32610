#pragma once

#include "registry/RegistryBackend.h"

namespace vnt {

// Closes a key that an operation opened, however the operation ends.
class KeyGuard {
public:
    explicit KeyGuard(RegistryBackend& backend, RegKey key = 0) : backend_(backend), key_(key) {}
    ~KeyGuard()
    {
        try {
            if (key_ != 0)
                backend_.closeKey(key_);
        } catch (const Error&) {
            // a handle that cannot be closed any more has nothing left to release
        }
    }
    KeyGuard(const KeyGuard&) = delete;
    KeyGuard& operator=(const KeyGuard&) = delete;

    // Takes over a handle that an open, create or connect call returned.
    RegKey hold(RegKey key)
    {
        key_ = key;
        return key;
    }
    RegKey key() const { return key_; }

private:
    RegistryBackend& backend_;
    RegKey key_ = 0;
};

} // namespace vnt
