#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/InputLayout.h"

#include <vector>

struct IDirect3DVertexDeclaration9;

namespace Gralith::Graphics {

class D3D9Device;
class D3D9SemanticMap;

/// The elements of a layout and the vertex declaration made of them with the semantic map
/// current at creation; later map changes do not reach it.
class D3D9InputLayout : public InputLayout {
public:
    /// Each element becomes a declaration entry (stream, offset, declaration type, default
    /// method, the usage and index its slot has in map); elements of a slot the map leaves empty
    /// feed nothing and are left out. Throws the element messages of the backend, the shared
    /// element checks, or "Error creating input layout" (ErrorGeneral).
    D3D9InputLayout(D3D9Device* device, const InputElementDesc* elements, int count, const D3D9SemanticMap* map);
    ~D3D9InputLayout() override;

    int GetElements(int maxCount, InputElementDesc* out) const override;
    IDirect3DVertexDeclaration9* Get() const { return declaration; }

private:
    Ref<D3D9Device> device; ///< held: the device outlives what it made
    std::vector<InputElementDesc> elements;
    IDirect3DVertexDeclaration9* declaration = nullptr;
};

} // namespace Gralith::Graphics
