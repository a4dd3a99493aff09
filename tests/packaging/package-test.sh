#!/usr/bin/env bash
# Builds the Debian package into a scratch folder and checks it without installing anything:
# its control fields and file list (dpkg-deb), the desktop entry (desktop-file-validate), the
# AppStream metadata (appstreamcli), the icons, the manual page, lintian's verdict, and that the
# packaged program, unpacked, shows its window on the X server and ends with status 0. Docks tie
# the running program to its entry: on X the window's class is the entry's StartupWMClass, on
# Wayland (a headless weston) the app id is the entry's name.
#   package-test.sh BUILD_DIR SOURCE_DIR VERSION WINDOW_DRIVER      (run under with-xvfb.sh)
set -uo pipefail
build=$1
source=$2
version=$3
driver=$4
id=io.github.numora.Numora
work=$(mktemp -d)
pid=
compositor=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "$compositor" ] && kill "$compositor" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "package-test: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb="$work/out/numora_${version}_amd64.deb"
[ -f "$deb" ] || fail "no numora_${version}_amd64.deb: $(ls "$work/out")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = numora ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "version $(field Version), not $version"
[ "$(field Architecture)" = amd64 ] || fail "architecture $(field Architecture)"
depends=$(field Depends)
for needed in libqt6widgets6 libqt6gui6 libjpeg62-turbo libstdc++6 fonts-liberation2 fonts-urw-base35; do
  [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] ||
    fail "Depends lacks $needed: $depends"
done

expected="usr/bin/numora
usr/share/applications/$id.desktop
usr/share/doc/numora/changelog.gz
usr/share/doc/numora/copyright
usr/share/icons/hicolor/128x128/apps/$id.png
usr/share/icons/hicolor/16x16/apps/$id.png
usr/share/icons/hicolor/256x256/apps/$id.png
usr/share/icons/hicolor/32x32/apps/$id.png
usr/share/icons/hicolor/48x48/apps/$id.png
usr/share/icons/hicolor/64x64/apps/$id.png
usr/share/icons/hicolor/scalable/apps/$id.svg
usr/share/man/man1/numora.1.gz
usr/share/metainfo/$id.metainfo.xml"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {sub(/^\.\//, "", $6); print $6}' | LC_ALL=C sort)
[ "$files" = "$(echo "$expected" | LC_ALL=C sort)" ] ||
  fail "the package holds other files than expected:$(diff <(echo "$expected" | LC_ALL=C sort) <(echo "$files"))"

root="$work/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb cannot unpack the package"
share="$root/usr/share"
entry="$share/applications/$id.desktop"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
grep -qx 'Exec=numora' "$entry" || fail "the desktop entry does not start numora"
grep -qx "Icon=$id" "$entry" || fail "the desktop entry does not name the icon $id"
metainfo="$share/metainfo/$id.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metadata"
for tag in "<id>$id</id>" "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
           '<project_license>MIT</project_license>' '<content_rating' '<screenshot' \
           "<release version=\"$version\""; do
  grep -qF "$tag" "$metainfo" || fail "the metadata lacks $tag"
done
for size in 16 32 48 64 128 256; do
  file "$share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "PNG image data, $size x $size," ||
    fail "the ${size}x$size icon is not a $size x $size PNG"
done
grep -q '<svg' "$share/icons/hicolor/scalable/apps/$id.svg" || fail "the scalable icon is no SVG"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
             "$share/man/man1/numora.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page has faults: $warnings"
grep -q '^License: Expat' "$share/doc/numora/copyright" || fail "the copyright file names no license"

# lintian: no errors, and every warning kept is named in the README with its reason.
lintian --no-tag-display-limit "$deb" >"$work/lintian.log" 2>&1
grep '^E: ' "$work/lintian.log" && fail "lintian reports errors"
for tag in $(sed -n 's/^W: numora: \([^ ]*\).*/\1/p' "$work/lintian.log" | sort -u); do
  grep -q "$tag" "$source/README.md" || fail "lintian warns $tag, which the README does not name"
done

export QT_QPA_PLATFORM=xcb
"$root/usr/bin/numora" &
pid=$!
window=
for _ in $(seq 400); do  # up to 20 s on a busy machine
  window=$(xdotool search --onlyvisible --name '^Numora$' 2>/dev/null | head -1)
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
[ -n "$window" ] || fail "the packaged program showed no window \"Numora\""
class=$(xprop -id "$window" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\([^"]*\)"$/\1/p')
[ -n "$class" ] || fail "the window has no class: $(xprop -id "$window" WM_CLASS)"
grep -qx "StartupWMClass=$class" "$entry" || fail "the desktop entry does not name the window's class $class"
"$driver" --delete Numora || fail "could not close the packaged program's window"
wait "$pid"
status=$?
pid=
[ "$status" -eq 0 ] || fail "the packaged program ended with status $status"

mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
weston --backend=headless-backend.so --socket=wayland-numora --idle-time=0 >"$work/weston.log" 2>&1 &
compositor=$!
for _ in $(seq 400); do [ -S "$work/runtime/wayland-numora" ] && break; sleep 0.05; done
[ -S "$work/runtime/wayland-numora" ] || { cat "$work/weston.log" >&2; fail "weston did not start"; }
WAYLAND_DISPLAY=wayland-numora QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
  "$root/usr/bin/numora" >"$work/wayland.log" 2>&1 &
pid=$!
for _ in $(seq 400); do grep -q 'set_app_id(' "$work/wayland.log" && break; sleep 0.05; done
app_id=$(sed -n 's/.*xdg_toplevel@[0-9]*\.set_app_id("\([^"]*\)").*/\1/p' "$work/wayland.log" | head -1)
[ "$app_id" = "$id" ] || fail "on Wayland the app id is \"$app_id\", not $id"
echo "package-test: $(basename "$deb") ($(stat -c %s "$deb") bytes) checks out and its program runs"
