#include "types/block_name.h"

#include "types/kept_texts.h"

CBlockName::CBlockName(std::u16string_view name) {
    // A parser names every record of a block, and every tag of a table, after the same few
    // blocks: the last name this thread kept is tried first, without the lock.
    thread_local const CString* last = nullptr;
    if (last && last->view() == name) {
        name_ = last;
        return;
    }
    name_ = KeptText(name);
    last = name_;
}

const CString& CBlockName::Empty() {
    static const CString* empty = KeptText({});
    return *empty;
}
