#!/usr/bin/env bash
# Writes program/shipped-tariffs.sha256: the digest of every version of every
# price file in program/tariffs/ that the project's history holds. The
# installer replaces a seller's tariffs/<name>.toml only when its bytes are
# one of these (the seller never changed it); run this after changing a
# shipped price file, and commit the list with it.
set -euo pipefail
cd "$(git rev-parse --show-toplevel)"
out=program/shipped-tariffs.sha256
{
  for commit in $(git log --format=%H -- program/tariffs); do
    git ls-tree --name-only "$commit" program/tariffs/ | grep '\.toml$' | while read -r path; do
      echo "$(git show "$commit:$path" | sha256sum | cut -d' ' -f1)  $(basename "$path")"
    done
  done
  for path in program/tariffs/*.toml; do
    echo "$(sha256sum < "$path" | cut -d' ' -f1)  $(basename "$path")"
  done
} | sort -k2,2 -k1,1 -u > "$out.part"
mv "$out.part" "$out"
echo "$(wc -l < "$out") versions in $out"
