#include "RealInput.h"

#include <vector>

#include <gtk/gtk.h>
#include <wx/combobox.h>
#include <wx/menu.h>
#include <wx/time.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "GuiHarness.h"

namespace {

std::vector<GtkWidget*> children(GtkWidget* container)
{
    std::vector<GtkWidget*> result;
    GList* list = gtk_container_get_children(GTK_CONTAINER(container));
    for (GList* node = list; node; node = node->next)
        result.push_back(static_cast<GtkWidget*>(node->data));
    g_list_free(list);
    return result;
}

bool isMenu(GtkWidget* widget) { return widget && GTK_IS_MENU(widget); }

// The menu shown in a popup window of its own, if one is up.
GtkWidget* openMenu()
{
    GtkWidget* found = nullptr;
    GList* toplevels = gtk_window_list_toplevels();
    for (GList* node = toplevels; node && !found; node = node->next) {
        auto* window = static_cast<GtkWidget*>(node->data);
        GtkWidget* child = gtk_bin_get_child(GTK_BIN(window));
        if (gtk_widget_get_mapped(window) && isMenu(child))
            found = child;
    }
    g_list_free(toplevels);
    return found;
}

wxRect screenRect(GtkWidget* widget)
{
    GtkWidget* toplevel = gtk_widget_get_toplevel(widget);
    int x = 0, y = 0, originX = 0, originY = 0;
    gtk_widget_translate_coordinates(widget, toplevel, 0, 0, &x, &y);
    gdk_window_get_origin(gtk_widget_get_window(toplevel), &originX, &originY);
    GtkAllocation allocation{};
    gtk_widget_get_allocation(widget, &allocation);
    return wxRect(originX + x, originY + y, allocation.width, allocation.height);
}

std::vector<GtkWidget*> entriesOf(GtkWidget* menu)
{
    std::vector<GtkWidget*> entries;
    for (GtkWidget* item : children(menu)) {
        if (gtk_widget_get_mapped(item))
            entries.push_back(item);
    }
    return entries;
}

void clickCentreOf(GtkWidget* widget)
{
    const wxRect rect = screenRect(widget);
    clickAt(wxPoint(rect.x + rect.width / 2, rect.y + rect.height / 2));
}

} // namespace

bool settleUntil(const std::function<bool()>& reached)
{
    const wxLongLong until = wxGetLocalTimeMillis() + 2000;
    while (!reached() && wxGetLocalTimeMillis() < until) {
        processPendingEvents();
        wxMilliSleep(5);
    }
    for (int i = 0; i < 5; ++i) {
        processPendingEvents();
        wxMilliSleep(5);
    }
    return reached();
}

void movePointerTo(wxPoint onScreen)
{
    wxUIActionSimulator mouse;
    mouse.MouseMove(onScreen);
    settleUntil([&] { return wxGetMouseState().GetPosition() == onScreen; });
}

void clickAt(wxPoint onScreen)
{
    movePointerTo(onScreen);
    wxUIActionSimulator mouse;
    mouse.MouseClick();
    settleUntil([] { return !wxGetMouseState().LeftIsDown(); });
}

ComboPopup::ComboPopup(wxComboBox& combo)
{
    // The arrow is the right end of the combo box.
    const wxRect rect = combo.GetScreenRect();
    clickAt(wxPoint(rect.GetRight() - 6, rect.y + rect.height / 2));
    settleUntil([this] { return (menu_ = openMenu()) != nullptr; });
}

ComboPopup::~ComboPopup()
{
    if (!isOpen())
        return;
    wxUIActionSimulator keyboard;
    keyboard.Char(WXK_ESCAPE);
    settleUntil([this] { return !isOpen(); });
}

bool ComboPopup::isOpen() const { return menu_ && openMenu() == menu_; }

int ComboPopup::entryCount() const { return isOpen() ? int(entriesOf(static_cast<GtkWidget*>(menu_)).size()) : 0; }

bool ComboPopup::entryShownInFull(int i) const
{
    GtkWidget* text = gtk_bin_get_child(GTK_BIN(entriesOf(static_cast<GtkWidget*>(menu_)).at(std::size_t(i))));
    int minimum = 0, natural = 0;
    gtk_widget_get_preferred_width(text, &minimum, &natural);
    GtkAllocation allocation{};
    gtk_widget_get_allocation(text, &allocation);
    return allocation.width >= natural;
}

void ComboPopup::choose(int i)
{
    clickCentreOf(entriesOf(static_cast<GtkWidget*>(menu_)).at(std::size_t(i)));
    settleUntil([this] { return !isOpen(); });
}

void chooseMenuItem(wxMenu& menu, int id)
{
    clickCentreOf(menu.m_owner);
    settleUntil([&] { return openMenu() == menu.m_menu; });
    clickCentreOf(menu.FindItem(id)->GetMenuItem());
    settleUntil([] { return openMenu() == nullptr; });
}
