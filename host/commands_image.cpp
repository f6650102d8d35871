// image DEV [--out FILE] | image load DEV FILE
#include <fstream>

#include "host/commands.h"
#include "host/input_file.h"

namespace {

/// Far beyond any real device (5000 channels of a block take a few hundred kilobytes) and within
/// what the archive's 32-bit positions and the project file can hold.
constexpr size_t kMaxImageBytes = size_t{1} << 30;

ImageBytes ReadImageFile(const std::string& path) {
    const std::string problem = InputFileProblem(path, kMaxImageBytes);
    if (!problem.empty()) throw HostError("cannot read " + problem);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw HostError("cannot read " + path);
    ImageBytes bytes;
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.insert(bytes.end(), chunk, chunk + in.gcount());
        if (bytes.size() > kMaxImageBytes) throw HostError(path + " is too large for a device image");
    }
    if (in.bad()) throw HostError("cannot read " + path);
    return bytes;
}

void WriteImageFile(const std::string& path, const ImageBytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw HostError("cannot write " + path);
}

/// The stored bytes, as they are; nothing is read by the driver.
void ExportImage(HostContext& ctx, const std::string& device, const std::string& outPath) {
    const ImageBytes image = ctx.DeviceImage(device);
    if (outPath.empty()) ctx.Out().write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    else WriteImageFile(outPath, image);
}

/// Replaces the stored bytes; the driver reads them the next time the device is used.
void LoadImage(HostContext& ctx, const std::string& device, const std::string& inPath) {
    ctx.DeviceImage(device);  // the device must exist
    ctx.Project().SaveImage(device, ReadImageFile(inPath));
}

}  // namespace

void AddImageCommands(CLI::App& app, CommandAction& action) {
    auto device = std::make_shared<std::string>();
    auto outPath = std::make_shared<std::string>();
    CLI::App* image = app.add_subcommand("image", "write a device's stored image, or replace it (image load)");
    image->add_option("DEV", *device, "device name");
    image->add_option("--out", *outPath, "file to write instead of stdout");
    image->require_subcommand(0, 1);

    auto loadDevice = std::make_shared<std::string>();
    auto inPath = std::make_shared<std::string>();
    CLI::App* load = image->add_subcommand("load", "replace a device's stored image by the bytes of a file");
    load->add_option("DEV", *loadDevice, "device name")->required();
    load->add_option("FILE", *inPath, "image file")->required();
    SetAction(load, action, [loadDevice, inPath](HostContext& ctx) { LoadImage(ctx, *loadDevice, *inPath); });

    // Runs after load's callback: without load, DEV is required.
    image->callback([&action, device, outPath, load] {
        if (load->parsed()) return;
        if (device->empty()) throw CLI::RequiredError("DEV");
        action = [device, outPath](HostContext& ctx) { ExportImage(ctx, *device, *outPath); };
    });
}
