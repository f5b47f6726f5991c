// Choosing the port through the "COM 1" to "COM 4" items, and the connect
// command opening "COM1" by itself when no port was chosen: which device is
// opened, how often, what the user sees when it fails, and which port the
// next exchange goes to.
#include <wx/bmpbuttn.h>
#include <wx/menu.h>

#include "RealInput.h"
#include "TargetSupport.h"
#include "app/Identifiers.h"

namespace {

using Names = std::vector<std::string>;

void expectPortBox(const ScriptedBoxes::Box& box)
{
    EXPECT_EQ(box.message.BeforeFirst('\n'), pl("Niewłaściwa nazwa portu lub port jest aktywny."));
    EXPECT_EQ(box.caption, pl("Błąd"));
    EXPECT_TRUE(box.style & wxICON_ERROR);
    EXPECT_TRUE(box.style & wxOK);
    EXPECT_FALSE(box.style & (wxYES_NO | wxCANCEL));
}

// A port that only counts how often its line settings were applied.
class SettingsCountingPort : public SerialPort {
public:
    explicit SettingsCountingPort(int& applied) : applied_(applied) {}
    void applyLineSettings() override { ++applied_; }
    void setRts(bool) override {}
    bool write(const std::uint8_t*, std::size_t) override { return true; }
    void drain() override {}
    Status queryStatus() override { return {}; }
    std::size_t read(std::uint8_t*, std::size_t) override { return 0; }
    void purge() override {}
    bool waitReadable(int) override { return false; }

private:
    int& applied_;
};

} // namespace

TEST(TargetPort, EachItemOpensItsOwnPortOnceAndTheLastChoiceCarriesTheExchange)
{
    MainFrame& frame = TestApp::freshFrame();
    std::vector<std::shared_ptr<SimulatedBoard>> boards;
    for (const char* name : {"COM1", "COM2", "COM3", "COM4"})
        boards.push_back(wireBoard(name, "HC12B", 16));

    ScriptedBoxes noBoxes;
    for (int id : {ID_COM1, ID_COM2, ID_COM3, ID_COM4})
        sendMenu(frame, id);
    EXPECT_EQ(TestApp::ports().opens(), (Names{"COM1", "COM2", "COM3", "COM4"}));

    // Choosing again reuses what the first choice opened; the earlier ports stay open.
    sendMenu(frame, ID_COM3);
    sendMenu(frame, ID_COM1);
    sendMenu(frame, ID_COM3);
    EXPECT_EQ(TestApp::ports().opens(), (Names{"COM1", "COM2", "COM3", "COM4"}));

    chooseModel(frame, "HC12B");
    chooseCrystal(frame, "16MHz");
    clickButton(frame.connectButton);
    EXPECT_EQ(statusText(frame, 3), "Połączony.");
    for (std::size_t i = 0; i < boards.size(); ++i)
        EXPECT_EQ(boards[i]->trace().frames().empty(), i != 2) << "COM" << i + 1;
}

TEST(TargetPort, AFailingPortShowsItsBoxOnEveryChoiceAndIsNeverTriedAgain)
{
    MainFrame& frame = TestApp::freshFrame();
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK).expect(wxID_OK);
        sendMenu(frame, ID_COM2);
        sendMenu(frame, ID_COM2);
        ASSERT_EQ(boxes.shown().size(), 2u);
        for (const auto& box : boxes.shown())
            expectPortBox(box);
    }
    EXPECT_EQ(TestApp::ports().opens(), Names{"COM2"});

    // The device appears meanwhile: the port is still not tried again.
    auto board = wireBoard("COM2", "HC12B", 16);
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK);
        sendMenu(frame, ID_COM2);
    }
    EXPECT_EQ(TestApp::ports().opens(), Names{"COM2"});

    // Connecting on the failed port stops without a further box and sends nothing.
    chooseModel(frame, "HC12B");
    {
        ScriptedBoxes noBoxes;
        clickButton(frame.connectButton);
    }
    EXPECT_EQ(TestApp::ports().opens(), Names{"COM2"});
    EXPECT_TRUE(board->trace().entries().empty());
    EXPECT_EQ(statusText(frame, 3), "Brak połączenia.");
    EXPECT_FALSE(targetCommandsEnabled(frame));
}

TEST(TargetPort, ConnectingBeforeAnyChoiceOpensCom1AsTheMenuItemWould)
{
    MainFrame& frame = TestApp::freshFrame();
    EXPECT_TRUE(frame.connMenu->IsChecked(ID_COM1)); // first of its group, yet nothing is open
    auto board = wireBoard("COM1", "HC912D60x", 16);
    chooseModel(frame, "HC912D60x");
    chooseCrystal(frame, "16MHz");
    {
        ScriptedBoxes noBoxes;
        sendMenu(frame, ID_CONNECT);
    }
    EXPECT_EQ(TestApp::ports().opens(), Names{"COM1"});
    EXPECT_TRUE(frame.connMenu->IsChecked(ID_COM1));
    EXPECT_FALSE(board->trace().frames().empty());
    EXPECT_EQ(statusText(frame, 3), "Połączony.");

    // A second connect keeps the port.
    sendMenu(frame, ID_CONNECT);
    EXPECT_EQ(TestApp::ports().opens(), Names{"COM1"});
    EXPECT_EQ(statusText(frame, 3), "Połączony.");
}

TEST(TargetPort, ConnectingWhenCom1CannotBeOpenedShowsThePortBoxOnlyTheFirstTime)
{
    MainFrame& frame = TestApp::freshFrame();
    chooseModel(frame, "HC12B");
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK);
        sendMenu(frame, ID_CONNECT);
        ASSERT_EQ(boxes.shown().size(), 1u);
        expectPortBox(boxes.shown()[0]);
    }
    {
        ScriptedBoxes noBoxes;
        sendMenu(frame, ID_CONNECT);
    }
    EXPECT_EQ(TestApp::ports().opens(), Names{"COM1"});
    EXPECT_EQ(statusText(frame, 3), "Brak połączenia.");
    EXPECT_FALSE(targetCommandsEnabled(frame));
}

// GTK raises no event when the user chooses the radio item already ticked;
// that choice shows the box again, or re-applies the settings (real clicks).
TEST(TargetPort, ChoosingThePortAlreadyTickedChoosesItAgain)
{
    MainFrame& frame = TestApp::freshFrame();
    frame.Raise();
    {
        ScriptedBoxes boxes;
        boxes.expect(wxID_OK).expect(wxID_OK);
        chooseMenuItem(*frame.connMenu, ID_COM1);
        chooseMenuItem(*frame.connMenu, ID_COM1);
        ASSERT_EQ(boxes.shown().size(), 2u);
    }
    EXPECT_EQ(TestApp::ports().opens(), Names{"COM1"});
    EXPECT_TRUE(frame.connMenu->IsChecked(ID_COM1));

    int settingsApplied = 0;
    TestApp::ports().wire("COM2", [&settingsApplied] {
        return PortOpenResult{std::make_unique<SettingsCountingPort>(settingsApplied), "/dev/ttyTEST", {}, false};
    });
    ScriptedBoxes noBoxes;
    chooseMenuItem(*frame.connMenu, ID_COM2);
    chooseMenuItem(*frame.connMenu, ID_COM2);
    EXPECT_EQ(settingsApplied, 2);
    EXPECT_EQ(TestApp::ports().opens(), (Names{"COM1", "COM2"}));
}
