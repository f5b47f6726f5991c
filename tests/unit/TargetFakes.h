// A window and a buffer for the target procedures without wx: they record what
// the procedures show (boxes with caption and icon, status history, progress
// calls, crystal items chosen in code) and keep the bytes in plain vectors. The
// TargetRig puts a simulated board on COM1 behind the serial link, on the
// virtual clock, with the window's part of the connection-lost step wired in.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "serial/LineErrorTexts.h"
#include "serial/SerialLink.h"
#include "serial/VirtualClock.h"
#include "sim/SimulatedBoard.h"
#include "TraceExchange.h"
#include "procedures/Connect.h"
#include "procedures/ModelTable.h"
#include "procedures/TargetSession.h"

// What the window's status and boxes say of the connection.
inline const std::string CONNECTED = "Połączony.";
inline const std::string NOT_CONNECTED = "Brak połączenia.";
inline const std::string LOST = "Utracono połącznie z interfejsem! ";

class FakeBuffer : public TargetBuffer {
public:
    std::vector<std::optional<std::uint8_t>> cells = std::vector<std::optional<std::uint8_t>>(512);
    std::uint32_t count = 512;
    std::uint16_t start = 0;
    std::set<std::uint32_t> red;
    std::set<std::uint32_t> selected;
    std::vector<std::uint32_t> scrolls; // vertical scroll positions asked for
    int cursorPageMoves = 0;
    int gridsCreated = 0;

    // Fills the buffer (its count, from offset 0) with a value per offset.
    template <typename Value> void fill(std::uint32_t n, Value value)
    {
        count = n;
        cells.assign(std::max<std::uint32_t>(n, 16), std::nullopt);
        for (std::uint32_t k = 0; k < n; ++k)
            cells[k] = std::uint8_t(value(k));
    }

    std::uint32_t byteCount() override { return count; }
    std::uint16_t startAddress() override { return start; }
    std::uint32_t capacity() override { return std::uint32_t(cells.size()); }
    void createGrid(std::uint32_t n) override
    {
        cells.assign(std::max<std::uint32_t>(16, (n + 15) / 16 * 16), std::nullopt);
        count = n;
        ++gridsCreated;
        red.clear();
        selected.clear();
    }
    void setByte(std::uint32_t k, std::uint8_t v) override { cells.at(k) = v; }
    std::uint8_t getByte(std::uint32_t k) override { return cells.at(k).value_or(0); }
    bool isEmpty(std::uint32_t k) override { return !cells.at(k); }
    bool isSelected(std::uint32_t k) override { return selected.count(k) != 0; }
    void markRed(std::uint32_t k) override { red.insert(k); }
    // As the grid's mirroring does: the cell alone (its character twin too,
    // which procedures never ask about).
    void selectOnly(std::uint32_t k) override { selected = {k}; }
    void scrollToTop() override {}
    void scrollVertically(std::uint32_t position) override { scrolls.push_back(position); }
    void moveCursorDownPage() override { ++cursorPageMoves; }
    void repaint() override {}
};

struct ShownBox {
    std::string text;
    std::string caption;
    BoxIcon icon;
    bool question;
};

class FakeWindow : public TargetWindow {
public:
    explicit FakeWindow(FakeBuffer& buffer) : buffer_(buffer) {}

    std::map<int, std::string> statusFields;
    std::vector<std::pair<int, std::string>> statusHistory;
    std::vector<ShownBox> boxes;
    std::vector<bool> answers; // for askYesNo, in order; Yes when run out
    std::vector<std::string> progress; // "start 6", "step", "finish"
    std::vector<int> crystalItems;     // items chosen in code
    std::string crystal = "Auto";
    std::string pageTitle = "Buf0";
    bool pageCanOpen = true;
    int pagesOpened = 0;
    int portOpenings = 0;
    std::function<void()> onOpenFirstPort;
    bool selection = false;
    bool selectionEnabled = false;
    bool commandsEnabled = false;

