#include "sim/SimulatedBoard.h"

#include <algorithm>
#include <cstdio>

#include "texts/Texts.h"

namespace {
// Frame lengths by command letter; 0 for a byte that starts no frame.
std::size_t frameLength(std::uint8_t code)
{
    switch (code) {
    case 'C': return 3;
    case 'L': return 3;
    case 'z': return 4;
    case 's': return 5;
    case 'U': return 2;
    case 'R': return 1;
    default: return 0;
    }
}

const std::string BOARD_GREETING = "paww";
} // namespace

std::shared_ptr<SimulatedBoard> SimulatedBoard::create(const std::string& modelName, int crystalMHz,
                                                       std::string& reason, SimFaults faults)
{
    const SimPart* part = findSimPart(modelName);
    if (!part) {
        reason = toStdString(texts::SIM_UNKNOWN_MODEL) + "\"" + modelName + "\"";
        return nullptr;
    }
    if (crystalMHz != 4 && crystalMHz != 8 && crystalMHz != 16) {
        reason = toStdString(texts::PORT_VALUE_BAD_CRYSTAL);
        return nullptr;
    }
    return std::make_shared<SimulatedBoard>(*part, crystalMHz, std::move(faults));
}

SimulatedBoard::SimulatedBoard(const SimPart& part, int crystalMHz, SimFaults faults)
    : crystalMHz_(crystalMHz),
      faults_(std::move(faults)),
      memory_(part, crystalMHz, faults_, [this](const std::string& text, std::uint64_t atUs) { note(text, atUs); }),
      random_(faults_.seed)
{
}

std::uint8_t SimulatedBoard::dividerFor(int crystalMHz)
{
    return crystalMHz == 16 ? 0x00 : crystalMHz == 8 ? 0x02 : 0x01;
}

std::uint64_t SimulatedBoard::byteEndUs(std::uint64_t startUs, std::uint64_t k)
{
    // k bytes of 10 bits at 38400 baud, rounded up to whole microseconds.
    const std::uint64_t bitsUs = k * BITS_PER_BYTE * 1'000'000;
    return startUs + (bitsUs + BAUD - 1) / BAUD;
}

void SimulatedBoard::pcWrite(const std::uint8_t* data, std::size_t length, std::uint64_t nowUs)
{
    advanceTo(nowUs);
    if (nowUs >= pcLineFreeUs_) {
        pcRunStartUs_ = nowUs;
        pcRunBytes_ = 0;
    }
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint64_t startUs = byteEndUs(pcRunStartUs_, pcRunBytes_);
        pcLineFreeUs_ = byteEndUs(pcRunStartUs_, ++pcRunBytes_);
        incoming_.push_back({startUs, pcLineFreeUs_, false, data[i], false});
    }
}

void SimulatedBoard::setRts(bool asserted, std::uint64_t nowUs)
{
    advanceTo(nowUs);
    if (asserted == pcRts_)
        return;
    pcRts_ = asserted;
    // The change reaches the interface at once, ahead of bytes still on the line.
    const Incoming change{nowUs, nowUs, true, 0, asserted};
    const auto at = std::upper_bound(incoming_.begin(), incoming_.end(), nowUs,
                                     [](std::uint64_t t, const Incoming& e) { return t < e.atUs; });
    incoming_.insert(at, change);
}

void SimulatedBoard::advanceTo(std::uint64_t nowUs)
{
    lastNowUs_ = std::max(lastNowUs_, nowUs);
    while (!incoming_.empty() && incoming_.front().atUs <= nowUs) {
        const Incoming event = incoming_.front();
        incoming_.pop_front();
        process(event);
    }
    memory_.eeprom().advance(nowUs);
}

void SimulatedBoard::process(const Incoming& event)
{
    if (event.isRts)
        changeRts(event.rts, event.atUs);
    else
        receiveByte(event);
}

void SimulatedBoard::changeRts(bool asserted, std::uint64_t atUs)
{
    trace_.addRts(asserted, atUs);
    if (asserted) {
        rtsAsserted_ = true;
        rtsAssertedAtUs_ = atUs;
        return;
    }
    if (!rtsAsserted_)
        return;
    rtsAsserted_ = false;
    const std::uint64_t pulseUs = atUs - rtsAssertedAtUs_;
    if (pulseUs < MIN_RESET_PULSE_US) {
        note("RTS pulse of " + std::to_string(pulseUs) + " us too short, no reset", atUs);
        return;
    }
    // The reset: the interface forgets its divider and any half-received frame,
    // and resets the target's registers (memory and EEPROM keep their contents).
    frame_.clear();
    divider_.reset();
    memory_.reset();
    const std::string greeting = faults_.greeting.value_or(BOARD_GREETING);
    send(std::vector<std::uint8_t>(greeting.begin(), greeting.end()), atUs);
}

void SimulatedBoard::receiveByte(const Incoming& event)
{
    if (rtsAsserted_)
        return; // held in reset
    if (frame_.empty()) {
        if (frameLength(event.byte) == 0) {
            char text[48];
            std::snprintf(text, sizeof text, "byte 0x%02X outside a frame ignored", event.byte);
            note(text, event.atUs);
            return;
        }
        frameStartUs_ = event.startUs;
    }
    frame_.push_back(event.byte);
    if (frame_.size() == frameLength(frame_[0]))
        executeFrame(event.atUs);
}

