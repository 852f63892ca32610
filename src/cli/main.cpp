// vantor08-cli: the editor's core on the command line.

#include "cli/CliOutput.h"
#include "cli/CliSource.h"
#include "cli/Commands.h"

#include "base/Error.h"
#include "base/FileOps.h"
#include "base/Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <vector>

namespace vnt::cli {

namespace {

const QString Program = QStringLiteral("vantor08-cli");

const char* const Notes = "SOURCE is ARCHIVE:LEVEL (the last colon splits it) or a settings file. LEVEL is\n"
                          "Easy, Medium or Difficlt in any letter case, or 1 to 3. Values use \".\" as the\n"
                          "decimal mark in every locale.\n\n"
                          "A change made here while the editor's window holds unsaved edits of the same\n"
                          "level is overwritten by the window's next store.\n\n"
                          "Exit status: 0 success; 1 differences, problems, or no game found; 2 usage\n"
                          "errors and bad input; 3 a file could not be read or written.";

std::vector<Command> allCommands()
{
    std::vector<Command> all;
    for (auto group : {findCommands(), readCommands(), compareCommands(), writeCommands()})
        all.insert(all.end(), group.begin(), group.end());
    return all;
}

QString commandList()
{
    QString text = QStringLiteral("Commands:\n");
    for (const Command& c : allCommands()) {
        if (c.hidden)
            continue;
        const QString usage = QStringLiteral("%1 %2%3").arg(QString::fromLatin1(c.name), QString::fromLatin1(c.syntax),
                                                            (c.options & option::Json) ? QStringLiteral(" [--json]") : QString());
        text += QStringLiteral("  ") + usage.leftJustified(36) + QString::fromLatin1(c.summary) + QLatin1Char('\n');
    }
    return text;
}

// The definitions beside the program, found from its resolved path so that a
// link to the program elsewhere still finds them.
QString defaultDefinitions()
{
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    return QFileInfo(program).dir().filePath(QStringLiteral("aidata.xml"));
}

// The options a command takes, as the parser knows them.
QList<QCommandLineOption> optionsOf(const Command& c)
{
    QList<QCommandLineOption> taken;
    const QString file = QStringLiteral("FILE");
    if (c.options & option::Json)
        taken.emplace_back(QStringLiteral("json"), QStringLiteral("Print one JSON document."));
    if (c.options & option::Text) {
        taken.emplace_back(QStringLiteral("text"), QStringLiteral("Write the level as text, a key = value line each."), file);
        taken.emplace_back(QStringLiteral("all"),
                           QStringLiteral("With --text: every attribute, not only those off their default."));
    }
    if (c.options & option::From)
        taken.emplace_back(QStringLiteral("from"), QStringLiteral("Also take the key = value lines of a text file."), file);
    return taken;
}

// The options given: their names, with their values (empty for a flag).
QMap<QString, QString> givenOptions(const QCommandLineParser& parser, const QList<QCommandLineOption>& taken)
{
    QMap<QString, QString> options;
    for (const QCommandLineOption& o : taken) {
        if (parser.isSet(o))
            options.insert(o.names().first(), o.valueName().isEmpty() ? QString() : parser.value(o));
    }
    return options;
}

int runCommand(const Command& c, const QString& definitions, const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(c.summary) + QStringLiteral("\n\n") + QLatin1String(Notes));
    const QCommandLineOption help = parser.addHelpOption();
    const QList<QCommandLineOption> taken = optionsOf(c);
    parser.addOptions(taken);
    parser.addPositionalArgument(QString::fromLatin1(c.name), QString(),
                                 QStringLiteral("%1 %2").arg(QString::fromLatin1(c.name), QString::fromLatin1(c.syntax)));
    if (!parser.parse(QStringList{Program} + arguments))
        throw UsageError{parser.errorText()};
    if (parser.isSet(help)) {
        printLine(parser.helpText().trimmed());
        return ExitOk;
    }
    const QStringList given = parser.positionalArguments();
    const UsageError usage{
        QStringLiteral("usage: %1 %2 %3").arg(Program, QString::fromLatin1(c.name), QString::fromLatin1(c.syntax))};
    if (given.size() < c.minArguments || (c.maxArguments >= 0 && given.size() > c.maxArguments))
        throw usage;
    Invocation call(definitions, given, givenOptions(parser, taken), usage.message);
    return c.run(call);
}

int run(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The AI values of NHL08's aidata.viv on the command line.\n\n")
                                     + commandList() + QLatin1Char('\n') + QLatin1String(Notes));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption defs(QStringLiteral("defs"),
                                  QStringLiteral("The definition file (default: aidata.xml "
                                                 "beside the program)."),
                                  QStringLiteral("FILE"), defaultDefinitions());
    parser.addOption(defs);
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("The command and its arguments."),
                                 QStringLiteral("COMMAND ARGS..."));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(arguments))
        throw UsageError{parser.errorText()};
    if (parser.isSet(version)) {
        printLine(Program + QLatin1Char(' ') + QCoreApplication::applicationVersion());
        return ExitOk;
    }
    const QStringList rest = parser.positionalArguments();
    if (parser.isSet(help) || rest.isEmpty()) {
        printLine(parser.helpText().trimmed());
        return rest.isEmpty() && !parser.isSet(help) ? ExitBadInput : ExitOk;
    }
    for (const Command& c : allCommands()) {
        if (rest.first() == QLatin1String(c.name))
            return runCommand(c, parser.value(defs), rest.mid(1));
    }
    throw UsageError{QStringLiteral("unknown command '%1'; see %2 --help").arg(rest.first(), Program)};
}

// Failures of files that could not be read or written; every other error of the
// shared code is bad input.
bool isFileFailure(int number)
{
    return number == err::FileNotFound || number == err::FileAlreadyOpen || number == err::DeviceIO || number == err::DiskFull
           || number == err::PermissionDenied || number == err::PathAccess;
}

} // namespace

const pugi::xml_document& Invocation::definitions()
{
    if (!loaded_)
        loadDefinitions(definitions_, definitionPath_);
    loaded_ = true;
    return definitions_;
}

} // namespace vnt::cli

int main(int argc, char** argv)
{
    using namespace vnt::cli;
    vnt::reportFileSizeLimitAsError();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vantor08-cli"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(vnt::ProgramVersion));
    // Numbers are read and written with "." whatever the user's locale, so that
    // output can be pasted between players.
    QLocale::setDefault(QLocale::c());
    try {
        return run(QCoreApplication::arguments());
    } catch (const UsageError& e) {
        printError(QStringLiteral("vantor08-cli: ") + e.message);
        return ExitBadInput;
    } catch (const vnt::Error& e) {
        printError(QStringLiteral("vantor08-cli: error %1: %2").arg(e.number()).arg(e.description()));
        return isFileFailure(e.number()) ? ExitFileFailed : ExitBadInput;
    }
}
