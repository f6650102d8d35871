// device add NAME | device list | device remove NAME
#include "host/commands.h"
#include "host/value_checks.h"

namespace {

/// A new device (its name printed one per line, so a visible, single-line text): the driver makes its default record in an empty archive and stores it at once.
void AddDevice(HostContext& ctx, const std::string& name) {
    CheckDeviceName(name);
    ProjectStore& project = ctx.Project(true);
    if (project.FindImage(name)) throw HostError("the project already has a device named " + name);
    DeviceSession session(ctx.Driver(), name, {});
    session.Call<SvrInitDevSetFn>("SvrInitDevSet");
    std::optional<ImageView> image = session.WrittenImage();
    if (!image) throw HostError("the driver stored no image for the new device " + name);
    project.AddDevice(name, *image);
}

}  // namespace

void AddDeviceCommands(CLI::App& app, CommandAction& action) {
    CLI::App* device = app.add_subcommand("device", "add, list or remove devices")->require_subcommand(1);

    auto name = std::make_shared<std::string>();
    CLI::App* add = device->add_subcommand("add", "add a device with the default properties and channels");
    add->add_option("NAME", *name, "device name")->required();
    SetAction(add, action, [name](HostContext& ctx) { AddDevice(ctx, *name); });

    CLI::App* list = device->add_subcommand("list", "the devices, one name per line, in the order they were added");
    SetAction(list, action, [](HostContext& ctx) {
        for (const std::string& each : ctx.Project().DeviceNames()) ctx.Out() << each << '\n';
    });

    auto removed = std::make_shared<std::string>();
    CLI::App* remove = device->add_subcommand("remove", "remove a device and its stored image");
    remove->add_option("NAME", *removed, "device name")->required();
    SetAction(remove, action, [removed](HostContext& ctx) { ctx.Project().RemoveDevice(*removed); });
}
