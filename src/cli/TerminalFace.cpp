#include "cli/TerminalFace.h"

#include <istream>
#include <ostream>

#include "procedures/CrystalTable.h"
#include "procedures/TargetSession.h"
#include "serial/LineErrorTexts.h"

namespace {

// The crystal combo box's item for a crystal; 0 MHz stands for "Auto".
Text crystalItem(int mhz)
{
    const Crystal* crystal = findCrystal(mhz);
    return crystal ? crystal->label : texts::CRYSTAL_AUTO;
}

std::string boxLine(Text caption, const std::string& text) { return toStdString(caption) + ": " + text; }

} // namespace

TerminalFace::TerminalFace(CliConsole& console, const CliServices& services, const CliOptions& options,
                           ImageBuffer& buffer, ProgressLine& progress)
    : console_(console), services_(services), options_(options), buffer_(buffer), progress_(progress),
      messages_(console.err, options.quiet, [&progress] { progress.clear(); }),
      crystal_(toStdString(crystalItem(options.crystalMHz)))
{
}

void TerminalFace::setStatus(int field, const std::string& text)
{
    statusFields_[field] = text;
    // The result lines; the connection state (field 3) shows in the outcome.
    if (field == STATUS_RESULT || field == STATUS_FAILURES)
        say(text, true);
}

void TerminalFace::showBox(const std::string& text, Text caption, BoxIcon icon)
{
    say(boxLine(caption, text), icon == BoxIcon::None || icon == BoxIcon::Information);
    if (failure_ == ExitStatus::Ok)
        failure_ = exitStatusOfBox(text);
}

bool TerminalFace::askYesNo(const std::string& text, Text caption, BoxIcon)
{
    // The write asks again after every further word while the count of failed
    // cells stays where it was; once is enough on a terminal.
    if (text == lastYes_)
        return true;
    const bool yes = answer(boxLine(caption, text));
    if (yes)
        lastYes_ = text;
    return yes;
}

bool TerminalFace::answer(const std::string& question)
{
    switch (options_.onFailures) {
    case OnFailures::Continue:
        say(question + toStdString(texts::CLI_ANSWER_PROMPT) + "t", true);
        return true;
    case OnFailures::Stop:
        say(question + toStdString(texts::CLI_ANSWER_PROMPT) + "n", true);
        return false;
    case OnFailures::Ask:
        break;
    }
    if (console_.inIsTerminal)
        return answerOnTerminal(question);
    say(question);
    say(toStdString(texts::CLI_NO_TERMINAL_TO_ASK));
    return false;
}

// "t" (tak) or "y" says yes; anything else, or no answer at all, says no.
bool TerminalFace::answerOnTerminal(const std::string& question)
{
    messages_.keep(question);
    progress_.clear();
    console_.err << question << toStdString(texts::CLI_ANSWER_PROMPT) << std::flush;
    std::optional<std::string> answer;
    if (console_.readAnswer)
        answer = console_.readAnswer();
    else if (std::string line; std::getline(console_.in, line))
        answer = line;
    if (!answer) {
        console_.err << '\n';
        stopRequested(); // Ctrl+C at the question is a stop, not only a no
    }
    const char first = answer && !answer->empty() ? (*answer)[0] : 'n';
    const bool yes = first == 't' || first == 'T' || first == 'y' || first == 'Y';
    messages_.keep(yes ? "t" : "n");
    return yes;
}

void TerminalFace::selectCrystalItem(int item)
{
    // Items 1 to 3 are the crystal table's rows; detection chooses no other.
    crystal_ = toStdString(CRYSTAL_TABLE.at(std::size_t(item - 1)).label);
    crystalDetected_ = true;
}

std::string TerminalFace::shownPageTitle()
{
    // Never "Monitor": the command line has one buffer and no pages.
    return toStdString(texts::BUFFER_BASE_NAME) + "0";
}

bool TerminalFace::stopRequested()
{
    if (services_.stopRequested())
        stopped_ = true;
    return stopped_;
}

void TerminalFace::lineErrors(std::uint32_t flags)
{
    for (const Text message : lineErrorTexts(flags))
        say(boxLine(texts::CAPTION_ERROR, toStdString(message)));
}

void TerminalFace::connectionLost() { statusFields_[STATUS_CONNECTION] = toStdString(texts::STATE_NOT_CONNECTED); }
