#!/usr/bin/env bash
# Fails when a form connects a slot without the error guard.
#
# A form is a source file under a forms/ folder, a file that defines (or whose
# header of the same name defines) a class derived from a Qt window class, and
# a file that builds a QDialog of its own. In such a file every connect(), every
# QTimer::singleShot(), every addAction() and QShortcut given a functor must
# pass its functor through Guarded(...), so that a database error ends the
# action with one message and the window stays usable. A connection that only
# moves widgets (close, accept, enabling a button) says so with the marker
#     // unguarded: ui only
# on one of its lines.
#
#   scripts/check-guards.sh [ROOT]      checks ROOT (default: this repository)
#   scripts/check-guards.sh --self-test checks the script on its fixtures
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
marker='unguarded: ui only'

# The source files to look at, relative to the root; tests, scripts and build
# folders are not forms.
source_files() {
  (cd "$1" && find . \( -name .git -o -name 'build*' -o -name scripts -o -name tests \) -prune \
       -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | LC_ALL=C sort)
}

# Classes derived, directly or through other project classes, from a Qt window class.
form_classes() {
  local root=$1
  shift
  (cd "$root" && cat -- "$@" /dev/null) |
    grep -oE 'class[[:space:]]+[A-Za-z_][A-Za-z0-9_]*([[:space:]]+final)?[[:space:]]*:[[:space:]]*(public|protected|private)?[[:space:]]*[A-Za-z_:][A-Za-z0-9_:]*' |
    awk '{
      n = split($0, w, /[[:space:]:]+/)
      # w[2] is the class, the last word its first base (namespace dropped).
      print w[2], w[n]
    }' |
    awk '
      { base[NR] = $2; cls[NR] = $1 }
      END {
        split("QDialog QWidget QMainWindow QFrame QScrollArea QWizard QTableWidget QTreeWidget QTableView QLineEdit QLabel QComboBox QAbstractButton QPushButton QTabWidget QGroupBox", q, " ")
        for (i in q) form[q[i]] = 1
        do {
          grew = 0
          for (i = 1; i <= NR; i++)
            if ((base[i] in form) && !(cls[i] in form)) { form[cls[i]] = 1; grew = 1 }
        } while (grew)
        for (i = 1; i <= NR; i++) if (cls[i] in form) print cls[i]
      }' | LC_ALL=C sort -u
}

