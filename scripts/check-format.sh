#!/usr/bin/env bash
# Fails when a tracked C++ file differs from the style in .clang-format and names the files;
# "scripts/check-format.sh --fix" rewrites them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
offenders=$(clang-format --dry-run "${files[@]}" 2>&1 | sed -n 's/^\([^:]*\.\(cpp\|h\)\):[0-9]*:[0-9]*: .*/\1/p' | sort -u)
if [ -n "$offenders" ]; then
  echo "check-format: these files differ from .clang-format (scripts/check-format.sh --fix rewrites them):"
  echo "$offenders"
  exit 1
fi
echo "check-format: ${#files[@]} files follow .clang-format"
