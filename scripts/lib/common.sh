# Shared by scripts/run, scripts/test, scripts/package and scripts/soak: packages, builds.

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR="$ROOT/build/release"

PACKAGES="build-essential cmake pkg-config freeglut3-dev libglew-dev libdevil-dev libglu1-mesa-dev
libgl1-mesa-dri libassimp-dev libx11-dev libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-utils
imagemagick desktop-file-utils dpkg-dev zlib1g-dev
libxdamage-dev stress-ng"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
    missing=""
    for package in $PACKAGES; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing="$missing $package"
    done
    if [ -n "$missing" ]; then
        echo "Installing:$missing"
        as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
        # shellcheck disable=SC2086
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
    fi
}

# build_release [target ...]: configures the Release tree and builds the given
# targets, or everything.
build_release() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release >/dev/null
    if [ $# -gt 0 ]; then
        cmake --build "$BUILD_DIR" -j "$(nproc)" --target "$@"
    else
        cmake --build "$BUILD_DIR" -j "$(nproc)"
    fi
}

# start_xvfb <state file>: a private Xvfb on a free display, started as the tests
# start theirs, and exported as DISPLAY. stop_xvfb <state file> ends it.
start_xvfb() {
    sh "$ROOT/tests/support/xvfb-start.sh" "$1" >/dev/null || return 1
    DISPLAY=$(cat "$1")
    export DISPLAY
}
stop_xvfb() { sh "$ROOT/tests/support/xvfb-stop.sh" "$1"; }

# demo_window <seconds>: the id of the demo's window once it is mapped, or nothing.
demo_window() { timeout "$1" xdotool search --sync --name '^The Zendrils are back$' | head -n 1; }

# key <key>...: keys sent to the demo's window by id ($WINDOW), since Xvfb has no
# window manager to give it focus; fails quietly once Escape has closed it.
key() { xdotool key --window "$WINDOW" "$@" 2>/dev/null || true; }

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# ASan, LeakSanitizer and UBSan for everything run from here on: any report ends
# the process that made it with a failure. Leaks of the driver and system
# libraries, and the two flight paths kept until exit, are suppressed by name.
use_sanitizers() {
    BUILD_DIR="$ROOT/build/sanitize"
    export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:check_initialization_order=1:detect_stack_use_after_return=1"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    export LSAN_OPTIONS="suppressions=$ROOT/scripts/lib/lsan-suppressions.txt:print_suppressions=0"
}

build_sanitized() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEN_SANITIZE=ON >/dev/null
    cmake --build "$BUILD_DIR" -j 2
}
