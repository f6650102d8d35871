// Fuzz target: the predefined structure document the driver carries, read after the user's file
// as the type library does when it is created. Any document must be read without fault; when it
// reads, each of its structures ends up with exactly the members it gives, whatever the user's
// file held under the same name, and the user's structures of other names stay as they were.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "types/struct_document.h"

namespace {

/// A user file with a structure of a name the predefined document often uses, and one of its own.
constexpr std::string_view kUserFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<STURCTUSER>\n"
    "<Struct Name=\"DTL\" Length =\"0\" Mode=\"1\" Mark=\"\"><Element Name=\"x\" Type=\"Int\"/></Struct>\n"
    "<Struct Name=\"Mine\" Length =\"0\" Mode=\"1\" Mark=\"\"><Element Name=\"y\" Type=\"Real\"/></Struct>\n"
    "</STURCTUSER>\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    StructMap predefined;
    if (!ReadStructDocument(text, predefined, StructDocumentKind::Predefined)) {
        if (!predefined.empty()) std::abort();
        return 0;
    }
    StructMap user;
    if (!ReadStructDocument(kUserFile, user, StructDocumentKind::UserFile)) std::abort();
    StructMap both = user;
    if (!ReadStructDocument(text, both, StructDocumentKind::Predefined)) std::abort();
    for (const auto& [header, members] : predefined) {
        const auto entry = both.find(header.Name.view());
        if (entry == both.end() || entry->second != members) std::abort();
        const auto mine = user.find(header.Name.view());
        if (mine != user.end() && entry->first.Mode != mine->first.Mode) std::abort();  // keeps the user's header
    }
    for (const auto& [header, members] : user)
        if (!predefined.count(header.Name.view()) && both.find(header.Name.view())->second != members) std::abort();
    return 0;
}
