#include "host/command_line_errors.h"

#include <algorithm>
#include <regex>

namespace {

size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : ", ") + word;
    return text;
}

std::vector<std::string> CommandNames(const CLI::App& app) {
    std::vector<std::string> names;
    for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) names.push_back(command->get_name());
    return names;
}

const CLI::App* FindCommand(const CLI::App& app, const std::string& name) {
    const std::vector<const CLI::App*> found = app.get_subcommands([&name](const CLI::App* c) { return c->check_name(name); });
    return found.empty() ? nullptr : found.front();
}

/// The options that take a value, of this command: their values are not commands.
bool TakesValue(const CLI::App& app, const std::string& word) {
    for (const CLI::Option* option : app.get_options())
        if (option->check_name(word)) return option->get_type_size() != 0;
    return false;
}

/// The deepest command the arguments select.
const CLI::App* SelectedCommand(const CLI::App& app) {
    const CLI::App* command = &app;
    for (;;) {
        const std::vector<const CLI::App*> chosen = command->get_subcommands([](const CLI::App* c) { return c->parsed(); });
        if (chosen.empty()) return command;
        command = chosen.front();
    }
}

std::vector<std::string> OptionNames(const CLI::App& app) {
    std::vector<std::string> names;
    for (const CLI::App* level = &app; level; level = level->get_parent())
        for (const CLI::Option* option : level->get_options())
            for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
    return names;
}

}  // namespace

CLI::Validator OneOf(std::vector<std::string> accepted) {
    const std::string description = Joined(accepted);
    return CLI::Validator(
        [accepted = std::move(accepted), description](std::string& value) {
            if (std::find(accepted.begin(), accepted.end(), value) != accepted.end()) return std::string();
            return "\"" + value + "\" is not accepted; expected one of " + description;
        },
        description);
}

std::optional<std::string> ClosestWord(const std::string& word, const std::vector<std::string>& candidates) {
    std::optional<std::string> best;
    size_t bestDistance = std::max<size_t>(2, word.size() / 3) + 1;
    for (const std::string& candidate : candidates) {
        const size_t distance = EditDistance(word, candidate);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidate;
        }
    }
    return best;
}

std::optional<std::string> FindUnknownCommand(const CLI::App& app, const std::vector<std::string>& args) {
    const CLI::App* level = &app;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--") return std::nullopt;
        if (!word.empty() && word[0] == '-') {
            if (word.find('=') == std::string::npos && TakesValue(*level, word)) ++i;
            continue;
        }
        if (const CLI::App* command = FindCommand(*level, word)) {
            level = command;
            continue;
        }
        // A command that also takes positionals (image DEV, image load) leaves the word to them.
        const std::vector<std::string> names = CommandNames(*level);
        if (names.empty() || level->get_require_subcommand_min() == 0) return std::nullopt;
        const std::string where = level == &app ? "vireo-host" : "vireo-host " + level->get_name();
        std::string message = "\"" + word + "\" is not a command of " + where + "; its commands are " + Joined(names);
        if (word == "help") return message + "; for help, run " + where + " --help";
        if (const auto closest = ClosestWord(word, names)) message += "; did you mean \"" + *closest + "\"?";
        return message;
    }
    return std::nullopt;
}

std::string ExplainParseError(const CLI::App& app, const CLI::ParseError& error, const std::vector<std::string>& args) {
    const std::string what = error.what();
    const CLI::App* command = SelectedCommand(app);
    std::smatch match;
    static const std::regex kConversion("Could not convert: (\\S+) = (.*)");
    if (std::regex_search(what, match, kConversion)) return match[1].str() + ": \"" + match[2].str() + "\" is not a whole number";
    if (dynamic_cast<const CLI::ExtrasError*>(&error)) {
        for (const std::string& word : args) {
            if (word.size() < 2 || word[0] != '-' || what.find(word) == std::string::npos) continue;
            const std::string name = word.substr(0, word.find('='));
            std::string message = "unknown option " + name + " for " + command->get_name();
            if (const auto closest = ClosestWord(name, OptionNames(*command))) message += "; did you mean " + *closest + "?";
            return message;
        }
    }
    if (what == "A subcommand is required") return "a command is required; the commands are " + Joined(CommandNames(*command));
    return what;
}
