#include "velorin/Script.h"

#include "gralith/Exception.h"
#include "gralith/utils/scenegraph/Animation.h"
#include "gralith/utils/scenegraph/LinearController.h"
#include "gralith/utils/scenegraph/SwitchController.h"
#include "gralith/utils/xml/Element.h"
#include "velorin/Block.h"
#include "velorin/ClearScreen.h"
#include "velorin/Controller.h"
#include "velorin/Effect.h"
#include "velorin/Framebuffer.h"
#include "velorin/Globals.h"
#include "velorin/Influence.h"
#include "velorin/Messages.h"
#include "velorin/ResourceHandle.h"
#include "velorin/Timeline.h"
#include "velorin/effects/Test01.h"

#include <memory>
#include <utility>
#include <vector>

namespace Velorin {

using Gralith::Exception;
using Gralith::Utils::String;
using Gralith::Utils::SceneGraph::Animation;
using Gralith::Utils::SceneGraph::KeyframedController;
using Gralith::Utils::SceneGraph::LinearController;
using Gralith::Utils::SceneGraph::LinearKeyframe;
using Gralith::Utils::SceneGraph::SwitchController;
using Gralith::Utils::Xml::Element;
using Channel = KeyframedController<LinearKeyframe>;

namespace {

// The effect classes a script can name, by their case-sensitive tag.
struct EffectClass {
    const char* tag;
    Effect* (*create)();
};

const EffectClass effectClasses[] = {
    {"ClearScreen", [] { return static_cast<Effect*>(new ClearScreen); }},
    {"test01", [] { return static_cast<Effect*>(new Test01); }},
};

std::vector<std::pair<String, Effect* (*)()>>& RegisteredClasses() {
    static std::vector<std::pair<String, Effect* (*)()>> classes;
    return classes;
}

[[noreturn]] void Fail(const String& message) { throw Exception(message.CStr()); }

void AddInfluence(Element* parameter, Effect* effect, int channels, Gralith::Utils::Vector4t<float>* vector,
                  float* real, int* integer) {
    Influence* influence = new Influence;
    influence->effect = effect;
    influence->vectorTarget = vector;
    influence->floatTarget = real;
    influence->intTarget = integer;
    try {
        influence->controller = ParseController(parameter, channels);
    } catch (...) {
        delete influence;
        throw;
    }
    Influences.Add(influence);
}

void ReadVector(Element* p, Effect* effect, Gralith::Utils::Vector4t<float>* target) {
    const char* const rgba[] = {"r", "g", "b", "a"};
    const char* const xyzw[] = {"x", "y", "z", "w"};
    const char* const* names = p->HasAttribute("r") ? rgba : p->HasAttribute("x") ? xyzw : nullptr;
    if (!names) {
        AddInfluence(p, effect, 4, target, nullptr, nullptr);
        return;
    }
    // All four are read before the field changes, so a failing one leaves it untouched.
    Gralith::Utils::Vector4t<float> value(p->GetAttribute(names[0]).ToFloat(), p->GetAttribute(names[1]).ToFloat(),
                                          p->GetAttribute(names[2]).ToFloat(), p->GetAttribute(names[3]).ToFloat());
    *target = value;
}

void ReadInteger(Element* p, Effect* effect, int* target) {
    if (p->HasAttribute("value"))
        *target = p->GetAttribute("value").ToInt();
    else
        AddInfluence(p, effect, 1, nullptr, nullptr, target);
}

void ReadFloat(Element* p, Effect* effect, float* target) {
    if (p->HasAttribute("value"))
        *target = p->GetAttribute("value").ToFloat();
    else
        AddInfluence(p, effect, 1, nullptr, target, nullptr);
}

} // namespace

void RegisterEffectClass(const String& tag, Effect* (*create)()) {
    for (auto& entry : RegisteredClasses()) {
        if (entry.first == tag) {
            entry.second = create;
            return;
        }
    }
    RegisteredClasses().emplace_back(tag, create);
}

void LoadScript(const String& descriptor) {
    ResourceHandle<Element> document(descriptor);
    Element* root = document.Get();
    for (Element* child = root->GetFirstChildElement(); child; child = child->GetNextSiblingElement()) {
        String tag = child->GetName();
        if (tag == "Effect")
            ParseEffect(child);
        else if (tag == "Stage")
            ParseStage(child);
    }
}

void ParseEffect(Element* element) {
    String name = element->GetAttribute("Name");
    Effect* effect = nullptr;
    try {
        Element* instance = element->GetFirstChildElement();
        effect = CreateEffect(instance);
        for (Element* p = instance->GetFirstChildElement(); p; p = p->GetNextSiblingElement()) {
            String tag = p->GetName();
            int index;
            if ((index = effect->GetVectorParameters().IndexOf(tag)) >= 0)
                ReadVector(p, effect, effect->GetVectorParameters().GetValue(index));
            else if ((index = effect->GetIntParameters().IndexOf(tag)) >= 0)
                ReadInteger(p, effect, effect->GetIntParameters().GetValue(index));
            else if ((index = effect->GetFloatParameters().IndexOf(tag)) >= 0)
                ReadFloat(p, effect, effect->GetFloatParameters().GetValue(index));
            else
                Fail(String(Messages::InvalidParameterBegin) + name + Messages::InvalidParameterMiddle + tag +
                     Messages::QuoteEnd);
        }
        effect->SetName(name);
        effect->Load();
        Effects.Add(effect);
    } catch (const Exception& cause) {
        if (effect)
            FailedEffects.Add(effect);
        Fail(String(Messages::FailedToLoadEffectBegin) + name + Messages::FailedToLoadEffectMiddle +
             cause.GetMessage());
    }
}

Effect* CreateEffect(Element* instance) {
    if (!instance)
        Fail(Messages::NoInstanceElement);
    String tag = instance->GetName();
    for (const EffectClass& c : effectClasses)
        if (tag == c.tag)
            return c.create();
    for (const auto& entry : RegisteredClasses())
        if (tag == entry.first)
            return entry.second();
    Fail(String(Messages::InvalidEffectClass) + tag);
}

Controller* ParseController(Element* parameter, int channelCount) {
    Element* element = parameter->GetFirstChildElement();
    if (!element)
        Fail(Messages::ExpectedValuesOrController);
    String type = element->GetName();
    bool linear = type == "LinearKeys";
    if (!linear && type != "SwitchKeys")
        Fail(String(Messages::InvalidControllerTypeBegin) + type + Messages::QuoteEnd);

    auto* controller = new Controller;
    controller->type = type;
    controller->animation = new Animation(channelCount);
    std::vector<Channel*> channels(channelCount > 0 ? channelCount : 0);
    for (int i = 0; i < channelCount; ++i) {
        channels[i] = linear ? static_cast<Channel*>(new LinearController) : new SwitchController;
        controller->animation->SetController(i, channels[i]);
    }
    try {
        ParseKeys(element, channels.data(), channelCount);
    } catch (...) {
        controller->animation->Release();
        delete controller;
        throw;
    }
    return controller;
}

void ParseKeys(Element* controllerElement, Channel** channels, int channelCount) {
    // Channel i takes the first attribute present among its names.
    static const char* const names[4][3] = {
        {"Value", "x", "r"}, {"y", "g", nullptr}, {"z", "b", nullptr}, {"w", "a", nullptr}};
    // The register carries over, so a key naming one value sets every channel, and a key
    // naming none repeats the last. Before the first value it reads 0.
    float value = 0.0f;
    for (Element* key = controllerElement->GetFirstChildElement(); key; key = key->GetNextSiblingElement()) {
        if (key->GetName() != "Key")
            continue;
        LinearKeyframe frame;
        frame.time = key->GetAttribute("Time").ToFloat();
        for (int i = 0; i < channelCount; ++i) {
            if (i < 4) {
                for (const char* name : names[i]) {
                    if (name && key->HasAttribute(name)) {
                        value = key->GetAttribute(name).ToFloat();
                        break;
                    }
                }
            }
            frame.value = value;
            channels[i]->AddKey(frame);
        }
    }
}

void ParseStage(Element* element) {
    std::unique_ptr<Stage> stage(new Stage);
    for (Element* b = element->GetFirstChildElement(); b; b = b->GetNextSiblingElement())
        if (b->GetName() == "Block")
            stage->Add(ParseBlock(b));
    Stages.Add(stage.release());
}

Block ParseBlock(Element* element) {
    Block block;
    block.start = element->GetAttribute("Start").ToFloat();
    block.length = element->GetAttribute("Length").ToFloat();
    block.effect = FindEffect(element->GetAttribute("Effect"));
    if (element->HasAttribute("RenderTarget"))
        block.framebuffer = FindFramebuffer(element->GetAttribute("RenderTarget"));
    else
        block.framebuffer = BackbufferFramebuffer ? BackbufferFramebuffer : FindFramebuffer("Backbuffer");
    return block;
}

Effect* FindEffect(const String& name) {
    for (Effect* effect : Effects)
        if (effect->GetName() == name)
            return effect;
    Fail(String(Messages::NoSuchEffect) + name);
}

Framebuffer* FindFramebuffer(const String& name) {
    for (Framebuffer* framebuffer : Framebuffers)
        if (framebuffer->name == name)
            return framebuffer;
    Fail(String(Messages::NoSuchFramebuffer) + name);
}

} // namespace Velorin
