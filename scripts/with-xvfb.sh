#!/usr/bin/env bash
# Runs a command under a private Xvfb with Mesa held to OpenGL 2.1 / GLSL 1.20, so that code which
# reaches past OpenGL 2.1 fails in tests. Xvfb picks a free display itself (-displayfd) and is
# stopped by its own PID, so parallel test runs never meet. -noreset keeps the server up while a
# test closes its last connection and opens a new one. RUBBLE_XVFB_SCREEN sets the screen
# (width x height x depth) for a test about screens of another size.
set -u
screen="${RUBBLE_XVFB_SCREEN:-1280x1024x24}"

fifo_dir=$(mktemp -d)
fifo="$fifo_dir/display"
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
cleanup() { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -rf "$fifo_dir"; }
trap cleanup EXIT

display=""
if ! read -r -t 20 display <"$fifo" || [ -z "$display" ]; then
  echo "with-xvfb: Xvfb did not start" >&2
  exit 1
fi

export DISPLAY=":$display"
export MESA_GL_VERSION_OVERRIDE=2.1
export MESA_GLSL_VERSION_OVERRIDE=120
export LIBGL_ALWAYS_SOFTWARE=1
"$@"
