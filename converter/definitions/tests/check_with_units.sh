#!/usr/bin/env bash
# Compares every unit of definition files with the database of Debian's units program: the
# unit's factor, as the program's own loader reads it (unit_listing.exe), is its size in the
# category's reference unit (the unit of factor 1), and units must find the same size for the
# unit's label to a relative 1e-12 (the files carry exact values or 17 digits). A label that
# units reads otherwise or not at all is translated by the tables below; a label that units
# can read neither as it is nor translated fails the check.
#
# One definition differs from units' on purpose: a hertz is a turn per second here, as
# users of rpm expect, while units takes the radian as 1 (1 rad/s = 1 Hz). The files' rpm
# and rad/s are checked against what they are here: a turn per minute, and 1/(2 pi) turn
# per second.
#
#   check_with_units.sh WINE unit_listing.exe FILE.ini...
set -Eeuo pipefail

wine=$1 listing=$2
shift 2

# Labels units reads otherwise or not at all, as "label = what units reads"; "category|label"
# names the label of one category only. Looked up first.
labels='
nautical mile = nauticalmile
sq mile = mile^2
US gal = usgallon
UK gal = brgallon
US qt = usquart
US fl oz = usfloz
short ton = shortton
long ton = longton
km/h = km/hr
speed of light = c
Btu = btu
Btu/h = btu/hr
kcal/h = kcal/hr
PS = metrichorsepower
gf = gram force
tf = tonne force
ozf = ounce force
Angle|rad = radian
grad = gon
Frequency|rpm = 1/min
Frequency|rad/s = 1/(2 pi s)
周波数|回転毎分 = 1/min
周波数|ﾗｼﾞｱﾝ毎秒 = 1/(2 pi s)
lb/US gal = lb/usgallon
m3/h = m^3/hr
US gal/min = usgallon/min
ozf in = ounce force inch
standard gravity = gravity
km/h/s = km/hr/s
foot-candle = footcandle
foot-lambert = footlambert
elementary charge = e
G = gauss
mG = milligauss
kG = kilogauss
mpg (US) = mile/usgallon
mpg (UK) = mile/brgallon
US gal/100 mi = usgallon/(100 mile)
UK gal/100 mi = brgallon/(100 mile)
角度|分 = arcmin
角度|秒 = arcsec
度 = degree
畳 (中京間) = chuukyouma
光速 = c
電気素量 = e
標準重力 = gravity
'
# Words of the Japanese labels, as "word = what units reads": a label the first table does not
# hold has each of these words replaced, longer words first ("ｷﾛﾒｰﾄﾙ毎時" reads "kilo meter / hr").
words='
ｷﾛ = kilo
ﾒｶﾞ = mega
ｷﾞｶﾞ = giga
ﾃﾗ = tera
ﾍｸﾄ = hecto
ｾﾝﾁ = centi
ﾐﾘ = milli
ﾏｲｸﾛ = micro
ﾅﾉ = nano
ﾋﾟｺ = pico
ｷﾋﾞ = kibi
ﾒﾋﾞ = mebi
ｷﾞﾋﾞ = gibi
毎 = /
秒 = s
分 = min
時 = hr
･ = *
平方ﾒｰﾄﾙ = m^2
平方ｷﾛﾒｰﾄﾙ = km^2
平方ﾐﾘﾒｰﾄﾙ = mm^2
立方ﾒｰﾄﾙ = m^3
ﾒｰﾄﾙ = meter
ｲﾝﾁ = inch
ﾌｨｰﾄ = foot
ﾏｲﾙ = mile
ﾉｯﾄ = knot
尺 = shaku
寸 = sun
間 = ken
里 = ri
ｱｰﾙ = are
ﾍｸﾀｰﾙ = hectare
ｴｰｶｰ = acre
町 = chou_area
反 = tan_area
ﾘｯﾄﾙ = liter
米ｶﾞﾛﾝ = usgallon
英ｶﾞﾛﾝ = brgallon
合 = gou
升 = shou
斗 = to
石 = koku
ｸﾞﾗﾑ = gram
ﾄﾝ = tonne
貫 = kan
斤 = kin
匁 = monme
ﾎﾟﾝﾄﾞ = pound
ｵﾝｽ = ounce
ｶﾗｯﾄ = carat
ﾊﾟｽｶﾙ = pascal
気圧 = atm
ﾊﾞｰﾙ = bar
水銀柱 = Hg
ｼﾞｭｰﾙ = joule
ｶﾛﾘｰ = calorie
ﾜｯﾄ = watt
電子ﾎﾞﾙﾄ = eV
仏馬力 = metrichorsepower
英馬力 = hp
ﾆｭｰﾄﾝ = newton
重量 = force
ﾀﾞｲﾝ = dyne
ﾗｼﾞｱﾝ = radian
ｸﾞﾗｰﾄﾞ = gon
回転 = turn
ﾊﾞｲﾄ = byte
ﾋﾞｯﾄ = bit
ﾍﾙﾂ = hertz
ｶﾞﾙ = Gal
ﾙｸｽ = lux
ﾌｰﾄｶﾝﾃﾞﾗ = footcandle
ﾌｫﾄ = phot
ﾆﾄ = nit
ﾌｰﾄﾗﾝﾊﾞｰﾄ = footlambert
ｽﾁﾙﾌﾞ = stilb
ﾗﾝﾊﾞｰﾄ = lambert
ｱﾎﾟｽﾁﾙﾌﾞ = apostilb
ﾍﾞｸﾚﾙ = becquerel
ｷｭﾘｰ = curie
ｸﾞﾚｲ = gray
ﾗﾄﾞ = rad
ｼｰﾍﾞﾙﾄ = sievert
ﾚﾑ = rem
ﾎﾟｱｽﾞ = poise
ｽﾄｰｸｽ = stokes
ｸｰﾛﾝ = coulomb
ｱﾝﾍﾟｱ = ampere
ﾌｧﾗﾄﾞ = farad
ﾃｽﾗ = tesla
ｶﾞｳｽ = gauss
'

