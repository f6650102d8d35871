#include "platform/ui/static_text.h"

#include "platform/ui/window_record.h"

namespace {

class StaticState : public ControlState {
public:
    std::unique_ptr<CWnd> MakeWrapper() const override { return std::make_unique<CStatic>(); }
    bool LetsClicksThrough(const WindowRecord&) const override { return true; }
};

}  // namespace

std::unique_ptr<ControlState> MakeStaticState() { return std::make_unique<StaticState>(); }
