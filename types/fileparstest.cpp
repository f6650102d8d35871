#include "types/fileparstest.h"

#include "types/elementary_types.h"
#include "types/save_struct.h"

namespace {

Fileparstest* g_typeLibrary = nullptr;

}  // namespace

Fileparstest* Fileparstest::Acquire(const CString& dataTypeFile) {
    if (g_typeLibrary) g_typeLibrary->AddRef();
    else g_typeLibrary = new Fileparstest(dataTypeFile);
    return g_typeLibrary;
}

Fileparstest::Fileparstest(const CString& dataTypeFile) : dataTypeFile_(dataTypeFile) {
    BuildElementaryTable();
    userFileReadable_ = dataTypeFile_.LoadAll(userStructs_);
}

Fileparstest::~Fileparstest() {
    if (g_typeLibrary == this) g_typeLibrary = nullptr;
}

int Fileparstest::AddRef() { return ++references_; }

int Fileparstest::Release() {
    const int remaining = --references_;
    if (remaining == 0) delete this;
    return remaining;
}

int Fileparstest::GetTopLevelRecords(std::vector<SFlatMember>& records) {
    records = topLevelRecords_;
    return 1;
}

int Fileparstest::Reserved() { return 1; }

int Fileparstest::MergeStructs(StructMap& structures) {
    // Built apart from the parsed map, so that a user structure changed in the editor is seen by
    // the next layout instead of a copy taken by an earlier one: the merged map holds copies of the
    // parsed structures, which the library keeps.
    for (const StructMap::iterator& entry : LendParsedStructs(structures)) parsedStructs_.insert(*entry);
    return 1;
}

std::vector<StructMap::iterator> Fileparstest::LendParsedStructs(StructMap& structures) {
    // The same map MergeStructs makes: the parsed structures, then the user structures and those
    // held before where no parsed one has the name.
    StructMap before = std::move(structures);
    structures.clear();
    std::vector<StructMap::iterator> lent;
    lent.reserve(parsedStructs_.size());
    while (!parsedStructs_.empty()) lent.push_back(structures.insert(parsedStructs_.extract(parsedStructs_.begin())).position);
    for (const auto& [header, members] : userStructs_) structures.try_emplace(header, members);
    while (!before.empty()) structures.insert(before.extract(before.begin()));
    return lent;
}

void Fileparstest::ReturnParsedStructs(StructMap& structures, const std::vector<StructMap::iterator>& lent) {
    for (const StructMap::iterator& entry : lent) parsedStructs_.insert(structures.extract(entry));
}

int Fileparstest::SaveStruct(const SStructInfo& header, const std::vector<SMemberInfo>& members, int mode) {
    if (!::SaveStruct(userStructs_, pendingEdits_, header, members, mode)) return 0;
    if (deferWrites_) return 1;
    return FinishFileWrites() ? 1 : 0;
}

bool Fileparstest::FinishFileWrites() {
    deferWrites_ = false;
    const bool written = dataTypeFile_.ApplyEdits(pendingEdits_);
    pendingEdits_.Clear();  // the changes stay in memory either way
    return written;
}

int Fileparstest::GetElementaryTypes(std::vector<STypeSize>& types) {
    types = elementary_;
    return 1;
}

int Fileparstest::WriteStructs(const StructMap& structures) { return dataTypeFile_.AppendStructs(structures) ? 1 : 0; }

int Fileparstest::GetParsedStructs(StructMap& structures) {
    structures = parsedStructs_;
    return 1;
}

int Fileparstest::GetUserStructs(StructMap& structures) {
    structures = userStructs_;
    return 1;
}

void Fileparstest::BuildElementaryTable() { elementary_ = BuildElementaryTypes(); }
