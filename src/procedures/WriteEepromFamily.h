// What the write (WriteEeprom.cpp) asks of a family's register procedure, and
// the steps those procedures are made of. The shared loop chooses the family by
// the last connect, takes the bytes, verifies, retries and asks; the family
// opens, erases and programs its EEPROM: the HC12 through EEPROG word by word
// (WriteEepromHc12.cpp), the MC9S12 with one mass erase and a command per word
// (WriteEepromMc9s12.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "procedures/CrystalTable.h"
#include "procedures/TargetSession.h"

// Register writes each followed by their pause, register reads, and the
// write's error box. Every 'z' and 's' frame returns once it has left the PC;
// the pause after it is what gives the target its time.
class WriteSteps {
public:
    explicit WriteSteps(TargetSession& session) : session_(session) {}

    void writeByte(std::uint16_t address, std::uint8_t value, std::uint32_t pauseMs);
    void writeWord(std::uint16_t address, std::uint8_t atAddress, std::uint8_t atNextAddress, std::uint32_t pauseMs);
    std::uint8_t readByte(std::uint16_t address);
    void pause(std::uint32_t ms) { session_.clock().pause(ms); }
    std::uint32_t tick() { return session_.clock().tick(); }
    bool connected() const { return session_.link.connectionState() >= 1; }

    // A box captioned "Błąd" with the error icon.
    void fail(const std::string& text);
    // A register read of the set-up that timed out returns 0, which would read
    // as "protected" or "not ready": the lost connection is what the user must
    // see. True, the box shown, when the connection is lost.
    bool stoppedByLostConnection();

    // The crystal the last choice left. crystalMHz only ever holds a frequency
    // of the table: 16 at start-up, then what a crystal choice set.
    const Crystal& crystal() const
    {
        const Crystal* chosen = findCrystal(session_.crystalMHz);
        return chosen ? *chosen : CRYSTAL_TABLE.front();
    }

private:
    TargetSession& session_;
};

class EepromFamily {
public:
    virtual ~EepromFamily() = default;

    // Before anything is erased: the EEPROM opened for writing and its clock
    // set. False when the write stops here (its box has been shown).
    virtual bool setUp() = 0;
    // After the set-up, once before the first word: what the family erases in
    // one go. False when the write stops here (its box has been shown).
    virtual bool eraseBeforeWords(std::uint16_t start) = 0;
    // Before each word that is written, whatever its bytes: what the family
    // erases word by word.
    virtual void eraseWord(std::uint16_t address) = 0;
    // Programs one erased word; a retry programs it again without erasing.
    virtual void programWord(std::uint16_t address, std::uint8_t atAddress, std::uint8_t atNextAddress) = 0;
};

std::unique_ptr<EepromFamily> hc12Eeprom(WriteSteps& steps);
std::unique_ptr<EepromFamily> mc9s12Eeprom(WriteSteps& steps);

// The HC912D parts time programming and erase from EEDIV. Written for those
// models whichever family the last connect chose.
void setHc912dEepromDivider(WriteSteps& steps);
