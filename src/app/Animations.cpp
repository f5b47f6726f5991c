#include "app/Animations.h"

#include <gtk/gtk.h>

void switchOffAnimations()
{
    if (GtkSettings* settings = gtk_settings_get_default())
        g_object_set(settings, "gtk-enable-animations", FALSE, nullptr);
}
