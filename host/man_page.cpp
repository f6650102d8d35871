#include "host/man_page.h"

#include <sstream>

namespace {

/// Text as man(7) shows it literally: backslashes doubled, and lines that would start with a
/// control character ("." or "'") protected.
std::string Literal(const std::string& text) {
    std::string out;
    bool lineStart = true;
    for (char ch : text) {
        if (lineStart && (ch == '.' || ch == '\'')) out += "\\&";
        if (ch == '\\') out += "\\e";
        else out += ch;
        lineStart = ch == '\n';
    }
    return out;
}

/// The command's path from the program, "vireo-host channel add".
std::string CommandPath(const CLI::App& command) {
    std::string path = command.get_name();
    for (const CLI::App* parent = command.get_parent(); parent; parent = parent->get_parent())
        path = parent->get_name() + " " + path;
    return path;
}

std::vector<const CLI::App*> Subcommands(const CLI::App& app) {
    return app.get_subcommands([](const CLI::App*) { return true; });
}

/// The command's help as --help prints it when the command is given: its usage line names the
/// whole command path.
std::string HelpOf(const CLI::App& command) {
    std::string help = command.help();
    const std::string usage = "Usage: " + command.get_name() + " ";
    const size_t at = help.find(usage);
    if (at != std::string::npos) help.replace(at, usage.size(), "Usage: " + CommandPath(command) + " ");
    return help;
}

void WriteCommand(std::ostream& out, const CLI::App& command) {
    out << ".SS \"" << CommandPath(command) << "\"\n.nf\n" << Literal(HelpOf(command)) << ".fi\n";
    for (const CLI::App* sub : Subcommands(command)) WriteCommand(out, *sub);
}

}  // namespace

std::string ManPage(const CLI::App& app) {
    std::ostringstream out;
    const std::string name = app.get_name();
    out << ".TH " << name << " 1 \"\" \"" << name << "\" \"User Commands\"\n"
        << ".SH NAME\n" << name << " \\- " << Literal(app.get_description()) << '\n'
        << ".SH SYNOPSIS\n.B " << name << "\n[\\fIOPTIONS\\fR] \\fICOMMAND\\fR ...\n"
        << ".SH OPTIONS\n.nf\n" << Literal(app.help()) << ".fi\n"
        << ".SH COMMANDS\n";
    for (const CLI::App* command : Subcommands(app)) WriteCommand(out, *command);
    if (!app.get_footer().empty()) out << ".SH NOTES\n" << Literal(app.get_footer()) << '\n';
    return out.str();
}
