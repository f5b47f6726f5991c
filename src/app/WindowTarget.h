// The main window and the buffer it shows, as the connect, read and write
// procedures see them (TargetWindow, TargetBuffer). Made for one command and
// dropped after it.
#pragma once

#include <cstdint>

#include "procedures/TargetSession.h"

class BufferGrid;
class MainFrame;

// Thrown by createGrid when the memory for the new grid is not there (the user
// has been told): the command stops before anything is sent, every buffer as
// it was. runOnTarget catches it.
struct GridNotCreated {};

class WindowTarget : public TargetWindow, public TargetBuffer {
public:
    explicit WindowTarget(MainFrame& frame) : frame_(frame) {}

    TargetSession session();

    // TargetWindow
    void setStatus(int field, const std::string& text) override;
    std::string status(int field) override;
    void showBox(const std::string& text, Text caption, BoxIcon icon) override;
    bool askYesNo(const std::string& text, Text caption, BoxIcon icon) override;
    void progressStart(std::uint32_t total) override;
    void progressStep() override;
    void progressFinish() override;
    void setStartField(std::uint16_t start) override;
    void setCountField(std::uint32_t count) override;
    std::string crystalChoice() override;
    void selectCrystalItem(int item) override;
    std::string shownPageTitle() override;
    bool openBufferPage() override;
    void openFirstPort() override;
    void enableTargetCommands(bool mc9s12) override;
    bool selectionChecked() override;

    // TargetBuffer
    std::uint32_t byteCount() override;
    std::uint16_t startAddress() override;
    std::uint32_t capacity() override;
    void createGrid(std::uint32_t count) override;
    void setByte(std::uint32_t offset, std::uint8_t value) override;
    std::uint8_t getByte(std::uint32_t offset) override;
    bool isEmpty(std::uint32_t offset) override;
    bool isSelected(std::uint32_t offset) override;
    void markRed(std::uint32_t offset) override;
    void selectOnly(std::uint32_t offset) override;
    void scrollToTop() override;
    void scrollVertically(std::uint32_t position) override;
    void moveCursorDownPage() override;
    void repaint() override;

private:
    BufferGrid& grid();
    void noteChanged(std::uint32_t offset);

    MainFrame& frame_;
    // The bytes changed since the last repaint: only their rows are drawn
    // again, so that the window's turns during a long read or write stay short.
    std::uint32_t changedFirst_ = UINT32_MAX;
    std::uint32_t changedLast_ = 0;
};
