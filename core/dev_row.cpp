#include "core/dev_row.h"

#include "core/channel_name.h"
#include "core/column_registry.h"
#include "core/owner_archive.h"
#include "core/read_write_text_numbers.h"
#include "platform/invalid_arg.h"

static_assert(sizeof(CDevRow) <= 64, "a channel row is one cache line");

CDevRow::CDevRow() : cellCount_(CColumnRegistry::Instance().GetCount()) {}

CDevRow::CDevRow(const CDevRow& other)
    : COwnerObject(other), ints_(other.ints_), texts_(other.texts_),
      aside_(other.aside_ ? std::make_unique<SCellsAside>(*other.aside_) : nullptr), cellCount_(other.cellCount_),
      nameFormedWith_(other.nameFormedWith_) {}

CDevRow& CDevRow::operator=(const CDevRow& other) {
    if (this != &other) *this = CDevRow(other);
    return *this;
}

size_t CDevRow::Checked(int column) const {
    if (column < 0 || column >= cellCount_) throw CInvalidArgException("column not in the registry");
    return static_cast<size_t>(column);
}

CDevRow::SCellsAside& CDevRow::Aside() {
    if (!aside_) {
        aside_ = std::make_unique<SCellsAside>();
        aside_->texts.resize(static_cast<size_t>(cellCount_));
        aside_->ints.resize(static_cast<size_t>(cellCount_));
    }
    return *aside_;
}

int32_t CDevRow::GetInt(int column) const {
    const size_t index = Checked(column);
    const int slot = CColumnRegistry::IntSlot(column);
    if (slot >= 0) return ints_[static_cast<size_t>(slot)];
    return aside_ ? aside_->ints[index] : 0;
}

void CDevRow::SetInt(int column, int32_t value) {
    const size_t index = Checked(column);
    if (nameFormedWith_ != 0 && ChannelNameReads(column)) StoreFormedName();
    const int slot = CColumnRegistry::IntSlot(column);
    if (slot >= 0) ints_[static_cast<size_t>(slot)] = value;
    else Aside().ints[index] = value;
}

std::u16string_view CDevRow::StoredText(int column, std::u16string& buffer) const {
    const size_t index = Checked(column);
    const int slot = CColumnRegistry::TextSlot(column);
    if (slot >= 0) return texts_.Get(slot, buffer);
    return aside_ ? aside_->texts[index].view() : std::u16string_view();
}

std::u16string_view CDevRow::ReadText(int column, std::u16string& buffer) const {
    if (column != kColChannelName || nameFormedWith_ == 0) return StoredText(column, buffer);
    FormChannelName(*this, ReadWriteTextOfNumber(nameFormedWith_), buffer);
    return buffer;
}

CString CDevRow::GetText(int column) const {
    thread_local std::u16string formed;
    return CString(ReadText(column, formed));
}

void CDevRow::FormChannelNameWith(std::u16string_view readWriteText) {
    const int slot = CColumnRegistry::TextSlot(kColChannelName);
    const uint8_t number = slot >= 0 && kColChannelName < cellCount_ ? ReadWriteTextNumber(readWriteText) : 0;
    if (number == 0) {
        std::u16string name;
        FormChannelName(*this, readWriteText, name);
        SetText(kColChannelName, CString(std::move(name)));
        return;
    }
    std::u16string stored;
    if (!texts_.Get(slot, stored).empty()) texts_.Set(slot, {});
    nameFormedWith_ = number;
}

void CDevRow::StoreFormedName() {
    if (nameFormedWith_ == 0) return;
    thread_local std::u16string name;
    FormChannelName(*this, ReadWriteTextOfNumber(nameFormedWith_), name);
    nameFormedWith_ = 0;
    texts_.Set(CColumnRegistry::TextSlot(kColChannelName), name);
}

void CDevRow::SetText(int column, const CString& value) {
    const size_t index = Checked(column);
    if (column == kColChannelName) nameFormedWith_ = 0;
    const int slot = CColumnRegistry::TextSlot(column);
    if (slot >= 0) texts_.Set(slot, value.view());
    else Aside().texts[index] = value;
}

