# Sourced by the scripts in scripts/: installs what Tarnwick needs to build and test.
# Debian 12 (bookworm) packages only; installs just what is missing.

TARNWICK_PACKAGES=(
  cmake ninja-build g++ googletest clang-format
  g++-mingw-w64-i686 wine wine32:i386
  fonts-wine xvfb xauth x11-utils xdotool locales fonts-wqy-microhei imagemagick
)

# Runs a command as root: directly when we are root, else through sudo.
tarnwick_as_root() {
  if [[ $(id -u) -eq 0 ]]; then
    "$@"
  else
    sudo "$@"
  fi
}

# True when the package is installed ("install ok installed").
tarnwick_is_installed() {
  [[ $(dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true) == "install ok installed" ]]
}

# Installs the missing packages of TARNWICK_PACKAGES; a no-op when all are there.
tarnwick_install_missing() {
  local missing=() pkg
  for pkg in "${TARNWICK_PACKAGES[@]}"; do
    tarnwick_is_installed "$pkg" || missing+=("$pkg")
  done
  if [[ ${#missing[@]} -eq 0 ]]; then
    return 0
  fi
  echo "setup: installing ${missing[*]}"
  if [[ " ${missing[*]} " == *":i386 "* ]] &&
    ! dpkg --print-foreign-architectures | grep -qx i386; then
    tarnwick_as_root dpkg --add-architecture i386
  fi
  tarnwick_as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
  tarnwick_as_root env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Makes sure the zh_CN.UTF-8 locale exists (Wine then uses ANSI code page 936).
tarnwick_ensure_zh_locale() {
  if locale -a 2>/dev/null | grep -qx 'zh_CN.utf8'; then
    return 0
  fi
  echo "setup: generating the zh_CN.UTF-8 locale"
  if grep -q '^# *zh_CN.UTF-8 UTF-8' /etc/locale.gen; then
    tarnwick_as_root sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  elif ! grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen; then
    echo 'zh_CN.UTF-8 UTF-8' | tarnwick_as_root tee -a /etc/locale.gen >/dev/null
  fi
  tarnwick_as_root locale-gen
}

# Both of the above.
tarnwick_setup() {
  tarnwick_install_missing
  tarnwick_ensure_zh_locale
}