# Prints "file" for each file that is a form.
form_files() {
  local root=$1 classes=$2
  shift 2
  local f stem
  for f in "$@"; do
    case "/$f" in */forms/*) echo "$f"; continue ;; esac
    stem=${f%.*}
    if grep -qE '(^|[^A-Za-z0-9_])(QDialog[[:space:]]+[A-Za-z_]|new[[:space:]]+QDialog[[:space:]]*\()' "$root/$f" ||
       defines_form "$root/$f" "$classes" ||
       { [ -f "$root/$stem.h" ] && defines_form "$root/$stem.h" "$classes"; }; then
      echo "$f"
    fi
  done
}

defines_form() {
  local file=$1 classes=$2
  [ -n "$classes" ] || return 1
  grep -oE 'class[[:space:]]+[A-Za-z_][A-Za-z0-9_]*([[:space:]]+final)?[[:space:]]*:' "$file" |
    awk '{ print $2 }' | grep -qxF -f <(printf '%s\n' "$classes")
}

# Lists the unguarded connections of the given files as "file:line: text".
scan() {
  local root=$1
  shift
  (cd "$root" && awk -v marker="$marker" '
    function flush(   i, j, k, t, c, d, st, e, pos, name, args, nargs, ok, text, n) {
      for (i = 1; i <= nl; i++) {
        t = L[i]
        pos = 1
        while (match(substr(t, pos), /(^|[^A-Za-z0-9_])(connect|singleShot|addAction|QShortcut)[[:space:]]*\(/)) {
          st = pos + RSTART - 1
          e = st + RLENGTH - 1
          if (substr(t, st, 1) !~ /[A-Za-z_]/) st++
          name = substr(t, st, e - st)
          sub(/[[:space:]]+$/, "", name)
          pos = e + 1
          # Skip matches inside a comment or a string of this line.
          if (incomment(t, st)) continue
          # Walk the call from its opening parenthesis to the closing one.
          d = 0; nargs = 0; args = ""; ok = 0; text = ""; j = i; k = e
          instr = 0; inchr = 0; blk = 0
          while (j <= nl) {
            c = substr(L[j], k, 1)
            if (k > length(L[j])) { j++; k = 1; args = args " "; continue }
            if (blk) { if (c == "*" && substr(L[j], k + 1, 1) == "/") { blk = 0; k++ } k++; continue }
            if (instr) { if (c == "\\") k++; else if (c == "\"") instr = 0; args = args c; k++; continue }
            if (inchr) { if (c == "\\") k++; else if (c == "\047") inchr = 0; k++; continue }
            if (c == "/" && substr(L[j], k + 1, 1) == "/") { j++; k = 1; args = args " "; continue }
            if (c == "/" && substr(L[j], k + 1, 1) == "*") { blk = 1; k += 2; continue }
            if (c == "\"") { instr = 1; args = args c; k++; continue }
            if (c == "\047") { inchr = 1; k++; continue }
            if (c == "(" || c == "[" || c == "{") { d++; if (d == 1) { k++; continue } }
            if (c == ")" || c == "]" || c == "}") { d--; if (d == 0) break }
            if (d == 1 && c == ",") { A[++nargs] = args; args = ""; k++; continue }
            args = args c
            k++
          }
          A[++nargs] = args
          # Only calls that are handed a functor count.
          if ((name == "addAction" || name == "QShortcut") && nargs < 3) continue
          if (name == "connect" && nargs < 3) continue
          for (n = 1; n <= nargs; n++) if (A[n] ~ /^[[:space:]]*Guarded[[:space:]]*\(/) ok = 1
          for (n = i; n <= j && n <= nl; n++) if (index(L[n], marker)) ok = 1
          if (!ok) {
            text = t
            gsub(/^[[:space:]]+|[[:space:]]+$/, "", text)
            printf "%s:%d: %s\n", file, i, text
          }
        }
      }
    }
    # True when column `col` of line `t` lies in a // comment or a string.
    function incomment(t, col,   k, c, s) {
      s = 0
      for (k = 1; k < col; k++) {
        c = substr(t, k, 1)
        if (s) { if (c == "\\") k++; else if (c == "\"") s = 0; continue }
        if (c == "\"") s = 1
        else if (c == "/" && substr(t, k + 1, 1) == "/") return 1
      }
      return s
    }
    FNR == 1 { if (NR > 1) flush(); nl = 0; file = FILENAME }
    { L[++nl] = $0 }
    END { flush() }
  ' "$@")
}

check() {
  local root=$1
  local files forms classes out
  mapfile -t files < <(source_files "$root")
  [ "${#files[@]}" -gt 0 ] || { echo "check-guards: no sources under $root" >&2; return 2; }
  classes=$(form_classes "$root" "${files[@]}")
  mapfile -t forms < <(form_files "$root" "$classes" "${files[@]}")
  [ "${#forms[@]}" -gt 0 ] || return 0
  out=$(scan "$root" "${forms[@]}")
  if [ -n "$out" ]; then
    echo "These form connections do not run through Guarded(...):"
    echo "$out"
    echo "Wrap the slot in Guarded(...) (core/guard/FormGuard.h), or, for a connection that only"
    echo "moves widgets, add the comment '// $marker' to it."
    echo "$(echo "$out" | wc -l) unguarded connection(s) in ${#forms[@]} form file(s)."
    return 1
  fi
  echo "check-guards: ${#forms[@]} form files, every connection guarded."
}

self_test() {
  local fixtures=$here/tests/check-guards out rc=0 expected
  if out=$(check "$fixtures/fail"); then
    echo "self-test: the failing sample passed"; rc=1
  fi
  expected=$(cat "$fixtures/fail/expected.txt")
  if [ "$(echo "$out" | grep -E '^[^ ]+:[0-9]+: ')" != "$expected" ]; then
    echo "self-test: the failing sample lists"
    echo "$out"
    echo "instead of"
    echo "$expected"
    rc=1
  fi
  if ! out=$(check "$fixtures/pass"); then
    echo "self-test: the passing sample failed:"
    echo "$out"
    rc=1
  fi
  [ "$rc" -eq 0 ] && echo "check-guards self-test passed."
  return "$rc"
}

if [ "${1:-}" = "--self-test" ]; then
  self_test
else
  check "${1:-$(cd "$here/.." && pwd)}"
fi
