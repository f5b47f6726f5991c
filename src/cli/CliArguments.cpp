#include "cli/CliArguments.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "procedures/ModelTable.h"
#include "store/HexDigits.h"
#include "texts/FillIn.h"

namespace {

constexpr std::uint32_t ADDRESS_SPACE = 0x10000;

constexpr unsigned bit(CliCommand command) { return 1u << unsigned(command); }
constexpr unsigned ON_TARGET =
    bit(CliCommand::Connect) | bit(CliCommand::Read) | bit(CliCommand::Write) | bit(CliCommand::Verify);
constexpr unsigned EVERY_COMMAND = ~0u;

struct CommandName {
    CliCommand command;
    std::string_view name;
};
constexpr std::array<CommandName, 8> COMMANDS{{
    {CliCommand::Help, "help"},
    {CliCommand::Ports, "ports"},
    {CliCommand::Models, "models"},
    {CliCommand::Connect, "connect"},
    {CliCommand::Read, "read"},
    {CliCommand::Write, "write"},
    {CliCommand::Verify, "verify"},
    {CliCommand::Diff, "diff"},
}};

enum class OptionId { Port, Model, Crystal, Start, Count, Output, OnFailures, Json, Quiet, Help, Version };

struct KnownOption {
    OptionId id;
    char shortName; // 0: none
    std::string_view longName;
    bool takesValue;
    unsigned commands; // the commands it applies to
};
constexpr std::array<KnownOption, 11> OPTIONS{{
    {OptionId::Port, 'p', "port", true, ON_TARGET},
    {OptionId::Model, 'm', "model", true, ON_TARGET},
    {OptionId::Crystal, 'c', "crystal", true, ON_TARGET},
    {OptionId::Start, 's', "start", true, bit(CliCommand::Read) | bit(CliCommand::Write) | bit(CliCommand::Verify)},
    {OptionId::Count, 'n', "count", true, bit(CliCommand::Read)},
    {OptionId::Output, 'o', "output", true, bit(CliCommand::Read)},
    {OptionId::OnFailures, 0, "on-failures", true, bit(CliCommand::Write)},
    {OptionId::Json, 0, "json", false, ON_TARGET | bit(CliCommand::Diff)},
    {OptionId::Quiet, 'q', "quiet", false, EVERY_COMMAND},
    {OptionId::Help, 'h', "help", false, EVERY_COMMAND},
    {OptionId::Version, 'V', "version", false, EVERY_COMMAND},
}};

// One option as it was given: which of the known ones, how it was typed, and its value.
struct GivenOption {
    const KnownOption* known;
    std::string typed;
    std::string value;
};

const KnownOption* findLong(std::string_view name)
{
    for (const KnownOption& known : OPTIONS)
        if (known.longName == name)
            return &known;
    return nullptr;
}

const KnownOption* findShort(char name)
{
    for (const KnownOption& known : OPTIONS)
        if (known.shortName != 0 && known.shortName == name)
            return &known;
    return nullptr;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

std::string modelNames()
{
    std::string names;
    for (const ModelInfo& model : modelTable()) {
        if (isPlaceholderModel(model))
            continue;
        names += (names.empty() ? "" : ", ") + model.name;
    }
    return names;
}

std::optional<ModelInfo> findModel(std::string_view name)
{
    for (const ModelInfo& model : modelTable())
        if (!isPlaceholderModel(model) && equalsIgnoringCase(model.name, name))
            return model;
    return std::nullopt;
}

// A number in `base` (10 or 16) of at most `limit`; none for anything else (empty, a sign,
// a stray character, too large).
std::optional<std::uint32_t> parseNumber(std::string_view text, int base, std::uint32_t limit)
{
    if (base == 16) {
        const std::optional<std::uint64_t> value = hexNumberValue(text, limit);
        return value ? std::optional<std::uint32_t>(std::uint32_t(*value)) : std::nullopt;
    }
    if (text.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + std::uint64_t(c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return std::uint32_t(value);
}

std::optional<int> parseCrystal(std::string_view text)
{
    if (equalsIgnoringCase(text, "auto"))
        return 0;
    if (text.size() > 3 && equalsIgnoringCase(text.substr(text.size() - 3), "MHz"))
        text.remove_suffix(3);
    for (const int mhz : {16, 8, 4})
        if (text == std::to_string(mhz))
            return mhz;
    return std::nullopt;
}

std::optional<OnFailures> parseOnFailures(std::string_view text)
{
    if (text == "ask")
        return OnFailures::Ask;
    if (text == "stop")
        return OnFailures::Stop;
    if (text == "continue")
        return OnFailures::Continue;
    return std::nullopt;
}

// Splits the arguments into options (with their values) and the rest; an
// empty error when every option was known and had what it needs.
std::string splitArguments(const std::vector<std::string>& arguments, std::vector<GivenOption>& options,
                           std::vector<std::string>& rest)
{
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument == "-" || !argument.starts_with("-")) {
            rest.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument.starts_with("--")) {
            const auto equals = argument.find('=');
            const std::string typed = argument.substr(0, equals);
            const KnownOption* known = findLong(std::string_view(typed).substr(2));
            if (!known)
                return fillIn(texts::CLI_UNKNOWN_OPTION, {{"option", escapeControlCharacters(typed)}});
            if (!known->takesValue && equals != std::string::npos)
                return fillIn(texts::CLI_OPTION_TAKES_NO_VALUE, {{"option", escapeControlCharacters(typed)}});
            std::string value;
            if (known->takesValue) {
                if (equals != std::string::npos)
                    value = argument.substr(equals + 1);
                else if (i + 1 < arguments.size())
                    value = arguments[++i];
                else
                    return fillIn(texts::CLI_OPTION_NEEDS_VALUE, {{"option", escapeControlCharacters(typed)}});
            }
            options.push_back({known, typed, value});
            continue;
        }
        // A cluster of short options ("-qV"); one that takes a value takes the
        // rest of the cluster ("-pCOM2") or the next argument.
        for (std::size_t k = 1; k < argument.size(); ++k) {
            const std::string typed = std::string("-") + argument[k];
            const KnownOption* known = findShort(argument[k]);
            if (!known)
                return fillIn(texts::CLI_UNKNOWN_OPTION, {{"option", escapeControlCharacters(typed)}});
            if (!known->takesValue) {
                options.push_back({known, typed, {}});
                continue;
            }
            if (k + 1 < argument.size())
                options.push_back({known, typed, argument.substr(k + 1)});
            else if (i + 1 < arguments.size())
                options.push_back({known, typed, arguments[++i]});
            else
                return fillIn(texts::CLI_OPTION_NEEDS_VALUE, {{"option", escapeControlCharacters(typed)}});
            break;
        }
    }
    return {};
}

// Takes one option's value into the options; an error line when it is bad.
std::string applyOption(const GivenOption& given, CliOptions& options)
{
    const std::string& value = given.value;
    switch (given.known->id) {
    case OptionId::Port:
        options.port = value;
        break;
    case OptionId::Model:
        options.model = findModel(value);
        if (!options.model)
            return fillIn(texts::CLI_UNKNOWN_MODEL, {{"model", escapeControlCharacters(value)}, {"models", modelNames()}});
        break;
    case OptionId::Crystal: {
        const auto mhz = parseCrystal(value);
        if (!mhz)
            return fillIn(texts::CLI_BAD_CRYSTAL, {{"crystal", escapeControlCharacters(value)}});
        options.crystalMHz = *mhz;
        break;
    }
    case OptionId::Start: {
        const std::string_view digits =
            value.starts_with("0x") || value.starts_with("0X") ? std::string_view(value).substr(2) : value;
        const auto start = parseNumber(digits, 16, ADDRESS_SPACE - 1);
        if (!start)
            return fillIn(texts::CLI_BAD_START, {{"start", escapeControlCharacters(value)}});
        if (*start % 2 != 0)
            return fillIn(texts::CLI_ODD_START, {{"start", hexNumber(*start, 4)}});
        options.start = std::uint16_t(*start);
        break;
    }
    case OptionId::Count: {
        const auto count = parseNumber(value, 10, ADDRESS_SPACE);
        if (!count || *count == 0)
            return fillIn(texts::CLI_BAD_COUNT, {{"count", escapeControlCharacters(value)}});
        options.count = *count;
        break;
    }
    case OptionId::Output:
        options.output = value;
        break;
    case OptionId::OnFailures: {
        const auto choice = parseOnFailures(value);
        if (!choice)
            return fillIn(texts::CLI_BAD_ON_FAILURES, {{"answer", escapeControlCharacters(value)}});
        options.onFailures = *choice;
        break;
    }
    case OptionId::Json:
        options.json = true;
        break;
    case OptionId::Quiet:
        options.quiet = true;
        break;
    case OptionId::Help:
    case OptionId::Version:
        break;
    }
    return {};
}

// How many files each command takes, and how --help says it.
std::pair<std::size_t, Text> filesTaken(CliCommand command)
{
    switch (command) {
    case CliCommand::Write:
    case CliCommand::Verify:
        return {1, texts::CLI_TAKES_ONE_FILE};
    case CliCommand::Diff:
        return {2, texts::CLI_TAKES_TWO_FILES};
    default:
        return {0, texts::CLI_TAKES_NOTHING};
    }
}

} // namespace

std::string commandName(CliCommand command)
{
    for (const CommandName& entry : COMMANDS)
        if (entry.command == command)
            return std::string(entry.name);
    return "--version";
}

ParsedArguments parseArguments(const std::vector<std::string>& arguments)
{
    ParsedArguments parsed;
    CliOptions& options = parsed.options;
    std::vector<GivenOption> given;
    std::vector<std::string> rest;
    parsed.error = splitArguments(arguments, given, rest);
    if (!parsed.ok())
        return parsed;

    // --help and --version answer whatever else was asked.
    for (const GivenOption& option : given)
        if (option.known->id == OptionId::Help || option.known->id == OptionId::Version) {
            options.command = option.known->id == OptionId::Help ? CliCommand::Help : CliCommand::Version;
            return parsed;
        }

    if (rest.empty()) {
        parsed.error = toStdString(texts::CLI_NO_COMMAND);
        return parsed;
    }
    const auto named = std::find_if(COMMANDS.begin(), COMMANDS.end(),
                                    [&](const CommandName& entry) { return entry.name == rest.front(); });
    if (named == COMMANDS.end()) {
        parsed.error = fillIn(texts::CLI_UNKNOWN_COMMAND, {{"command", escapeControlCharacters(rest.front())}});
        return parsed;
    }
    options.command = named->command;
    options.files.assign(rest.begin() + 1, rest.end());
    const std::string name = commandName(options.command);

    for (const GivenOption& option : given) {
        if ((option.known->commands & bit(options.command)) == 0) {
            parsed.error = fillIn(texts::CLI_OPTION_NOT_FOR_COMMAND, {{"option", option.typed}, {"command", name}});
            return parsed;
        }
        parsed.error = applyOption(option, options);
        if (!parsed.ok())
            return parsed;
    }

    const auto [files, filesText] = filesTaken(options.command);
    if (options.files.size() != files)
        parsed.error = fillIn(texts::CLI_ARGUMENT_COUNT, {{"command", name},
                                                             {"takes", toStdString(filesText)},
                                                             {"given", std::to_string(options.files.size())}});
    else if ((bit(options.command) & ON_TARGET) && !options.model)
        parsed.error = fillIn(texts::CLI_MODEL_MISSING, {{"command", name}, {"models", modelNames()}});
    else if (options.start && options.count && *options.start + *options.count > ADDRESS_SPACE)
        parsed.error = fillIn(texts::CLI_RANGE_PAST_END, {{"start", hexNumber(*options.start, 4)}, {"count", std::to_string(*options.count)}});
    else if (options.command == CliCommand::Read && !options.output)
        parsed.error = toStdString(texts::CLI_OUTPUT_MISSING);
    else if (options.json && options.output == "-")
        parsed.error = toStdString(texts::CLI_JSON_AND_STDOUT);
    return parsed;
}
