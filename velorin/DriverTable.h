#pragma once

namespace Velorin {

/// One graphics driver the configuration dialog can offer: the GraphicsDriver value it stands
/// for and the row text the viewer sees.
struct DriverEntry {
    int value;
    const char* text;
};

/// The graphics drivers this build contains, in the order the dialog lists them. Offering a
/// driver whose backend was not compiled in would only end the show with an error after the
/// viewer chose it, so the list is fixed at build time.
class DriverTable {
public:
    /// Every driver value known to the presentation, compiled in or not.
    static constexpr int DriverDirect3D9 = 0;
    static constexpr int DriverOpenGL = 1;

    static int Count();
    /// Row 0 .. Count() - 1 of the list.
    static const DriverEntry& GetDriver(int row);
    /// The row offering the driver value, or -1 when this build lacks it.
    static int RowOf(int value);
};

} // namespace Velorin
