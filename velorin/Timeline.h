#pragma once

#include "gralith/utils/Array.h"
#include "velorin/Stage.h"

namespace Velorin {

class Effect;
struct Framebuffer;
struct Influence;

/// The timeline's lists, in the order the script defines them. Nothing is removed while the
/// show runs; the objects live until the process ends.
extern Gralith::Utils::Array<Effect*> Effects;
extern Gralith::Utils::Array<Stage*> Stages;
/// Render targets blocks may name; start-up puts "Backbuffer" here.
extern Gralith::Utils::Array<Framebuffer*> Framebuffers;
extern Gralith::Utils::Array<Influence*> Influences;
/// Effects whose loading failed. They never enter Effects, but influences made before the
/// failure point into them, so they are kept alive here.
extern Gralith::Utils::Array<Effect*> FailedEffects;

/// One frame of the show at presentation time `time` (MusicTime): every influence writes its
/// parameter, every effect gets Update, then every active block, stage by stage in script
/// order, binds its framebuffer and renders its effect. The result depends only on `time` and
/// the effects' own state, never on the frames before.
void RunTimeline(double time);

/// What one script made, out of the timeline's lists: another script can then be read while this
/// one waits to come back (the live preview keeps its last good script so).
struct TimelineContents {
    Gralith::Utils::Array<Effect*> effects;
    Gralith::Utils::Array<Effect*> failedEffects;
    Gralith::Utils::Array<Stage*> stages;
    Gralith::Utils::Array<Influence*> influences;
    Gralith::Utils::Array<Framebuffer*> framebuffers;
};
/// Moves the lists' contents out; the lists are empty afterwards.
TimelineContents DetachTimeline();
/// Puts detached contents back in place of what the lists hold, which is deleted as
/// ResetTimeline deletes it.
void AttachTimeline(const TimelineContents& contents);
/// Deletes detached contents as ResetTimeline deletes the lists' own.
void DeleteTimeline(TimelineContents& contents);

/// Deletes what the script reader made (effects, failed effects, stages, influences with
/// their controllers) and empties those lists. Framebuffers belong to whoever made them and
/// are only forgotten. For tests and tools that read more than one script in a process.
void ResetTimeline();

/// The integer an animated integer parameter receives: the value truncated toward zero,
/// saturated at the ends of the int range, 0 for NaN.
int TruncateToInt(float value);

} // namespace Velorin
