#include "host/project/device_session.h"

#include <iostream>
#include <utility>

DeviceSession::DeviceSession(const DriverLibrary& driver, std::string name, ImageBytes image)
    : driver_(driver), name_(std::move(name)) {
    archive_.GetBuffer().Items() = std::move(image);
}

DeviceSession::~DeviceSession() {
    if (!device_.record) return;
    try {
        Call<SvrExitDevRunFn>("SvrExitDevRun");
    } catch (const std::exception& e) {
        std::cerr << "vireo-host: " << e.what() << '\n';
    }
}

std::optional<ImageView> DeviceSession::WrittenImage() const {
    if (!archive_.IsStoring()) return std::nullopt;
    const auto& buffer = archive_.GetBuffer().Items();
    const size_t end = std::min(static_cast<size_t>(archive_.GetPosition()), buffer.size());
    return ImageView(buffer.data(), end);
}

void DeviceSession::ForgetWrittenImage() {
    ImageBytes().swap(archive_.GetBuffer().Items());
    archive_.Rewind();
    archive_.SetMode(COwnerArchive::kLoading);  // an empty archive: nothing written, nothing to read
}
