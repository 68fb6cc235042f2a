# Sourced by scripts that need an X server of their own. Declares:
#   xvfb_start  starts Xvfb on a free display (it picks the number itself), exports DISPLAY and
#               sets XVFB_PID.
#   xvfb_stop   ends it.

xvfb_start() {
  local report number
  report=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$report" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 200); do
    if grep -q . "$report"; then break; fi
    sleep 0.05
  done
  number=$(head -n 1 "$report")
  rm -f "$report"
  if [ -z "$number" ]; then
    echo "Xvfb did not report a display number" >&2
    return 1
  fi
  export DISPLAY=":$number"
}

xvfb_stop() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}
