#!/bin/bash
# Makes dist/lista-palavras.txt, the keyboard's word list: Brazilian Portuguese words ranked by
# frequency in film subtitles, from the npm package @zxcvbn-ts/language-pt-br (MIT; its word
# data under ODC-BY, whose notice goes to dist/lista-palavras-LICENCA.txt), kept only where Debian's
# hunspell-pt-br dictionary knows them and not in scripts/words_blocked.txt (words never to
# be offered). One word a line, most frequent first, code page 1252 with CR LF. Never edit the
# output by hand: change this script or the blocked list and run it again.
#   scripts/make_words.sh
set -euo pipefail
. "$(dirname "$0")/common.sh"

VERSION=4.1.1
PACKAGES+=(hunspell hunspell-pt-br)
command -v npm >/dev/null || PACKAGES+=(nodejs npm)  # a machine may have its own Node.js
ensure_packages
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack "@zxcvbn-ts/language-pt-br@$VERSION" >/dev/null && tar xzf ./*.tgz)

# Letters only, two or more, lower case; in the list's own order.
python3 - "$work/package/src/commonWords.json" >"$work/candidates.txt" <<'PY'
import json, re, sys
letters = re.compile(r"^[a-zà-öø-ÿ]{2,}$")
seen = set()
for word in json.load(open(sys.argv[1], encoding="utf-8")):
    word = word.strip().lower()
    if letters.match(word) and word not in seen:
        seen.add(word)
        print(word)
PY
hunspell -d pt_BR -G <"$work/candidates.txt" >"$work/known.txt"
# A blocked word goes with its plurals.
grep -v '^#' "$ROOT/scripts/words_blocked.txt" | sed 'p; s/$/s/p; s/s$/es/' >"$work/blocked.txt"
grep -vxF -f "$work/blocked.txt" "$work/known.txt" |
  iconv -f UTF-8 -t CP1252 | sed 's/$/\r/' >"$ROOT/dist/lista-palavras.txt"
{ printf 'Lista de palavras do teclado do Acenora (lista-palavras.txt)\r\n\r\n'
  printf 'Feita por scripts/make_words.sh a partir do pacote npm @zxcvbn-ts/language-pt-br %s\r\n' "$VERSION"
  printf '(palavras ordenadas pela frequência em legendas de filmes), conferida com o\r\n'
  printf 'dicionário hunspell-pt-br do Debian. Aviso de licença do pacote:\r\n\r\n'
  sed 's/$/\r/' "$work/package/LICENSE.txt"
  [ -f "$work/package/NOTICE.md" ] && { printf '\r\n'; sed 's/$/\r/' "$work/package/NOTICE.md"; }
} | iconv -f UTF-8 -t CP1252//TRANSLIT >"$ROOT/dist/lista-palavras-LICENCA.txt"
log "$(wc -l <"$ROOT/dist/lista-palavras.txt") words in dist/lista-palavras.txt"
