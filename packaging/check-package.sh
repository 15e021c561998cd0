#!/usr/bin/env bash
# Checks a built package: what lintian says of it, its file list against packaging/package-files.txt,
# its dependencies, and the programs, man pages and bash completion as installed into a scratch root
# with dpkg -x.
#   packaging/check-package.sh PATH/vr8200-control_VERSION_amd64.deb
set -euo pipefail
deb=$1
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "vr8200-control_${version}_amd64.deb" ] || fail "unexpected file name $(basename "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libqt6widgets6; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

# Debian's own checks: nothing but the maintainer's address, which the project does not have yet (the
# Maintainer field and the changelog's signature line name the project without one).
tags=$(lintian --tag-display-limit 0 "$deb" 2>/dev/null |
  grep -v -e ': malformed-contact Maintainer ' -e ': bogus-mail-host-in-debian-changelog ' || true)
[ -z "$tags" ] || fail "lintian: $tags"

# Files only (dpkg -c lists directories with a trailing slash).
dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sort >"$root/files"
diff -u "$here/package-files.txt" "$root/files" || fail "the package's files differ from package-files.txt"

dpkg -x "$deb" "$root/tree"
bin="$root/tree/usr/bin"
for program in vr8200ctl vr8200-sim; do
  [ "$("$bin/$program" --version)" = "$program $version" ] || fail "$program --version"
done
[ "$(QT_QPA_PLATFORM=offscreen "$bin/vr8200-control" --version)" = "vr8200-control $version" ] ||
  fail "vr8200-control --version"
config=$(mktemp -d -p "$root")
rows=$("$bin/vr8200ctl" --config-dir "$config" --simulate KA dump | wc -l)
[ "$rows" -gt 100 ] || fail "vr8200ctl --simulate KA dump printed $rows lines"

for page in vr8200ctl vr8200-control vr8200-sim; do
  out=$(MANWIDTH=80 man -l "$root/tree/usr/share/man/man1/$page.1.gz" 2>"$root/man-err")
  [ ! -s "$root/man-err" ] || fail "man -l $page: $(cat "$root/man-err")"
  grep -q "^NAME" <<<"$out" || fail "man -l $page shows no NAME section"
done

completion="$root/tree/usr/share/bash-completion/completions/vr8200ctl"
[ "$(bash -c "source '$completion'; complete -p vr8200ctl")" = "complete -F _vr8200ctl vr8200ctl" ] ||
  fail "the completion does not load"
words=$(PATH="$bin:$PATH" bash -c "source '$completion'; COMP_WORDS=(vr8200ctl do); COMP_CWORD=1; _vr8200ctl; echo \${COMPREPLY[*]}")
[ "$words" = "doctor" ] || fail "completion of 'do' gave '$words'"
# The Python package as installed, on the installed vr8200ctl (found on PATH), with Debian's Python.
got=$(cd "$root" && PATH="$bin:$PATH" PYTHONPATH="$root/tree/usr/lib/python3/dist-packages" \
  PYTHONDONTWRITEBYTECODE=1 VR8200_CONFIG_DIR="$config" /usr/bin/python3 -c '
from vr8200 import Camera
with Camera(simulate="KA") as cam:
    cam.set(GA=400)
    print(cam.get("GA"), len(cam.dump()))')
[ "${got%% *}" = "400" ] || fail "the Python package on the installed vr8200ctl printed '$got'"

echo "check-package: $(basename "$deb") is fine" >&2
