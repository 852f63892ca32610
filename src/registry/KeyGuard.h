#pragma once

#include "registry/RegistryBackend.h"

namespace vnt {

// Closes a key that an operation opened, however the operation ends.
class KeyGuard {
public:
    explicit KeyGuard(RegistryBackend& backend) : backend_(backend) {}
    ~KeyGuard()
    {
        if (key_ != 0)
            backend_.closeKey(key_);
    }
    KeyGuard(const KeyGuard&) = delete;
    KeyGuard& operator=(const KeyGuard&) = delete;

    // Where an open or create call puts the handle; a failed call leaves it unset.
    RegKey* out() { return &key_; }
    RegKey key() const { return key_; }

private:
    RegistryBackend& backend_;
    RegKey key_ = 0;
};

} // namespace vnt
