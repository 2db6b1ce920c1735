#!/usr/bin/env bash
# Static checks over the project's own sources: cppcheck over everything,
# clang-tidy over what the native build compiles (its compile database).
set -euo pipefail
cd "$(dirname "$0")/.."

cppcheck --enable=warning,performance,portability --std=c++20 --inline-suppr \
    --error-exitcode=1 --quiet -I src src

mapfile -t sources < <(python3 -c '
import json
for entry in json.load(open("build/default/compile_commands.json")):
    if "/src/" in entry["file"]:
        print(entry["file"])
')
if ! output=$(clang-tidy -p build/default --quiet "${sources[@]}" 2>&1); then
    grep -v "warnings generated" <<<"$output" >&2
    exit 1
fi
echo "lint: clean (${#sources[@]} files)"
