#!/usr/bin/env bash
# Runs the program on a private Xvfb for a while and samples its resident
# memory and open descriptors every 10 s; reports whether both stayed flat.
#   scripts/soak.sh [seconds=600] [build dir=build]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
build=${2:-build}
bin="$build/bin"
[ -x "$bin/quorvel" ] || { echo "soak: $bin/quorvel is missing; build first" >&2; exit 2; }

display=""
for n in $(seq 140 159); do
    if [ ! -e "/tmp/.X$n-lock" ] && ! pgrep -f "Xvfb :$n " >/dev/null; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "soak: no free X display number" >&2; exit 2; }

Xvfb "$display" -nolock -nolisten tcp -screen 0 640x480x16 >/dev/null 2>&1 &
xvfb=$!
# The program ends first (SIGTERM closes it through its clean-up), then its
# X server.
cleanup() {
    if [ -n "${app:-}" ]; then
        kill "$app" 2>/dev/null || true
        wait "$app" 2>/dev/null || true
    fi
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

(cd "$bin" && DISPLAY=$display SDL_RENDER_VSYNC=0 exec ./quorvel) &
app=$!
sleep 2
kill -0 "$app" 2>/dev/null || { echo "soak: the program ended at start-up" >&2; exit 1; }

rss() { awk '/^VmRSS:/ {print $2}' "/proc/$app/status"; }
fds() { ls "/proc/$app/fd" | wc -l; }
first_rss=$(rss) first_fds=$(fds) max_rss=$first_rss max_fds=$first_fds
echo "t=0s rss=${first_rss}KiB fds=$first_fds"
for ((t = 10; t <= seconds; t += 10)); do
    sleep 10
    kill -0 "$app" 2>/dev/null || { echo "soak: the program ended after ${t}s" >&2; exit 1; }
    r=$(rss) f=$(fds)
    ((r > max_rss)) && max_rss=$r
    ((f > max_fds)) && max_fds=$f
    echo "t=${t}s rss=${r}KiB fds=$f"
done
growth=$((max_rss - first_rss))
echo "soak: ${seconds}s, resident memory ${first_rss} -> max ${max_rss} KiB (growth ${growth} KiB), descriptors ${first_fds} -> max ${max_fds}"
if ((growth <= 1024 && max_fds <= first_fds)); then echo "soak: flat"; else echo "soak: NOT flat"; exit 1; fi
