#include "host/wx_backend/group_box.h"

#include <algorithm>

#include <gtk/gtk.h>
#include <wx/statbox.h>

void InsetGroupCaption(wxStaticBox& box) {
    auto* frame = GTK_FRAME(box.GetHandle());
    GtkWidget* label = frame ? gtk_frame_get_label_widget(frame) : nullptr;
    if (!label) return;
    // The frame places its caption by a fraction of the room beside it: the fraction that leaves
    // one average character before the caption.
    int captionWidth = 0;
    gtk_widget_get_preferred_width(label, nullptr, &captionWidth);
    const int room = box.GetSize().x - captionWidth;
    const float along = room > 0 ? std::min(1.0f, static_cast<float>(box.GetCharWidth()) / room) : 0.0f;
    float oldAlong = 0, across = 0;
    gtk_frame_get_label_align(frame, &oldAlong, &across);
    if (oldAlong != along) gtk_frame_set_label_align(frame, along, across);
}
