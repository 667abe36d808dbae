# Shared helpers for the scripts: packages, the Wine prefix and an X display.
# Sourced, not run. Every function is idempotent.

QV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

QV_PACKAGES="cmake ninja-build g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 fonts-wine
 xvfb xauth x11-apps imagemagick googletest python3 procps nsis"

qv_log() { printf '[quorvex] %s\n' "$*" >&2; }

# Install whatever of the packages is missing. Never adds the i386 architecture: wine32 would
# make /usr/bin/wine pick a 32-bit loader that these kernels cannot run.
qv_install_packages() {
  local missing=() p
  for p in $QV_PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  qv_log "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Environment for running the 64-bit Wine loader directly against a given prefix.
qv_wine_env() {
  export WINEPREFIX="$1"
  export WINELOADER=/usr/lib/wine/wine64
  export WINESERVER=/usr/lib/wine/wineserver64
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
  export WINEARCH=win64
}

# Start an Xvfb display unless DISPLAY is already set. The display number and the server's
# process id are kept in "$1" (a state file) so later calls reuse the same server.
qv_display() {
  local state="$1" n pid
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  if [ -f "$state" ]; then
    read -r n pid < "$state"
    if [ -n "${pid:-}" ] && kill -0 "$pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
      export DISPLAY=":$n"; return 0
    fi
  fi
  for n in $(seq 91 140); do
    { [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; } && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    pid=$!
    local i
    for i in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.05
    done
    if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$pid" 2>/dev/null; then
      echo "$n $pid" > "$state"
      export DISPLAY=":$n"
      return 0
    fi
  done
  qv_log "no X display could be started"
  return 1
}

# Create the Wine prefix once: boot it, give it Wine's own fonts and the virtual desktop.
# Serialised with a lock, since ctest may start several test processes at once.
qv_prefix() {
  local prefix="$1"
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    qv_wine_env "$prefix"
    if [ ! -f "$prefix/.quorvex-ready" ]; then
      qv_log "preparing Wine prefix $prefix"
      rm -rf "$prefix"
      /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1
      "$WINESERVER" -w
      mkdir -p "$prefix/drive_c/windows/Fonts"
      cp -n /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
      # Dialogs ask for "MS Shell Dlg", which Windows maps to MS Sans Serif; Wine's default,
      # Tahoma, sets dialog text wider than the layouts were made for.
      /usr/lib/wine/wine64 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
        /v "MS Shell Dlg" /d "MS Sans Serif" /f </dev/null >/dev/null 2>&1
      /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
      /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
      "$WINESERVER" -k 2>/dev/null || true
      "$WINESERVER" -w 2>/dev/null || true
      touch "$prefix/.quorvex-ready"
    fi
  ) 9>"$prefix.lock"
}

# Keep one wineserver alive between test processes: starts drop from seconds to a fraction.
# The first program of a new server session starts Wine's system processes (services.exe and
# the rest), which keep that program's standard output open until the server ends: start them
# from a trivial command on /dev/null, so that the caller's pipe (ctest's) closes with its program.
qv_wineserver() {
  if "$WINESERVER" -p60 </dev/null >/dev/null 2>&1; then
    /usr/lib/wine/wine64 cmd /c exit </dev/null >/dev/null 2>&1 || true
  fi
}