    std::vector<std::string> boxTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& box : boxes)
            texts.push_back(box.text);
        return texts;
    }
    int progressSteps() const { return int(std::count(progress.begin(), progress.end(), "step")); }

    void setStatus(int field, const std::string& text) override
    {
        statusFields[field] = text;
        statusHistory.emplace_back(field, text);
    }
    std::string status(int field) override { return statusFields[field]; }
    void showBox(const std::string& text, Text caption, BoxIcon icon) override
    {
        boxes.push_back({text, toStdString(caption), icon, false});
    }
    bool askYesNo(const std::string& text, Text caption, BoxIcon icon) override
    {
        boxes.push_back({text, toStdString(caption), icon, true});
        if (answers.empty())
            return true;
        const bool answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    void progressStart(std::uint32_t total) override { progress.push_back("start " + std::to_string(total)); }
    void progressStep() override { progress.push_back("step"); }
    void progressFinish() override { progress.push_back("finish"); }
    void setStartField(std::uint16_t start) override { buffer_.start = start; }
    void setCountField(std::uint32_t count) override { buffer_.count = count; }
    std::string crystalChoice() override { return crystal; }
    void selectCrystalItem(int item) override
    {
        static const char* items[] = {"Auto", "16MHz", "8MHz", "4MHz"};
        crystal = items[item];
        crystalItems.push_back(item);
    }
    std::string shownPageTitle() override { return pageTitle; }
    bool openBufferPage() override
    {
        ++pagesOpened;
        if (pageCanOpen)
            pageTitle = "Buf1";
        return pageCanOpen;
    }
    void openFirstPort() override
    {
        ++portOpenings;
        if (onOpenFirstPort)
            onOpenFirstPort();
    }
    void enableTargetCommands(bool mc9s12) override
    {
        commandsEnabled = true;
        selectionEnabled = !mc9s12;
        if (mc9s12)
            selection = false;
    }
    bool selectionChecked() override { return selection; }

    // What the window recorded so far, gone: a test sees only its own command.
    void forgetRecords()
    {
        boxes.clear();
        statusHistory.clear();
        progress.clear();
        crystalItems.clear();
    }

    // The window's part of the connection-lost step and of a line error.
    void connectionLost()
    {
        setStatus(STATUS_CONNECTION, toStdString(texts::STATE_NOT_CONNECTED));
        commandsEnabled = false;
        selectionEnabled = false;
    }

private:
    FakeBuffer& buffer_;
};

// The window showed exactly one box, this one.
inline void expectOnlyBox(const FakeWindow& window, const std::string& text, const std::string& caption, BoxIcon icon)
{
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].text, text);
    EXPECT_EQ(window.boxes[0].caption, caption);
    EXPECT_EQ(window.boxes[0].icon, icon);
}

struct WindowObserver : LinkObserver {
    FakeWindow& window;
    explicit WindowObserver(FakeWindow& w) : window(w) {}
    void lineErrors(std::uint32_t flags) override
    {
        for (const Text message : lineErrorTexts(flags))
            window.boxes.push_back({toStdString(message), toStdString(texts::CAPTION_ERROR), BoxIcon::Warning, false});
    }
    void connectionLost() override { window.connectionLost(); }
};

// Answer bytes the board has sent so far (greetings included), counted from
// its trace: the fault tables of the board count the same way.
inline std::size_t answerBytesSent(SimulatedBoard& board)
{
    std::size_t n = 0;
    bool asserted = false;
    std::uint64_t assertedAt = 0;
    for (const auto& e : board.trace().entries()) {
        if (e.kind == SimTraceEntry::Kind::Frame)
            n += e.bytes[0] == 'C' ? 1 : e.bytes[0] == 'L' ? 2 : 0;
        else if (e.kind == SimTraceEntry::Kind::Rts && e.rts) {
            asserted = true;
            assertedAt = e.atUs;
        } else if (e.kind == SimTraceEntry::Kind::Rts && asserted) {
            asserted = false;
            if (e.atUs - assertedAt >= SimulatedBoard::MIN_RESET_PULSE_US)
                n += board.faults().greeting.value_or("paww").size();
        }
    }
    return n;
}

