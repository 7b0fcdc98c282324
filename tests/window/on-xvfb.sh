# Sourced by the real-window tests. on_xvfb GEOMETRY OUTDIR SCRIPT ARGS... runs SCRIPT again
# inside a virtual X display of GEOMETRY with OUTDIR emptied (skipping the test when there is
# no virtual display), then gives the program silent audio, a private runtime folder and a
# home and settings folder of their own (so the PNG copies of kept pictures never land in a
# real pictures folder and no real settings file is written).
on_xvfb() {
    local geometry=$1 out=$2 script=$3
    shift 3
    command -v xvfb-run >/dev/null || { echo "xvfb-run missing"; exit 77; }
    if [ -z "${INSIDE_XVFB:-}" ]; then
        rm -rf "$out" && mkdir -p "$out"
        INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 ${geometry}x24" bash "$script" "$@"
    fi
    export SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$out/run
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    export HOME=$out/home XDG_CONFIG_HOME=$out/home/.config
    mkdir -p "$HOME"
}

# Ends the test with a message, taking every program it started down with it.
fail() { echo "FAIL: $*"; kill -9 $(jobs -p) 2>/dev/null; exit 1; }
