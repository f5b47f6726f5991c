#include "store/ByteStore.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "store/CellRules.h"
#include "store/RunLength.h"

namespace {

std::size_t growthLimit = SIZE_MAX;

} // namespace

ByteStore::ByteStore(std::size_t capacity) { grow(capacity); }

void ByteStore::limitGrowthForTests(std::size_t cells) { growthLimit = cells; }

void ByteStore::grow(std::size_t capacity)
{
    if (capacity <= bytes_.size())
        return;
    if (capacity > growthLimit)
        throw std::bad_alloc();
    // Both reservations before either resize: a failure leaves both vectors
    // as they were, never one longer than the other.
    bytes_.reserve(capacity);
    flags_.reserve(capacity);
    bytes_.resize(capacity, 0);
    flags_.resize(capacity, HEX_EMPTY | CHAR_EMPTY);
}

void ByteStore::reserve(std::size_t capacity)
{
    if (capacity > growthLimit)
        throw std::bad_alloc();
    bytes_.reserve(capacity);
    flags_.reserve(capacity);
}

void ByteStore::reset(std::size_t capacity)
{
    *this = ByteStore(capacity);
}

void ByteStore::setFlag(std::size_t k, Flag flag, bool on)
{
    flags_[k] = on ? std::uint8_t(flags_[k] | flag) : std::uint8_t(flags_[k] & ~flag);
}

void ByteStore::clearOddTexts(std::size_t k)
{
    if (flags_[k] & HEX_ODD)
        oddHex_.erase(k);
    if (flags_[k] & CHAR_ODD)
        oddChar_.erase(k);
    flags_[k] &= std::uint8_t(~(HEX_ODD | CHAR_ODD));
}

void ByteStore::setByte(std::size_t k, std::uint8_t v)
{
    if (k >= bytes_.size())
        return;
    clearOddTexts(k);
    bytes_[k] = v;
    flags_[k] &= std::uint8_t(~(HEX_EMPTY | CHAR_EMPTY));
}


bool ByteStore::isHexPlain(std::size_t k) const
{
    return k < bytes_.size() && !(flags_[k] & (HEX_EMPTY | HEX_ODD));
}

std::wstring ByteStore::hexText(std::size_t k) const
{
    if (k >= bytes_.size() || (flags_[k] & HEX_EMPTY))
        return {};
    if (flags_[k] & HEX_ODD)
        return oddHex_.at(k);
    return byteText(bytes_[k]);
}

std::wstring ByteStore::charText(std::size_t k) const
{
    if (k >= bytes_.size() || (flags_[k] & CHAR_EMPTY))
        return {};
    if (flags_[k] & CHAR_ODD)
        return oddChar_.at(k);
    return std::wstring(1, byteGlyph(bytes_[k]));
}

void ByteStore::editHexCell(std::size_t k, const std::wstring& typed)
{
    if (k >= bytes_.size())
        return;
    const std::wstring text = normalizeHexCell(typed);
    const std::uint8_t value = hexCellValue(text);
    setByte(k, value); // the twin shows the value's glyph, even for an empty cell
    if (text.empty()) {
        setFlag(k, HEX_EMPTY, true);
    } else if (text != byteText(value)) {
        oddHex_[k] = text;
        setFlag(k, HEX_ODD, true);
    }
    const wchar_t glyph = typedHexGlyph(text);
    if (glyph != byteGlyph(value)) {
        oddChar_[k] = std::wstring(1, glyph);
        setFlag(k, CHAR_ODD, true);
    }
}

void ByteStore::editCharCell(std::size_t k, const std::wstring& typed)
{
    if (k >= bytes_.size())
        return;
    const std::uint8_t value = charCellValue(typed);
    setByte(k, value);
    // The cell keeps what was typed, even when that is empty or several characters.
    if (typed != std::wstring(1, byteGlyph(value))) {
        oddChar_[k] = typed;
        setFlag(k, CHAR_ODD, true);
    }
}

