#pragma once

#include <QMap>
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

// The options a command takes besides its arguments.
namespace option {
constexpr unsigned Json = 1; // --json
constexpr unsigned Text = 2; // --text FILE, --all
constexpr unsigned From = 4; // --from FILE
} // namespace option

// What every command gets: its arguments, the options given (by name, with
// their values; an empty value for a flag), and the definitions (loaded when a
// command first asks for them).
class Invocation {
public:
    Invocation(QString definitionPath, QStringList arguments, QMap<QString, QString> options, QString usage)
        : definitionPath_(std::move(definitionPath)), arguments_(std::move(arguments)), options_(std::move(options)),
          usage_(std::move(usage))
    {
    }

    const QStringList& arguments() const { return arguments_; }
    const QString& argument(int i) const { return arguments_[i]; }
    bool isSet(const QString& name) const { return options_.contains(name); }
    QString option(const QString& name) const { return options_.value(name); }
    bool json() const { return isSet(QStringLiteral("json")); }
    const pugi::xml_document& definitions();
    // The command's usage line, for a request its arguments cannot satisfy.
    const QString& usage() const { return usage_; }

private:
    QString definitionPath_;
    QStringList arguments_;
    QMap<QString, QString> options_;
    QString usage_;
    bool loaded_ = false;
    pugi::xml_document definitions_;
};

struct Command {
    const char* name;
    const char* syntax; // the arguments, as in the usage line
    const char* summary;
    int minArguments;
    int maxArguments; // -1: any number
    unsigned options; // option::Json, ... that it takes
    bool hidden;      // left out of the help (for the shell completion)
    int (*run)(Invocation&);
};

// The commands, by group.
std::span<const Command> findCommands();    // find
std::span<const Command> readCommands();    // levels, list, get, scan, keys
std::span<const Command> compareCommands(); // diff, check
std::span<const Command> writeCommands();   // set, export, import

} // namespace vnt::cli
