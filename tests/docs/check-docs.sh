#!/bin/sh
# check-docs.sh SOURCE_DIR
# Runs the reference's Doxygen configuration over the public headers as a check: any warning, an
# undocumented declaration among them, fails it. Then proves that the check can fail: a copy of the
# sources with one undocumented public function added must be refused, naming it.
set -eu
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# check DIR: the project's configuration run in DIR, writing XML rather than the HTML and graphs, which
# are slower and add nothing to the warnings.
check() {
    overrides="OUTPUT_DIRECTORY=$work/out GENERATE_HTML=NO GENERATE_XML=YES HAVE_DOT=NO"
    (cd "$1" && { cat Doxyfile; printf '%s\n' $overrides; } | doxygen - 2>"$work/warnings")
}

check "$source"
if [ -s "$work/warnings" ]; then
    cat "$work/warnings"
    exit 1
fi
echo "the public headers are documented"

mkdir -p "$work/copy/tests/package"
cp -R "$source/Doxyfile" "$source/README.md" "$source/gl" "$source/docs" "$source/examples" "$work/copy/"
cp -R "$source/tests/package/consumer" "$work/copy/tests/package/"
printf '\nVISTREL_API void glUndocumentedAddition();\n' >>"$work/copy/gl/glBuffer.h"
if check "$work/copy"; then
    echo "an undocumented public function passed the check"
    exit 1
fi
grep -q 'glUndocumentedAddition' "$work/warnings"
echo "an undocumented public function fails the check"
