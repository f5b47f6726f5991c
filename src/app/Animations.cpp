#include "app/Animations.h"

// GTK is reached through the two C functions below; wx already loads the
// library, so no GTK headers are needed to build.
extern "C" {
struct _GtkSettings;
_GtkSettings* gtk_settings_get_default();
void g_object_set(void* object, const char* firstProperty, ...);
}

void switchOffAnimations()
{
    if (_GtkSettings* settings = gtk_settings_get_default())
        g_object_set(settings, "gtk-enable-animations", 0, nullptr);
}
