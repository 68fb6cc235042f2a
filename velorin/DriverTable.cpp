#include "velorin/DriverTable.h"

namespace Velorin {

namespace {

// Direct3D 9 exists only in the Windows build; it keeps its historic place before OpenGL.
const DriverEntry drivers[] = {
#ifdef _WIN32
    {DriverTable::DriverDirect3D9, "Direct3D 9.0c"},
#endif
    {DriverTable::DriverOpenGL, "OpenGL 2.0"},
};

} // namespace

int DriverTable::Count() { return static_cast<int>(sizeof(drivers) / sizeof(drivers[0])); }

const DriverEntry& DriverTable::GetDriver(int row) {
    if (row < 0 || row >= Count())
        row = 0;
    return drivers[row];
}

int DriverTable::RowOf(int value) {
    for (int row = 0; row < Count(); ++row)
        if (drivers[row].value == value)
            return row;
    return -1;
}

} // namespace Velorin
