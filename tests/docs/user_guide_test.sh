#!/usr/bin/env bash
# The operator's guide and its pictures: every picture that a document
# names is in docs/images, every picture there is named by a document (none
# left behind by an old tour), the guide has a section with a picture for
# each tab of the program (the labels of the main window's tabs) and
# shows the main window at 96 and 144 DPI and the version box, and the
# README links to it.
#   tests/docs/user_guide_test.sh SOURCE-DIR
set -uo pipefail
root="$1"
source "$root/tests/support/checks.sh"
docs="$root/docs"
guide="$docs/user-guide.md"

named="$(grep -ho '(images/[^)]*)' "$docs"/*.md | tr -d '()' | sort -u)"
for picture in $named; do
  [ -f "$docs/$picture" ] || expect "docs/$picture, named by a document" missing present
done
for file in "$docs"/images/*; do
  picture="images/$(basename "$file")"
  grep -qxF "$picture" <<<"$named" || expect "docs/$picture" "named by no document" named
done

# The section of the guide that starts with the heading "## The TAB page".
section() { awk -v heading="## The $1 page" '/^## / { inside = ($0 == heading) } inside' "$guide"; }
# The labels of the main window's table of tabs: {"Setting", &m_setting, ...}.
tabs="$(grep -o '{"[^"]*", &m_' "$root/src/app/setup_tool_dlg.cpp" | grep -o '"[^"]*"' | tr -d '"')"
expect "tab texts found in the program" "$(wc -l <<<"$tabs")" 4
while read -r tab; do
  pictures="$(section "$tab" | grep -c '!\[[^]]*\](images/')"
  [ "$pictures" -gt 0 ] || expect "pictures in the guide's section \"## The $tab page\"" 0 "1 or more"
done <<<"$tabs"
for picture in main-window-96dpi main-window-144dpi version-box; do
  grep -q "(images/$picture.png)" "$guide" || expect "the guide shows $picture.png" no yes
done
grep -q '(docs/user-guide.md)' "$root/README.md" || expect "README links docs/user-guide.md" no yes

checks_end "user guide: all checks passed"
