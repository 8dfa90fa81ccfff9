# Sourced after wine_session.sh by the tests that search the demo catalogue.

DEMO_CSV=$(dirname "${BASH_SOURCE[0]}")/../../../resources/demo/catalogue.csv

# The name of the demo catalogue's first entry holding "jeu" in its name or description.
first_jeu_nom() {
    python3 -c '
import csv, sys
rows = csv.DictReader(open(sys.argv[1], encoding="utf-8"))
print(next(r["Nom"] for r in rows if "jeu" in (r["Nom"] + r["Description"]).lower()))
' "$DEMO_CSV"
}

# Types jeu and Enter into the search field, which has the focus, and checks the first match.
search_jeu() {
    xdotool type --delay 30 jeu
    xdotool key Return
    eventually text_is "Orvane Zelkis" "$LABEL4" "1/12" || fail "the counter does not read 1/12"
    local nom
    nom=$(first_jeu_nom)
    eventually text_is "Orvane Zelkis" "$LABEL6" "$nom" || fail "the name label does not read $nom"
    [ -n "$(control_text "Orvane Zelkis" "$LABEL8")" ] || fail "the description label is empty"
    [ "$(control_shown "Orvane Zelkis" "$PICTURE4")" = 0 ] || fail "the left arrow is shown at 1/12"
    [ "$(control_shown "Orvane Zelkis" "$PICTURE5")" = 1 ] || fail "the right arrow is hidden at 1/12"
}

# Saves the window's area of the screen (X Y WIDTH HEIGHT) under the test artifacts.
shoot_window() {
    [ -n "${ARTIFACTS:-}" ] || return 0
    mkdir -p "$ARTIFACTS"
    screenshot "$WORK/screen.png"
    convert "$WORK/screen.png" -crop "$3x$4+$1+$2" +repage "$ARTIFACTS/$5"
}
