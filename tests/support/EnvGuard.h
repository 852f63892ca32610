#pragma once

#include <QByteArray>
#include <QList>

namespace vnt::test {

// Sets or clears environment variables for one test and puts them back after it.
class EnvGuard {
public:
    EnvGuard() = default;
    ~EnvGuard();
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

    void set(const char* name, const QByteArray& value);
    void unset(const char* name);

private:
    void remember(const char* name);
    struct Saved {
        QByteArray name;
        bool wasSet;
        QByteArray value;
    };
    QList<Saved> saved_;
};

} // namespace vnt::test
