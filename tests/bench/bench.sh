#!/usr/bin/env bash
# The Wine test bench: `bench.sh start STATE_DIR` brings up what the Windows tests need
# and records what it started; `bench.sh stop STATE_DIR` stops exactly that.
#   - an X server: Xvfb of its own on a free display, so that no test touches a person's screen
#     and no person's mouse touches a test; `start STATE_DIR --on-display` uses the current
#     DISPLAY instead, where there is one (for running the program, not for the tests);
#   - with `--keeper PROGRAM.exe`, that program runs for the bench's whole life: the Wine server
#     closes a desktop a second after its last program leaves, and a desktop made anew for each
#     test program sends stray mouse moves while it comes up;
#   - with `--shell`, the desktop shows Wine's taskbar with its notification area (for running the
#     program; the tests' desktop has none, and its work area is the whole desktop);
#   - with `--programs DIR`, the bench runs the programs from a copy of DIR of its own (made anew
#     at each start, without settings files): benches side by side each keep their own settings
#     file beside the program (wine-run.sh runs a program from the copy);
#   - the settings Wine takes per program: the test helper qsilent.exe runs with no sound driver;
#   - a private WINEPREFIX in STATE_DIR (created once, reused);
#   - the ja_JP.UTF-8 locale (code page 932) and a 1280x1024 Wine virtual desktop;
#   - a PulseAudio server of its own with a null sink, on a runtime folder in STATE_DIR, which
#     gives Wine's winmm a real mixer.
set -Eeuo pipefail
trap 'echo "bench: failed at line $LINENO: $BASH_COMMAND" >&2' ERR

usage="usage: bench.sh start|stop|env STATE_DIR [--on-display] [--shell] [--keeper PROGRAM.exe] [--programs DIR]"
action=${1:?$usage}
state_dir=$(mkdir -p "${2:?$usage}" && cd "$2" && pwd)
shift 2
on_display=0
shell=0
keeper=""
programs=""
while [ $# -gt 0 ]; do
  case $1 in
    --on-display) on_display=1 ;;
    --shell) shell=1 ;;
    --keeper) keeper=${2:?$usage}; shift ;;
    --programs) programs=${2:?$usage}; shift ;;
    *) echo "$usage" >&2; exit 2 ;;
  esac
  shift
done
state_file=$state_dir/bench.env
desktop_size=1280x1024
# Injected input moves Wine's cursor, not the X pointer, and a Wine window that appears or moves
# under the resting X pointer reports the pointer's place as a mouse move. On our own X server
# the pointer is parked in the desktop's bottom-right corner, where no window of the tests goes
# but the resident program's dialogs (the tests that start the program park it elsewhere); it must
# stay inside the desktop, or Wine's SetCursorPos cannot warp it.
xvfb_screen=${desktop_size}x24
park_x=1279
park_y=1023

export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEPREFIX=$state_dir/prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts in a fresh prefix; no menu entries written for the person's
# own desktop (and no program of Wine's still running when the first test looks).
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

wait_for() { # seconds, command...
  local deadline=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}

# The whole listing is read: a reader that stops early would fail the pipe.
desktop_shows() { xwininfo -display "$DISPLAY" -root -tree | grep 'Wine desktop' >/dev/null; }
export -f desktop_shows

start() {
  local xvfb_pid=""
  # What is started is recorded at once, so that `stop` ends it even when a later step fails.
  {
    echo "export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8"
    echo "export WINEPREFIX='$WINEPREFIX'"
    echo "export WINEDEBUG='$WINEDEBUG'"
    echo "export WINEDLLOVERRIDES='$WINEDLLOVERRIDES'"
    echo "export XDG_RUNTIME_DIR='$sound_dir'"
  } >"$state_file"
  if [ "$on_display" -eq 0 ] || [ -z "${DISPLAY:-}" ]; then
    # The server takes the first free display itself and writes its number once it is ready, so
    # that benches started together never pick the same one.
    rm -f "$state_dir/display"
    Xvfb -displayfd 3 -screen 0 $xvfb_screen -nolisten tcp 3>"$state_dir/display" >"$state_dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    echo "export XVFB_PID='$xvfb_pid'" >>"$state_file"
    wait_for 20 test -s "$state_dir/display" || { echo "bench: Xvfb did not start" >&2; exit 1; }
    DISPLAY=:$(head -1 "$state_dir/display")
    export DISPLAY
    wait_for 20 xdpyinfo -display "$DISPLAY" || { echo "bench: Xvfb did not answer" >&2; exit 1; }
    # Only on our own X server is the pointer ours to park.
    echo "export QUOR_PARK_POINTER='$park_x $park_y'" >>"$state_file"
  fi
  echo "export DISPLAY='$DISPLAY'" >>"$state_file"
  start_sound
  export XDG_RUNTIME_DIR=$sound_dir
  # The first test program records the state the bench starts in (see tests/wine/support/rest_state.h).
  rm -rf "$state_dir/bin" "$state_dir/rest-baseline.txt"
  if [ -n "$programs" ]; then
    cp -a "$programs" "$state_dir/bin"
    rm -f "$state_dir/bin/Quorvelle.ini" "$state_dir/bin/Ignore.txt"
  fi

  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "bench: creating the Wine prefix (once)"
    rm -f "$state_dir/desktop.reg"
    wineboot -i >"$state_dir/wineboot.log" 2>&1
  fi
  # Every program of this prefix opens on one virtual desktop of fixed size, with or without the
  # taskbar. Wine brings up a desktop for the very command that writes these settings, from the
  # settings it had before (in a new prefix: no virtual desktop at all), and another Explorer
  # cannot take that desktop's name while it lasts: the server is stopped once they are written.
  cat >"$state_dir/desktop.reg.new" <<EOF
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="$desktop_size"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops\Default]
"EnableShell"=dword:0000000$shell

