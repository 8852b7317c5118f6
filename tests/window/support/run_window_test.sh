#!/usr/bin/env bash
# Runs a window-test program under a private Xvfb and checks every screenshot it asks for.
# Usage: run_window_test.sh <shot-dir> <program> [args...]
# The program prints "SHOT <name> <width> <height>" after writing <shot-dir>/<name>.ppm (its
# client framebuffer) and waits for <shot-dir>/<name>.done; this script then saves the X
# window as <shot-dir>/<name>.png and requires it to equal the framebuffer pixel for pixel.
# "CLICK <x> <y>" clicks the left button at that client point; "CLOSE" asks for the window to
# be closed as by the user. The test passes when every
# screenshot matched and the program ended with status 0.
set -u
shots=$1
shift
mkdir -p "$shots"
rm -f "$shots"/*.ppm "$shots"/*.png "$shots"/*.done "$shots"/pipe "$shots"/display

for tool in Xvfb xdotool import compare; do
  command -v "$tool" >/dev/null || { echo "window test: $tool is missing" >&2; exit 1; }
done

# Xvfb picks a free display itself and tells its number, so parallel tests never collide.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$shots/display" >"$shots/xvfb.log" 2>&1 &
xvfb=$!
program=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -f "$shots/pipe"
}
trap cleanup EXIT
for _ in $(seq 200); do
  [ -s "$shots/display" ] && break
  sleep 0.05
done
display=$(tr -dc 0-9 <"$shots/display")
if [ -z "$display" ]; then
  echo "window test: Xvfb did not start" >&2
  cat "$shots/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$display"
export VALDRIM_SHOT_DIR="$shots"
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

mkfifo "$shots/pipe"
timeout 240 "$@" >"$shots/pipe" &
program=$!
exec 4<"$shots/pipe"

failures=0
while read -r -u 4 kind name width height; do
  case "$kind" in
    SHOT)
      id=$(xdotool search --name 'VALDRIM' 2>/dev/null | head -n 1)
      if [ -z "$id" ]; then
        echo "window test: $name: no window found" >&2
        failures=$((failures + 1))
      else
        import -window "$id" "png24:$shots/$name.png"
        size=$(identify -format '%wx%h' "$shots/$name.png")
        if [ "$size" != "${width}x${height}" ]; then
          echo "window test: $name: window is $size, client area should be ${width}x${height}" >&2
          failures=$((failures + 1))
        else
          diff=$(compare -metric AE "$shots/$name.png" "$shots/$name.ppm" null: 2>&1)
          if [ "$diff" != "0" ]; then
            echo "window test: $name: $diff pixels differ from the framebuffer" >&2
            compare "$shots/$name.png" "$shots/$name.ppm" "$shots/$name-diff.png" 2>/dev/null
            failures=$((failures + 1))
          else
            echo "window test: $name: ${width}x${height} screenshot equals the framebuffer"
          fi
        fi
      fi
      touch "$shots/$name.done"
      ;;
    CLICK)
      # A real left click at a client point (here "name" and "width" are x and y).
      id=$(xdotool search --name 'VALDRIM' 2>/dev/null | head -n 1)
      if [ -z "$id" ]; then
        echo "window test: click: no window found" >&2
        failures=$((failures + 1))
      else
        xdotool mousemove --window "$id" "$name" "$width" click 1
      fi
      ;;
    CLOSE)
      # The process is asked to stop, which SDL reports like the window's close box.
      kill -TERM "$program"
      ;;
    *)
      echo "$kind $name $width $height"
      ;;
  esac
done
wait "$program"
status=$?
program=""
if [ "$status" -ne 0 ]; then
  echo "window test: the program ended with status $status" >&2
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ]
