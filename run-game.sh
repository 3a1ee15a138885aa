#!/usr/bin/env bash
# Installs what is missing, builds the Windows program and starts it under Wine in a
# per-user working folder (it keeps its settings and saved games in its current folder).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
varno_need_packages "${VARNO_BUILD_PACKAGES[@]}"
if ! varno_build_windows build/windows || [ ! -f build/windows/ui/varno-4.exe ]; then
  echo "The build of the Windows program failed: build/windows/ui/varno-4.exe is missing." >&2
  echo "See the build output above; the build folder is build/windows." >&2
  exit 1
fi
workdir="${VARNO_HOME:-$HOME/varno-4}"
mkdir -p "$workdir"
cp build/windows/ui/varno-4.exe "$workdir/"
cd "$workdir"
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: starting the game on a virtual one (Xvfb :77)."
  Xvfb :77 -screen 0 1280x1024x24 >/dev/null 2>&1 &
  export DISPLAY=:77
  sleep 1
fi
varno_wine_fonts
exec wine ./varno-4.exe
