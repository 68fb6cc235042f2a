#pragma once

#include "gralith/utils/String.h"

namespace Gralith::Utils::Xml {
class Element;
}
namespace Gralith::Utils::SceneGraph {
template <class K>
class KeyframedController;
struct LinearKeyframe;
} // namespace Gralith::Utils::SceneGraph

namespace Velorin {

class Effect;
struct Block;
struct Controller;
struct Framebuffer;

/// The presentation script reader. It turns the XML document into effects (in Effects), their
/// animated parameters (in Influences) and the stages of the timeline (in Stages); see
/// docs/script-format.md for the format. Every error is an Exception and ends reading; what
/// was made before it stays in the lists. Errors inside an Effect element arrive wrapped as
/// "Failed to load effect '<Name>': <cause>".

/// Lets scripts name an effect class beyond the built-in ones ("ClearScreen"): CreateEffect
/// makes it with create when an instance element's tag equals tag. Registering a tag again
/// replaces its maker; built-in tags cannot be replaced.
void RegisterEffectClass(const Gralith::Utils::String& tag, Effect* (*create)());

/// Reads the script under descriptor (asset type 11) through the asset proxy.
void LoadScript(const Gralith::Utils::String& descriptor);

/// An Effect element: creates, configures and loads the effect, then appends it to Effects.
void ParseEffect(Gralith::Utils::Xml::Element* element);
/// A new effect of the class named by the instance element's tag.
Effect* CreateEffect(Gralith::Utils::Xml::Element* instance);
/// The keyed controller of an animated parameter element, with channelCount channels.
Controller* ParseController(Gralith::Utils::Xml::Element* parameter, int channelCount);
/// Appends the Key elements of a controller element to the channel controllers. One value
/// register carries over from channel to channel and from key to key.
void ParseKeys(Gralith::Utils::Xml::Element* controllerElement,
               Gralith::Utils::SceneGraph::KeyframedController<Gralith::Utils::SceneGraph::LinearKeyframe>** channels,
               int channelCount);
/// A Stage element: its blocks in order, appended to Stages.
void ParseStage(Gralith::Utils::Xml::Element* element);
Block ParseBlock(Gralith::Utils::Xml::Element* element);
/// The first effect in Effects with that name; throws "No such effect: <name>".
Effect* FindEffect(const Gralith::Utils::String& name);
/// The first framebuffer in Framebuffers with that name; throws "No such framebuffer: <name>".
Framebuffer* FindFramebuffer(const Gralith::Utils::String& name);

} // namespace Velorin
