#pragma once

#include <QString>
#include <QStringList>

#include <pugixml.hpp>

#include <span>

namespace vnt::cli {

// Exit statuses.
constexpr int ExitOk = 0;
constexpr int ExitFound = 1; // differences, problems, or no game found
constexpr int ExitBadInput = 2;
constexpr int ExitFileFailed = 3;

// What every command gets: its arguments, whether JSON was asked for, and the
// definitions (loaded when a command first asks for them).
class Invocation {
public:
    Invocation(QString definitionPath, QStringList arguments, bool json)
        : definitionPath_(std::move(definitionPath)), arguments_(std::move(arguments)), json_(json)
    {
    }

    const QStringList& arguments() const { return arguments_; }
    const QString& argument(int i) const { return arguments_[i]; }
    bool json() const { return json_; }
    const pugi::xml_document& definitions();

private:
    QString definitionPath_;
    QStringList arguments_;
    bool json_;
    bool loaded_ = false;
    pugi::xml_document definitions_;
};

struct Command {
    const char* name;
    const char* syntax; // the arguments, as in the usage line
    const char* summary;
    int minArguments;
    int maxArguments; // -1: any number
    bool json;        // takes --json
    bool hidden;      // left out of the help (for the shell completion)
    int (*run)(Invocation&);
};

// The commands, by group.
std::span<const Command> findCommands();    // find
std::span<const Command> readCommands();    // levels, list, get, scan, keys
std::span<const Command> compareCommands(); // diff, check
std::span<const Command> writeCommands();   // set, export, import

} // namespace vnt::cli
