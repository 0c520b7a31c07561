# Sourced by scripts/run and scripts/screenshot: builds Tarnwick.exe alone.

# Configures the win32 preset, builds only the program (building the tests
# could run them under Wine) and sets TARNWICK_EXE to its absolute path.
tarnwick_build_exe() {
  cmake --preset win32 >/dev/null || return 1
  LC_ALL=C.UTF-8 cmake --build --preset win32 --target Tarnwick || return 1
  TARNWICK_EXE=build/win32/Tarnwick.exe
  [[ -f $TARNWICK_EXE ]] || { echo "build: no $TARNWICK_EXE" >&2; return 1; }
  TARNWICK_EXE=$(realpath "$TARNWICK_EXE")
}
