#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One entry point for developers and CI.
#   scripts/dev.sh run [ARGS...]     install what is needed, build, start the program
#   scripts/dev.sh test              install what is needed, build, run every test through CTest
#   scripts/dev.sh test-asan         the same tests built with AddressSanitizer + UBSan
#   scripts/dev.sh test-tsan         the same tests, the GUI's too, built with ThreadSanitizer
#   scripts/dev.sh test-windows      the core, the CLI and the desktop program cross-built for
#                                    Windows, tested under wine (the windows on a virtual display)
#   scripts/dev.sh package-windows   the Windows installer and portable zip (build-windows/)
#   scripts/dev.sh package-windows-check  build them, install silently under wine, start the
#                                    installed program, uninstall; start the zip's copy portable
#   scripts/dev.sh build [VARIANT]   only build (VARIANT: release, program, asan, tsan, windows)
#   scripts/dev.sh bench             build and run the benchmarks
#   scripts/dev.sh format[-check]    rewrite the sources with clang-format, or fail on drift
#   scripts/dev.sh package           build the Debian package build/tunecrate_VERSION_ARCH.deb
#   scripts/dev.sh package-check     build it, check it (lintian, appstreamcli), install it with
#                                    apt-get, run the installed programs, remove it (as root)
#   scripts/dev.sh fuzz TARGET SECS  run one libFuzzer target (fuzz/) for SECS seconds (clang,
#                                    ASan+UBSan); any crash, leak or slow input fails
#   scripts/dev.sh fuzz-all SECS     every fuzz target for SECS seconds each
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

jobs=$(nproc 2>/dev/null || echo 2)

configure_and_build() {
  local variant=$1 dir flags=()
  case "$variant" in
    release) dir=build; flags=(-DTUNECRATE_BUILD_TESTS=ON -DTUNECRATE_BUILD_BENCHMARKS=ON) ;;
    # The programs alone, for running and packaging: no test or benchmark libraries needed.
    program) dir=build; flags=(-DTUNECRATE_BUILD_TESTS=OFF -DTUNECRATE_BUILD_BENCHMARKS=OFF) ;;
    asan) dir=build-asan; flags=(-DTUNECRATE_ASAN=ON -DTUNECRATE_BUILD_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug) ;;
    # With the GUI: its transfer tests run the job's thread beside Qt's (Qt itself is not
    # instrumented; tests/tsan.supp leaves out races inside Qt's own libraries, none of ours).
    tsan) dir=build-tsan; flags=(-DTUNECRATE_TSAN=ON -DTUNECRATE_BUILD_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug) ;;
    fuzz) dir=build-fuzz; flags=(-DCMAKE_CXX_COMPILER=clang++ -DTUNECRATE_FUZZ=ON -DTUNECRATE_BUILD_TESTS=OFF
      -DTUNECRATE_BUILD_BENCHMARKS=OFF -DTUNECRATE_BUILD_GUI=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
    windows) dir=build-windows; flags=(-DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64-posix.cmake
      -DTUNECRATE_BUILD_GUI=OFF -DTUNECRATE_BUILD_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Release) ;;
    *) echo "unknown build variant: $variant" >&2; exit 2 ;;
  esac
  if [ "${CI:-}" = "true" ]; then flags+=(-DTUNECRATE_WERROR=ON); fi
  # ccache, where installed, shares objects between build folders and work trees of the project.
  if command -v ccache >/dev/null; then
    flags+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
  fi
  cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
  # BUILD_TARGETS, when set, builds only those targets.
  cmake --build "$dir" -j "$jobs" ${BUILD_TARGETS:+--target $BUILD_TARGETS}
  BUILD_DIR=$dir
}

run_tests() {
  local dir=$1; shift
  export QT_QPA_PLATFORM=offscreen
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" "$@"
}

