# Sourced by the package and installer tests: counts checks that pass and fail.
passed=0
failed=0
check() { # description, then the command that must succeed
  local description=$1
  shift
  if "$@" >/dev/null 2>&1; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $description"; fi
}
