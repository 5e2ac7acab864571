#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks what it holds, that
# lintian finds nothing wrong with it, that its desktop entry, AppStream data
# and plan file type validate, and that the programs it installs start and
# answer.
#   check_package.sh BUILD_DIR
set -euo pipefail
build_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "package: $*" >&2; exit 1; }

cpack --config "$build_dir/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/out/*.deb)

expected="./usr/bin/brevint-quellan
./usr/bin/quellan
./usr/share/applications/org.brevint.Quellan.desktop
./usr/share/doc/brevint-quellan/changelog.gz
./usr/share/doc/brevint-quellan/copyright
./usr/share/icons/hicolor/16x16/apps/org.brevint.Quellan.png
./usr/share/icons/hicolor/32x32/apps/org.brevint.Quellan.png
./usr/share/icons/hicolor/48x48/apps/org.brevint.Quellan.png
./usr/share/icons/hicolor/scalable/apps/org.brevint.Quellan.svg
./usr/share/man/man1/brevint-quellan.1.gz
./usr/share/man/man1/quellan.1.gz
./usr/share/metainfo/org.brevint.Quellan.metainfo.xml
./usr/share/mime/packages/brevint-quellan.xml"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
[[ "$files" == "$expected" ]] || fail "holds"$'\n'"$files"$'\n'"instead of"$'\n'"$expected"

[[ "$(dpkg-deb -f "$deb" Recommends)" == *qt6-wayland* ]] || fail "Recommends lacks qt6-wayland"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 qt6-qpa-plugins fonts-liberation2; do
  [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

# The system's libraries only, not any found beside the program or in the
# directory it is started from.
dpkg-deb -x "$deb" "$work/root"
for program in "$work"/root/usr/bin/*; do
  dynamic=$(readelf -d "$program")
  [[ "$dynamic" != *"(RPATH)"* && "$dynamic" != *"(RUNPATH)"* ]] ||
    fail "$(basename "$program") has a library search path of its own"
done

# Errors and warnings fail; lintian's informational tags do not.
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" ||
    fail "lintian finds fault with $(basename "$deb")"
fi

share=$work/root/usr/share
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$share/applications/org.brevint.Quellan.desktop"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$share/metainfo/org.brevint.Quellan.metainfo.xml" >/dev/null
fi
desktop=$share/applications/org.brevint.Quellan.desktop
grep -qx 'Exec=brevint-quellan %f' "$desktop" ||
  fail "the desktop entry does not start the installed program on the file it is given"
grep -qx 'MimeType=application/x-brevint-quellan-plan;' "$desktop" ||
  fail "the desktop entry does not open plan files"
# The type as a desktop's database will hold it: any complaint about the XML
# fails, and *.qplan must come out as the plan type, a kind of JSON.
if command -v update-mime-database >/dev/null; then
  mkdir -p "$work/mime/packages"
  cp "$share/mime/packages/brevint-quellan.xml" "$work/mime/packages/"
  # Told that the folder is searched, or it says that it is not.
  complaints=$(XDG_DATA_DIRS=$work update-mime-database "$work/mime" 2>&1) ||
    fail "update-mime-database refuses the plan type: $complaints"
  [[ -z "$complaints" ]] || fail "update-mime-database: $complaints"
  grep -qx '50:application/x-brevint-quellan-plan:\*.qplan' "$work/mime/globs2" ||
    fail "*.qplan is not the plan type:"$'\n'"$(cat "$work/mime/globs2")"
  grep -qx 'application/x-brevint-quellan-plan application/json' "$work/mime/subclasses" ||
    fail "the plan type is not a kind of JSON"
fi
for png in 16 32 48; do
  file "$share/icons/hicolor/${png}x${png}/apps/org.brevint.Quellan.png" | grep -q "$png x $png" ||
    fail "the ${png} px icon is not ${png} x ${png}"
done

# Started and still running two seconds later: it opened its window and waits.
# What it remembers and the copies of unsaved plans it looks for are the
# check's own, not the user's.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$work/root/usr/bin/brevint-quellan" || status=$?
[[ $status -eq 124 ]] || fail "the installed program ended with status $status instead of running"
# As a file manager starts it on a plan file, the planner alone.
"$work/root/usr/bin/quellan" plan --new 10.0.0.0/24 >"$work/campus.qplan" ||
  fail "the installed quellan makes no plan"
status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$work/root/usr/bin/brevint-quellan" "$work/campus.qplan" ||
  status=$?
[[ $status -eq 124 ]] || fail "on a plan file the installed program ended with status $status"
# On a Wayland compositor, with Qt's native Wayland plugin, where both are installed.
if command -v weston >/dev/null && [[ -n "$(find /usr/lib -path '*/platforms/libqwayland-generic.so' -print -quit)" ]]; then
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  weston --backend=headless-backend.so --socket=quellan-check --idle-time=0 >"$work/weston.log" 2>&1 &
  weston_pid=$!
  for _ in $(seq 50); do [[ -S "$XDG_RUNTIME_DIR/quellan-check" ]] && break; sleep 0.1; done
  status=0
  WAYLAND_DISPLAY=quellan-check QT_QPA_PLATFORM=wayland timeout 2 "$work/root/usr/bin/brevint-quellan" \
    2>"$work/wayland.log" || status=$?
  kill "$weston_pid" 2>/dev/null
  wait "$weston_pid" 2>/dev/null || true
  [[ $status -eq 124 ]] ||
    { cat "$work/weston.log" "$work/wayland.log"; fail "under Wayland the program ended with status $status"; }
  echo "package: the window runs under a Wayland compositor"
fi
cidr=$("$work/root/usr/bin/quellan" --get cidr 192.168.1.10 255.255.255.192) ||
  fail "the installed quellan ended with status $?"
[[ "$cidr" == "192.168.1.0/26" ]] || fail "the installed quellan answers $cidr"
echo "package: $(basename "$deb") holds what it should, and both programs run"
