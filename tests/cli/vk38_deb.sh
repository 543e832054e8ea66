#!/usr/bin/env bash
# vk38's Debian package (packaging/deb.cmake), as CPack left it in the build
# folder: its name and control fields, its dependencies (from
# dpkg-shlibdeps), the files it holds, the README's vk38 section as its
# documentation, the man page and completions as the packaged vk38 writes
# them, and its programs run from an extracted copy: vk38 --help, and a
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
-rw-r--r-- ./usr/share/doc/vk38/README.md
-rw-r--r-- ./usr/share/man/man1/vk38.1.gz
-rw-r--r-- ./usr/share/vk38/vk38_completion.ps1
-rw-r--r-- ./usr/share/zsh/vendor-completions/_vk38"

dpkg-deb --extract "$package" "$work/root"
bin="$work/root/usr/bin"

# The documentation is README.md's vk38 section as it stands: from its
# heading to the next one, without the blank lines before that.
awk '/^## / { inside = ($0 == "## vk38, the command-line companion") } inside' \
  "$source_dir/README.md" | sed -e :a -e '/^\n*$/{$d;N;ba' -e '}' >"$work/section"
cmp -s "$work/section" "$work/root/usr/share/doc/vk38/README.md"
expect "README.md is the README's vk38 section" "$?" 0

# The man page (compressed, as Debian keeps them) and the completions are
# what the packaged vk38 writes, and the page renders without a warning.
share="$work/root/usr/share"
for file in man:man/man1/vk38.1.gz bash:bash-completion/completions/vk38 \
  zsh:zsh/vendor-completions/_vk38 powershell:vk38/vk38_completion.ps1; do
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
expect "man page warnings" "$(gzip -dc "$share/man/man1/vk38.1.gz" | groff -man -Tutf8 -ww -z 2>&1)" ""

"$bin/vk38" --help >"$work/help" 2>&1
expect "vk38 --help exit code" "$?" 0
expect "vk38 --help subcommands" \
  "$(awk '/^Subcommands:/ {on = 1; next} on && NF {print $1}' "$work/help" | head -5 | tr '\n' ' ')" \
  "table setup log auth upgrade "

"$source_dir/scripts/with-simulator" "$bin/panel-sim" \
  "$bin/vk38" table get VK1 -o "$work/vk1.csv" >"$work/table" 2>&1
expect "vk38 table get from panel-sim" "$?" 0
expect "table rows" "$(wc -l <"$work/vk1.csv" 2>/dev/null)" 102

checks_end "vk38 package: all checks passed" "$work/contents" "$work/help" "$work/table"
