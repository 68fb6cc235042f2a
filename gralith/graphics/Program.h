#pragma once

#include "gralith/Object.h"

#include <cstdint>

namespace Gralith::Graphics {

class Parameter;

/// A vertex and a pixel shader linked together, fed through named parameters.
class Program : public Object {
public:
    ~Program() override = default;
    /// Number of uniforms found in the shaders at link time.
    virtual int GetParameterCount() = 0;
    /// The parameter of that name; never null: an unknown name yields an invalid parameter,
    /// cached like any other so repeated calls answer the same object. Owned by the program.
    virtual Parameter* GetParameter(const char* name) = 0;
    /// Entry index (0 <= index < GetParameterCount()) of the link-time list.
    virtual Parameter* GetParameter(int index) = 0;

    /// A number no other program of the process ever gets. Devices remember the program they
    /// bound by it rather than by address, so a new program allocated where a released one lived
    /// is still bound (and programs stay owned by whoever created them).
    std::uint64_t GetSerial() const { return serial; }

private:
    static inline std::uint64_t nextSerial = 0;
    std::uint64_t serial = ++nextSerial;
};

} // namespace Gralith::Graphics