// The window's fakes and a session for a model, on a serial link with the
// caller's clock and port opener: what every rig of the procedures has. The
// model also picks the current model, unless a test sets another.
struct FakeSession {
    FakeSession(Clock& clock, PortOpener& ports, const std::string& model) : link(clock, ports, observer)
    {
        for (const ModelInfo& m : modelTable())
            if (m.name == model)
                currentModel = m;
        buffer.start = std::uint16_t(currentModel.eepromStart);
        buffer.count = currentModel.eepromSize;
        buffer.cells.assign(buffer.count, std::nullopt);
        window.onOpenFirstPort = [this] { link.openPort("COM1"); };
    }
    FakeSession(const FakeSession&) = delete; // the session refers to the members

    // Connects with a crystal item chosen beforehand ("Auto" detects), then
    // forgets what the window recorded, so a test sees only its own command.
    void connectWith(const std::string& crystal)
    {
        window.crystal = crystal;
        selectCrystal(session);
        connectTarget(session);
        window.forgetRecords();
    }
    void forgetWindowRecords() { window.forgetRecords(); }

    FakeBuffer buffer;
    FakeWindow window{buffer};
    WindowObserver observer{window};
    SerialLink link;
    ModelInfo currentModel;
    bool mc9s12Mode = false;
    int crystalMHz = 16;
    TargetSession session{link, window, buffer, currentModel, mc9s12Mode, crystalMHz};
};

// The virtual clock and a simulated board's opener, made before the session
// that uses them.
struct VirtualBoardPorts {
    struct BoardOpener : PortOpener {
        std::shared_ptr<SimulatedBoard> board;
        Clock* clock = nullptr;
        bool fails = false;
        PortOpenResult open(const std::string& name) override
        {
            if (fails)
                return {nullptr, name, "no such device", false};
            return {board->openPort(*clock), name, "", false};
        }
    };

    VirtualClock clock;
    const std::uint64_t createdUs = clock.nowUs();
    std::shared_ptr<SimulatedBoard> board;
    BoardOpener ports;
};

// A simulated board on COM1, the serial link, and a session over the fakes.
struct TargetRig : VirtualBoardPorts, FakeSession {
    explicit TargetRig(const std::string& model, int crystalMHz = 16, SimFaults faults = {}, bool openCom1 = true)
        : FakeSession(clock, ports, model)
    {
        std::string reason;
        board = SimulatedBoard::create(model, crystalMHz, reason, std::move(faults));
        ports.board = board;
        ports.clock = &clock;
        if (openCom1)
            link.openPort("COM1");
    }

    // Whatever a test does with the rig, every command on it ends: the longest
    // job here (a 2048-byte write with a failing byte in every word) takes
    // about six minutes of virtual time.
    ~TargetRig() { EXPECT_LT(clock.nowUs() - createdUs, 15ull * 60 * 1'000'000) << "virtual minutes spent"; }

    template <typename Value> void fillBuffer(std::uint32_t count, Value value) { buffer.fill(count, value); }

    // Fills the start of the board's EEPROM with a value per offset.
    template <typename Value>
    void fillEeprom(std::uint32_t count, Value value)
    {
        for (std::uint32_t k = 0; k < count; ++k)
            board->eeprom()[k] = std::uint8_t(value(k));
    }

    std::size_t answerBytesSoFar() const { return answerBytesSent(*board); }

    // Where the next command's exchange begins, and what it sent since then.
    ExchangeMark mark() { return {board->trace().entries().size(), clock.nowUs()}; }
    std::vector<std::string> exchange(const ExchangeMark& from) const { return exchangeSince(board->trace(), from); }
    std::uint64_t msSince(const ExchangeMark& from) { return (clock.nowUs() - from.startUs) / 1000; }
};
