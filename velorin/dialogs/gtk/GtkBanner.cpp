#include "velorin/dialogs/gtk/GtkBanner.h"

#include "velorin/dialogs/BannerPixels.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace Velorin {

namespace {

void DrawText(cairo_t* cr, const char* text, const char* font, double x, double y, double alpha) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* description = pango_font_description_from_string(font);
    pango_layout_set_font_description(layout, description);
    pango_layout_set_text(layout, text, -1);
    cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, alpha);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout);
    pango_font_description_free(description);
    g_object_unref(layout);
}

} // namespace

_cairo_surface* GtkBanner::Draw(int width, int height, const char* title, const char* subtitle, Accent accent) {
    // The gradient and light streaks come from the portable painter, so every toolkit's banner
    // has the same background; only the text is drawn here.
    std::vector<uint32_t> pixels(size_t(width) * height);
    BannerPixels::Paint(pixels.data(), width, height,
                        accent == AccentError ? BannerPixels::AccentError : BannerPixels::AccentInvitation);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    // Opaque pixels are the same premultiplied or not; cairo's ARGB32 is 0xAARRGGBB words.
    for (int y = 0; y < height; ++y)
        std::memcpy(data + size_t(y) * stride, &pixels[size_t(y) * width], size_t(width) * 4);
    cairo_surface_mark_dirty(surface);
    cairo_t* cr = cairo_create(surface);

    DrawText(cr, title, "DejaVu Sans Bold 26", 18, height * 0.16, 0.95);
    if (subtitle && *subtitle)
        DrawText(cr, subtitle, "DejaVu Sans 10", 21, height * 0.62, 0.8);

    cairo_destroy(cr);
    cairo_surface_flush(surface);
    return surface;
}

} // namespace Velorin