[HKEY_CURRENT_USER\Software\Wine\AppDefaults\qsilent.exe\DllOverrides]
"winepulse.drv"=""
"winealsa.drv"=""
"wineoss.drv"=""
"winecoreaudio.drv"=""
EOF
  if ! cmp -s "$state_dir/desktop.reg.new" "$state_dir/desktop.reg"; then
    wine regedit /S "Z:${state_dir//\//\\}\\desktop.reg.new" >>"$state_dir/wineboot.log" 2>&1
    wineserver -k 2>/dev/null || true
    wineserver -w
    # Kept only once written: a failed import is tried again at the next start.
    mv "$state_dir/desktop.reg.new" "$state_dir/desktop.reg"
  fi
  # One server for the whole run: a program started while the previous one's server is
  # shutting down can fail silently.
  wineserver -p >/dev/null 2>&1
  # With a keeper, its hidden window brings up the desktop the registry names, and holds it open
  # from then on. Without one, Explorer brings it up, and it lives while programs run on it.
  local try starter
  for try in 1 2 3; do
    if [ -n "$keeper" ]; then
      nohup wine "$keeper" >>"$state_dir/explorer.log" 2>&1 &
    else
      nohup wine explorer /desktop=Default,$desktop_size >>"$state_dir/explorer.log" 2>&1 &
    fi
    starter=$!
    # The first start in a new prefix is slow (Wine reads every font): wait while the program runs.
    wait_for 60 bash -c "desktop_shows || ! kill -0 $starter 2>/dev/null" || true
    if [ -n "$keeper" ]; then
      # A desktop with no program closes a second after; one that is still there has the keeper.
      sleep 2
      if desktop_shows && kill -0 "$starter" 2>/dev/null; then break; fi
    elif desktop_shows; then
      break
    fi
    echo "bench: the Wine desktop did not show (try $try)" >&2
    [ "$try" -lt 3 ] || { echo "bench: no Wine desktop" >&2; exit 1; }
    sleep 2
  done
  park_pointer
  echo "bench: up on $DISPLAY, prefix $WINEPREFIX"
}

sound_dir=$state_dir/sound

start_sound() {
  mkdir -p "$sound_dir"
  chmod 700 "$sound_dir"
  XDG_RUNTIME_DIR=$sound_dir pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
    --load="module-null-sink sink_name=quor" --load=module-native-protocol-unix \
    >"$state_dir/pulseaudio.log" 2>&1 || { echo "bench: PulseAudio did not start" >&2; exit 1; }
  wait_for 10 test -S "$sound_dir/pulse/native" || { echo "bench: no PulseAudio socket" >&2; exit 1; }
}

park_pointer() {
  if [ -n "${xvfb_pid:-}" ]; then xdotool mousemove --screen 0 $park_x $park_y >/dev/null 2>&1 || true; fi
}

stop() {
  [ -f "$state_file" ] || return 0
  # shellcheck disable=SC1090
  source "$state_file"
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  XDG_RUNTIME_DIR=$sound_dir pulseaudio --kill 2>/dev/null || true
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait_for 10 bash -c "! kill -0 $XVFB_PID" || kill -9 "$XVFB_PID" 2>/dev/null || true
  fi
  rm -f "$state_file"
  echo "bench: stopped"
}

case $action in
  # stop runs in a subshell: what it reads of the last run must not reach the new one.
  start) (stop); start ;;
  stop) stop ;;
  env) cat "$state_file" ;;
  *) echo "$usage" >&2; exit 2 ;;
esac
