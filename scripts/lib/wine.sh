# Sourced by the scripts in scripts/: a throwaway Xvfb display and a throwaway
# 32-bit Wine prefix for the tests, both removed again by tarnwick_stop_all.
# The user's own ~/.wine is never used here.

TARNWICK_SCRATCH=""
TARNWICK_XVFB_PID=""

# Starts `Xvfb :N` on the first free display from 90 up and exports DISPLAY.
tarnwick_start_xvfb() {
  local n
  for ((n = 90; n < 190; n++)); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"/tmp/tarnwick-xvfb-$n.log" 2>&1 &
    TARNWICK_XVFB_PID=$!
    local tries
    for ((tries = 0; tries < 100; tries++)); do
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        rm -f "/tmp/tarnwick-xvfb-$n.log"
        echo "wine-host: Xvfb on $DISPLAY (pid $TARNWICK_XVFB_PID)"
        return 0
      fi
      kill -0 "$TARNWICK_XVFB_PID" 2>/dev/null || break # lost a race for :n
      sleep 0.1
    done
    kill "$TARNWICK_XVFB_PID" 2>/dev/null || true
    TARNWICK_XVFB_PID=""
  done
  echo "wine-host: could not start Xvfb" >&2
  return 1
}

# Exports the environment of the scratch prefix (also for ctest's children).
tarnwick_wine_env() {
  export WINEPREFIX="$TARNWICK_SCRATCH/prefix"
  export WINEARCH=win32
  export WINEDEBUG=-all
  # No Mono/Gecko installer prompts; no menu entries written into the real $HOME.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # A Chinese locale makes Wine's ANSI code page 936.
  export LANG=zh_CN.UTF-8
  export LC_ALL=zh_CN.UTF-8
}

# Cuts every way out of the prefix: drive Z: (which is /) and the profile
# folders (Desktop, Documents, ...) that Wine links to the real home directory.
tarnwick_seal_prefix() {
  rm -f "$WINEPREFIX/dosdevices/z:"
  local link
  while IFS= read -r -d '' link; do
    rm -f "$link"
    mkdir -p "$link" || return 1
  done < <(find "$WINEPREFIX/drive_c" -type l -lname '/*' -print0)
  if [[ -L $WINEPREFIX/dosdevices/z: ]] ||
    [[ -n $(find "$WINEPREFIX/drive_c" -type l -lname '/*' -print -quit) ]]; then
    echo "wine-host: prefix still links outside itself" >&2
    return 1
  fi
}

# Creates a fresh 32-bit prefix under a new temporary directory, configures it
# and keeps one wineserver running for the tests. Every step is checked here,
# as callers may run this where `set -e` does not apply (`if`, `&&`).
tarnwick_start_wine_host() {
  TARNWICK_SCRATCH=$(mktemp -d /tmp/tarnwick-wine.XXXXXX) || return 1
  tarnwick_wine_env
  local start=$SECONDS
  if ! timeout 300 wineboot -i >"$TARNWICK_SCRATCH/wineboot.log" 2>&1 ||
    ! timeout 120 wineserver -w; then
    cat "$TARNWICK_SCRATCH/wineboot.log" >&2
    echo "wine-host: wineboot failed or hung" >&2
    return 1
  fi
  tarnwick_seal_prefix || return 1
  # Drive S: is a scratch disk inside the prefix, for tests that need a drive root of their own.
  mkdir -p "$WINEPREFIX/scratch-disk" && ln -s ../scratch-disk "$WINEPREFIX/dosdevices/s:" || return 1
  # Debian's Wine 8 looks for its own fonts (fonts-wine) in the wrong folder;
  # without Marlett the caption buttons show "0 1 r". Give the prefix a copy.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" || return 1
  wineserver -p || return 1 # stays up between test processes: each start is then quick
  # Without a window manager Wine must draw the title bar and frame itself.
  local key='HKCU\Software\Wine\X11 Driver'
  (
    cd "$WINEPREFIX/drive_c" && # the Unix cwd has no drive letter any more
      wine reg add "$key" /v Decorated /t REG_SZ /d Y /f >/dev/null &&
      wine reg add "$key" /v Managed /t REG_SZ /d N /f >/dev/null
  ) || return 1
  echo "wine-host: prefix $WINEPREFIX ready in $((SECONDS - start)) s"
}

# Stops the wineserver and Xvfb and removes the scratch directory. Safe to call twice.
tarnwick_stop_all() {
  if [[ -n $TARNWICK_SCRATCH ]]; then
    WINEPREFIX="$TARNWICK_SCRATCH/prefix" wineserver -k 2>/dev/null || true
    WINEPREFIX="$TARNWICK_SCRATCH/prefix" timeout 30 wineserver -w 2>/dev/null || true
    rm -rf "$TARNWICK_SCRATCH"
    TARNWICK_SCRATCH=""
  fi
  if [[ -n $TARNWICK_XVFB_PID ]]; then
    kill "$TARNWICK_XVFB_PID" 2>/dev/null || true
    wait "$TARNWICK_XVFB_PID" 2>/dev/null || true
    TARNWICK_XVFB_PID=""
  fi
}

# Runs tarnwick_stop_all whenever the calling script ends, also on Ctrl-C or kill.
tarnwick_stop_all_on_exit() {
  trap tarnwick_stop_all EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM HUP
}
