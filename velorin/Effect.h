#pragma once

#include "gralith/utils/Map.h"
#include "gralith/utils/String.h"
#include "gralith/utils/scenegraph/Vector4.h"

namespace Velorin {

/// One drawable element of the presentation. A concrete effect keeps each parameter in an
/// ordinary field and registers the field's address under the parameter's name in its
/// constructor; the script then writes the field once (a constant) or every frame (an animated
/// value), and the effect reads it whenever it likes.
class Effect {
public:
    using Vector4 = Gralith::Utils::Vector4t<float>;

    Effect() = default;
    // The parameter maps point into this object, so a copy would write to the original.
    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;
    virtual ~Effect() = default;

    /// Called once, after every parameter holds its script value and the name is set: the
    /// place to obtain assets and build device resources. May throw Exception.
    virtual void Load() {}
    /// Called once per frame on every effect, active or not, after the animated parameters
    /// were written and before anything is rendered.
    virtual void Update() {}
    /// Called once per active block naming this effect, with the block's framebuffer bound.
    virtual void Render() {}

    Gralith::Utils::Map<Gralith::Utils::String, Vector4*>& GetVectorParameters() { return vectorParameters; }
    Gralith::Utils::Map<Gralith::Utils::String, float*>& GetFloatParameters() { return floatParameters; }
    Gralith::Utils::Map<Gralith::Utils::String, int*>& GetIntParameters() { return intParameters; }

    /// The script's Name; empty until the script reader sets it.
    const Gralith::Utils::String& GetName() const { return name; }
    void SetName(const Gralith::Utils::String& value) { name = value; }

protected:
    /// Register a parameter field under a case-sensitive name. Registering a name again in the
    /// same map points it at the new field.
    void RegisterParameter(const Gralith::Utils::String& parameter, Vector4* field);
    void RegisterParameter(const Gralith::Utils::String& parameter, float* field);
    void RegisterParameter(const Gralith::Utils::String& parameter, int* field);

private:
    Gralith::Utils::Map<Gralith::Utils::String, Vector4*> vectorParameters;
    Gralith::Utils::Map<Gralith::Utils::String, float*> floatParameters;
    Gralith::Utils::Map<Gralith::Utils::String, int*> intParameters;
    Gralith::Utils::String name;
};

} // namespace Velorin
