#!/bin/sh
# Writes src/settings/shipped_language_hashes.cpp: the SHA-256 of every
# version of lang/*.lng ever committed and of the files as they are now. A
# language file in a program folder that still matches one of them was never
# edited by its user and may be replaced by the shipped copy. Run it after
# changing a language file.
set -eu
cd "$(dirname "$0")/.."
out=src/settings/shipped_language_hashes.cpp
list=$(mktemp)
trap 'rm -f "$list"' EXIT
for f in lang/*.lng; do sha256sum "$f" | cut -c1-64; done >>"$list"
for c in $(git log --format=%H -- lang/); do
    for f in $(git ls-tree --name-only "$c" lang/ | grep '\.lng$'); do
        git show "$c:$f" | sha256sum | cut -c1-64
    done
done >>"$list"
{
    echo '// Written by scripts/language-hashes.sh; run it again after changing lang/.'
    echo '#include "settings/language_install.h"'
    echo
    echo 'namespace planek {'
    echo
    echo 'const std::vector<std::string>& shipped_language_hashes() {'
    echo '    static const std::vector<std::string> hashes = {'
    sort -u "$list" | sed 's/.*/        "&",/'
    echo '    };'
    echo '    return hashes;'
    echo '}'
    echo
    echo '}  // namespace planek'
} >"$out"
