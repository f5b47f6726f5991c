#include "store/ByteStore.h"

#include "store/CellRules.h"

ByteStore::ByteStore(std::size_t capacity) { grow(capacity); }

void ByteStore::grow(std::size_t capacity)
{
    if (capacity <= bytes_.size())
        return;
    bytes_.resize(capacity, 0);
    flags_.resize(capacity, HEX_EMPTY | CHAR_EMPTY);
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

std::uint8_t ByteStore::getByte(std::size_t k) const { return k < bytes_.size() ? bytes_[k] : 0; }

bool ByteStore::isHexEmpty(std::size_t k) const { return k >= bytes_.size() || (flags_[k] & HEX_EMPTY); }

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

bool ByteStore::isRed(std::size_t k) const { return k < bytes_.size() && (flags_[k] & RED); }

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
