// The process-wide holder of the host's automation object.
#pragma once

struct IDispatch;

/// Keeps the automation object the host hands over. The driver never releases it (the host keeps it
/// alive) and uses it for nothing else; at unload it is detached.
class CDispatchHolder {
public:
    static CDispatchHolder& Instance();
    ~CDispatchHolder() { DetachDispatch(); }

    void AttachDispatch(IDispatch* object) { object_ = object; }
    IDispatch* DetachDispatch() {
        IDispatch* object = object_;
        object_ = nullptr;
        return object;
    }
    IDispatch* GetDispatch() const { return object_; }

private:
    IDispatch* object_ = nullptr;
};
