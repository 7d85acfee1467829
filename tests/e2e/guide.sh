#!/usr/bin/env bash
# The user guide beside the program (the one the about window opens) names every switch and exit
# status the program's own --help gives, and every feature a user reaches from the menu.
source "$(dirname "$0")/lib.sh"

guide=${WK_GUIDE:-$(dirname "$WK_PROGRAM")/Podrecznik.html}
[ -f "$guide" ] || fail "no guide at $guide"
help=$("$WK_PROGRAM" --help)

usage=$(sed -n 's/^Usage: wiklotek \[\(.*\)\]$/\1/p' <<<"$help")
[ -n "$usage" ] || fail "no usage line in --help"
for switch in $(tr '|' '\n' <<<"$usage" | awk '{print $1}'); do
    grep -q "<code>wiklotek $switch" "$guide" || fail "the guide does not explain $switch"
done
for variable in $(grep -o 'WIKLOTEK_[A-Z_]*' <<<"$help" | sort -u); do
    grep -q "$variable" "$guide" || fail "the guide does not name $variable"
done
statuses=$(sed -n '/^Exit status:/,/^$/p' <<<"$help" | grep -oE '(^|[ ;(:])[0-9]+' | tr -dc '0-9\n' |
    sort -un)
[ -n "$statuses" ] || fail "no exit statuses in --help"
for status in $statuses; do
    grep -q "<td>$status</td>" "$guide" || fail "the guide's exit table lacks status $status"
done

for feature in Postępy Wzorce Lusterko "Zapisz CSV" "Drukuj / PDF" Podpisywanie Memory Uzupełnianie Spadające \
    Nagrania "<kbd>M</kbd>" "800 × 600" "1024 × 768" "Raport zasobów.txt" "O programie"; do
    grep -qF "$feature" "$guide" || fail "the guide does not mention $feature"
done
echo "guide: every switch, exit status and feature is named"
