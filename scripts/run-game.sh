#!/usr/bin/env bash
# Starts the game; where no display exists it runs under a private Xvfb.
set -eu
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$@"
fi
here=$(dirname "$0")
exec "$here/with-xvfb.sh" "$@"
