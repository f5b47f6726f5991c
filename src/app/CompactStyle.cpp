// The application style sheet behind makeCompact() and the tool-button
// measurement, through GTK's own calls on the widgets wx creates.
#include "app/CompactStyle.h"

#include <gtk/gtk.h>
#include <wx/combobox.h>
#include <wx/toolbar.h>
#include <wx/window.h>

namespace {

constexpr const char* COMPACT_CLASS = "rovidada-compact";
constexpr const char* TIGHT_CLASS = "rovidada-tight";

// Tool buttons come out 23 x 24 (16-px image, 2- and 3-px paddings, 1-px border), the
// tool bar 26 px high, entries 17 px, combo boxes 22 px, and an 80 x 40 bitmap
// button 84 x 44.
constexpr const char* STYLE_SHEET = R"css(
toolbar.rovidada-compact { padding: 0; min-height: 0; }
toolbar.rovidada-compact toolbutton > button { padding: 3px 2px; min-height: 0; min-width: 0; }
toolbar.rovidada-compact separator { margin: 0 3px; min-width: 1px; }
entry.rovidada-compact, .rovidada-compact entry { min-height: 0; min-width: 0; padding: 0 2px; }
button.rovidada-compact, .rovidada-compact button { min-height: 0; min-width: 0; padding: 1px; }
combobox.rovidada-compact button, .rovidada-compact combobox button { padding: 3px 4px; }
combobox.rovidada-compact arrow, .rovidada-compact combobox arrow { min-height: 0; min-width: 10px; }
combobox.rovidada-compact entry, .rovidada-compact combobox entry { padding: 2px 3px; }
combobox.rovidada-tight entry, combobox.rovidada-tight button { padding-top: 0; padding-bottom: 0; }
checkbutton.rovidada-compact { min-height: 0; padding: 0; }
checkbutton.rovidada-compact check { margin: 0 2px 0 0; padding: 0; min-width: 11px; min-height: 11px; }
)css";

void installStyleSheet(GtkWidget* widget)
{
    static bool installed = false;
    if (installed)
        return;
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, STYLE_SHEET, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gtk_widget_get_screen(widget), GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    installed = true; // the provider lives as long as the program
}

// wxGTK wraps some controls (the tool bar among them) in an event box; the
// style class and the measurement belong to the widget inside.
GtkWidget* innerWidget(const wxWindow* window)
{
    GtkWidget* widget = window->GetHandle();
    return widget && GTK_IS_EVENT_BOX(widget) ? gtk_bin_get_child(GTK_BIN(widget)) : widget;
}

void addStyleClass(wxWindow* window, const char* styleClass)
{
    GtkWidget* widget = innerWidget(window);
    if (!widget)
        return;
    installStyleSheet(widget);
    gtk_style_context_add_class(gtk_widget_get_style_context(widget), styleClass);
}

} // namespace

void makeCompact(wxWindow* window) { addStyleClass(window, COMPACT_CLASS); }

void makeTight(wxWindow* window)
{
    addStyleClass(window, COMPACT_CLASS);
    addStyleClass(window, TIGHT_CLASS);
}

int toolItemWidth(wxToolBar* toolBar, int index, int fallback)
{
    GtkWidget* widget = innerWidget(toolBar);
    if (!widget || !GTK_IS_TOOLBAR(widget))
        return fallback;
    GtkToolItem* item = gtk_toolbar_get_nth_item(GTK_TOOLBAR(widget), index);
    if (!item)
        return fallback;
    int minimum = 0, natural = 0;
    gtk_widget_get_preferred_width(GTK_WIDGET(item), &minimum, &natural);
    return natural > 0 ? natural : fallback;
}

int entryTextWidth(const wxWindow* entry)
{
    const int width = entry->GetSize().x;
    GtkWidget* widget = innerWidget(entry);
    if (!widget || !GTK_IS_ENTRY(widget))
        return width;
    // From the style, not from the allocation, which GTK may not have made yet.
    GtkStyleContext* style = gtk_widget_get_style_context(widget);
    const GtkStateFlags state = gtk_widget_get_state_flags(widget);
    GtkBorder padding{}, border{};
    gtk_style_context_get_padding(style, state, &padding);
    gtk_style_context_get_border(style, state, &border);
    return width - padding.left - padding.right - border.left - border.right;
}

void listShowsWholeEntries(wxComboBox* combo)
{
    GtkWidget* widget = innerWidget(combo);
    if (widget && GTK_IS_COMBO_BOX(widget))
        gtk_combo_box_set_popup_fixed_width(GTK_COMBO_BOX(widget), FALSE);
}