command -v units >/dev/null || { echo "units is not installed (scripts/common.sh installs it)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A section's units past the ninth are left out without a word, so none would be compared:
# the files' own lines are counted, each section apart (two of one name are two pages), and
# a unit of factor 0, which the loader leaves out anyway, not among them.
LC_ALL=C awk '/^[ \t]*\[/ { section = $0; ++sections; next }
    /^[ \t]*"/ {
        factor = $0
        sub(/^[ \t]*"[^"]*"[ \t]*=[ \t]*/, "", factor)
        if (factor + 0 != 0 && ++count[FILENAME, sections] == 10) {
            print FILENAME ": " section " has more than nine units"; ++over
        }
    }
    END { exit over > 0 }' "$@"

# The files as the program reads them on a Japanese device, whose code page (Shift-JIS)
# the Japanese file is written in.
LC_ALL=ja_JP.UTF-8 "$wine" "$listing" "$@" >"$work/units.tsv"

# One question to units per unit: the label over its category's reference unit, each as
# units reads it, then a marker that keeps the answers apart whatever units says.
marker=123456789
export LC_ALL=C
labels=$labels words=$words awk -F '\t' -v marker="$marker" -v work="$work" '
function table(text, into, order,    lines, n, i, at, count) {
    n = split(text, lines, "\n")
    for (i = 1; i <= n; ++i) {
        if ((at = index(lines[i], " = ")) == 0) continue
        into[substr(lines[i], 1, at - 1)] = substr(lines[i], at + 3)
        order[++count] = substr(lines[i], 1, at - 1)
    }
    return count
}
function readable(category, label,    i, at, text) {
    if ((category "|" label) in named) return named[category "|" label]
    if (label in named) return named[label]
    text = label
    for (i = 1; i <= wordCount; ++i) {
        while ((at = index(text, byLength[i])) > 0) {
            text = substr(text, 1, at - 1) " " word[byLength[i]] " " \
                substr(text, at + length(byLength[i]))
        }
    }
    gsub(/  +/, " ", text)
    sub(/^ /, "", text)
    sub(/ $/, "", text)
    return text
}
BEGIN {
    table(ENVIRON["labels"], named, unused)
    wordCount = table(ENVIRON["words"], word, byLength)
    for (i = 2; i <= wordCount; ++i) { # longer words first
        for (j = i; j > 1 && length(byLength[j]) > length(byLength[j - 1]); --j) {
            swap = byLength[j]; byLength[j] = byLength[j - 1]; byLength[j - 1] = swap
        }
    }
}
{ category[NR] = $1; label[NR] = $2; factor[NR] = $3 }
$3 == 1 && !($1 in reference) { reference[$1] = $2 }
END {
    for (i = 1; i <= NR; ++i) {
        unit = readable(category[i], label[i])
        base = category[i] in reference ? readable(category[i], reference[category[i]]) : "nothing"
        print "(" unit ")/(" base ")\n\n" marker "\n" > (work "/questions")
        print category[i] "\t" label[i] "\t" factor[i] "\t" unit "\t" \
            (category[i] in reference ? reference[category[i]] : "") > (work "/units")
    }
}' "$work/units.tsv"

# units' own database only: no personal units file, US gallons and tons.
env -u UNITSFILE -u MYUNITSFILE UNITS_ENGLISH=US LC_ALL=C.UTF-8 \
    units -f '' --terse --digits 15 <"$work/questions" >"$work/answers" 2>&1 || true

awk -F '\t' -v marker="$marker" -v answers="$work/answers" '
{
    answer = ""
    while ((getline line < answers) > 0 && line != marker) answer = answer (answer == "" ? "" : "; ") line
    gsub(/  +/, " ", answer)
    ++units
    unit = "\"" $2 "\" of " $1 " (units read " $4 ")"
    if ($5 == "") { print unit ": the category has no unit of factor 1"; ++failed; next }
    if (answer !~ /^[0-9.]+(e[-+]?[0-9]+)?( |$)/) {
        print unit ": units cannot read it: " answer "; translate it in check_with_units.sh"
        ++failed; next
    }
    split(answer, number, " ")
    off = number[1] == 0 ? 1 : $3 / number[1] - 1
    # The files carry exact values or 17 digits; units answers with 15.
    if (answer !~ /^[^ ]+$/ || off > 1e-12 || off < -1e-12) {
        print unit ": " $3 " " $5 ", units says " answer; ++failed
    }
}
END {
    if (units == 0) { print "no units listed"; ++failed }
    print units + 0 " units compared with units: " failed + 0 " failed"
    exit (failed > 0 ? 1 : 0)
}' "$work/units"
