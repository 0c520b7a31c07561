# Sourced by scripts/run and scripts/screenshot: builds Tarnwick.exe alone.

# Configures and builds the release preset (the program alone, as it ships)
# and sets TARNWICK_EXE to the program's absolute path.
tarnwick_build_exe() {
  cmake --preset release >/dev/null || return 1
  LC_ALL=C.UTF-8 cmake --build --preset release || return 1
  TARNWICK_EXE=build/release/Tarnwick.exe
  [[ -f $TARNWICK_EXE ]] || { echo "build: no $TARNWICK_EXE" >&2; return 1; }
  TARNWICK_EXE=$(realpath "$TARNWICK_EXE")
}
