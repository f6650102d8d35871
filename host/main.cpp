// vireo-host: the reference host of the Vireo_EX driver, with a command line.
#include <cstdio>
#include <iostream>

#include "core/column_registry.h"
#include "host/command_line_errors.h"
#include "host/commands.h"
#include "platform/large_pages.h"
#include "platform/ui_language.h"

namespace {

void ApplyLanguage(const std::string& lang) {
    if (lang == "zh") SetThreadUILanguageOverride(kLangChineseSimplified);
    else if (lang == "en") SetThreadUILanguageOverride(kLangEnglishUS);
}

bool WriteOut(const HostContext& ctx) { return ctx.WriteOutput(stdout) && std::fflush(stdout) == 0; }

/// Runs the command in one transaction. Its output is written before the transaction commits:
/// output that cannot be written leaves the project as it was, so exit 1 always means unchanged.
int Run(const HostOptions& options, const CommandAction& action) {
    try {
        HostContext ctx(options);
        action(ctx);
        if (!WriteOut(ctx)) {
            std::perror("vireo-host: cannot write the output; nothing was changed");
            return kExitRefused;
        }
        ctx.Commit();
        return ctx.ExitStatus();
    } catch (const UsageError& e) {
        std::cerr << "vireo-host: " << e.what() << '\n';
        return kExitUsage;
    } catch (const std::exception& e) {
        std::cerr << "vireo-host: " << e.what() << '\n';
        return kExitRefused;
    }
}

/// Thrown by --version once the options before it are read.
struct VersionRequested {};

std::vector<std::string> Arguments(int argc, char** argv) { return std::vector<std::string>(argv + 1, argv + argc); }

int RefuseUsage(const std::string& message) {
    std::cerr << "vireo-host: " << message << "\nRun with --help for more information.\n";
    return kExitUsage;
}

}  // namespace

#ifdef __SANITIZE_ADDRESS__
// In sanitizer builds only. The sanitizer runtime of this toolchain takes a dynamic TLS block of a
// loaded module (the driver's) whose address happens to lie 16 bytes past a page start for the
// header of a glibc older than 2.25, reads a wild range from it and crashes in the leak check at
// exit. It must not track those blocks; the leak check still runs.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
#endif

int main(int argc, char** argv) {
    UseLargeMemoryPages(argv);
    // The host reads channel rows of stored images with the same column registry as the driver.
    DefineChannelColumns();

    CLI::App app{"The reference host of the Vireo_EX driver: keeps devices in a project file and edits them through the driver.",
                 "vireo-host"};
    HostOptions options;
    app.footer(
        "Exit status: 0 success; 1 a refused operation, which changed nothing (import: also when the dialog did not "
        "end with OK); 2 a usage error; layout: 3 when the sources use types nobody defines.\n"
        "Files: the driver <prefix>/drivers/Vireo_EX/Vireo_EX.so with its language library Vireo_EX_lang.so beside "
        "it; user data types in <prefix>/drivers/DataType.xml; projects are SQLite files.");
    app.add_option("--project", options.project, "project file")->capture_default_str();
    app.add_option("--driver", options.driver, "driver to load (default: <folder of vireo-host>/../drivers/Vireo_EX/Vireo_EX.so)");
    app.add_option("--lang", options.lang, "user-interface language of the driver's texts")->check(OneOf({"zh", "en"}));
    app.add_flag_callback("--version", [] { throw VersionRequested{}; }, "print the versions of vireo-host, the driver and the image format, and exit");
    app.require_subcommand(1);
    app.fallthrough();

    CommandAction action;
    AddDeviceCommands(app, action);
    AddPropertyCommands(app, action);
    AddChannelCommands(app, action);
    AddImageCommands(app, action);
    AddInfoCommands(app, action);
    AddLayoutCommands(app, action);
    AddImportCommands(app, action);
    AddTypesCommands(app, action);
    AddGuiCommands(app, action, options);

    const std::vector<std::string> args = Arguments(argc, argv);
    try {
        if (const auto unknown = FindUnknownCommand(app, args)) return RefuseUsage(*unknown);
        app.parse(argc, argv);
    } catch (const VersionRequested&) {
        ApplyLanguage(options.lang);
        return Run(options, [](HostContext& ctx) { PrintProgramVersions(ctx, VIREO_VERSION); });
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0) return app.exit(e);
        return RefuseUsage(ExplainParseError(app, e, args));
    }
    ApplyLanguage(options.lang);
    return Run(options, action);
}