void SimulatedBoard::executeFrame(std::uint64_t endUs)
{
    const std::vector<std::uint8_t> frame = std::move(frame_);
    frame_.clear();
    trace_.addFrame(frame, frameStartUs_, endUs);
    const AccessTime at{frameStartUs_, endUs};
    const auto address = frame.size() >= 3 ? static_cast<std::uint16_t>((frame[1] << 8) | frame[2]) : 0;
    switch (frame[0]) {
    case 'C':
        send({readTarget(address, endUs)}, endUs);
        break;
    case 'L':
        send({readTarget(address, endUs), readTarget(static_cast<std::uint16_t>(address + 1), endUs)}, endUs);
        break;
    case 'z':
    case 's':
        if (!linkWorks()) {
            note("write lost: the divider does not suit the crystal", endUs);
        } else if (frame[0] == 'z') {
            memory_.writeByte(address, frame[3], at);
        } else {
            memory_.writeWord(address, frame[3], frame[4], at);
        }
        break;
    case 'U':
        divider_ = frame[1];
        break;
    default:
        break; // 'R' starts the target, which the simulated one always is
    }
}

std::uint8_t SimulatedBoard::readTarget(std::uint16_t address, std::uint64_t atUs)
{
    if (!linkWorks())
        return 0xFF;
    std::uint8_t value = memory_.read(address, atUs);
    if (faults_.unstableAddresses.count(address) && ++unstableReadCounts_[address] % 2 == 0)
        value ^= static_cast<std::uint8_t>(1 + random_() % 255);
    return value;
}

void SimulatedBoard::send(const std::vector<std::uint8_t>& bytes, std::uint64_t readyUs)
{
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    for (const std::uint8_t byte : bytes) {
        const std::size_t index = answerBytesSent_++;
        if (faults_.silentAfter && index >= *faults_.silentAfter)
            return;
        // The random draws happen for every byte, so a seed always gives the same faults.
        const bool lostByChance = chance(random_) < faults_.lossProbability;
        const bool changedByChance = chance(random_) < faults_.changeProbability;
        const auto changeMask = static_cast<std::uint8_t>(1 + random_() % 255);
        if (readyUs >= outLineFreeUs_) {
            outRunStartUs_ = readyUs;
            outRunBytes_ = 0;
        }
        outLineFreeUs_ = byteEndUs(outRunStartUs_, ++outRunBytes_);
        for (const auto& error : faults_.lineErrors)
            if (error.answerByte == index)
                errors_.push_back({outLineFreeUs_, error.flags});
        if (faults_.lostAnswerBytes.count(index) || lostByChance) {
            note("answer byte " + std::to_string(index) + " lost", outLineFreeUs_);
            continue;
        }
        std::uint8_t value = byte;
        if (const auto changed = faults_.changedAnswerBytes.find(index); changed != faults_.changedAnswerBytes.end())
            value = changed->second;
        else if (changedByChance)
            value ^= changeMask;
        outgoing_.push_back({outLineFreeUs_, value});
    }
}

std::size_t SimulatedBoard::queuedInput(std::uint64_t nowUs)
{
    advanceTo(nowUs);
    return static_cast<std::size_t>(std::count_if(outgoing_.begin(), outgoing_.end(),
                                                  [nowUs](const Outgoing& o) { return o.atUs <= nowUs; }));
}

std::size_t SimulatedBoard::readInput(std::uint8_t* buffer, std::size_t maxLength, std::uint64_t nowUs)
{
    advanceTo(nowUs);
    std::size_t count = 0;
    while (count < maxLength && !outgoing_.empty() && outgoing_.front().atUs <= nowUs) {
        buffer[count++] = outgoing_.front().byte;
        outgoing_.pop_front();
    }
    return count;
}

std::uint32_t SimulatedBoard::takeLineErrors(std::uint64_t nowUs)
{
    advanceTo(nowUs);
    std::uint32_t flags = 0;
    while (!errors_.empty() && errors_.front().atUs <= nowUs) {
        flags |= errors_.front().flags;
        errors_.pop_front();
    }
    return flags;
}

void SimulatedBoard::purge(std::uint64_t nowUs)
{
    advanceTo(nowUs);
    // Input that has arrived is dropped; answers still on their way keep coming.
    while (!outgoing_.empty() && outgoing_.front().atUs <= nowUs)
        outgoing_.pop_front();
    // Output not yet begun is aborted; a byte already on the wire finishes.
    const auto removed = std::count_if(incoming_.begin(), incoming_.end(),
                                       [nowUs](const Incoming& e) { return !e.isRts && e.startUs >= nowUs; });
    if (removed == 0)
        return;
    std::erase_if(incoming_, [nowUs](const Incoming& e) { return !e.isRts && e.startUs >= nowUs; });
    pcRunBytes_ -= static_cast<std::uint64_t>(removed);
    pcLineFreeUs_ = byteEndUs(pcRunStartUs_, pcRunBytes_);
}

std::optional<std::uint64_t> SimulatedBoard::nextInputUs(std::uint64_t nowUs)
{
    advanceTo(nowUs);
    // Run the interface ahead until the next byte or error for the PC is known:
    // what the PC has already sent decides it, and nothing it does while it
    // waits can change bytes that are already on the line.
    for (;;) {
        std::optional<std::uint64_t> next;
        if (!outgoing_.empty())
            next = outgoing_.front().atUs;
        if (!errors_.empty())
            next = std::min(next.value_or(errors_.front().atUs), errors_.front().atUs);
        if (incoming_.empty() || (next && *next <= incoming_.front().atUs))
            return next;
        const Incoming event = incoming_.front();
        incoming_.pop_front();
        process(event);
    }
}
