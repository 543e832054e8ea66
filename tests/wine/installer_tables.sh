#!/usr/bin/env bash
# The installer's tables as msitools reads them, without Wine: the
# Manufacturer, help and about links and contact of packaging/version.cmake;
# the product version, the fourth field folded into the third, higher for
# the next build than for this one; the upgrade rows that replace an older
# or the same version and detect a newer one, and the launch condition that
# then refuses to install; and the files: the programs, vk38's PowerShell
# completer, the licence, the guide and every picture it shows.
#   tests/wine/installer_tables.sh SOURCE-DIR PACKAGE.msi NEXT-BUILD.msi \
#     MANUFACTURER CONTACT HELP-LINK ABOUT-LINK PRODUCT-VERSION
set -uo pipefail
source_dir="$1"
package="$2"
next_build="$3"
source "$source_dir/tests/support/checks.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The rows of a table, tab-separated, without the three lines of its header.
table() { msiinfo export "$1" "$2" | tail -n +4 | tr -d '\r'; }
property() { table "$1" Property | awk -F '\t' -v name="$2" '$1 == name { print $2 }'; }

table "$package" Property >"$work/properties"
expect "Manufacturer" "$(property "$package" Manufacturer)" "$4"
expect "ARPCONTACT" "$(property "$package" ARPCONTACT)" "$5"
expect "ARPHELPLINK" "$(property "$package" ARPHELPLINK)" "$6"
expect "ARPURLINFOABOUT" "$(property "$package" ARPURLINFOABOUT)" "$7"
version="$(property "$package" ProductVersion)"
expect "ProductVersion" "$version" "$8"
next_version="$(property "$next_build" ProductVersion)"
[ "$(printf '%s\n%s\n' "$version" "$next_version" | sort -V | tail -n1)" = "$next_version" ] &&
  [ "$version" != "$next_version" ]
expect "the next build's version $next_version is above $version" "$?" 0
expect "the next build's upgrade code" "$(property "$next_build" UpgradeCode)" \
  "$(property "$package" UpgradeCode)"

# Upgrade rows: UpgradeCode, VersionMin, VersionMax, Language, Attributes,
# Remove, ActionProperty. 768: both ends included; 2: only detect, lower
# end excluded.
code="$(property "$package" UpgradeCode)"
expect "Upgrade rows" "$(table "$package" Upgrade | awk -F '\t' '{ print $2, $3, $5, $7 }' | sort)" \
  "0.0.0 $version 768 OLDERVERSIONBEINGUPGRADED
$version  2 NEWERVERSIONDETECTED"
expect "Upgrade rows' code" "$(table "$package" Upgrade | cut -f1 | sort -u)" "$code"
expect "LaunchCondition" "$(table "$package" LaunchCondition | cut -f1)" "NOT NEWERVERSIONDETECTED"

# Files by their long names (FileName is "SHORT|long" where they differ).
table "$package" File | cut -f3 | sed 's/^.*|//' | sort >"$work/files"
for file in SetupTool.exe vk38.exe vk38_completion.ps1 LICENSE.txt user-guide.md; do
  grep -qxF "$file" "$work/files" || expect "file $file in the package" missing present
done
for picture in "$source_dir"/docs/images/*.png; do
  grep -qxF "$(basename "$picture")" "$work/files" ||
    expect "the guide's picture $(basename "$picture")" missing present
done

checks_end "installer tables: all checks passed" "$work/properties" "$work/files"
