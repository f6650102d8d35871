#include "host/wx_backend/compact_theme.h"

#include <gtk/gtk.h>

namespace {

constexpr const char* kCompactStyle =
    "button { padding: 0px 4px; min-height: 0px; min-width: 0px; }\n"
    "entry { padding: 0px 3px; min-height: 0px; }\n"
    "combobox button, combobox entry { padding-top: 0px; padding-bottom: 0px; min-height: 0px; }\n"
    "checkbutton, radiobutton { padding: 0px; min-height: 0px; }\n"
    "textview, textview text { padding: 0px; }\n";

}  // namespace

void UseCompactControlStyle() {
    static bool installed = false;
    if (installed) return;
    GdkScreen* screen = gdk_screen_get_default();
    if (!screen) return;
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, kCompactStyle, -1, nullptr);
    gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
    installed = true;
}
