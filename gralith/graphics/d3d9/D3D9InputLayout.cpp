#include "gralith/graphics/d3d9/D3D9InputLayout.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/StateValidation.h"
#include "gralith/graphics/d3d9/D3D9Device.h"
#include "gralith/graphics/d3d9/D3D9Mappings.h"
#include "gralith/graphics/d3d9/D3D9SemanticMap.h"

namespace Gralith::Graphics {

D3D9InputLayout::D3D9InputLayout(D3D9Device* device, const InputElementDesc* elements, int count,
                                 const D3D9SemanticMap* map)
    : device(device) {
    std::vector<D3DVERTEXELEMENT9> declared;
    // The backend's own type refusals come first; the shared checks cover the rest.
    if (elements && count > 0 && count <= SlotLimit)
        for (int i = 0; i < count; ++i)
            D3D9DeclarationType(elements[i].Type, elements[i].ComponentCount, (elements[i].Normalized & 0xFF) != 0);
    ValidateInputElements(elements, count);
    for (int i = 0; i < count; ++i) {
        const InputElementDesc& e = elements[i];
        const D3D9SemanticMap::Entry* entry = map ? &map->GetEntry(e.Semantic) : nullptr;
        if (!entry || entry->usage < 0)
            continue;
        D3DVERTEXELEMENT9 element = {};
        element.Stream = static_cast<WORD>(e.Stream);
        element.Offset = static_cast<WORD>(e.Offset);
        element.Type = static_cast<BYTE>(D3D9DeclarationType(e.Type, e.ComponentCount, (e.Normalized & 0xFF) != 0));
        element.Method = D3DDECLMETHOD_DEFAULT;
        element.Usage = static_cast<BYTE>(entry->usage);
        element.UsageIndex = static_cast<BYTE>(entry->index);
        declared.push_back(element);
    }
    declared.push_back(D3DVERTEXELEMENT9 D3DDECL_END());
    if (FAILED(device->Get()->CreateVertexDeclaration(declared.data(), &declaration)) || !declaration)
        throw Exception(Messages::D3D9InputLayoutCreation, ErrorGeneral);
    this->elements.assign(elements, elements + count);
}

D3D9InputLayout::~D3D9InputLayout() { declaration->Release(); }

int D3D9InputLayout::GetElements(int maxCount, InputElementDesc* out) const {
    int n = static_cast<int>(elements.size());
    if (maxCount < n)
        n = maxCount < 0 ? 0 : maxCount;
    for (int i = 0; i < n; ++i)
        out[i] = elements[i];
    return n;
}

} // namespace Gralith::Graphics
