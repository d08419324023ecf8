#!/usr/bin/env bash
# Counts the process-wide state of the libraries: every folder below app/ (engine to menus), no
# file exempted. Two things are counted:
#   - mutable statics: a function's `static` variable that is not const, and a namespace-scope
#     variable (thread_local included);
#   - reads of process-wide state: every call of a function that hands one of those statics out,
#     derived from the statics themselves (scripts/process-wide-accessors.pl: the function that
#     holds or names a static and each function of its file that calls it), so that a registry
#     added tomorrow is counted with its first call; and every call of an accessor named in the
#     tables of docs/architecture.md §3.4 (process-wide seams) and §4 (process-wide objects).
#     A declaration or definition is not a call. A line is counted once.
# Comment lines are skipped. The figure is their sum.
#   scripts/process-wide-reads.sh              lists both, then the figures
#   scripts/process-wide-reads.sh --count      the figures only
#   scripts/process-wide-reads.sh --accessors  the functions that hand out process-wide state
#   scripts/process-wide-reads.sh --check      the figures, and fails when the total is above the
#                                              ceiling recorded in scripts/process-wide-reads.ceiling
set -euo pipefail
cd "$(dirname "$0")/.."

libraries=(engine platform content world entities game saves view net ui menus)
ceilingFile=scripts/process-wide-reads.ceiling

sources() { grep -rnP --include='*.cpp' --include='*.h' "$1" "${libraries[@]}" || true; }
withoutComments() { grep -vP '^[^:]+:[0-9]+:\s*(//|\*)' || true; }

# A function's static: indented, not const, not a function or an assertion; a declaration of a
# static member function (a name followed by a parameter list; in a header, any indented static
# with a parameter list and no initialiser) is left out.
functionStatics() {
  sources '^\s+(static|thread_local)\s+(?!const\b|constexpr\b|inline\s+constexpr|void\b|_assert|cast)' |
    grep -vP '\bstatic\s+[\w:<>,\s\*&]+\s+\w+\s*\((?:\s*\)|\s*(?:const\s+)?[\w:]+(?:<[^()]*>)?(?:\s+|\s*[&\*]+\s*)\w+\s*[,)=])' |
    grep -vP '\bstatic\s+(bool|int|float)\s+\w+\(' |
    grep -vP '^[^:]+\.h:[0-9]+:\s+static\s+[^=]*\w\(' |
    grep -v 'static_cast' | withoutComments
}

# A variable at namespace scope (column 0): not const, not a declaration of a type, a function or
# an alias. The shader sources embedded as text are not C++.
namespaceStatics() {
  sources '^(static\s+|thread_local\s+|constinit\s+)?(?!const\b|constexpr\b|inline\s+const|using\b|typedef\b|return\b|namespace\b|class\b|struct\b|enum\b|template\b|extern\b|friend\b|static_assert|#|attribute\b|varying\b|uniform\b|precision\b)[A-Za-z_][\w:<>,\*& ]*[\s\*&]\w+(\[\w*\])?\s*(=\s*[^;()]*|\{[^}]*\})?;\s*(//.*)?$' |
    withoutComments
}

# The accessors named in the tables of §3.4 and §4: every backticked name followed by ().
accessors() {
  awk '/^### 3\.4 /{on=1} /^### 3\.5 /{on=0} /^## 4\. /{on=1} /^## 5\. /{on=0} on && /^\|/' docs/architecture.md |
    grep -oP '`[A-Za-z_:]+\(\)`' | tr -d '`' | sort -u
}

# The pattern of one accessor's calls: a qualified static (Class::get()) or a qualified free
# function as written; an unqualified free function not reached through an object or a class.
accessorPattern() {
  local name=${1%()}
  local last=${name##*::}
  if [[ "$name" == *::* ]]; then
    local owner=${name%::*}
    owner=${owner##*::}
    if [[ "$owner" =~ ^[A-Z] ]]; then
      printf '\\b%s::%s\\(\\)' "$owner" "$last"
    else
      printf '(?<![.>\\w])(%s::)?%s\\(\\)' "$owner" "$last"
    fi
  else
    printf '(?<![.>:\\w])%s\\(\\)' "$last"
  fi
}

accessorReads() {
  local patterns=()
  while read -r accessor; do patterns+=("$(accessorPattern "$accessor")"); done < <(accessors)
  local files
  mapfile -t files < <(find "${libraries[@]}" \( -name '*.cpp' -o -name '*.h' \) | sort)
  printf '%s\n' "$statics" | perl scripts/process-wide-accessors.pl --reads "${files[@]}" -- "${patterns[@]}"
}

statics=$( { functionStatics; namespaceStatics; } | sort -u)
if [ "${1:-}" = "--accessors" ]; then printf '%s\n' "$statics" | perl scripts/process-wide-accessors.pl --list; exit 0; fi
reads=$(accessorReads)
count() { [ -z "$1" ] && echo 0 || printf '%s\n' "$1" | wc -l; }
staticCount=$(count "$statics")
readCount=$(count "$reads")
total=$((staticCount + readCount))

if [ "${1:-}" = "" ]; then
  echo "== mutable statics =="
  [ -z "$statics" ] || printf '%s\n' "$statics"
  echo "== reads of process-wide state ($(printf '%s\n' "$statics" | perl scripts/process-wide-accessors.pl --list | wc -l) derived accessors, $(accessors | wc -l) named) =="
  [ -z "$reads" ] || printf '%s\n' "$reads"
fi
echo "statics: $staticCount  reads: $readCount  total: $total"

if [ "${1:-}" = "--check" ]; then
  ceiling=$(grep -oE '^[0-9]+' "$ceilingFile" | head -1)
  if [ "$total" -gt "$ceiling" ]; then
    echo "process-wide state grew: $total is above the recorded ceiling $ceiling ($ceilingFile)" >&2
    exit 1
  fi
  if [ "$total" -lt "$ceiling" ]; then
    echo "process-wide state shrank to $total: lower the ceiling in $ceilingFile"
  fi
fi
