// The command line's face for the engine's procedures: what the window does
// with status fields, boxes, questions and the gauge, done on a terminal.
// Boxes and line errors become lines on standard error ("Błąd: ..."), the
// result lines of the status bar too; the "Czy kontynuować?" question is
// answered by --on-failures or asked on the terminal; the gauge becomes the
// progress line. It also keeps what the command's summary needs: every line
// said, the first failure's class, retries, and whether the user stopped.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "cli/CliArguments.h"
#include "cli/CliServices.h"
#include "cli/ExitStatus.h"
#include "cli/ImageBuffer.h"
#include "cli/Messages.h"
#include "cli/ProgressLine.h"
#include "procedures/TargetWindow.h"
#include "serial/LinkObserver.h"

class TerminalFace : public TargetWindow, public LinkObserver {
public:
    TerminalFace(CliConsole& console, const CliServices& services, const CliOptions& options, ImageBuffer& buffer,
                 ProgressLine& progress);

    Messages& messages() { return messages_; }
    // The class of the first failure a procedure showed (Ok: none).
    ExitStatus failure() const { return failure_; }
    bool connected() const { return connected_; }
    bool stopped() const { return stopped_; }
    bool crystalDetected() const { return crystalDetected_; }
    std::uint32_t retries() const { return retries_; }

    // TargetWindow
    void setStatus(int field, const std::string& text) override;
    std::string status(int field) override { return statusFields_[field]; }
    void showBox(const std::string& text, Text caption, BoxIcon icon) override;
    bool askYesNo(const std::string& text, Text caption, BoxIcon icon) override;
    void progressStart(std::uint32_t total) override { progress_.start(total); }
    void progressStep() override {} // the buffer reports each word done
    void progressFinish() override { progress_.finish(); }
    void setStartField(std::uint16_t start) override { buffer_.setStart(start); }
    void setCountField(std::uint32_t count) override { buffer_.setCount(count); }
    std::string crystalChoice() override { return crystal_; }
    void selectCrystalItem(int item) override;
    std::string shownPageTitle() override;
    bool openBufferPage() override { return true; }
    void openFirstPort() override {} // the command line opens its port before it connects
    void enableTargetCommands(bool) override { connected_ = true; }
    bool selectionChecked() override { return false; }
    bool stopRequested() override;
    void noteRetry() override { ++retries_; }

    // LinkObserver
    void lineErrors(std::uint32_t flags) override;
    void connectionLost() override;

private:
    bool answer(const std::string& question);
    bool answerOnTerminal(const std::string& question);
    void say(const std::string& line, bool info = false) { messages_.say(line, info); }

    CliConsole& console_;
    const CliServices& services_;
    const CliOptions& options_;
    ImageBuffer& buffer_;
    ProgressLine& progress_;
    Messages messages_;
    std::map<int, std::string> statusFields_;
    ExitStatus failure_ = ExitStatus::Ok;
    std::string crystal_;
    std::string lastYes_; // the question last answered yes
    bool crystalDetected_ = false;
    bool connected_ = false;
    bool stopped_ = false;
    std::uint32_t retries_ = 0;
};
