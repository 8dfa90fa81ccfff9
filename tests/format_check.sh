#!/usr/bin/env bash
# Every C++ file tracked by git is formatted as .clang-format says. Other clang-format versions
# format some constructs differently, so the check runs with version 14 only (Debian 12's).
set -euo pipefail
SOURCE=${ORVANE_SOURCE:?ORVANE_SOURCE must name the source folder}
CLANG_FORMAT=${CLANG_FORMAT:-clang-format}
SKIP=77

command -v "$CLANG_FORMAT" >/dev/null || { echo "SKIP: $CLANG_FORMAT not installed"; exit $SKIP; }
version=$("$CLANG_FORMAT" --version)
[[ $version =~ version\ 14\. ]] || { echo "SKIP: not clang-format 14: $version"; exit $SKIP; }
git -C "$SOURCE" rev-parse --git-dir >/dev/null 2>&1 || { echo "SKIP: not a git checkout"; exit $SKIP; }

mapfile -d '' files < <(git -C "$SOURCE" ls-files -z -- '*.cpp' '*.h')
[ ${#files[@]} -gt 0 ] || { echo "FAIL: no C++ files tracked in $SOURCE" >&2; exit 1; }
cd "$SOURCE"
if ! "$CLANG_FORMAT" --dry-run -Werror "${files[@]}"; then
    echo "FAIL: files above differ from .clang-format; run: clang-format -i FILE..." >&2
    exit 1
fi
echo "${#files[@]} files formatted as .clang-format says"
