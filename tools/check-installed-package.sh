#!/usr/bin/env bash
# Checks an installed kelvra package as a user meets it, from /: kelvra-cli
# renders PRODUCT as the build tree BUILD does; the desktop knows the AWX
# type (by name and by content) and opens it with kelvra; the thumbnailer
# writes a PNG; the desktop entry starts kelvra under Xvfb showing PRODUCT;
# a second start with another file opens it in the first window. Needs
# xvfb, x11-utils (xwininfo), xdg-utils and libglib2.0-bin (gio); the
# desktop is taken to be GNOME's, whose file type lookup xdg-mime then uses.
# Usage: check-installed-package.sh PRODUCT [BUILD]
set -euo pipefail
product=$(realpath "$1")
build=${2:+$(realpath "$2")}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
export XDG_CURRENT_DESKTOP=GNOME
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cd /
status=0
fail() { echo "FAIL: $*" >&2; status=1; }
ok() { echo "ok: $*"; }

kelvra-cli render "$product" -o "$work/installed.bmp"
if [ -n "$build" ]; then
    "$build/src/cli/kelvra-cli" render "$product" -o "$work/build.bmp"
    cmp -s "$work/installed.bmp" "$work/build.bmp" && ok "render equals the build tree's picture" ||
        fail "installed render differs from the build tree's"
fi

cp "$product" "$work/product-without-extension"
for file in "$product" "$work/product-without-extension"; do
    type=$(xdg-mime query filetype "$file")
    [ "$type" = image/x-awx ] && ok "$(basename "$file") is $type" || fail "$file is $type"
done
default=$(xdg-mime query default image/x-awx)
[ "$default" = org.kelvra.Kelvra.desktop ] && ok "image/x-awx opens with $default" ||
    fail "image/x-awx opens with '$default'"

exec_line=$(sed -n 's/^Exec=//p' /usr/share/thumbnailers/kelvra.thumbnailer)
command=${exec_line//%i/$product}
command=${command//%o/$work/thumb.png}
command=${command//%s/128}
# shellcheck disable=SC2086
$command
file "$work/thumb.png" | grep -q 'PNG image data, 128 x' && ok "thumbnailer: $(file -b "$work/thumb.png")" ||
    fail "thumbnailer wrote no 128-pixel PNG"

other="$work/FY2G_OTHER_IR1_202203311400.AWX"
kelvra-cli synth "$other" --size 640x480 >/dev/null
app_exec=$(sed -n 's/^Exec=//p' /usr/share/applications/org.kelvra.Kelvra.desktop)
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    set -u
    work=$1 product=$2 other=$3 app_exec=$4
    ${app_exec//%F/$product} --quit-after 30000 2>"$work/first.err" &
    first=$!
    for _ in $(seq 100); do
        xwininfo -root -tree | grep -q "$(basename "$product") - kelvra" && break
        sleep 0.2
    done
    sleep 2
    import -window root "$work/first.png"
    xwininfo -root -tree | grep -o "\"[^\"]* - kelvra\"" | sort -u >"$work/title-first"
    ${app_exec//%F/$other} 2>"$work/second.err"
    echo $? >"$work/second.status"
    for _ in $(seq 100); do
        xwininfo -root -tree | grep -q "$(basename "$other") - kelvra" && break
        sleep 0.2
    done
    sleep 1
    import -window root "$work/second.png"
    xwininfo -root -tree | grep -o "\"[^\"]* - kelvra\"" | sort -u >"$work/title-second"
    kill "$first"
    wait "$first" || true
' _ "$work" "$product" "$other" "$app_exec"
grep -q "$(basename "$product") - kelvra" "$work/title-first" &&
    ok "desktop entry shows $(cat "$work/title-first")" || fail "first window: $(cat "$work/title-first")"
[ "$(cat "$work/second.status")" = 0 ] && ok "second start: $(cat "$work/second.err")" ||
    fail "second start: $(cat "$work/second.err")"
grep -q "$(basename "$other") - kelvra" "$work/title-second" &&
    ok "first window now shows $(cat "$work/title-second")" || fail "after the second start: $(cat "$work/title-second")"
if [ -n "${KELVRA_SCREENSHOTS:-}" ]; then
    cp "$work/first.png" "$work/second.png" "$KELVRA_SCREENSHOTS/"
fi
exit "$status"
