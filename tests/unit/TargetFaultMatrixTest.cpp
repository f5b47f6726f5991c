// Every kind of simulated fault, injected at several points of a whole job
// (connect with crystal detection, read 16 bytes, write 16 bytes), on an HC12
// and an MC9S12 board. Whatever goes wrong, each command must end within a
// bounded time, a write must leave the buffer's bytes alone, and the
// connection state must agree with what the window shows. The suite prints a
// table (fault, where, what the user saw) at its end.
#include <cstdio>

#include <gtest/gtest.h>

#include "TargetFakes.h"
#include "procedures/Connect.h"
#include "procedures/ReadEeprom.h"
#include "procedures/WriteEeprom.h"

namespace {

enum class Phase { Connect, Read, Write };
const char* phaseName(Phase p) { return p == Phase::Connect ? "connect" : p == Phase::Read ? "read" : "write"; }

// A fault and where it starts: `at` counts answer bytes from the start of the
// phase (for the line faults), or is the seed of the random ones.
struct FaultPoint {
    std::string kind;
    Phase phase;
    std::size_t at;
};


void inject(TargetRig& rig, const FaultPoint& f)
{
    SimFaults& faults = rig.board->faults();
    const std::size_t index = rig.answerBytesSoFar() + f.at;
    const std::uint16_t start = rig.buffer.start;
    if (f.kind == "lostByte")
        faults.lostAnswerBytes.insert(index);
    else if (f.kind == "changedByte")
        faults.changedAnswerBytes[index] = 0x5A;
    else if (f.kind == "silent")
        faults.silentAfter = index;
    else if (f.kind == "lineError")
        faults.lineErrors.push_back({index, LineError::FRAME});
    else if (f.kind == "lossChance") {
        faults.seed = std::uint32_t(f.at);
        faults.lossProbability = 0.02;
    } else if (f.kind == "changeChance") {
        faults.seed = std::uint32_t(f.at);
        faults.changeProbability = 0.05;
    } else if (f.kind == "unstable")
        faults.unstableAddresses.insert(std::uint16_t(start + f.at));
    else if (f.kind == "neverPrograms")
        faults.cellsThatNeverProgram.insert(std::uint16_t(f.at));
    else if (f.kind == "estatNotReady")
        faults.estatNotReady = true;
    else if (f.kind == "ccifNeverSet")
        faults.ccifNeverSet = true;
}

// Faults that act at the target's reset: set before connecting, whatever the phase.
void injectAtReset(TargetRig& rig, const FaultPoint& f)
{
    SimFaults& faults = rig.board->faults();
    if (f.kind == "greeting")
        faults.greeting = f.at == 0 ? "" : "pawx";
    else if (f.kind == "eeprotLocked")
        faults.eeprotLocked = true;
    else if (f.kind == "eprotAtReset")
        faults.eprotAtReset = std::uint8_t(f.at);
}

std::vector<FaultPoint> allPoints()
{
    std::vector<FaultPoint> points;
    for (const char* kind : {"lostByte", "changedByte", "silent", "lineError"}) {
        for (std::size_t at : {0, 2, 4, 6, 12})
            points.push_back({kind, Phase::Connect, at});
        for (std::size_t at : {0, 3, 9, 30})
            points.push_back({kind, Phase::Read, at});
        for (std::size_t at : {0, 1, 3, 5, 9})
            points.push_back({kind, Phase::Write, at});
    }
    for (const char* kind : {"lossChance", "changeChance"})
        for (Phase phase : {Phase::Connect, Phase::Read, Phase::Write})
            for (std::size_t seed : {1, 2})
                points.push_back({kind, phase, seed});
    points.push_back({"greeting", Phase::Connect, 0});
    points.push_back({"greeting", Phase::Connect, 1});
    points.push_back({"unstable", Phase::Read, 3});
    points.push_back({"unstable", Phase::Write, 3});
    points.push_back({"neverPrograms", Phase::Write, 5});
    points.push_back({"eeprotLocked", Phase::Write, 0});
    points.push_back({"eprotAtReset", Phase::Write, 0x83});
    points.push_back({"eprotAtReset", Phase::Write, 0x00});
    points.push_back({"estatNotReady", Phase::Write, 0});
    points.push_back({"ccifNeverSet", Phase::Write, 0});
    return points;
}

// What the user saw: the boxes (shortened), then the result and connection fields.
std::string whatTheUserSaw(FakeWindow& window)
{
    std::string seen;
    for (const auto& box : window.boxes) {
        std::string text = box.text.substr(0, box.text.find('\n'));
        if (text.size() > 34)
            text = text.substr(0, 34) + "…";
        seen += (box.question ? "[?" : "[") + text + "] ";
    }
    return seen + "| " + window.statusFields[0] + " | " + window.statusFields[3];
}

struct MatrixRow {
    std::string fault, model, where, seen;
};
std::vector<MatrixRow>& rows()
{
    static std::vector<MatrixRow> all;
    return all;
}

bool shown(const FakeWindow& window, const std::string& text)
{
    return std::any_of(window.boxes.begin(), window.boxes.end(), [&](const ShownBox& b) { return b.text == text; });
}

class TargetFaultMatrix : public testing::TestWithParam<std::tuple<const char*, FaultPoint>> {
public:
    static void TearDownTestSuite()
    {
        std::printf("\nfault          | model        | where      | what the user saw\n");
        for (const auto& r : rows())
            std::printf("%-14s | %-12s | %-10s | %s\n", r.fault.c_str(), r.model.c_str(), r.where.c_str(),
                        r.seen.c_str());
    }
};

std::string caseName(const testing::TestParamInfo<std::tuple<const char*, FaultPoint>>& info)
{
    const FaultPoint& f = std::get<1>(info.param);
    return std::string(std::get<0>(info.param)).substr(0, 3) + "_" + f.kind + "_" + phaseName(f.phase) + "_" +
           std::to_string(f.at);
}

} // namespace

