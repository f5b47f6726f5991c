// The receiver's first-in-first-out store: bytes already taken from the driver
// but not yet delivered, at most 1024 of them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

class ReceiveStore {
public:
    static constexpr std::size_t CAPACITY = 1024;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::size_t freeRoom() const { return CAPACITY - size_; }
    void clear() { head_ = size_ = 0; }

    void push(std::uint8_t byte)
    {
        if (size_ == CAPACITY)
            return; // callers never read more than freeRoom()
        bytes_[(head_ + size_) % CAPACITY] = byte;
        ++size_;
    }

    // The oldest byte; only when not empty.
    std::uint8_t pop()
    {
        const std::uint8_t byte = bytes_[head_];
        head_ = (head_ + 1) % CAPACITY;
        --size_;
        return byte;
    }

private:
    std::array<std::uint8_t, CAPACITY> bytes_{};
    std::size_t head_ = 0;
    std::size_t size_ = 0;
};
