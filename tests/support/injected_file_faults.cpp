#include "injected_file_faults.h"

#include <mutex>

namespace {

/// One fault, due a number of times on paths that contain a part; files may be read on several
/// threads at once, so every question is answered under a lock.
class InjectedFileFaults : public FileFaults {
public:
    bool Due(FileFault fault, const std::string& path) override {
        const std::lock_guard<std::mutex> guard(lock_);
        if (fault_ != fault || times_ <= 0 || path.find(pathPart_) == std::string::npos) return false;
        if (--times_ == 0) fault_ = FileFault::kNone;
        ++met_;
        return true;
    }

    void Inject(FileFault fault, std::string pathPart, int times) {
        const std::lock_guard<std::mutex> guard(lock_);
        fault_ = times > 0 ? fault : FileFault::kNone;
        pathPart_ = std::move(pathPart);
        times_ = fault == FileFault::kNone ? 0 : times;
    }

    int Met() {
        const std::lock_guard<std::mutex> guard(lock_);
        return met_;
    }

private:
    std::mutex lock_;
    FileFault fault_ = FileFault::kNone;
    std::string pathPart_;
    int times_ = 0;
    int met_ = 0;
};

InjectedFileFaults& Faults() {
    static InjectedFileFaults faults;
    static const bool given = (SetFileFaults(&faults), true);
    (void)given;
    return faults;
}

}  // namespace

void InjectFileFault(FileFault fault, std::string pathPart, int times) { Faults().Inject(fault, std::move(pathPart), times); }

int InjectedFileFaultsMet() { return Faults().Met(); }
