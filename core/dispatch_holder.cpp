#include "core/dispatch_holder.h"

CDispatchHolder& CDispatchHolder::Instance() {
    static CDispatchHolder holder;
    return holder;
}
