#include "host/device_session.h"

#include <iostream>

DeviceSession::DeviceSession(const DriverLibrary& driver, std::string name, const ImageBytes& image)
    : driver_(driver), name_(std::move(name)) {
    archive_.GetBuffer().Items().assign(image.begin(), image.end());
}

DeviceSession::~DeviceSession() {
    if (!device_.record) return;
    try {
        Call<SvrExitDevRunFn>("SvrExitDevRun");
    } catch (const std::exception& e) {
        std::cerr << "vireo-host: " << e.what() << '\n';
    }
}

std::optional<ImageBytes> DeviceSession::WrittenImage() const {
    if (!archive_.IsStoring()) return std::nullopt;
    const auto& buffer = archive_.GetBuffer().Items();
    const size_t end = std::min(static_cast<size_t>(archive_.GetPosition()), buffer.size());
    return ImageBytes(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(end));
}
