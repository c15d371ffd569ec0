#!/usr/bin/env bash
# Installs the program folder, moves it to another place and starts both
# programs from there: lumivar must load the libkorvel.so beside it, not the
# build tree's, and neither program may fail at start.
# Usage: moved_folder.sh CMAKE BUILD_DIR INSTALL_DIR
set -euo pipefail
cmake_cmd=$1 build=$2 subdir=$3
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake_cmd" --install "$build" --prefix "$work/prefix" >/dev/null
mv "$work/prefix/$subdir" "$work/moved"
rm -rf "$work/prefix"
dir="$work/moved"

for f in orvanta lumivar libkorvel.so screen.set newfunc.set help/help.htm lumivar-help/index.html; do
  [ -e "$dir/$f" ] || fail "$f missing from the installed folder"
done
# The example function sets the tips point to.
examples=$(find "$dir/Examples" -maxdepth 1 -name '*.ov2' -size +0 2>/dev/null | wc -l)
[ "$examples" -ge 4 ] || fail "Examples holds $examples function sets"

# The run path names the program's own folder, nothing absolute.
runpath=$(readelf -d "$dir/lumivar" | grep -E '\((RUNPATH|RPATH)\)' || true)
echo "$runpath" | grep -qF '[$ORIGIN]' || fail "lumivar's run path is not \$ORIGIN: $runpath"

# Starts a program from the moved folder; it must still be running after a
# while (a missing library or a crash ends it at once). Sets `pid`.
pid=
start() {
  local name=$1
  (cd "$work" && exec "$dir/$name" >"$work/$name.log" 2>&1) &
  pid=$!
  pids+=("$pid")
  local up=0
  for _ in $(seq 1 50); do
    sleep 0.2
    kill -0 "$pid" 2>/dev/null || { cat "$work/$name.log" >&2; fail "$name ended at start"; }
    if grep -q "$dir/" "/proc/$pid/maps" 2>/dev/null; then up=$((up + 1)); fi
    [ "$up" -ge 10 ] && break
  done
  kill -0 "$pid" 2>/dev/null || fail "$name ended at start"
}

start lumivar
maps=$(cat "/proc/$pid/maps")
echo "$maps" | grep -q "$dir/libkorvel.so" || fail "lumivar did not load $dir/libkorvel.so"
if echo "$maps" | grep "libkorvel.so" | grep -vq "$dir/libkorvel.so"; then
  fail "lumivar loaded another libkorvel.so"
fi
start orvanta
echo "both programs started from $dir"