void CDevRow::SetTexts(std::initializer_list<std::pair<int, std::u16string_view>> cells) {
    CRowTexts::Buffers buffers;
    CRowTexts::Texts texts = texts_.All(buffers);
    for (const auto& [column, text] : cells) {
        Checked(column);
        const int slot = CColumnRegistry::TextSlot(column);
        if (column == kColChannelName) nameFormedWith_ = 0;
        if (slot >= 0) texts[static_cast<size_t>(slot)] = text;
        else SetText(column, CString(text));  // kept aside: the texts' block is not touched
    }
    texts_.Assign(texts);
}

CString CDevRow::GetText(const CString& name) const { return GetText(CColumnRegistry::Instance().FindColumn(name)); }
int32_t CDevRow::GetInt(const CString& name) const { return GetInt(CColumnRegistry::Instance().FindColumn(name)); }
void CDevRow::SetInt(const CString& name, int32_t value) { SetInt(CColumnRegistry::Instance().FindColumn(name), value); }
void CDevRow::SetText(const CString& name, const CString& value) { SetText(CColumnRegistry::Instance().FindColumn(name), value); }

int CDevRow::CompareKeys(const CDevRow& other) const {
    const CColumnRegistry& registry = CColumnRegistry::Instance();
    for (int column : registry.KeyColumns()) {
        if (registry.Column(column).kind == kTextColumn) {
            std::u16string mine, others;
            const int order = ReadText(column, mine).compare(other.ReadText(column, others));
            if (order != 0) return order;
            continue;
        }
        const size_t slot = static_cast<size_t>(CColumnRegistry::IntSlot(column));
        const uint32_t a = static_cast<uint32_t>(ints_[slot]), b = static_cast<uint32_t>(other.ints_[slot]);
        if (a != b) return a < b ? -1 : 1;
    }
    return 0;
}

void CDevRow::Serialize(COwnerArchive& archive) {
    const CColumnRegistry& registry = CColumnRegistry::Instance();
    int cells = registry.GetCount();
    if (!archive.IsStoring()) {
        const uint16_t version = archive.PeekVersion();
        if (version > kFormatVersion) return;
        if (version < kFormatVersion) cells -= 2;  // older rows end before the variable name and comment
        Load(archive, cells);
        return;
    }
    thread_local std::u16string formed;
    for (int i = 0; i < cells && i < cellCount_; ++i) {
        if (registry.Column(i).kind == kTextColumn) WriteTextCell(archive, i, formed);
        else archive << ints_[static_cast<size_t>(CColumnRegistry::IntSlot(i))];
    }
}

bool CDevRow::ReadOneByteText(int column, std::string_view& bytes) const {
    Checked(column);
    const int slot = CColumnRegistry::TextSlot(column);
    return slot >= 0 && (column != kColChannelName || nameFormedWith_ == 0) && texts_.GetOneByteEach(slot, bytes);
}

void CDevRow::WriteTextCell(COwnerArchive& archive, int column, std::u16string& buffer) const {
    // A text kept in one byte per character is written from those bytes, not read out first.
    if (std::string_view bytes; ReadOneByteText(column, bytes)) archive.WriteOneByteText(bytes);
    else archive.WriteText(ReadText(column, buffer));
}

// The texts are read first, into buffers the thread keeps, and set together, so that the row's
// texts are made once and loading a large table makes no other text.
void CDevRow::Load(COwnerArchive& archive, int cells) {
    const CColumnRegistry& registry = CColumnRegistry::Instance();
    thread_local std::array<std::u16string, kMaxRowTexts> loaded;
    StoreFormedName();  // a cell the image cannot hold keeps its text
    CRowTexts::Buffers before;
    CRowTexts::Texts texts = texts_.All(before);
    bool anyText = false;
    for (int i = 0; i < cells && i < cellCount_; ++i) {
        if (registry.Column(i).kind != kTextColumn) {
            archive >> ints_[static_cast<size_t>(CColumnRegistry::IntSlot(i))];
            continue;
        }
        const int slot = CColumnRegistry::TextSlot(i);
        std::u16string& text = loaded[static_cast<size_t>(slot)];
        text.assign(texts[static_cast<size_t>(slot)]);  // a text the image cannot hold leaves the cell as it was
        archive.ReadText(text);
        texts[static_cast<size_t>(slot)] = text;
        anyText = true;
    }
    if (anyText) texts_.Assign(texts);
}
