# Makes the release notes of CHANGELOG.md into what a package carries.
#   awk -v format=debian -v maintainer="NAME <MAIL>" -f release_notes.awk CHANGELOG.md
#     the Debian changelog (dch's format, one entry per release)
#   awk -v format=appstream -f release_notes.awk CHANGELOG.md
#     the <release> elements of AppStream metadata
#   awk -v format=newest -f release_notes.awk CHANGELOG.md
#     the newest release's version
# A release is "## VERSION - YYYY-MM-DD" (or "... YYYY-MM-DD HH:MM", in UTC,
# where a day has two releases; noon otherwise) followed by "- " items, each
# continued on lines indented by two spaces.

function fail(why) {
  printf "%s:%d: %s\n", FILENAME, FNR, why > "/dev/stderr"
  failed = 1
  exit 1
}

# The day of the week of a date, for the Debian changelog (Zeller's rule).
function weekday(y, m, d,    k, j) {
  if (m < 3) { m += 12; y -= 1 }
  k = y % 100; j = int(y / 100)
  return substr("SatSunMonTueWedThuFri", 3 * ((d + int(13 * (m + 1) / 5) + k + int(k / 4) + int(j / 4) + 5 * j) % 7) + 1, 3)
}

function xml(text) {
  gsub(/&/, "\\&amp;", text); gsub(/</, "\\&lt;", text); gsub(/>/, "\\&gt;", text)
  return text
}

function end_item() {
  if (item == "") return
  if (format == "appstream") printf "          <li>%s</li>\n", xml(item)
  item = ""
}

function end_release() {
  end_item()
  if (version == "") return
  if (items == 0) fail("release " version " lists nothing")
  if (format == "debian") printf "\n -- %s  %s\n", maintainer, stamp
  if (format == "appstream") print "        </ul>\n      </description>\n    </release>"
  version = ""
}

/^## / {
  end_release()
  if (!match($0, /^## [0-9]+\.[0-9]+\.[0-9]+ - [0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]( [0-2][0-9]:[0-5][0-9])?$/))
    fail("a release heading is \"## VERSION - YYYY-MM-DD\" or \"## VERSION - YYYY-MM-DD HH:MM\"")
  version = $2; date = $4; time = NF == 5 ? $5 : "12:00"; items = 0
  if (format == "newest") { print version; exit 0 }
  split(date, ymd, "-")
  months = "JanFebMarAprMayJunJulAugSepOctNovDec"
  stamp = sprintf("%s, %s %s %s %s:00 +0000", weekday(ymd[1] + 0, ymd[2] + 0, ymd[3] + 0), ymd[3],
                  substr(months, 3 * (ymd[2] - 1) + 1, 3), ymd[1], time)
  if (format == "debian") printf "%splinkard (%s) unstable; urgency=medium\n\n", (releases++ ? "\n" : ""), version
  if (format == "appstream") printf "    <release version=\"%s\" date=\"%s\">\n      <description>\n        <ul>\n", version, date
  next
}

version == "" { next }

/^- / {
  end_item()
  items++
  item = substr($0, 3)
  if (format == "debian") print "  * " item
  next
}

/^  [^ ]/ {
  if (item == "") fail("a continued line without an item above it")
  item = item " " substr($0, 3)
  if (format == "debian") print "    " substr($0, 3)
  next
}

/^$/ { end_item(); next }

{ fail("not a release heading, an item or its continuation") }

END {
  if (failed) exit 1
  if (format != "newest") end_release()
}
