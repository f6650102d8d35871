#include "host/project/import_records.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace {

/// The rows of a device as keys (place, variable and comment: a row as the import made it) and
/// their sources ("tags" or "DB<n>"), in order.
struct SRows {
    TextList keys;
    std::vector<std::string> sources;
};

/// How many times each key is held, by views of keys that outlive the counts: a plant's half a
/// million rows are counted in hash tables, not in ordered trees of copies.
using KeyCounts = std::unordered_map<std::string_view, int>;

KeyCounts CountsOf(const TextList& keys) {
    KeyCounts counts;
    counts.reserve(keys.size());
    for (std::string_view key : keys) ++counts[key];
    return counts;
}

/// Takes one of the key away; false when none is left.
bool TakeOne(KeyCounts& counts, std::string_view key) {
    const auto found = counts.find(key);
    if (found == counts.end() || found->second == 0) return false;
    --found->second;
    return true;
}

/// A row's record and its texts, as the driver describes it.
struct SRowView {
    const SRowRecord& record;
    std::string_view address, varName, comment;
};

/// The source that makes a row: data block n for its rows, the tag table for I, Q and M. Made
/// anew only when a row's source differs from the row's before: neighbouring rows mostly come from
/// one source.
class SourceOfRows {
public:
    const std::string& Of(const SRowView& row) {
        const bool block = row.record.regType == 3;
        const std::string_view number = block ? row.address.substr(0, row.address.find('.')) : std::string_view();
        if (source_.empty() || block != block_ || number != number_) {
            block_ = block;
            number_ = number;
            source_ = block ? "DB" + number_ : "tags";
        }
        return source_;
    }

private:
    bool block_ = false;
    std::string number_;  ///< the block number of the last row's source, as its address gives it
    std::string source_;
};

/// Appends value in decimal.
void AppendNumber(std::string& text, int value) {
    char digits[16];
    text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

/// The source of the row a key stands for, as SourceOfRows gives it: the key starts with the register
/// letter and the address ("V12.4" for data block 12).
std::string SourceOfKey(std::string_view key) {
    if (key.empty() || key[0] != 'V') return "tags";
    return "DB" + std::string(key.substr(1, key.find_first_of(". ", 1) - 1));
}

/// A row as the import made it: where it is and what it holds, in words that do not depend on
/// the user-interface language (the channel name does): register and address, data type index,
/// read/write flag, e.g. "V1.4 type 12 rw 2"; then TAB, the variable, TAB, the comment. Made in
/// key, which is reused from row to row.
std::string_view KeyOf(const SRowView& row, std::string& key) {
    static const char kRegisters[] = "IQMV";
    const int regType = row.record.regType;
    key.clear();
    key += regType >= 0 && regType < 4 ? kRegisters[regType] : '?';
    key += row.address;
    key += " type ";
    AppendNumber(key, row.record.typeIndex);
    key += " rw ";
    AppendNumber(key, row.record.rwFlag);
    key += '\t';
    key += row.varName;
    key += '\t';
    key += row.comment;
    return key;
}

/// Rows recorded at a time: the records of a plant's half a million rows are never all held.
constexpr int kRowsPerRead = 8192;

/// How many rows the device's table holds.
int RowCount(DeviceSession& session) {
    SRowRecords none;
    int32_t first = 0, count = 0;
    return session.Call<VireoDescribeRowRecordsFn>("VireoDescribeRowRecords", first, count, none);
}

/// Hands the rows of the device to take (key, source) in order, and returns how many the table
/// holds.
template <typename Take>
int ForEachRow(DeviceSession& session, Take take) {
    SRowRecords records;
    SourceOfRows sources;
    std::string key;
    int rows = 0;
    int32_t first = 0, count = kRowsPerRead;
    do {
        rows = session.Call<VireoDescribeRowRecordsFn>("VireoDescribeRowRecords", first, count, records);
        std::string_view texts = records.texts;
        for (const SRowRecord& record : records.rows) {
            const SRowView row{record, texts.substr(0, record.addressBytes), texts.substr(record.addressBytes, record.varNameBytes),
                               texts.substr(record.addressBytes + record.varNameBytes, record.commentBytes)};
            texts.remove_prefix(record.addressBytes + record.varNameBytes + record.commentBytes);
            take(KeyOf(row, key), sources.Of(row));
        }
        first += kRowsPerRead;
    } while (first < rows);
    return rows;
}

/// The rows of the device in order.
SRows ReadRows(DeviceSession& session) {
    SRows rows;
    ForEachRow(session, [&](std::string_view key, const std::string& source) {
        rows.keys.push_back(key);
        rows.sources.push_back(source);
    });
    return rows;
}

std::string_view VarNameOf(std::string_view key) {
    const size_t first = key.find('\t');
    return key.substr(first + 1, key.find('\t', first + 1) - first - 1);
}

/// "what", the channel name and the variable of a row's key.
std::string ChangeLine(const char* what, std::string_view key) {
    return std::string(what) + '\t' + std::string(key.substr(0, key.find('\t', key.find('\t') + 1)));
}

struct SCounts {
    int added = 0, changed = 0, removed = 0, unchanged = 0;
};

/// Compares what a source made last time with what it made now; a variable whose row differs is
/// changed (moved, retyped or re-commented), not removed and added.
void Compare(const TextList& before, const TextList& now, SCounts& counts,
             std::vector<std::string>* changes) {
    if (before.empty()) {
        // A first import (or one whose source made nothing last time): every row is added, and no
        // set of the rows is needed to say so.
        counts.added += static_cast<int>(now.size());
        if (changes)
            for (std::string_view key : now) changes->push_back(ChangeLine("added", key));
        return;
    }
    const std::unordered_set<std::string_view> old(before.begin(), before.end());
    std::unordered_set<std::string_view> oldVariables;
    oldVariables.reserve(before.size());
    for (std::string_view key : before) oldVariables.insert(VarNameOf(key));
    std::unordered_set<std::string_view> newVariables;
    newVariables.reserve(now.size());
    for (std::string_view key : now) {
        newVariables.insert(VarNameOf(key));
        const char* what = old.count(key) ? nullptr : oldVariables.count(VarNameOf(key)) ? "changed" : "added";
        if (!what) ++counts.unchanged;
        else if (what[0] == 'c') ++counts.changed;
        else ++counts.added;
        if (what && changes) changes->push_back(ChangeLine(what, key));
    }
    const std::unordered_set<std::string_view> current(now.begin(), now.end());
    for (std::string_view key : before) {
        if (current.count(key) || newVariables.count(VarNameOf(key))) continue;
        ++counts.removed;
        if (changes) changes->push_back(ChangeLine("removed", key));
    }
}

}  // namespace

