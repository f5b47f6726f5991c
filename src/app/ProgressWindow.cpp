#include "app/ProgressWindow.h"

#include <wx/gauge.h>
#include <wx/statusbr.h>

#include "app/MainFrame.h"
#include "app/OperationTurns.h"
#include "app/UiTurn.h"

namespace {
constexpr int GAUGE_FIELD = 2;
// A load or a comparison steps millions of times without a pause: every so
// many steps the window may take its turn, if one is due. A power of two,
// so that the check costs a mask; the clock is read only then.
constexpr std::uint32_t STEPS_BETWEEN_TURN_OFFERS = 4096;
} // namespace

void ProgressWindow::progressStart(std::uint32_t total)
{
    if (total == 0)
        return;
    if (!arithmetic_.rangeKnown()) {
        wxRect field;
        statusBar_.GetFieldRect(GAUGE_FIELD, field);
        fieldX_ = field.x;
        fieldY_ = field.y;
        fieldWidth_ = field.width;
        fieldHeight_ = field.height;
        arithmetic_.captureFieldWidth(field.width);
    }
    // UI events only (paint, size): a click or a key made now waits until the
    // operation has returned, so no second command runs inside this one.
    if (turns_)
        turns_->take();
    else
        takeUiTurn();
    removeGauge();
    apply(arithmetic_.start(total));
}

void ProgressWindow::progressStep()
{
    apply(arithmetic_.step());
    if (++steps_ % STEPS_BETWEEN_TURN_OFFERS == 0 && turns_)
        turns_->offer();
}

void ProgressWindow::progressFinish() { apply(arithmetic_.finish()); }

void ProgressWindow::apply(GaugeArithmetic::Action action)
{
    switch (action.kind) {
    case GaugeArithmetic::Action::NOTHING:
        break;
    case GaugeArithmetic::Action::SHOW:
        gauge_ = new wxGauge(&statusBar_, wxID_ANY, arithmetic_.range(), wxPoint(fieldX_, fieldY_),
                             wxSize(fieldWidth_, fieldHeight_), wxGA_HORIZONTAL | wxGA_SMOOTH);
        break;
    case GaugeArithmetic::Action::SET_VALUE:
        if (gauge_)
            gauge_->SetValue(action.value);
        break;
    case GaugeArithmetic::Action::REMOVE:
        removeGauge();
        break;
    }
}

void ProgressWindow::removeGauge()
{
    if (gauge_)
        gauge_->Destroy();
    gauge_ = nullptr;
}

ProgressWindow& MainFrame::progress()
{
    if (!progress_)
        progress_ = std::make_unique<ProgressWindow>(*GetStatusBar(), turns_.get());
    return *progress_;
}
