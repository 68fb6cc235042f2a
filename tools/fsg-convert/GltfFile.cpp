#include "GltfFile.h"

#include "Json.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace FsgConvert {

namespace {

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error(what); }

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        Fail("cannot open " + path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::uint32_t Le32(const std::string& s, size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(s[at + static_cast<size_t>(i)]);
    return v;
}

std::string Base64(const std::string& text) {
    std::string out;
    unsigned bits = 0;
    int count = 0;
    for (char c : text) {
        int v;
        if (c >= 'A' && c <= 'Z')
            v = c - 'A';
        else if (c >= 'a' && c <= 'z')
            v = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            v = c - '0' + 52;
        else if (c == '+')
            v = 62;
        else if (c == '/')
            v = 63;
        else if (c == '=')
            break;
        else
            Fail("bad base64 data in a buffer");
        bits = bits << 6 | static_cast<unsigned>(v);
        if ((count += 6) >= 8) {
            count -= 8;
            out += static_cast<char>(bits >> count & 0xFF);
        }
    }
    return out;
}

// Relative URIs may escape characters as %XX.
std::string UriPath(const std::string& uri) {
    std::string out;
    for (size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size()) {
            out += static_cast<char>(std::stoi(uri.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += uri[i];
        }
    }
    return out;
}

const JsonValue& Item(const JsonValue* array, int index, const char* what) {
    if (!array || array->kind != JsonValue::Array || index < 0 || static_cast<size_t>(index) >= array->items.size())
        Fail(std::string("no ") + what + " " + std::to_string(index));
    return array->items[static_cast<size_t>(index)];
}

class Reader {
public:
    Reader(const JsonValue& root, std::vector<std::string> buffers) : root(root), buffers(std::move(buffers)) {}

    // The accessor's elements as floats, components per element checked; normalised integer
    // components are mapped to -1...1 or 0...1 as glTF defines.
    std::vector<float> Floats(int index, int components) const {
        const JsonValue& accessor = Item(root.Find("accessors"), index, "accessor");
        if (accessor.Find("sparse"))
            Fail("sparse accessor " + std::to_string(index) + " is not supported");
        static const char* const types[] = {"", "SCALAR", "VEC2", "VEC3", "VEC4"};
        if (accessor.TextOr("type", "") != types[components])
            Fail("accessor " + std::to_string(index) + " is not " + types[components]);
        const int type = accessor.IndexOr("componentType", 0);
        const bool normalised = accessor.Find("normalized") && accessor.Find("normalized")->boolean;
        int size = 0;
        switch (type) {
        case 5126: size = 4; break;
        case 5120:
        case 5121: size = 1; break;
        case 5122:
        case 5123: size = 2; break;
        default: Fail("accessor " + std::to_string(index) + " has an unsupported component type");
        }
        if (type != 5126 && !normalised)
            Fail("accessor " + std::to_string(index) + " holds integers that are not normalised");
        const int count = accessor.IndexOr("count", 0);
        const JsonValue& view = Item(root.Find("bufferViews"), accessor.IndexOr("bufferView", -1), "buffer view");
        const int buffer = view.IndexOr("buffer", -1);
        if (buffer < 0 || static_cast<size_t>(buffer) >= buffers.size())
            Fail("no buffer " + std::to_string(buffer));
        const std::string& bytes = buffers[static_cast<size_t>(buffer)];
        const std::uint64_t element = static_cast<std::uint64_t>(size) * components;
        const std::uint64_t stride = view.IndexOr("byteStride", 0) ? view.IndexOr("byteStride", 0) : element;
        const std::uint64_t viewStart = view.IndexOr("byteOffset", 0);
        const std::uint64_t viewLength = view.IndexOr("byteLength", 0);
        const std::uint64_t start = viewStart + accessor.IndexOr("byteOffset", 0);
        if (viewStart + viewLength > bytes.size() ||
            (count > 0 && start + stride * (static_cast<std::uint64_t>(count) - 1) + element > viewStart + viewLength))
            Fail("accessor " + std::to_string(index) + " reaches past its buffer");
        std::vector<float> out;
        out.reserve(static_cast<size_t>(count) * components);
        for (int i = 0; i < count; ++i)
            for (int c = 0; c < components; ++c) {
                const char* p = bytes.data() + start + stride * static_cast<std::uint64_t>(i) + size * c;
                float v = 0.0f;
                switch (type) {
                case 5126: std::memcpy(&v, p, 4); break;
                case 5120: v = std::max(-1.0f, static_cast<signed char>(*p) / 127.0f); break;
                case 5121: v = static_cast<unsigned char>(*p) / 255.0f; break;
                case 5122: {
                    std::int16_t s;
                    std::memcpy(&s, p, 2);
                    v = std::max(-1.0f, s / 32767.0f);
                    break;
                }
                case 5123: {
                    std::uint16_t s;
                    std::memcpy(&s, p, 2);
                    v = s / 65535.0f;
                    break;
                }
                }
                if (!std::isfinite(v))
                    Fail("accessor " + std::to_string(index) + " holds a value that is not a number");
                out.push_back(v);
            }
        return out;
    }

    Track ReadTrack(const JsonValue& sampler, int width, const std::string& where) const {
        Track track;
        track.width = width;
        const std::string interpolation = sampler.TextOr("interpolation", "LINEAR");
        if (interpolation == "STEP")
            track.kind = Track::Step;
        else if (interpolation == "CUBICSPLINE")
            track.kind = Track::Cubic;
        else if (interpolation != "LINEAR")
            Fail(where + ": unknown interpolation " + interpolation);
        track.times = Floats(sampler.IndexOr("input", -1), 1);
        track.values = Floats(sampler.IndexOr("output", -1), width);
        const size_t perKey = static_cast<size_t>(width) * (track.kind == Track::Cubic ? 3 : 1);
        if (track.values.size() != track.times.size() * perKey)
            Fail(where + ": " + std::to_string(track.times.size()) + " times but " +
                 std::to_string(track.values.size() / static_cast<size_t>(width)) + " values");
        for (size_t i = 1; i < track.times.size(); ++i)
            if (!(track.times[i] > track.times[i - 1]))
                Fail(where + ": key times do not increase");
        return track;
    }

private:
    const JsonValue& root;
    std::vector<std::string> buffers;
};

} // namespace

bool GltfFile::Names(const std::string& path) {
    std::string lower;
    for (char c : path)
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    auto ends = [&lower](const std::string& tail) {
        return lower.size() >= tail.size() && lower.compare(lower.size() - tail.size(), tail.size(), tail) == 0;
    };
    return ends(".gltf") || ends(".glb");
}

GltfFile::GltfFile(const std::string& path) {
    const std::string file = ReadWhole(path);
    std::string json, binary;
    bool glb = false;
    if (file.size() >= 12 && file.compare(0, 4, "glTF") == 0) {
        glb = true;
        size_t at = 12;
        const size_t end = std::min<size_t>(file.size(), Le32(file, 8));
        while (at + 8 <= end) {
            const std::uint32_t length = Le32(file, at), type = Le32(file, at + 4);
            if (length > end - at - 8)
                Fail("a chunk reaches past the end of the file");
            if (type == 0x4E4F534A && json.empty())
                json = file.substr(at + 8, length);
            else if (type == 0x004E4942 && binary.empty())
                binary = file.substr(at + 8, length);
            at += 8 + length;
        }
    } else {
        json = file;
    }
    const JsonValue root = ParseJson(json);
    const std::string folder = path.find('/') == std::string::npos ? "" : path.substr(0, path.rfind('/') + 1);

    std::vector<std::string> buffers;
    if (const JsonValue* list = root.Find("buffers"))
        for (const JsonValue& buffer : list->items) {
            const std::string uri = buffer.TextOr("uri", "");
            std::string bytes;
            if (uri.empty() && glb && buffers.empty())
                bytes = binary;
            else if (uri.compare(0, 5, "data:") == 0 && uri.find(";base64,") != std::string::npos)
                bytes = Base64(uri.substr(uri.find(";base64,") + 8));
            else if (!uri.empty() && uri.find(':') == std::string::npos)
                bytes = ReadWhole(folder + UriPath(uri));
            else
                Fail("buffer " + std::to_string(buffers.size()) + " has no data this tool can read");
            buffers.push_back(std::move(bytes));
        }
    const Reader reader(root, buffers);

    if (const JsonValue* list = root.Find("nodes"))
        for (const JsonValue& n : list->items) {
            Node node;
            node.name = n.TextOr("name", "");
            node.camera = n.IndexOr("camera", -1);
            if (const JsonValue* children = n.Find("children"))
                for (const JsonValue& child : children->items) {
                    if (child.kind != JsonValue::Number || child.number < 0)
                        Fail("a node's child is not an index");
                    node.children.push_back(static_cast<int>(child.number));
                }
            nodes.push_back(std::move(node));
        }
    const JsonValue* scenes = root.Find("scenes");
    const int sceneIndex = root.IndexOr("scene", 0);
    if (scenes && static_cast<size_t>(sceneIndex) < scenes->items.size())
        if (const JsonValue* list = scenes->items[static_cast<size_t>(sceneIndex)].Find("nodes"))
            for (const JsonValue& n : list->items)
                roots.push_back(static_cast<int>(n.number));

    if (const JsonValue* list = root.Find("skins"))
        for (size_t i = 0; i < list->items.size(); ++i)
            if (!list->items[i].Find("inverseBindMatrices") && importerTrap.empty())
                importerTrap =
                    "skin " + std::to_string(i) + " has no inverse bind matrices, which the importer cannot read";

    if (const JsonValue* list = root.Find("cameras"))
        for (const JsonValue& camera : list->items) {
            const JsonValue* perspective = camera.Find("perspective");
            cameraYFov.push_back(perspective ? perspective->NumberOr("yfov", 0.0) : 0.0);
        }

    if (const JsonValue* list = root.Find("animations"))
        for (const JsonValue& a : list->items) {
            Animation animation;
            animation.name = a.TextOr("name", "");
            const std::string where = "animation " + std::to_string(animations.size());
            if (const JsonValue* channels = a.Find("channels"))
                for (const JsonValue& c : channels->items) {
                    const JsonValue* target = c.Find("target");
                    if (!target)
                        Fail(where + ": a channel without target");
                    Channel channel;
                    channel.node = target->IndexOr("node", -1);
                    channel.path = target->TextOr("path", "");
                    const int width = channel.path == "rotation" ? 4 : 3;
                    if (channel.path == "translation" || channel.path == "rotation" || channel.path == "scale")
                        channel.track = reader.ReadTrack(Item(a.Find("samplers"), c.IndexOr("sampler", -1), "sampler"),
                                                         width, where);
                    animation.channels.push_back(std::move(channel));
                }
            animations.push_back(std::move(animation));
        }
}

} // namespace FsgConvert
