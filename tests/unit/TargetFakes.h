// A window and a buffer for the target procedures without wx: they record what
// the procedures show and keep the bytes in plain vectors.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "serial/SerialLink.h"
#include "serial/VirtualClock.h"
#include "sim/SimulatedBoard.h"
#include "target/ModelTable.h"
#include "target/TargetSession.h"

class FakeBuffer : public TargetBuffer {
public:
    std::vector<std::optional<std::uint8_t>> cells = std::vector<std::optional<std::uint8_t>>(512);
    std::uint32_t count = 512;
    std::uint16_t start = 0;
    std::set<std::uint32_t> red;
    std::set<std::uint32_t> selected;

    std::uint32_t byteCount() override { return count; }
    std::uint16_t startAddress() override { return start; }
    std::uint32_t capacity() override { return std::uint32_t(cells.size()); }
    void createGrid(std::uint32_t n) override
    {
        cells.assign(std::max<std::uint32_t>(16, (n + 15) / 16 * 16), std::nullopt);
        count = n;
        red.clear();
        selected.clear();
    }
    void setByte(std::uint32_t k, std::uint8_t v) override { cells.at(k) = v; }
    std::uint8_t getByte(std::uint32_t k) override { return cells.at(k).value_or(0); }
    bool isEmpty(std::uint32_t k) override { return !cells.at(k); }
    bool isSelected(std::uint32_t k) override { return selected.count(k) != 0; }
    void markRed(std::uint32_t k) override { red.insert(k); }
    void addToSelection(std::uint32_t k) override { selected = {k}; }
    void selectOnly(std::uint32_t k) override { selected = {k}; }
    void scrollToTop() override {}
    void scrollVertically(std::uint32_t) override {}
    void moveCursorDownPage() override {}
    void repaint() override {}
};

class FakeWindow : public TargetWindow {
public:
    explicit FakeWindow(FakeBuffer& buffer) : buffer_(buffer) {}

    std::map<int, std::string> statusFields;
    std::vector<std::string> boxes;
    std::vector<bool> answers; // for askYesNo, in order; Yes when run out
    std::string crystal = "Auto";
    bool selection = false;
    bool commandsEnabled = false;

    void setStatus(int field, const std::string& text) override { statusFields[field] = text; }
    std::string status(int field) override { return statusFields[field]; }
    void showBox(const std::string& text, Text, BoxIcon) override { boxes.push_back(text); }
    bool askYesNo(const std::string& text, Text, BoxIcon) override
    {
        boxes.push_back(text);
        if (answers.empty())
            return true;
        const bool answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    void progressStart(std::uint32_t) override {}
    void progressStep() override {}
    void progressFinish() override {}
    void setStartField(std::uint16_t start) override { buffer_.start = start; }
    void setCountField(std::uint32_t count) override { buffer_.count = count; }
    std::string crystalChoice() override { return crystal; }
    void selectCrystalItem(int item) override
    {
        static const char* items[] = {"Auto", "16MHz", "8MHz", "4MHz"};
        crystal = items[item];
    }
    std::string shownPageTitle() override { return "Buf0"; }
    bool openBufferPage() override { return true; }
    void openFirstPort() override {}
    void enableTargetCommands(bool) override { commandsEnabled = true; }
    bool selectionChecked() override { return selection; }

private:
    FakeBuffer& buffer_;
};

struct NullObserver : LinkObserver {
    void showLineError(Text) override {}
    void connectionLost() override {}
};

// A simulated board on COM1, the serial link, and a session over the fakes.
struct TargetRig {
    explicit TargetRig(const std::string& model, int crystalMHz = 16, SimFaults faults = {})
    {
        std::string reason;
        board = SimulatedBoard::create(model, crystalMHz, reason, std::move(faults));
        ports.board = board;
        ports.clock = &clock;
        link.openPort("COM1");
        for (const ModelInfo& m : modelTable())
            if (m.name == model)
                currentModel = m;
        buffer.start = std::uint16_t(currentModel.eepromStart);
        buffer.count = currentModel.eepromSize;
        buffer.cells.assign(buffer.count, std::nullopt);
    }

    struct BoardOpener : PortOpener {
        std::shared_ptr<SimulatedBoard> board;
        VirtualClock* clock = nullptr;
        PortOpenResult open(const std::string& name) override { return {board->openPort(*clock), name, "", false}; }
    };

    VirtualClock clock;
    std::shared_ptr<SimulatedBoard> board;
    BoardOpener ports;
    NullObserver observer;
    SerialLink link{clock, ports, observer};
    FakeBuffer buffer;
    FakeWindow window{buffer};
    ModelInfo currentModel;
    bool mc9s12Mode = false;
    int crystalMHz = 16;
    TargetSession session{link, window, buffer, currentModel, mc9s12Mode, crystalMHz};
};
