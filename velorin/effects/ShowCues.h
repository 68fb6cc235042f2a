#pragma once

/// When things happen in the show, in seconds of music time. The picture (ShowTimeline) and the
/// music generator (tools/music) both read these, so a flash and the hit under it cannot drift
/// apart. Plain numbers only: the music tool includes this without the rest of the presentation.
namespace Velorin::ShowCues {

/// Beats per minute: the music's grid and the picture's beat pulses.
constexpr double Tempo = 128.0;

/// The drop: kick and bass enter; camera, lights and glow change character.
constexpr double Drop = 13.176;
/// The big flash after the drop, where the party logo takes over from the maker logo.
constexpr double LogoFlash = 15.05;
/// The flash that ends the logo: the pure scene until the first title card.
constexpr double SceneFlash = 22.53;
/// Title cards 1 to 5 start here, each on a flash.
constexpr double Title1 = 30.04;
constexpr double Title2 = 33.59;
constexpr double Title3 = 37.43;
constexpr double Title4 = 41.21;
constexpr double Title5 = 44.49;
/// The last flash.
constexpr double LastFlash = 44.9;

/// The heaviest passage, where the bass lights up the whole frame: it ends with the fifth card.
constexpr double HeavyFrom = 42.71;
constexpr double HeavyTo = Title5;

/// The scene has faded to black here, over the second before.
constexpr double SceneFadedOut = 46.49;
/// The fifth card has faded out here, over the second before.
constexpr double TitleFadedOut = 47.49;
/// The show ends itself.
constexpr double End = 49.17;

constexpr double TitleStarts[] = {Title1, Title2, Title3, Title4, Title5};
/// Every flash of the picture in time order; the music puts an accent under each.
constexpr double Flashes[] = {LogoFlash, SceneFlash, Title1, Title2, Title3, Title4, Title5, LastFlash};

} // namespace Velorin::ShowCues
