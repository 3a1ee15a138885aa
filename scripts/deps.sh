# Installs the Debian packages the builds and tests need, only those missing, with
# their recommended packages (Wine draws text only with its recommended X and font
# libraries).
# Sourced by run-game.sh and run-tests.sh.
varno_need_packages() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
  fi
}

VARNO_BUILD_PACKAGES=(cmake make g++ g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine fonts-liberation xvfb xauth fonts-urw-base35)
VARNO_TEST_PACKAGES=(libgtest-dev googletest xdotool xclip x11-utils imagemagick
  python3 python3-pil stockfish clang libclang-rt-dev pgn-extract)

# Node.js with npm for the check against an independent chess library (installed per
# build from the npm registry); a machine that has them from elsewhere keeps its own.
varno_need_node() {
  command -v npm >/dev/null 2>&1 || varno_need_packages nodejs npm
}

# Wine without its first-start download prompts, quiet, in a prefix of our own.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="${WINEPREFIX:-$HOME/.varno-4-wine}"

# The program asks for the face "Palatino Linotype", which Wine lacks; its fallback is
# too wide for the move list. P052 (fonts-urw-base35) has the same metrics.
varno_wine_fonts() {
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Palatino Linotype" \
    /t REG_SZ /d P052 /f >/dev/null 2>&1 \
    || echo "Could not set the font replacement: the text may be cut." >&2
}

varno_build_windows() {  # $1: build dir
  cmake -S . -B "$1" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$1" -j"$(nproc)"
}
