#include "velorin/preview/Reload.h"

#include "gralith/Exception.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/assets/Proxy.h"
#include "velorin/Globals.h"
#include "velorin/Presentation.h"
#include "velorin/Timeline.h"

namespace Velorin::Preview {

std::string ReloadShow(const char* dataDirectory) {
    TimelineContents previous = DetachTimeline();
    Gralith::Utils::Assets::Proxy* previousProxy = AssetProxy;

    auto* directory = new Gralith::Utils::Directory(dataDirectory);
    AssetProxy = new Gralith::Utils::Assets::Proxy(directory, GraphicsDevice, SoundDevice, RenderState);
    directory->Release(); // the proxy holds it
    Framebuffers.Add(BackbufferFramebuffer);
    try {
        LoadShowScript();
    } catch (const Gralith::Exception& e) {
        ResetTimeline();
        AssetProxy->Release();
        AssetProxy = previousProxy;
        AttachTimeline(previous);
        return e.GetMessage();
    }
    // The effects hold no references to their assets: they go before the cache that keeps them.
    DeleteTimeline(previous);
    previousProxy->Release();
    return std::string();
}

} // namespace Velorin::Preview