TEST_P(TargetFaultMatrix, EndsBoundedLeavesTheBufferAndReportsConsistently)
{
    const auto& [model, fault] = GetParam();
    TargetRig rig(model, 16);
    injectAtReset(rig, fault);
    const std::string where = std::string(phaseName(fault.phase)) + "@" + std::to_string(fault.at);

    auto phase = [&](Phase p, std::uint64_t boundMs, auto&& run) {
        rig.window.statusFields.erase(STATUS_RESULT); // the table shows this command's result only
        rig.window.statusFields.erase(STATUS_FAILURES);
        if (fault.phase == p)
            inject(rig, fault);
        const auto mark = rig.mark();
        run();
        EXPECT_LE(rig.msSince(mark), boundMs) << phaseName(p);
    };

    phase(Phase::Connect, 5'000, [&] { connectTarget(rig.session); });
    const bool connected = rig.link.connectionState() > 0;
    EXPECT_EQ(rig.window.statusFields[3], connected ? CONNECTED : NOT_CONNECTED);
    EXPECT_EQ(rig.window.commandsEnabled, connected);
    if (!connected) {
        EXPECT_TRUE(shown(rig.window, "Nieudane połączenie z interfejsem") ||
                    shown(rig.window, "Nieudane połączenie z procesorem"));
    }

    if (connected) {
        rig.forgetWindowRecords();
        rig.buffer.count = 16;
        phase(Phase::Read, 5'000, [&] { readEeprom(rig.session); });
        const bool stillConnected = rig.link.connectionState() > 0;
        EXPECT_EQ(shown(rig.window, LOST), !stillConnected);
        EXPECT_EQ(rig.window.commandsEnabled, stillConnected);
        if (!stillConnected) {
            EXPECT_EQ(rig.window.statusFields[3], NOT_CONNECTED);
        }
        EXPECT_EQ(rig.window.statusFields[0].rfind("Przeczytano  ", 0), 0u);
    }

    if (rig.window.commandsEnabled) {
        rig.forgetWindowRecords();
        rig.fillBuffer(16, [](std::uint32_t k) { return 0x21 * k; });
        const auto cellsBefore = rig.buffer.cells;
        const auto eepromBefore = rig.board->eeprom();
        phase(Phase::Write, 60'000, [&] { writeEeprom(rig.session); });
        EXPECT_EQ(rig.buffer.cells, cellsBefore);
        const bool stillConnected = rig.link.connectionState() > 0;
        EXPECT_EQ(shown(rig.window, LOST), !stillConnected);
        if (!stillConnected) {
            EXPECT_EQ(rig.window.statusFields[3], NOT_CONNECTED);
        }
        const bool failures = !rig.window.statusFields[1].empty();
        const bool stopped = rig.window.progress.empty();
        // A write either ran (result line, failures boxed) or stopped before any
        // programming with the EEPROM as it was.
        if (stopped) {
            EXPECT_EQ(rig.board->eeprom(), eepromBefore);
            // One box of the write's own (line errors add their warnings before it).
            EXPECT_EQ(std::count_if(rig.window.boxes.begin(), rig.window.boxes.end(),
                                    [](const ShownBox& b) { return b.icon == BoxIcon::Error; }),
                      1);
        } else {
            EXPECT_EQ(rig.window.statusFields[0].rfind("Zapisano  ", 0), 0u);
            // The failure count in field 1 and in the closing box are the same number.
            const std::string head = "Nieudanych zapisów:  ";
            if (failures) {
                EXPECT_TRUE(shown(rig.window, "Nie udało się zapisać " + rig.window.statusFields[1].substr(head.size()) +
                                                  "komórek"));
            }
        }
        if (!failures && !stopped && stillConnected) {
            std::vector<std::uint8_t> written(rig.board->eeprom().begin(), rig.board->eeprom().begin() + 16);
            std::vector<std::uint8_t> wanted;
            for (const auto& cell : cellsBefore)
                wanted.push_back(*cell);
            wanted.resize(16);
            EXPECT_EQ(written, wanted); // verified words are really there
        }
    }
    rows().push_back({fault.kind, model, where, whatTheUserSaw(rig.window)});
}

INSTANTIATE_TEST_SUITE_P(Faults, TargetFaultMatrix,
                         testing::Combine(testing::Values("HC912Dx128x", "MC9S12DT128"),
                                          testing::ValuesIn(allPoints())),
                         caseName);
