// The application style sheet behind makeCompact() and the tool-button
// measurement. GTK is reached through the few C functions below; wx already
// loads the library, so no GTK headers are needed to build.
#include "app/CompactStyle.h"

#include <cstring>

#include <wx/combobox.h>
#include <wx/toolbar.h>
#include <wx/window.h>

extern "C" {
struct GtkStyleContext;
struct GdkScreen;
struct GtkToolItem;
GtkCssProvider* gtk_css_provider_new();
int gtk_css_provider_load_from_data(GtkCssProvider* provider, const char* data, long length, void** error);
GdkScreen* gtk_widget_get_screen(GtkWidget* widget);
void gtk_style_context_add_provider_for_screen(GdkScreen* screen, void* provider, unsigned priority);
GtkStyleContext* gtk_widget_get_style_context(GtkWidget* widget);
void gtk_style_context_add_class(GtkStyleContext* context, const char* className);
const char* gtk_widget_get_name(GtkWidget* widget);
GtkToolItem* gtk_toolbar_get_nth_item(GtkToolbar* toolBar, int n);
void gtk_widget_get_preferred_width(GtkWidget* widget, int* minimum, int* natural);
GtkWidget* gtk_bin_get_child(GtkWidget* bin);
struct GtkBorder {
    short left, right, top, bottom;
};
unsigned long gtk_entry_get_type();
unsigned long gtk_combo_box_get_type();
int g_type_check_instance_is_a(void* instance, unsigned long type);
int gtk_widget_get_state_flags(GtkWidget* widget);
void gtk_style_context_get_padding(GtkStyleContext* context, int state, GtkBorder* padding);
void gtk_style_context_get_border(GtkStyleContext* context, int state, GtkBorder* border);
void gtk_combo_box_set_popup_fixed_width(GtkWidget* comboBox, int fixed);
}

namespace {

constexpr const char* kCompactClass = "rovidada-compact";
constexpr const char* kTightClass = "rovidada-tight";
constexpr unsigned kApplicationPriority = 600; // GTK_STYLE_PROVIDER_PRIORITY_APPLICATION

// Tool buttons come out 23 x 24 (16-px image, 2- and 3-px paddings, 1-px border), the
// tool bar 26 px high, entries 17 px, combo boxes 22 px, and an 80 x 40 bitmap
// button 84 x 44.
constexpr const char* kStyleSheet = R"css(
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
    gtk_css_provider_load_from_data(provider, kStyleSheet, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gtk_widget_get_screen(widget), provider, kApplicationPriority);
    installed = true; // the provider lives as long as the program
}

bool isA(GtkWidget* widget, const char* typeName)
{
    return widget && std::strcmp(gtk_widget_get_name(widget), typeName) == 0;
}

// wxGTK wraps some controls (the tool bar among them) in an event box; the
// style class and the measurement belong to the widget inside.
GtkWidget* innerWidget(const wxWindow* window)
{
    GtkWidget* widget = window->GetHandle();
    return isA(widget, "GtkEventBox") ? gtk_bin_get_child(widget) : widget;
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

void makeCompact(wxWindow* window) { addStyleClass(window, kCompactClass); }

void makeTight(wxWindow* window)
{
    addStyleClass(window, kCompactClass);
    addStyleClass(window, kTightClass);
}

int toolItemWidth(wxToolBar* toolBar, int index, int fallback)
{
    GtkWidget* widget = innerWidget(toolBar);
    if (!isA(widget, "GtkToolbar"))
        return fallback;
    GtkToolItem* item = gtk_toolbar_get_nth_item(reinterpret_cast<GtkToolbar*>(widget), index);
    if (!item)
        return fallback;
    int minimum = 0, natural = 0;
    gtk_widget_get_preferred_width(reinterpret_cast<GtkWidget*>(item), &minimum, &natural);
    return natural > 0 ? natural : fallback;
}

int entryTextWidth(const wxWindow* entry)
{
    const int width = entry->GetSize().x;
    GtkWidget* widget = innerWidget(entry);
    if (!widget || !g_type_check_instance_is_a(widget, gtk_entry_get_type()))
        return width;
    // From the style, not from the allocation, which GTK may not have made yet.
    GtkStyleContext* style = gtk_widget_get_style_context(widget);
    const int state = gtk_widget_get_state_flags(widget);
    GtkBorder padding{}, border{};
    gtk_style_context_get_padding(style, state, &padding);
    gtk_style_context_get_border(style, state, &border);
    return width - padding.left - padding.right - border.left - border.right;
}

void listShowsWholeEntries(wxComboBox* combo)
{
    GtkWidget* widget = innerWidget(combo);
    if (widget && g_type_check_instance_is_a(widget, gtk_combo_box_get_type()))
        gtk_combo_box_set_popup_fixed_width(widget, 0);
}
