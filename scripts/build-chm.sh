#!/bin/bash
# build-chm.sh <help-source-dir> <project.hhp> <out.chm>
#
# Compiles the HTML help project with chmcmd (Debian's fp-utils) inside a
# chroot of a copy of the help folder. chmcmd stores each context-mapped
# topic under its absolute path at compile time; in the chroot that path is
# "/page.htm", which is what HTML Help looks up inside the .chm. Outside a
# chroot the map would name build-machine paths and F1 would find no page.
#
# chroot needs root (CI runs as root); without it the script tries a user
# namespace (unshare -r) and otherwise stops with an explanation.
set -euo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 <help-source-dir> <project.hhp> <out.chm>" >&2
  exit 2
fi
src=$1; hhp=$2; out=$3

chmcmd_path=$(command -v chmcmd || true)
if [ -z "$chmcmd_path" ]; then
  echo "build-chm: chmcmd not found; install Debian's fp-utils (apt-get install fp-utils)" >&2
  exit 1
fi
[ -f "$src/$hhp" ] || { echo "build-chm: no project $src/$hhp" >&2; exit 1; }

compiled=$(sed -n 's/^Compiled file=\(.*\)\r\{0,1\}$/\1/p' "$src/$hhp" | tr -d '\r' | head -n 1)
[ -n "$compiled" ] || { echo "build-chm: $hhp has no 'Compiled file=' line" >&2; exit 1; }

jail=$(mktemp -d)
trap 'rm -rf "$jail"' EXIT
cp -r "$src"/. "$jail"/
rm -f "$jail/$compiled"

# chmcmd, its program interpreter and the C libraries it links or dlopen()s
# (the Free Pascal runtime loads libpthread and libdl by name).
bin=$(readlink -f "$chmcmd_path")
interp=$(readelf -l "$bin" | sed -n 's/.*interpreter: \(.*\)]/\1/p')
libdir=$(dirname "$(ldd "$bin" | awk '/libc\.so/ {print $3}')")
mkdir -p "$jail/.bin" "$jail$(dirname "$interp")" "$jail$libdir"
cp "$bin" "$jail/.bin/chmcmd"
cp -L "$interp" "$jail$interp"
for lib in libc.so.6 libpthread.so.0 libdl.so.2; do
  [ -e "$libdir/$lib" ] && cp -L "$libdir/$lib" "$jail$libdir/"
done

log="$jail/.chmcmd.log"
chroot_bin=$(command -v chroot)
run_chroot() {  # [unshare -r] chroot <jail> chmcmd <project>, with an empty environment
  (cd "$jail" && env -i "$@" "$chroot_bin" . /.bin/chmcmd "$hhp") >"$log" 2>&1
}
status=0
if [ "$(id -u)" -eq 0 ]; then
  run_chroot || status=$?
elif unshare -r true 2>/dev/null; then
  run_chroot "$(command -v unshare)" -r || status=$?
else
  echo "build-chm: compiling the help needs chroot (run as root, or allow user namespaces for 'unshare -r')." >&2
  echo "build-chm: without it chmcmd would write build paths into the context map and F1 would find no page." >&2
  exit 1
fi
if [ $status -ne 0 ] || [ ! -s "$jail/$compiled" ]; then
  echo "build-chm: chmcmd failed (status $status):" >&2
  cat "$log" >&2
  exit 1
fi
mkdir -p "$(dirname "$out")"
cp "$jail/$compiled" "$out.tmp"
mv -f "$out.tmp" "$out"
