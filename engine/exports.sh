# Sourced by the scripts that compare a library with what the program's engine loader resolves
# (tests/enginesim/check_exports.sh, packaging/build-installer.sh).

# engine_exports <engine/cef_api.h>: the names the loader resolves, one a line, in its order:
# every X(result, name, parameters) entry of the header's CEF_EXPORTS_* lists, from which the
# loader's table (engine/entry_points.cpp) is built.
engine_exports() {
  grep -oE '^[[:space:]]*X\([^,]+,[[:space:]]*cef_[a-z0-9_]+' "$1" |
    sed -E 's/.*(cef_[a-z0-9_]+)$/\1/'
}

# library_exports <objdump> <library>: the names a library exports, one a line, sorted. A PE
# (a DLL): the names in its export directory's name pointer table; an ELF shared object: the
# defined symbols of its dynamic symbol table. The objdump must read the library's format.
library_exports() {
  local objdump=$1 library=$2
  if [ "$(head -c 2 "$library")" = "MZ" ]; then
    "$objdump" -p "$library" |
      sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
      sed -nE 's/^[[:space:]]*\[[[:space:]]*[0-9]+\][[:space:]]+([^[:space:]]+).*/\1/p' | sort
  else
    "$objdump" -T "$library" | awk '$1 ~ /^[0-9a-f]+$/ && $0 !~ /\*UND\*/ {print $NF}' | sort
  fi
}
