#!/usr/bin/env bash
# Builds the Debian package from a build folder with CPack and checks what it holds: the program,
# its desktop entry (valid, naming the program and an icon the package carries), the icon in
# every size, the manual with every picture it shows, KEYCODES.TXT, and the dependencies that
# dpkg-shlibdeps found beside the plug-ins named by hand.
# Usage: check-package.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    exit 1
fi
debs=("$work"/out/velatask_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { fail "no single velatask_*.deb"; exit 1; }
deb=${debs[0]}
dpkg-deb -x "$deb" "$work/root"
root=$work/root

expected=(
    usr/bin/velatask
    usr/share/applications/velatask.desktop
    usr/share/icons/hicolor/scalable/apps/velatask.svg
    usr/share/velatask/KEYCODES.TXT
    usr/share/velatask/manual/index.html
    usr/share/velatask/manual/help.html
)
sizes=(16 22 24 32 48 64 128 256)
for size in "${sizes[@]}"; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/velatask.png")
done
for path in "${expected[@]}"; do
    [[ -s $root/$path ]] || fail "missing $path"
done
[[ -x $root/usr/bin/velatask ]] || fail "the program is not executable"

for size in "${sizes[@]}"; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/velatask.png
    [[ -f $png ]] || continue
    actual=$(identify -format '%wx%h' "$png")
    [[ $actual == "${size}x${size}" ]] || fail "$png is $actual"
done

desktop=$root/usr/share/applications/velatask.desktop
if [[ -f $desktop ]]; then
    desktop-file-validate "$desktop" || fail "desktop entry does not validate"
    exec_word=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [[ -x $root/usr/bin/$exec_word ]] || fail "Exec=$exec_word is not the packaged program"
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    [[ -f $root/usr/share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "Icon=$icon not packaged"
    grep -qx 'Categories=Utility;Office;' "$desktop" || fail "categories"
fi

# Every picture and page the manual links to is in the package.
manual=$root/usr/share/velatask/manual
for link in $(grep -oh '\(src\|href\)="[^"#:]*' "$manual"/*.html | sed 's/.*="//' | sort -u); do
    [[ -z $link || -f $manual/$link ]] || fail "the manual links to missing $link"
done

grep -q "<h2 id=\"keys\">" "$manual/index.html" || fail "the manual has no chapters"

# The packaged program answers from its installed place (no display needed).
"$root/usr/bin/velatask" --version | grep -q '^velatask ' || fail "--version"

depends=$(dpkg-deb -f "$deb" Depends)
for dependency in libqt6core6 libqt6widgets6 libqt6sql6-sqlite qt6-qpa-plugins libqt6svg6 xdg-utils; do
    [[ $depends == *"$dependency"* ]] || fail "Depends lacks $dependency: $depends"
done
[[ $(dpkg-deb -f "$deb" Package) == velatask ]] || fail "package name"

if ((failures > 0)); then
    exit 1
fi
echo "$(basename "$deb"): $(dpkg-deb -c "$deb" | wc -l) entries, Depends: $depends"
