# Sourced by fuzz/run.sh and the Windows CI stage, from the repository's root: the inputs of
# each fuzz target.
#   seeds_of TARGET      the test fixtures and demo files the fuzzer starts from
#   fuzz_inputs TARGET   every input kept for TARGET, one path a line: the seeds, the inputs
#                        that once were trouble (fuzz/regressions/) and what the fuzzer has
#                        collected in build-fuzz/corpus/ (QUILLOMAT_FUZZ_BUILD), when present

seeds_of() {
  case "$1" in
    inifile) echo tests/data/catalogue/*.ini tests/data/catalogue/*.qmf tests/data/app/skin/*.ini \
                  examples/program/*.ini examples/program/*.qmf examples/disc/packages/skins/*.ini ;;
    richtext) echo tests/data/richtext/golden/*.rtf tests/data/richtext/crashes/*.rtf \
                   tests/data/app/*.rtf tests/data/catalogue/*.rtf examples/program/*.rtf \
                   tests/data/catalogue/description.txt ;;
    menufile) echo tests/data/catalogue/*.qmf examples/program/*.qmf ;;
    skin) echo tests/data/app/skin/*.ini examples/disc/packages/skins/*.ini ;;
  esac
}

fuzz_inputs() {
  local corpus=${QUILLOMAT_FUZZ_BUILD:-build-fuzz}/corpus/$1
  # shellcheck disable=SC2046 # the seeds are globs
  printf '%s\n' $(seeds_of "$1") fuzz/regressions/"$1"/*
  if [ -d "$corpus" ]; then
    find "$corpus" -type f | sort
  fi
}
