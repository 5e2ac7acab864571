#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks what it holds, that
# its desktop entry and AppStream data validate, and that the program it
# installs starts.   check_package.sh BUILD_DIR
set -euo pipefail
build_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "package: $*" >&2; exit 1; }

cpack --config "$build_dir/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/out/*.deb)

expected="./usr/bin/brevint-quellan
./usr/share/applications/org.brevint.Quellan.desktop
./usr/share/icons/hicolor/16x16/apps/org.brevint.Quellan.png
./usr/share/icons/hicolor/32x32/apps/org.brevint.Quellan.png
./usr/share/icons/hicolor/48x48/apps/org.brevint.Quellan.png
./usr/share/icons/hicolor/scalable/apps/org.brevint.Quellan.svg
./usr/share/metainfo/org.brevint.Quellan.metainfo.xml"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
[[ "$files" == "$expected" ]] || fail "holds"$'\n'"$files"$'\n'"instead of"$'\n'"$expected"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 qt6-qpa-plugins fonts-liberation2; do
  [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

dpkg-deb -x "$deb" "$work/root"
share=$work/root/usr/share
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$share/applications/org.brevint.Quellan.desktop"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$share/metainfo/org.brevint.Quellan.metainfo.xml" >/dev/null
fi
grep -qx 'Exec=brevint-quellan' "$share/applications/org.brevint.Quellan.desktop" ||
  fail "the desktop entry does not start the installed program"
for png in 16 32 48; do
  file "$share/icons/hicolor/${png}x${png}/apps/org.brevint.Quellan.png" | grep -q "$png x $png" ||
    fail "the ${png} px icon is not ${png} x ${png}"
done

# Started and still running two seconds later: it opened its window and waits.
status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$work/root/usr/bin/brevint-quellan" || status=$?
[[ $status -eq 124 ]] || fail "the installed program ended with status $status instead of running"
echo "package: $(basename "$deb") holds what it should and starts"