std::string BlockSource(const std::string& blockName) {
    if (blockName.size() < 3 || blockName.size() > 7 || blockName.compare(0, 2, "DB") != 0) return {};
    if (blockName.find_first_not_of("0123456789", 2) != std::string::npos) return {};
    return "DB" + std::to_string(std::stoi(blockName.substr(2)));
}

ImportRecords::ImportRecords(ProjectStore& project, std::string device, std::set<std::string> sources)
    : project_(project), device_(std::move(device)), sources_(std::move(sources)) {
    for (const std::string& source : sources_) lastImport_[source] = project_.ImportedRows(device_, source);
}

void ImportRecords::RemoveRowsOfLastImport(DeviceSession& session) {
    const SRows rows = ReadRows(session);
    std::map<std::string, KeyCounts> made;
    for (const auto& [source, keys] : lastImport_) made[source] = CountsOf(keys);
    CArray<int32_t> stale;  // highest first: each index is taken after the deletions before it
    for (size_t i = rows.keys.size(); i-- > 0;) {
        const std::string& source = rows.sources[i];
        if (sources_.count(source)) {
            if (TakeOne(made[source], rows.keys[i])) {
                stale.Add(static_cast<int32_t>(i));
                continue;
            }
            if (lastImport_[source].empty()) ++keptUnrecorded_[source];
        }
        rowsBefore_.push_back(rows.keys[i]);  // the rows the import starts from: all but the stale ones
    }
    if (!stale.IsEmpty()) session.Call<SvrDeleteChlInfoFn>("SvrDeleteChlInfo", stale);
}

std::string ImportRecords::Summarise(DeviceSession& session, bool record, std::vector<std::string>* changes) {
    TextRoom keyRoom;  // the keys of every source: declared first, to go last
    std::map<std::string, TextList> madeNow;
    KeyCounts before = CountsOf(rowsBefore_);
    // An import of one source (a large tag table) makes all its rows in one list: room for them
    // is made at once rather than by doubling, which would hold the list twice for a moment.
    if (sources_.size() == 1) {
        const int rowsMade = std::max(0, RowCount(session) - static_cast<int>(rowsBefore_.size()));
        madeNow.try_emplace(*sources_.begin(), keyRoom).first->second.reserve(static_cast<size_t>(rowsMade));
    }
    // The rows are taken as they are described, not gathered in a list first: a table of a
    // million channels is not held once more as rows beside its keys.
    // Neighbouring rows mostly come from one source: its list is looked up again only when the
    // source changes. A row is looked up among the rows before only when its source had some: a
    // plant's rows of data blocks are not looked up among the few tags it kept.
    std::set<std::string> sourcesBefore;
    for (std::string_view key : rowsBefore_) sourcesBefore.insert(SourceOfKey(key));
    std::string lastSource;
    TextList* lastMade = nullptr;
    bool sourceHadRows = false;
    size_t beforeLeft = rowsBefore_.size();  // once every row of before is met, no key is looked up
    ForEachRow(session, [&](std::string_view key, const std::string& source) {
        if (!lastMade || source != lastSource) {
            lastMade = &madeNow.try_emplace(source, keyRoom).first->second;
            lastSource = source;
            sourceHadRows = sourcesBefore.count(source) != 0;
        }
        if (sourceHadRows && beforeLeft > 0 && TakeOne(before, key)) {  // there before the import: not the import's
            --beforeLeft;
            return;
        }
        lastMade->push_back(key);
    });
    SCounts counts;
    for (const std::string& source : sources_) {
        if (record) project_.RecordImportedRows(device_, source, madeNow[source]);
        Compare(lastImport_[source], madeNow[source], counts, changes);
        madeNow[source] = TextList();  // a plant's rows are not all held to the end
    }
    std::string summary = std::to_string(counts.added) + " channels added, " + std::to_string(counts.changed) + " changed, " +
                          std::to_string(counts.removed) + " removed, " + std::to_string(counts.unchanged) + " unchanged";
    for (const auto& [source, kept] : keptUnrecorded_)
        summary += "; kept " + std::to_string(kept) + " channels of " + (source == "tags" ? std::string("I, Q and M") : source) +
                   " that no recorded import made (made by hand, or by an import before records were kept)";
    return summary;
}
