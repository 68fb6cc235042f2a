#!/usr/bin/env bash
# Measurements of the Windows build under Wine, beside the native build where one is given:
#  - the show's frame rate at 1024 x 768 in a window, counted by Mesa's HUD (GALLIUM_HUD=fps,
#    one sample per half second; the mean of the samples after the first second): halcyra.exe
#    with OpenGL (2 samples, the dialog's default) and with Direct3D 9 (off, 4 samples; Wine 10's
#    Direct3D DLLs beside it, which the show's shaders need), then the native halcyra with
#    OpenGL. All draw on Mesa's llvmpipe, each on a private X server of the same size.
#  - the music clock on DirectSound (benchmarks/sound/PositionAccuracy.cpp), then natively on SDL.
#  - the size of the distributed halcyra.exe and the DLLs it imports.
# The show follows the music's clock, so the sound output must keep time: ALSA's null device,
# which scripts/wine-run.sh gives Wine, has no clock of its own, and DirectSound's position on it
# ran 1.25 (the clock program) to 3.6 times (the show) as fast as the wall clock. Where
# pulseaudio is installed (or GRALITH_PULSEAUDIO names it) a private PulseAudio server with a
# null sink, which plays in real time, serves Wine and SDL instead.
# Usage: scripts/wine-measurements.sh WINDOWS_BUILD [NATIVE_BUILD] [SECONDS=55: the whole show]
#   WINDOWS_BUILD: configured with -DGRALITH_BUILD_BENCHMARKS=ON and built (dist/ and
#                  benchmarks/windows/). NATIVE_BUILD: built with halcyra, its data/ and the
#                  benchmarks; left out, only the Windows figures are taken.
set -euo pipefail
cd "$(dirname "$0")/.."
windows=$(realpath "$1")
native=${2:+$(realpath "$2")}
seconds=${3:-55}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source scripts/lib/xvfb.sh

pulse=${GRALITH_PULSEAUDIO:-$(command -v pulseaudio || true)}
sdl_audio=dummy
if [ -n "$pulse" ]; then
  mkdir -p "$work/run"
  XDG_RUNTIME_DIR="$work/run" "$pulse" -n --daemonize=no --exit-idle-time=-1 --log-target=stderr \
    -L "module-null-sink sink_name=silence" -L module-native-protocol-unix 2>"$work/pulse.log" &
  pulse_pid=$!
  trap 'kill "$pulse_pid" 2>/dev/null; wait "$pulse_pid" 2>/dev/null; rm -rf "$work"' EXIT
  for _ in $(seq 100); do [ -S "$work/run/pulse/native" ] && break; sleep 0.1; done
  export PULSE_SERVER="unix:$work/run/pulse/native"
  sdl_audio=pulseaudio
  echo "sound: a private PulseAudio null sink"
else
  echo "sound: no pulseaudio; ALSA's null device has no clock, so the show and the music clock run fast"
fi

# The mean of a HUD dump, its first two samples (start-up) left out.
mean() {
  awk 'NR > 2 { s += $1; n++ } END { if (n) printf "%.1f fps (%d samples)\n", s / n, n; else print "no samples" }' \
    "$1"/fps
}

echo "== frame rate, 1024 x 768 windowed, up to ${seconds} s of the show =="
cp -r "$windows/dist/halcyra" "$work/show"
scripts/fetch-wine10-dlls.sh "$work/show"
for run in "opengl -1 2-samples" "direct3d9 0 no-samples" "direct3d9 2 4-samples"; do
  read -r driver row label <<<"$run"
  mkdir "$work/hud-$driver-$label"
  GALLIUM_HUD=fps GALLIUM_HUD_DUMP_DIR="$work/hud-$driver-$label" \
    WINEDLLOVERRIDES="d3d9,wined3d,d3dx9_43,d3dcompiler_47=n,b" \
    scripts/wine-run.sh "$windows/benchmarks/windows/show_frame_rate.exe" "Z:$work/show" "$driver" "$row" "$seconds"
  echo "Wine, $driver, $label: $(mean "$work/hud-$driver-$label")"
done

if [ -n "$native" ]; then
  xvfb_start
  mkdir "$work/hud-native"
  (cd "$native" && SDL_AUDIODRIVER=$sdl_audio GALLIUM_HUD=fps GALLIUM_HUD_DUMP_DIR="$work/hud-native" ./halcyra) &
  pid=$!
  # The GTK dialog: untick "Fullscreen", press "Transform" (as tests/velorin/main/HalcyraTest.cpp).
  for spot in "140 290" "237 330"; do
    xdotool search --sync --onlyvisible --name '^Halcyra - Brightmoot 08 Invitation$' \
      mousemove --window %1 $spot sleep 0.2 click 1
  done
  start=$SECONDS
  while kill -0 "$pid" 2>/dev/null && [ $((SECONDS - start)) -lt "$seconds" ]; do sleep 1; done
  # SDL titles its window in UTF-8, which xdotool's name search does not read: xwininfo does.
  show=$(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "Halcyra - Brightmoot 2008 Invitation".*/\1/p' | head -n 1)
  if [ -n "$show" ] && kill -0 "$pid" 2>/dev/null; then
    xdotool windowfocus "$show" sleep 0.2 key Escape
  fi
  wait "$pid" || echo "native halcyra ended with $?"
  xvfb_stop
  echo "native, opengl, 2-samples, $((SECONDS - start)) s: $(mean "$work/hud-native")"
fi

echo "== music clock, 20 s =="
scripts/wine-run.sh "$windows/benchmarks/windows/sound_position_accuracy.exe" 20
if [ -n "$native" ]; then
  SDL_AUDIODRIVER=$sdl_audio "$native/benchmarks/sound/sound_position_accuracy" 20
fi

echo "== halcyra.exe =="
exe="$windows/dist/halcyra/halcyra.exe"
echo "$(stat -c %s "$exe") bytes stripped ($(stat -c %s "$windows/halcyra.exe") as built);" \
  "$(stat -c %s "$windows/dist/halcyra-windows.zip") bytes zipped with data/"
x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: /imports /p'