cmd=${1:-}
[ $# -gt 0 ] && shift
case "$cmd" in
  run)
    scripts/install-deps.sh build
    configure_and_build program
    if [ -x "$BUILD_DIR/bin/tunecrate" ]; then
      exec "$BUILD_DIR/bin/tunecrate" "$@"
    fi
    exec "$BUILD_DIR/bin/tunecrate-cli" "${@:---help}"
    ;;
  test)
    scripts/install-deps.sh test
    configure_and_build release
    run_tests "$BUILD_DIR"
    ;;
  test-asan)
    scripts/install-deps.sh test
    configure_and_build asan
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      LSAN_OPTIONS=suppressions=$root/tests/lsan.supp run_tests "$BUILD_DIR"
    ;;
  test-tsan)
    scripts/install-deps.sh test
    configure_and_build tsan
    TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$root/tests/tsan.supp \
      run_tests "$BUILD_DIR"
    ;;
  test-windows)
    scripts/install-deps.sh windows
    configure_and_build windows
    # A throwaway wine prefix inside the build folder; the window tests start their own display.
    export WINEPREFIX=$root/$BUILD_DIR/wineprefix WINEDEBUG=-all
    unset DISPLAY WAYLAND_DISPLAY
    rm -rf "$WINEPREFIX"
    status=0
    ctest --test-dir "$BUILD_DIR" --output-on-failure || status=$?
    wineserver -k 2>/dev/null || true
    exit $status
    ;;
  package-windows|package-windows-check)
    scripts/install-deps.sh windows
    BUILD_TARGETS="tunecrate tunecrate-cli tunecrate_window_probe" configure_and_build windows
    rm -f "$BUILD_DIR"/tunecrate-*-windows-*
    (cd "$BUILD_DIR" && cpack >/dev/null)
    ls "$root/$BUILD_DIR"/tunecrate-*-windows-*
    [ "$cmd" = package-windows ] && exit 0
    WINEPREFIX=$root/$BUILD_DIR/wineprefix-package exec scripts/windows-package-check.sh "$BUILD_DIR"
    ;;
  build)
    case "${1:-release}" in
      program) scripts/install-deps.sh build ;;
      windows) scripts/install-deps.sh windows ;;
      *) scripts/install-deps.sh test ;;
    esac
    configure_and_build "${1:-release}"
    ;;
  fuzz|fuzz-all)
    scripts/install-deps.sh fuzz
    if [ "$cmd" = fuzz ]; then
      targets=("${1:?which target? see fuzz/CMakeLists.txt}"); seconds=${2:-60}
    else
      targets=(ini_reader collection_loader settings_loader size_parser cli_options playlist_reader); seconds=${1:-60}
    fi
    configure_and_build fuzz
    for target in "${targets[@]}"; do
      # A working corpus seeded from the committed one, so that findings never change the
      # repository by themselves.
      corpus=$BUILD_DIR/corpus/$target
      mkdir -p "$corpus"
      cp -n fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
      echo "fuzzing $target for $seconds s"
      log=$BUILD_DIR/fuzz-$target.log
      if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$BUILD_DIR/bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$BUILD_DIR/fuzz-$target-" -print_final_stats=1 "$corpus" >"$log" 2>&1; then
        tail -40 "$log" >&2
        echo "fuzz target $target failed; the input is in $BUILD_DIR/fuzz-$target-*" >&2
        exit 1
      fi
      grep -E '^stat::number_of_executed_units|^Done' "$log" || tail -3 "$log"
    done
    ;;
  format|format-check)
    scripts/install-deps.sh test
    cmake -S . -B build -G Ninja >/dev/null
    cmake --build build --target "$cmd"
    # Every source file names its licence in its first lines.
    unlicensed=$(git ls-files -- 'src/*' 'tests/*' 'fuzz/*' 'bench/*' 'tools/*' 'scripts/*' \
      '*CMakeLists.txt' '*.cmake' | grep -E '\.(h|cpp|rc|sh|py|cmake)$|CMakeLists\.txt$' |
      while read -r f; do head -3 "$f" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' || echo "$f"; done)
    if [ -n "$unlicensed" ]; then
      echo "files without an SPDX licence line:" >&2
      echo "$unlicensed" >&2
      [ "$cmd" = format-check ] && exit 1
    fi
    ;;
  package|package-check)
    scripts/install-deps.sh package
    configure_and_build program
    rm -f "$BUILD_DIR"/tunecrate_*.deb
    (cd "$BUILD_DIR" && cpack -G DEB >/dev/null)
    deb=$(ls "$root/$BUILD_DIR"/tunecrate_*.deb)
    echo "$deb"
    [ "$cmd" = package ] && exit 0
    lintian --fail-on error "$deb"
    appstreamcli validate --no-net packaging/*.metainfo.xml
    # Without the recommended UDisks2: the check needs none of it, and it would stay behind.
    apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
    trap 'apt-get remove -y -qq tunecrate >/dev/null' EXIT
    tunecrate-cli --version
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM tunecrate --version  # no display needed
    MANWIDTH=80 man tunecrate-cli | grep -q "tunecrate-cli - fill a music stick"
    dpkg-deb -f "$deb" Suggests | grep -q bash-completion
    # The man page and the completion know every option.
    manual=$(MANWIDTH=200 man tunecrate-cli 2>/dev/null)
    for word in --recursive --per-folder --number --no-number --playlist --balance --dry-run \
      "JSON OUTPUT" FILES Tunecrate.ini COLLECTION.lock; do
      grep -q -- "$word" <<<"$manual" || { echo "the man page lacks $word" >&2; exit 1; }
    done
    MANWIDTH=200 man tunecrate | grep -q FILES
    offers() {  # what the installed completion offers after the words given
      bash -c '_init_completion() { words=("${COMP_WORDS[@]}"); cword=$COMP_CWORD
          cur=${words[cword]}; prev=${words[cword - 1]}; }
        _filedir() { COMPREPLY=(FILES); }
        source /usr/share/bash-completion/completions/tunecrate-cli
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _tunecrate_cli; echo "${COMPREPLY[*]}"' _ "$@"
    }
    [ "$(offers tunecrate-cli fill c.ini /media/s --balance '')" = "folder none" ]
    for word in --per-folder --number --no-number --playlist --balance --dry-run; do
      offers tunecrate-cli fill -- | grep -q -- "$word" || { echo "no completion: $word" >&2; exit 1; }
    done
    offers tunecrate-cli add -- | grep -q -- --recursive
    # A small fill with the installed program.
    work=$(mktemp -d)
    mkdir "$work/music" "$work/stick"
    for i in 1 2 3; do head -c 100000 /dev/zero > "$work/music/song$i.mp3"; done
    tunecrate-cli --settings "$work/s.ini" ext add mp3
    tunecrate-cli --settings "$work/s.ini" add "$work/c.ini" "$work/music"
    tunecrate-cli --settings "$work/s.ini" fill "$work/c.ini" "$work/stick" --folder --limit 250K
    [ "$(ls "$work/stick" | wc -l)" -eq 2 ]
    rm -rf "$work"
    echo "package checked: $deb"
    ;;
  bench)
    scripts/install-deps.sh test
    configure_and_build release
    for b in "$BUILD_DIR"/bin/bench_*; do
      [ -x "$b" ] && [ "${b##*/}" != bench_responsiveness ] && "$b" "$@"
    done
    # The longest gap between event-loop turns of the window while it counts, walks and copies.
    QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bin/bench_responsiveness"
    ;;
  *)
    sed -n '2,20p' "$0" >&2
    exit 2
    ;;
esac