void ByteStore::emptyCell(std::size_t k)
{
    if (k >= bytes_.size())
        return;
    clearOddTexts(k);
    bytes_[k] = 0;
    flags_[k] |= HEX_EMPTY | CHAR_EMPTY;
}


void ByteStore::markRed(std::size_t k)
{
    if (k < bytes_.size())
        setFlag(k, RED, true);
}

std::size_t ByteStore::memoryBytes() const
{
    // Map nodes: the key, the string and two pointers, roughly.
    const std::size_t node = sizeof(std::size_t) + sizeof(std::wstring) + 2 * sizeof(void*);
    return bytes_.capacity() + flags_.capacity() + (oddHex_.size() + oddChar_.size()) * node;
}

std::size_t CellSnapshot::memoryBytes() const
{
    std::size_t texts = 0;
    for (const auto* odd : {&oddHex_, &oddChar_}) {
        for (const auto& [index, text] : *odd)
            texts += sizeof index + sizeof text + text.capacity() * sizeof(wchar_t);
    }
    return sizeof *this + bytes_.capacity() + flags_.capacity() + texts;
}

CellSnapshot ByteStore::snapshot(const CellBlock& block) const
{
    CellSnapshot shot;
    shot.block_ = block;
    std::vector<std::uint8_t> bytes, flags;
    bytes.reserve(block.cells());
    flags.reserve(block.cells());
    // Row by row, a block copy each: a megabyte's snapshot is part of the
    // time an undo takes.
    for (std::size_t row = 0; row < block.rows; ++row) {
        const std::size_t start = block.first + row * CellBlock::ROW_STRIDE;
        const std::size_t inside = start < bytes_.size() ? std::min(block.width, bytes_.size() - start) : 0;
        if (inside > 0) {
            const auto from = std::ptrdiff_t(start);
            const auto to = from + std::ptrdiff_t(inside);
            bytes.insert(bytes.end(), bytes_.begin() + from, bytes_.begin() + to);
            flags.insert(flags.end(), flags_.begin() + from, flags_.begin() + to);
        }
        bytes.resize(bytes.size() + block.width - inside, 0);
        flags.resize(flags.size() + block.width - inside, HEX_EMPTY | CHAR_EMPTY);
        if (oddHex_.empty() && oddChar_.empty())
            continue;
        for (std::size_t k = start; k < start + inside; ++k) {
            if (flags_[k] & HEX_ODD)
                shot.oddHex_.emplace_back(k, oddHex_.at(k));
            if (flags_[k] & CHAR_ODD)
                shot.oddChar_.emplace_back(k, oddChar_.at(k));
        }
    }
    shot.bytes_ = packRuns(bytes);
    shot.flags_ = packRuns(flags);
    return shot;
}

void ByteStore::restore(const CellSnapshot& shot, bool keepRed)
{
    const CellBlock& block = shot.block_;
    const std::vector<std::uint8_t> bytes = unpackRuns(shot.bytes_, block.cells());
    const std::vector<std::uint8_t> flags = unpackRuns(shot.flags_, block.cells());
    const bool oddTexts = !oddHex_.empty() || !oddChar_.empty();
    for (std::size_t row = 0; row < block.rows; ++row) {
        const std::size_t start = block.first + row * CellBlock::ROW_STRIDE;
        const std::size_t end = std::min(start + block.width, bytes_.size());
        for (std::size_t k = start, i = row * block.width; k < end; ++k, ++i) {
            if (oddTexts)
                clearOddTexts(k);
            bytes_[k] = bytes[i];
            const std::uint8_t red = keepRed ? (flags_[k] & RED) : (flags[i] & RED);
            flags_[k] = std::uint8_t((flags[i] & ~RED) | red);
        }
    }
    // Only cells inside the capacity took their flags; their texts come back with them.
    for (const auto& [k, text] : shot.oddHex_) {
        if (k < bytes_.size())
            oddHex_[k] = text;
    }
    for (const auto& [k, text] : shot.oddChar_) {
        if (k < bytes_.size())
            oddChar_[k] = text;
    }
}
