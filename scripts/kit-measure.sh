#!/usr/bin/env bash
# What a disc kit costs and needs: its size on the medium and as tar.xz, the newest C library
# and C++ runtime versions its ELF files ask for, and the libraries it leaves to the host.
#   scripts/kit-measure.sh KIT [--quick]    (--quick: no tar.xz, which takes a minute)
set -euo pipefail
kit=${1:?usage: scripts/kit-measure.sh KIT [--quick]}
quick=${2:-}

echo "kit size: $(du -sh "$kit" | cut -f1) ($(du -sh "$kit/quillomat" | cut -f1) program folder)"
if [ "$quick" != --quick ]; then
  echo "kit as tar.xz: $(tar -C "$kit" -cf - . | xz -9 -T0 | wc -c | numfmt --to=iec)"
fi

elf_files=()
while IFS= read -r -d '' file; do
  [ "$(head -c 4 "$file" | od -An -c | tr -d ' ')" = '177ELF' ] && elf_files+=("$file")
done < <(find "$kit/quillomat" -type f -print0)

# The highest version of one family among the kit's needed symbol versions, and who needs it.
newest() {
  local family=$1 file
  for file in "${elf_files[@]}"; do
    readelf -V --wide "$file" | grep -o "Name: ${family}_[0-9.]*" |
      awk -v file="${file#"$kit/"}" '{ print $2, file }'
  done | sort -V -k1,1 | tail -1
}
for family in GLIBC GLIBCXX CXXABI; do
  echo "newest $family version needed: $(newest $family)"
done

# Needed by some ELF file of the kit and not in it: what the host must have.
needed=$(for file in "${elf_files[@]}"; do
  readelf -d "$file" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'
done | sort -u)
host=$(comm -23 <(printf '%s\n' "$needed") <(ls "$kit/quillomat/lib" 2>/dev/null | sort))
echo "left to the host: $(printf '%s\n' "$host" | tr '\n' ' ')"
