// What the connect, read and write procedures ask of the window and of the
// buffer shown. The procedures themselves never touch wx: the main window
// implements these for the program, and tests can implement them too.
#pragma once

#include <cstdint>
#include <string>

#include "texts/Texts.h"

enum class BoxIcon { None, Error, Warning, Information };

class TargetWindow {
public:
    virtual ~TargetWindow() = default;

    virtual void setStatus(int field, const std::string& text) = 0;
    virtual std::string status(int field) = 0;

    // A modal box with an OK button and no parent.
    virtual void showBox(const std::string& text, Text caption, BoxIcon icon) = 0;
    // A modal box with Yes and No; true for Yes.
    virtual bool askYesNo(const std::string& text, Text caption, BoxIcon icon) = 0;

    virtual void progressStart(std::uint32_t total) = 0;
    virtual void progressStep() = 0;
    virtual void progressFinish() = 0;

    // The start and count fields; setting one hands both to the buffer shown.
    virtual void setStartField(std::uint16_t start) = 0;
    virtual void setCountField(std::uint32_t count) = 0;

    // The crystal combo box: its text, and choosing an item in code (which
    // raises no selection event). Items: 0 "Auto", then the rows of
    // CRYSTAL_TABLE ("16MHz", "8MHz", "4MHz").
    virtual std::string crystalChoice() = 0;
    virtual void selectCrystalItem(int item) = 0;

    // The label of the page shown, and opening a new "Buf" page (false when
    // the page limit refused it; the notebook has shown its own box then).
    virtual std::string shownPageTitle() = 0;
    virtual bool openBufferPage() = 0;

    // Opens "COM1" as if the user had chosen it (its failure box included).
    virtual void openFirstPort() = 0;

    // The end of a good connect: read and write enabled, the read button the
    // default one; the selection check box enabled, or unticked and left
    // disabled after an MC9S12 connect.
    virtual void enableTargetCommands(bool mc9s12) = 0;

    virtual bool selectionChecked() = 0;

    // Asked before each word of a read or a write: true ends the operation
    // there, as if the range ended before that word, so the word before is
    // complete and the target's registers are at rest (the command line's
    // Ctrl+C). The window's operations always run to their end.
    virtual bool stopRequested() { return false; }
    // A word is read or programmed once more: its two readings differed, or
    // its verify failed. The command line counts them; the window does not.
    virtual void noteRetry() {}
};

// The buffer shown (its grid), as the procedures use it. Offsets are byte
// indexes; callers keep them below capacity().
class TargetBuffer {
public:
    virtual ~TargetBuffer() = default;

    virtual std::uint32_t byteCount() = 0;
    virtual std::uint16_t startAddress() = 0;
    // Cells the grid holds (rows × 16); nothing beyond is read or written.
    virtual std::uint32_t capacity() = 0;

    // Rebuilds the grid empty for count bytes, keeping the start address.
    virtual void createGrid(std::uint32_t count) = 0;
    virtual void setByte(std::uint32_t offset, std::uint8_t value) = 0;
    virtual std::uint8_t getByte(std::uint32_t offset) = 0;
    virtual bool isEmpty(std::uint32_t offset) = 0;
    virtual bool isSelected(std::uint32_t offset) = 0;
    virtual void markRed(std::uint32_t offset) = 0;
    // Makes the byte's hexadecimal cell and its character twin the whole
    // selection. A selection made from code cannot add to the user's: the
    // grid mirrors every selected block into the other half by making the
    // block and its twin the only selection.
    virtual void selectOnly(std::uint32_t offset) = 0;

    virtual void scrollToTop() = 0;
    virtual void scrollVertically(std::uint32_t position) = 0;
    virtual void moveCursorDownPage() = 0;
    virtual void repaint() = 0;
};
