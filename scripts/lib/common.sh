# Shared by scripts/run, scripts/test, scripts/package and scripts/soak: packages, builds.

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR="$ROOT/build/release"

PACKAGES="build-essential cmake pkg-config freeglut3-dev libglew-dev libdevil-dev libglu1-mesa-dev
libgl1-mesa-dri libegl-dev libegl-mesa0 libassimp-dev libx11-dev libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-utils
imagemagick desktop-file-utils dpkg-dev zlib1g-dev libpng-dev lintian appstream
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

# package_release: the Debian package of what the Release tree has built, as
# build/package/zendrils_<version>_<architecture>.deb (cpack packs the install
# rules: the program and its data, not the tests). check_package also runs
# lintian on it, which fails on any error or warning; its info and pedantic
# notes are shown.
PACKAGE_DIR="$ROOT/build/package"
package_release() {
    rm -rf "$PACKAGE_DIR"
    cpack --config "$BUILD_DIR/CPackConfig.cmake" -B "$PACKAGE_DIR" >/dev/null || return
    rm -rf "$PACKAGE_DIR/_CPack_Packages"  # cpack's staging copy
    PACKAGE=$(ls "$PACKAGE_DIR"/zendrils_*.deb) || return
    echo "Package: $PACKAGE"
}
check_package() {
    package_release || return
    lintian --pedantic --display-info --fail-on error,warning "$PACKAGE" || return
    echo "lintian: no errors or warnings"
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

# with_progress <what> <status command> <command> [argument ...]: runs the
# command with its output kept aside, and every 3 s writes how long it has run
# and where it is: the line the status command writes, or with "-" the
# command's last line of output. On failure writes the output's end and fails
# with the command's status.
with_progress() {
    what=$1
    status_command=$2
    shift 2
    echo "$what ..."
    progress_log=$(mktemp)
    "$@" >"$progress_log" 2>&1 &
    progress_pid=$!
    progress_start=$(now_ms)
    progress_next=$((progress_start + 3000))
    while kill -0 "$progress_pid" 2>/dev/null; do
        sleep 0.2
        if [ "$(now_ms)" -ge "$progress_next" ]; then
            if [ "$status_command" != - ]; then line=$(eval "$status_command"); else line=$(tail -n 1 "$progress_log"); fi
            echo "  $(( ($(now_ms) - progress_start) / 1000 )) s${line:+: }$(printf %s "$line" | cut -c 1-90)"
            progress_next=$((progress_next + 3000))
        fi
    done
    progress_status=0
    wait "$progress_pid" || progress_status=$?
    if [ "$progress_status" -ne 0 ]; then
        tail -n 40 "$progress_log" >&2
        rm -f "$progress_log"
        echo "$what failed (status $progress_status)." >&2
        return "$progress_status"
    fi
    rm -f "$progress_log"
    echo "  done in $(( ($(now_ms) - progress_start) / 1000 )) s"
}
