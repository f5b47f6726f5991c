// Placing the main window's controls. Positions are fixed pixels; a few follow
// from the size a control created before them really has, so they are worked
// out again once GTK has applied the compact style and the sizes are final.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/panel.h>

#include "app/ToolBarPanel.h"
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>

#include "app/CompactStyle.h"
#include "app/FittedFont.h"
#include "app/MainFrame.h"
#include "app/StatusLine.h"
#include "app/UiText.h"
#include "app/WindowGeometry.h"
#include "app/buffers/BufferGrid.h"
#include "app/buffers/NumberField.h"
#include "store/BufferLimit.h"
#include "texts/ResultLines.h"

namespace {

constexpr int COMPARE_COMBO_WIDTH = 87;
constexpr int COMPARE_COMBO_HEIGHT = 16; // GTK will not go below 18

void fitToBestSize(wxWindow* control)
{
    control->InvalidateBestSize();
    control->SetSize(control->GetBestSize());
}

// Each of `digits` repeated `length` times: among them is the widest text a
// field of that many such digits can hold.
std::vector<wxString> fullFields(const char* digits, std::size_t length)
{
    std::vector<wxString> texts;
    for (const char* digit = digits; *digit; ++digit)
        texts.push_back(wxString(*digit, length));
    return texts;
}

// The longest line each status field shows: counts of BYTE_COUNT_DIGITS digits at most.
std::vector<std::vector<wxString>> widestStatusTexts()
{
    const std::string largest = std::to_string(MAX_BUFFER_BYTES);
    return {
        {uiText(readResultLine(MAX_BUFFER_BYTES)), uiText(writeResultLine(MAX_BUFFER_BYTES)),
         uiText(loadResultLine(MAX_BUFFER_BYTES))},
        {uiText(toStdString(texts::WRITE_FAILED_COUNT) + largest), uiText(comparisonSummary(MAX_BUFFER_BYTES))},
        {},
        {uiText(texts::STATE_CONNECTING), uiText(texts::STATE_RESET), uiText(texts::STATE_CONNECTED),
         uiText(texts::STATE_NOT_CONNECTED)},
    };
}

} // namespace

// `onToolBar` is relative to the tool bar's client area, as the layout gives
// it; the control itself lives in the container.
void MainFrame::moveOnToolBar(wxWindow* control, wxPoint onToolBar)
{
    control->Move(onToolBar - toolBarPanelAt_);
}

wxRect MainFrame::onToolBar(const wxWindow* control) const
{
    return wxRect(control->GetPosition() + toolBarPanelAt_, control->GetSize());
}

void MainFrame::placeToolBarControls()
{
    const int t = toolsOrigin_;
    moveOnToolBar(startField, {t + 250, 5});
    moveOnToolBar(countField, {t + 350, 5});
    moveOnToolBar(fillField, {t + 100, 5});
    moveOnToolBar(modelCombo, {t + 410, 3});
    moveOnToolBar(crystalCombo, {t + 540, 4});

    // The labels end 2 pixels left of their field, whatever width they render at.
    const wxRect start = onToolBar(startField);
    const wxRect count = onToolBar(countField);
    moveOnToolBar(startLabel_, {start.x - startLabel_->GetSize().x - 2, 7});
    moveOnToolBar(hexMark_, {start.GetRight() + 1 + 2, 7});
    moveOnToolBar(countLabel_, {count.x - countLabel_->GetSize().x - 2, 7});
    const wxRect fill = onToolBar(fillField);
    moveOnToolBar(fillButton_, {fill.x + 30, fill.y - 1});

    // The container reaches just past its rightmost control.
    int right = 0, bottom = 0;
    for (const wxWindow* control : toolBarPanel_->GetChildren()) {
        right = std::max(right, control->GetRect().GetRight() + 1);
        bottom = std::max(bottom, control->GetRect().GetBottom() + 1);
    }
    toolBarPanel_->SetSize(right + 2, std::max(bottom, toolBarPanel_->GetSize().y));
}

void MainFrame::placeSidePanelControls()
{
    connectButton->Move(607, 20);
    readButton->Move(607, 135);
    writeButton->Move(607, 255);

    const wxRect write = writeButton->GetRect();
    selectionCheck->Move(write.x + 3, write.y + write.height + 1);

    const wxRect read = readButton->GetRect();
    const wxRect connect = connectButton->GetRect();
    const wxRect check = selectionCheck->GetRect();
    readWriteBox_->SetSize(read.x, read.y - 9, 90, 194);
    connectBox_->SetSize(connect.x, connect.y - 7, 92, connect.height + 12);
    compareBox_->SetSize(check.x, check.y + check.height + 30, 90, 40);
    compareCombo->Move(check.x + 2, check.y + check.height + 47);

    const wxPoint comboAt = compareCombo->GetPosition();
    picture_->Move(comboAt.x, comboAt.y + 30);
}

void MainFrame::fitControlsToStyle()
{
    wxToolBar* toolBar = GetToolBar();
    toolsOrigin_ = toolItemWidth(toolBar, 0, (toolsOrigin_ + 180) / 11) * 11 - 180;
    toolBarPanelAt_ = positionIn(toolBarPanel_, toolBar);

    for (wxWindow* control : {static_cast<wxWindow*>(modelCombo), static_cast<wxWindow*>(crystalCombo),
                              static_cast<wxWindow*>(startLabel_), static_cast<wxWindow*>(hexMark_),
                              static_cast<wxWindow*>(countLabel_)})
        fitToBestSize(control);
    placeToolBarControls();

    for (wxWindow* control : {static_cast<wxWindow*>(connectButton), static_cast<wxWindow*>(readButton),
                              static_cast<wxWindow*>(writeButton), static_cast<wxWindow*>(selectionCheck)})
        fitToBestSize(control);
    compareCombo->InvalidateBestSize();
    compareCombo->SetSize(COMPARE_COMBO_WIDTH, std::max(COMPARE_COMBO_HEIGHT, compareCombo->GetBestSize().y));
    placeSidePanelControls();
    fitTextsToFixedWidths();
}

// The number fields and the status fields have fixed widths; the texts they
// can be given show whole in them, in a font made smaller where needed. The
// comparison list shows its page names, which can be any length, in a list
// as wide as they are.
void MainFrame::fitTextsToFixedWidths()
{
    wxFont numbers = toolBarPanel_->GetFont();
    const std::pair<NumberField*, std::vector<wxString>> fields[] = {
        {startField, fullFields("0123456789ABCDEF", 4)},
        {countField, fullFields("0123456789", BYTE_COUNT_DIGITS)},
        {fillField, fullFields("0123456789ABCDEF", 2)},
    };
    for (const auto& [field, widest] : fields)
        numbers = fontToFit(*field, numbers, widest, entryTextWidth(field));
    for (const auto& [field, widest] : fields)
        field->SetFont(numbers);

    auto* statusLine = static_cast<StatusLine*>(GetStatusBar());
    wxFont status = statusLine->GetFont();
    const std::vector<std::vector<wxString>> widest = widestStatusTexts();
    for (std::size_t field = 0; field < widest.size(); ++field)
        status = fontToFit(*statusLine, status, widest[field], statusLine->textWidth(int(field)));
    statusLine->SetFont(status);

    listShowsWholeEntries(compareCombo);
}
