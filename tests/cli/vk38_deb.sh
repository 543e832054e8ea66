#!/usr/bin/env bash
# vk38's Debian package (packaging/deb.cmake), as CPack left it in the build
# folder: its name and control fields, its dependencies (from
# dpkg-shlibdeps), the files it holds, lintian's verdict (no error, no
# warning), programs hardened as Debian builds them, the README's vk38
# section, the copyright and the changelog as its documentation, the man
# pages and completions as the packaged programs write them, and its
# programs run from an extracted copy: vk38 --help, panel-sim --help, and a
# table read by the packaged vk38 from the packaged panel-sim. Run
# inside scripts/private-net:
#   tests/cli/vk38_deb.sh BUILD-FOLDER VERSION
set -uo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
source "$here/../support/checks.sh"
source_dir="$here/../.."
version="$2"
package="$1/vk38_${version}_$(dpkg --print-architecture).deb"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

if [ ! -f "$package" ]; then
  echo "FAIL: no package $package" >&2
  exit 1
fi

field() { dpkg-deb --field "$package" "$1"; }
expect "Package" "$(field Package)" vk38
[[ "$(field Maintainer)" =~ ^[^\<\>]+\ \<[^@\ ]+@[^@\ ]+\>$ ]] ||
  expect "Maintainer" "$(field Maintainer)" "Name <address>"
[[ "$(field Homepage)" == https://* ]] || expect "Homepage" "$(field Homepage)" "https://..."
expect "Section" "$(field Section)" net
expect "Version" "$(field Version)" "$version"
expect "Architecture" "$(field Architecture)" "$(dpkg --print-architecture)"
depends="$(field Depends)"
for library in libc6 libstdc++6; do
  [[ "$depends" =~ (^|,\ )"$library (>= "[0-9] ]] ||
    expect "Depends names $library with its version" "$depends" "... $library (>= N) ..."
done

# Exactly these files, the programs executable by all.
dpkg-deb --contents "$package" >"$work/contents"
expect "files" "$(awk '$1 !~ /^d/ {print $1, $6}' "$work/contents" | sort -k2)" \
  "-rwxr-xr-x ./usr/bin/panel-sim
-rwxr-xr-x ./usr/bin/vk38
-rw-r--r-- ./usr/share/bash-completion/completions/vk38
-rw-r--r-- ./usr/share/doc/vk38/README.md.gz
-rw-r--r-- ./usr/share/doc/vk38/changelog.gz
-rw-r--r-- ./usr/share/doc/vk38/copyright
-rw-r--r-- ./usr/share/fish/vendor_completions.d/vk38.fish
-rw-r--r-- ./usr/share/man/man1/panel-sim.1.gz
-rw-r--r-- ./usr/share/man/man1/vk38.1.gz
-rw-r--r-- ./usr/share/vk38/vk38_completion.ps1
-rw-r--r-- ./usr/share/zsh/vendor-completions/_vk38"

# What Debian asks of a package: lintian names no error and no warning.
lintian --tag-display-limit 0 "$package" >"$work/lintian" 2>&1
expect "lintian errors and warnings" "$(grep -E '^[EW]: ' "$work/lintian")" ""

dpkg-deb --extract "$package" "$work/root"
bin="$work/root/usr/bin"

# The documentation is README.md's vk38 section as it stands: from its
# heading to the next one, without the blank lines before that.
awk '/^## / { inside = ($0 == "## vk38, the command-line companion") } inside' \
  "$source_dir/README.md" | sed -e :a -e '/^\n*$/{$d;N;ba' -e '}' >"$work/section"
gzip -dc "$work/root/usr/share/doc/vk38/README.md.gz" | cmp -s "$work/section" -
expect "README.md.gz is the README's vk38 section" "$?" 0
doc="$work/root/usr/share/doc/vk38"
expect "copyright format" "$(head -n1 "$doc/copyright")" \
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"
grep -q "^ Permission is hereby granted, free of charge" "$doc/copyright"
expect "the copyright file holds the licence" "$?" 0
expect "changelog's first entry" "$(gzip -dc "$doc/changelog.gz" | head -n1)" \
  "vk38 ($version) unstable; urgency=medium"

# Hardened as Debian builds programs: position-independent, full RELRO
# (read-only relocations, bound at start), the stack protector and the
# fortified C library calls.
for program in vk38 panel-sim; do
  elf="$work/root/usr/bin/$program"
  expect "$program is PIE" "$(readelf -d "$elf" | grep -c 'Flags:.*PIE')" 1
  expect "$program has RELRO" "$(readelf -l "$elf" | grep -c GNU_RELRO)" 1
  expect "$program is bound now" "$(readelf -d "$elf" | grep -c 'FLAGS_1.*NOW')" 1
  expect "$program has the stack protector" \
    "$(readelf --dyn-syms -W "$elf" | grep -c ' __stack_chk_fail@')" 1
done
expect "vk38 calls fortified functions" "$(readelf --dyn-syms -W "$work/root/usr/bin/vk38" |
  grep -c ' __[a-z]*_chk@' | sed 's/^[1-9][0-9]*$/some/')" some

# The man page (compressed, as Debian keeps them) and the completions are
# what the packaged vk38 writes, and the page renders without a warning.
share="$work/root/usr/share"
for file in man:man/man1/vk38.1.gz bash:bash-completion/completions/vk38 \
  zsh:zsh/vendor-completions/_vk38 fish:fish/vendor_completions.d/vk38.fish \
  powershell:vk38/vk38_completion.ps1; do
  format="${file%%:*}"
  "$bin/vk38" --generate "$format" >"$work/$format"
  expect "vk38 --generate $format exit code" "$?" 0
  if [[ $file == *.gz ]]; then
    gzip -dc "$share/${file#*:}" | cmp -s - "$work/$format"
  else
    cmp -s "$share/${file#*:}" "$work/$format"
  fi
  expect "${file#*:} is what vk38 --generate $format writes" "$?" 0
done
for page in vk38 panel-sim; do
  expect "$page man page warnings" \
    "$(gzip -dc "$share/man/man1/$page.1.gz" | groff -man -Tutf8 -ww -z 2>&1)" ""
done
# panel-sim's page is what help2man makes of the packaged panel-sim's help.
for told in "simulate a panel at address A" "the control channel's TCP port"; do
  "$bin/panel-sim" --help | grep -qF "$told" &&
    MANWIDTH=200 man -l "$share/man/man1/panel-sim.1.gz" 2>/dev/null | col -b | grep -qF "$told"
  expect "panel-sim's help and man page tell \"$told\"" "$?" 0
done
"$bin/panel-sim" --help >/dev/null
expect "panel-sim --help exit code" "$?" 0

"$bin/vk38" --help >"$work/help" 2>&1
expect "vk38 --help exit code" "$?" 0
expect "vk38 --help subcommands" \
  "$(awk '/^Subcommands:/ {on = 1; next} on && /^  [a-z]/ {print $1}' "$work/help" | head -5 |
    tr '\n' ' ')" \
  "table setup log auth upgrade "

"$source_dir/scripts/with-simulator" "$bin/panel-sim" \
  "$bin/vk38" table get VK1 -o "$work/vk1.csv" >"$work/table" 2>&1
expect "vk38 table get from panel-sim" "$?" 0
expect "table rows" "$(wc -l <"$work/vk1.csv" 2>/dev/null)" 102

checks_end "vk38 package: all checks passed" "$work/contents" "$work/lintian" "$work/help" \
  "$work/table"
