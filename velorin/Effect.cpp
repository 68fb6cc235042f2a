#include "velorin/Effect.h"

namespace Velorin {

namespace {

template <class V>
void Register(Gralith::Utils::Map<Gralith::Utils::String, V>& map, const Gralith::Utils::String& parameter, V field) {
    int index = map.IndexOf(parameter);
    if (index >= 0)
        map.GetValue(index) = field;
    else
        map.Add(parameter, field);
}

} // namespace

void Effect::RegisterParameter(const Gralith::Utils::String& parameter, Vector4* field) {
    Register(vectorParameters, parameter, field);
}

void Effect::RegisterParameter(const Gralith::Utils::String& parameter, float* field) {
    Register(floatParameters, parameter, field);
}

void Effect::RegisterParameter(const Gralith::Utils::String& parameter, int* field) {
    Register(intParameters, parameter, field);
}

} // namespace Velorin
