#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a desktop needs to list the
# calculator: the program, a valid desktop entry and the icon it names.
#   install-test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "install-test: $*" >&2; exit 1; }

[ -x "$prefix/bin/numora" ] || fail "bin/numora is missing or not executable"
entry="$prefix/share/applications/numora.desktop"
[ -f "$entry" ] || fail "share/applications/numora.desktop is missing"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
grep -qx 'Exec=numora' "$entry" || fail "the entry does not start numora"
icon=$(sed -n 's/^Icon=//p' "$entry")
found=$({ find "$prefix/share/icons" "$prefix/share/pixmaps" -name "$icon.*" 2>/dev/null || true; } | head -1)
[ -n "$found" ] || fail "no icon named $icon under share/icons or share/pixmaps"
grep -q '<svg' "$found" || fail "$found is not a picture"
echo "install-test: bin/numora, $(basename "$entry") and ${found#"$prefix"/} installed"
