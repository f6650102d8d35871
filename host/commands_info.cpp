// info: what the driver tells a host about itself, one "name<TAB>value" line each.
#include <cstdio>

#include "host/commands.h"

namespace {

std::string Utf8(const CString& text) { return text.ToUtf8(); }

std::string Decimal(double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", digits, value);
    return text;
}

void PrintDeviceInfo(const DriverLibrary& driver, std::ostream& out) {
    auto getDevInfo = driver.Require<SvrGetDevInfoFn>("SvrGetDevInfo");
    for (int32_t which = 0; which < 2; ++which) {
        CString name, file;
        int32_t first = 0, second = 0;
        const int result = CallExport("SvrGetDevInfo", [&] { return getDevInfo(name, first, second, which, file); });
        if (result != 1) throw HostError("the driver gave no device information for " + std::to_string(which));
        if (which == 0) out << "device name\t" << Utf8(name) << "\ndevice numbers\t" << first << '\t' << second << '\n';
        out << "runtime driver " << which << '\t' << Utf8(file) << '\n';
    }
}

void PrintVersions(const DriverLibrary& driver, std::ostream& out) {
    double version = 0, second = 0;
    int32_t format = 0;
    CallExport("SvrGetDevVersionEx", [&] { return driver.Require<SvrGetDevVersionExFn>("SvrGetDevVersionEx")(version, second, format); });
    out << "driver version\t" << Decimal(version, 4) << "\nsecond version\t" << Decimal(second, 1) << "\nformat version\t" << format << '\n';
}

void PrintHelp(const DriverLibrary& driver, std::ostream& out) {
    CString name;
    int32_t context = 0;
    CallExport("SvrDoHelp", [&] { return driver.Require<SvrDoHelpFn>("SvrDoHelp")(name, context); });
    out << "help name\t" << Utf8(name) << "\nhelp context\t" << context << '\n';
}

void PrintParentConfig(const DriverLibrary& driver, std::ostream& out) {
    SParentConfig config;
    CallExport("SvrGetParentCofig", [&] { return driver.Require<SvrGetParentCofigFn>("SvrGetParentCofig")(config); });
    out << "parent address\t" << Utf8(config.address) << "\nparent backup address\t" << Utf8(config.backupAddress)
        << "\nparent port\t" << config.port << "\nparent values\t" << config.value1 << '\t' << config.value2 << '\t'
        << config.value3 << '\n';
}

void PrintCustomUI(const DriverLibrary& driver, std::ostream& out) {
    CArray<SCustomUIEntry> entries;
    CallExport("SvrGetCustomUI", [&] { return driver.Require<SvrGetCustomUIFn>("SvrGetCustomUI")(0, entries); });
    for (const SCustomUIEntry& entry : entries) out << "custom UI\t" << entry.id << '\t' << Utf8(entry.text) << '\n';
}

void PrintInfo(HostContext& ctx) {
    const DriverLibrary& driver = ctx.Driver();
    std::ostream& out = ctx.Out();
    PrintDeviceInfo(driver, out);
    PrintVersions(driver, out);
    PrintHelp(driver, out);
    PrintParentConfig(driver, out);
    PrintCustomUI(driver, out);
}

}  // namespace

void PrintProgramVersions(HostContext& ctx, const std::string& programVersion) {
    double version = 0, second = 0;
    int32_t format = 0;
    const DriverLibrary& driver = ctx.Driver();
    CallExport("SvrGetDevVersionEx", [&] { return driver.Require<SvrGetDevVersionExFn>("SvrGetDevVersionEx")(version, second, format); });
    ctx.Out() << "vireo-host " << programVersion << "\ndriver " << Decimal(version, 4) << "\nimage format " << format << '\n';
}

void AddInfoCommands(CLI::App& app, CommandAction& action) {
    CLI::App* info = app.add_subcommand("info", "device information, versions, help, parent configuration and custom UI of the driver");
    SetAction(info, action, PrintInfo);
}
