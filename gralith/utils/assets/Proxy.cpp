#include "gralith/utils/assets/Proxy.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Device.h"
#include "gralith/sound/Device.h"
#include "gralith/utils/Messages.h"
#include "gralith/utils/State.h"
#include "gralith/utils/assets/loaders/Loader.h"
#include "gralith/utils/assets/loaders/LoaderRegistry.h"

namespace Gralith::Utils::Assets {

namespace {

// Pops what one request pushed on the prefix and flag stacks (and its cycle mark) however the
// request ends, so a failed nested request leaves the outer one's stacks as they were.
class StackGuard {
public:
    StackGuard(Array<String>& prefixes, Array<Proxy::Flag>& flags, Array<Proxy::AssetRecord*>& loading)
        : prefixes(prefixes), flags(flags), loading(loading), prefixDepth(prefixes.Count()), flagDepth(flags.Count()),
          loadingDepth(loading.Count()) {}
    StackGuard(const StackGuard&) = delete;
    StackGuard& operator=(const StackGuard&) = delete;
    ~StackGuard() {
        while (prefixes.Count() > prefixDepth)
            prefixes.Pop();
        while (flags.Count() > flagDepth)
            flags.Pop();
        while (loading.Count() > loadingDepth)
            loading.Pop();
    }

private:
    Array<String>& prefixes;
    Array<Proxy::Flag>& flags;
    Array<Proxy::AssetRecord*>& loading;
    int prefixDepth;
    int flagDepth;
    int loadingDepth;
};

// Splits a descriptor into its filename and pushes the parts of its brace group: "$name=value"
// parts as flags, other non-empty parts as directory prefixes ending in "/".
String ParseDescriptor(const String& descriptor, Array<String>& prefixes, Array<Proxy::Flag>& flags) {
    int open = descriptor.IndexOf('{');
    int close = open < 0 ? -1 : descriptor.IndexOf('}', open + 1);
    if (close < 0)
        return descriptor;

    Array<String> parts;
    descriptor.SubString(open + 1, close - open - 1).Split(';', parts);
    for (const String& part : parts) {
        if (part.Length() == 0)
            continue;
        if (part[0] == '$') {
            String text = part.SubString(1, part.Length() - 1);
            int equals = text.IndexOf('=');
            Proxy::Flag flag;
            if (equals < 0) {
                flag.name = text;
            } else {
                flag.name = text.SubString(0, equals);
                flag.value = text.SubString(equals + 1, text.Length() - equals - 1);
            }
            flags.Add(flag);
        } else if (part[part.Length() - 1] == '/') {
            prefixes.Add(part);
        } else {
            prefixes.Add(part + "/");
        }
    }
    return descriptor.SubString(0, open);
}

} // namespace

Proxy::Proxy(FileSystem* fileSystem, Graphics::Device* device, Sound::Device* soundDevice, State* state)
    : fileSystem(fileSystem), device(device), state(state), soundDevice(soundDevice) {
    if (fileSystem)
        fileSystem->AddRef();
    if (device)
        device->AddRef();
    if (state)
        state->AddRef();
    if (soundDevice)
        soundDevice->AddRef();
    Loaders::RegisterLoaders(this);
}

Proxy::~Proxy() {
    for (Loaders::Loader* loader : loaders)
        loader->Release();
    for (AssetRecord* record : records) {
        if (record->asset)
            record->asset->Release();
        delete record;
    }
    if (fileSystem)
        fileSystem->Release();
    // The state object still refers to the device: it goes first.
    if (state)
        state->Release();
    if (device)
        device->Release();
    if (soundDevice)
        soundDevice->Release();
}

void Proxy::AddLoader(Loaders::Loader* loader) { loaders.Add(loader); }

Asset* Proxy::Get(int type, String descriptor, void* owner) { return Request(type, nullptr, descriptor, owner); }

Asset* Proxy::Load(int type, InputStream* stream, String descriptor, void* owner) {
    return Request(type, stream, descriptor, owner);
}

Asset* Proxy::Request(int type, InputStream* stream, const String& descriptor, void* owner) {
    AssetRecord*& indexed = recordIndex[std::to_string(type) + ':' + descriptor.CStr()];
    if (!indexed) {
        indexed = new AssetRecord;
        indexed->name = descriptor;
        indexed->type = type;
        // The array's own steps of ten would copy it once per ten records.
        records.AddGrowing(indexed);
    }
    AssetRecord* record = indexed;
    if (record->owners.IndexOf(owner) < 0)
        record->owners.Add(owner);
    if (record->asset)
        return record->asset;

    // A loader that (indirectly) asks for the asset it is loading would recurse without end.
    if (loading.IndexOf(record) >= 0)
        throw Exception((String(LoadFailed) + descriptor + "\n" + Messages::AssetRequestsItself + "\n").CStr());

    Asset* asset = nullptr;
    String errors;
    {
        StackGuard guard(prefixes, flags, loading);
        loading.Add(record);
        String filename = ParseDescriptor(descriptor, prefixes, flags);

        for (int l = 0; l < loaders.Count() && !asset; ++l) {
            Loaders::Loader* loader = loaders[l];
            if (!loader->CanLoad(type))
                continue;
            // Every prefix in push order (outer requests' first), then the bare filename. The
            // stack is re-read each time: nested requests restore it before returning.
            for (int c = 0; c <= prefixes.Count() && !asset; ++c) {
                String path = c < prefixes.Count() ? prefixes[c] + filename : filename;
                try {
                    asset = stream ? loader->Load(type, stream, path, this) : loader->Load(type, path, this);
                    if (!asset)
                        errors += loader->GetName() + ": " + LoaderBehavedIncorrectly + "\n";
                } catch (const Exception& e) {
                    errors += loader->GetName() + ": " + e.GetMessage() + "\n";
                }
            }
        }
    }

    if (!asset)
        throw Exception((String(LoadFailed) + descriptor + "\n" + errors).CStr());
    asset->SetName(descriptor);
    record->asset = asset;
    return asset;
}

} // namespace Gralith::Utils::Assets
