#pragma once

#include "gralith/utils/String.h"
#include "gralith/utils/assets/Asset.h"

namespace Gralith::Utils::Assets {

/// The contents of a text file (asset type 3).
class TextAsset : public Asset {
public:
    explicit TextAsset(String text) : text(text) {}
    int GetType() const override { return AssetText; }
    const String& GetText() const { return text; }

private:
    String text;
};

} // namespace Gralith::Utils::Assets
