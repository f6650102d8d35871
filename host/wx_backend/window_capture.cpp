#include "host/wx_backend/window_capture.h"

#include <algorithm>

#include <cairo.h>
#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/utils.h>
#include <wx/window.h>

namespace {

/// Handles what is queued for the windows: the display's events, the program's pending events and
/// the idle handling, where list controls lay their rows out before they can paint them. The pauses
/// let the toolkit's frame clock run its layout.
void CatchUp() {
    if (!wxTheApp) return;
    for (int i = 0; i < 5; ++i) {
        wxTheApp->SafeYieldFor(nullptr, wxEVT_CATEGORY_ALL);
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
        wxMilliSleep(5);
    }
}

/// Waits (a little) until the toolkit has mapped the window and given it its size: a window shown
/// a moment ago has neither yet.
bool WaitUntilMapped(GtkWidget* widget) {
    for (int i = 0; i < 50; ++i) {
        CatchUp();
        GtkAllocation allocation;
        gtk_widget_get_allocation(widget, &allocation);
        if (gtk_widget_get_mapped(widget) && allocation.width > 1 && allocation.height > 1) return true;
    }
    return false;
}

}  // namespace

bool SaveWindowPng(wxWindow& window, const std::string& path) {
    GtkWidget* widget = static_cast<GtkWidget*>(window.GetHandle());
    if (!widget || !window.IsShown()) return false;
    if (!WaitUntilMapped(widget)) return false;
    // Controls enabled again a moment ago (when a modal dialog ends) fade back to their colours, and
    // on a virtual display the fade may not have run yet: pictures show the controls at rest.
    g_object_set(gtk_settings_get_default(), "gtk-enable-animations", FALSE, nullptr);
    window.Refresh();
    CatchUp();
    // Sizes still queued are given now: the toolkit draws only a window whose layout is done.
    if (GTK_IS_CONTAINER(widget)) gtk_container_check_resize(GTK_CONTAINER(widget));
    // Without a window manager (a virtual display) no window becomes the active one; it is drawn as
    // the active window is on a desktop, not in the dimmed colours of a window in the background.
    const GtkStateFlags state = gtk_widget_get_state_flags(widget);
    gtk_widget_unset_state_flags(widget, GTK_STATE_FLAG_BACKDROP);

    // The window draws itself into a picture of its own, so what covers it on the screen, or a part
    // not yet exposed there, does not show.
    // On a display scaled up (200 %), the picture has the display's pixels, not the window's units.
    GtkAllocation allocation;
    gtk_widget_get_allocation(widget, &allocation);
    const int scale = std::max(1, gtk_widget_get_scale_factor(widget));
    cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_RGB24, allocation.width * scale, allocation.height * scale);
    cairo_surface_set_device_scale(picture, scale, scale);
    cairo_t* context = cairo_create(picture);
    gtk_widget_draw(widget, context);
    cairo_destroy(context);
    cairo_surface_flush(picture);
    const bool saved = cairo_surface_status(picture) == CAIRO_STATUS_SUCCESS &&
                       cairo_surface_write_to_png(picture, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(picture);
    if (state & GTK_STATE_FLAG_BACKDROP) gtk_widget_set_state_flags(widget, GTK_STATE_FLAG_BACKDROP, FALSE);
    return saved;
}
