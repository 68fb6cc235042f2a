#include "velorin/dialogs/gtk/GtkBanner.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cmath>

namespace Velorin {

namespace {

struct Palette {
    double top[3];
    double bottom[3];
    double streak[3];
};

const Palette palettes[] = {
    {{0.05, 0.04, 0.16}, {0.30, 0.10, 0.42}, {0.55, 0.70, 1.00}},
    {{0.12, 0.03, 0.04}, {0.45, 0.08, 0.10}, {1.00, 0.65, 0.45}},
};

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
    const Palette& p = palettes[accent == AccentError ? 1 : 0];
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);

    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, width, height);
    cairo_pattern_add_color_stop_rgb(gradient, 0, p.top[0], p.top[1], p.top[2]);
    cairo_pattern_add_color_stop_rgb(gradient, 1, p.bottom[0], p.bottom[1], p.bottom[2]);
    cairo_set_source(cr, gradient);
    cairo_paint(cr);
    cairo_pattern_destroy(gradient);

    // A few diagonal light streaks, fading towards the right, like the show's glow.
    for (int i = 0; i < 5; ++i) {
        double x = width * (0.35 + 0.13 * i);
        cairo_pattern_t* streak = cairo_pattern_create_linear(x, 0, x + 40, height);
        cairo_pattern_add_color_stop_rgba(streak, 0, p.streak[0], p.streak[1], p.streak[2], 0.0);
        cairo_pattern_add_color_stop_rgba(streak, 0.5, p.streak[0], p.streak[1], p.streak[2],
                                          0.10 + 0.04 * std::sin(i * 1.7));
        cairo_pattern_add_color_stop_rgba(streak, 1, p.streak[0], p.streak[1], p.streak[2], 0.0);
        cairo_set_source(cr, streak);
        cairo_move_to(cr, x, 0);
        cairo_line_to(cr, x + 14 + 6 * i, 0);
        cairo_line_to(cr, x + 54 + 6 * i, height);
        cairo_line_to(cr, x + 40, height);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_pattern_destroy(streak);
    }

    DrawText(cr, title, "DejaVu Sans Bold 26", 18, height * 0.16, 0.95);
    if (subtitle && *subtitle)
        DrawText(cr, subtitle, "DejaVu Sans 10", 21, height * 0.62, 0.8);

    cairo_destroy(cr);
    cairo_surface_flush(surface);
    return surface;
}

} // namespace Velorin
