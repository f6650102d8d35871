#include "types/data_analysis.h"

#include <algorithm>
#include <utility>

DataAnalysis::DataAnalysis(const CString& dataTypeFile) : library_(Fileparstest::Acquire(dataTypeFile)) {}

DataAnalysis::~DataAnalysis() { ReleaseLibrary(); }

void DataAnalysis::Reset() {
    // Swapped with empty lists rather than cleared, so that their memory goes too: after a large
    // import the results alone take hundreds of megabytes.
    std::vector<SFlatMember>().swap(records_);
    std::vector<STypeSize>().swap(elementary_);
    std::vector<SFlatMember>().swap(results_);
    std::vector<CString>().swap(unknown_);
}

void DataAnalysis::ForgetTopLevelRecords() {
    if (library_) library_->TopLevelRecords().clear();
}

int DataAnalysis::LoadFiles(const std::vector<CString>& paths, StructureList& completed, int kind) {
    if (paths.empty() || !library_) return 0;
    if (kind == kLoadTagTables) return library_->ParseTagTables(paths, completed);
    if (kind == kLoadSourceFiles) return library_->ParseSourceFiles(paths, completed);
    return 0;
}

int DataAnalysis::LoadBlocks(const DbFileMap& blocks, StructureList& completed, int kind) {
    if (blocks.empty() || !library_ || kind != kLoadDbFiles) return 0;
    return library_->ParseDbFiles(blocks, completed);
}

int DataAnalysis::Flatten() {
    if (!library_) return 0;
    library_->GetElementaryTypes(elementary_);
    library_->MergeStructs(structures_);
    library_->GetTopLevelRecords(records_);
    const size_t resultsBefore = results_.size();
    MemberLayout layout(structures_, elementary_, flags_, results_, unknown_, maxLeaves_);
    // Room for every leaf at once: growing the results by doubling would copy them and could hold
    // twice the memory they need.
    int64_t expected = 0;
    for (const SFlatMember& record : records_) expected = std::min<int64_t>(expected + layout.CountLeaves(record), maxLeaves_);
    results_.reserve(results_.size() + static_cast<size_t>(expected));
    for (const SFlatMember& record : records_) {
        if (!layout.PlaceRecord(record)) {
            results_.erase(results_.begin() + static_cast<std::ptrdiff_t>(resultsBefore), results_.end());
            return kLayoutTooLarge;
        }
    }
    return 1;
}

void DataAnalysis::TakeResults(std::vector<SFlatMember>& members, std::vector<CString>& unknownTypes) const {
    members = results_;
    unknownTypes = unknown_;
}

void DataAnalysis::MoveResults(std::vector<SFlatMember>& members, std::vector<CString>& unknownTypes) {
    members = std::exchange(results_, {});
    unknownTypes = std::exchange(unknown_, {});
}

void DataAnalysis::ReleaseLibrary() {
    if (!library_) return;
    library_->Release();
    library_ = nullptr;
}
