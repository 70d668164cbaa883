#!/bin/sh
# Refreshes the source texts of both translation files from the code (keeps the existing
# translations), then fills translations from tools/translations.tsv; tools/translations-ru.tsv
# sets the Russian text of a source text explicitly (a misspelt Russian source shown corrected).
set -e
cd "$(dirname "$0")/.."
lupdate -no-obsolete -locations none app mainwindow link status settings terminal portdialog charts report station firmware replay register \
    -ts resources/terminal_ru.ts resources/terminal_en.ts
python3 tools/fill-translations.py resources/terminal_ru.ts resources/terminal_en.ts tools/translations.tsv \
    tools/translations-ru.tsv
