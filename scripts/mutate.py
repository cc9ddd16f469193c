#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Mutation testing of the Qt-free core: which small faults do the core tests catch?

Applies one small mutation at a time to a source file under src/ (without ui/ and app/), rebuilds
the core test binary incrementally, runs it with a time limit, restores the file and reports each
mutant as killed, survived, timed out or not compiled. A fixed-seed sample keeps a run short and
repeatable, so two runs with the same seed and sources mutate the same places.

    scripts/mutate.py [--count 150] [--seed 1] [--timeout 60] [--list] [--json FILE]
    scripts/mutate.py --replay EARLIER.json [--json FILE]   # the same mutants after changes

A developer's tool, not part of CI. It builds into build-mutate/ and never leaves a mutated file
behind: every file is restored in a finally block, and the run ends with a check of `git status`.
"""

import argparse
import dataclasses
import json
import os
import random
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build-mutate"
TEST_BINARY = BUILD / "bin" / "tunecrate_core_tests"
EXCLUDED_DIRS = {"ui", "app"}
# Sources that the Linux build does not compile: a mutant there could never be killed.
EXCLUDED_NAME = re.compile(r"(_win\.cpp$|^Win32|^Windows)")


@dataclasses.dataclass
class Mutant:
    path: str  # relative to the repository root
    line: int  # 1-based
    operator: str
    original: str
    mutated: str

    def describe(self):
        return f"{self.path}:{self.line}: {self.operator}: {self.original.strip()}  ->  {self.mutated.strip()}"


def swap(pairs):
    """Rewrites of a line that exchange one token for its partner, one occurrence at a time."""

    def apply(line):
        for old, new in pairs:
            for m in re.finditer(re.escape(old), line):
                yield line[: m.start()] + new + line[m.end():]

    return apply


def drop_not(line):
    for m in re.finditer(r"!(?=[\w(])", line):
        yield line[: m.start()] + line[m.end():]


def condition_constant(line):
    m = re.search(r"\b(if|while) \(", line)
    if not m:
        return
    start = m.end()
    depth = 1
    for i in range(start, len(line)):
        depth += {"(": 1, ")": -1}.get(line[i], 0)
        if depth == 0:
            for value in ("true", "false"):
                yield line[:start] + value + line[i:]
            return


CALL_STATEMENT = re.compile(r"^\s*(?!return\b|delete\b|throw\b)[A-Za-z_][\w:.\->]*(<[^;=]*>)?\(.*\);\s*$")


def delete_call(line):
    """A statement that is only a call: its result, if any, is unused."""
    if CALL_STATEMENT.match(line) and " = " not in line:
        indent = line[: len(line) - len(line.lstrip())]
        yield indent + ";  // call removed\n"


def return_early(line):
    """`return true;` and `return false;` swapped: the function answers the other way."""
    yield from swap([("return true;", "return false;"), ("return false;", "return true;")])(line)


FUNCTION_START = re.compile(r"^void [\w:]+\(.*\)( const)? \{$")


def return_at_start(line):
    """A function without a result returns before it does anything."""
    if FUNCTION_START.match(line.rstrip("\n")):
        yield line.rstrip("\n") + " return;\n"


OPERATORS = {
    "comparison": swap([(" < ", " <= "), (" <= ", " < "), (" > ", " >= "), (" >= ", " > "),
                        (" == ", " != "), (" != ", " == ")]),
    "negation": drop_not,
    "constant condition": condition_constant,
    "off by one": swap([(" + 1", " - 1"), (" - 1", " + 1")]),
    "call removed": delete_call,
    "return swapped": return_early,
    "return early": return_at_start,
}


def is_code(line):
    s = line.strip()
    return s and not s.startswith(("//", "#", "*", "/*")) and '"' not in s


def source_files():
    for path in sorted((ROOT / "src").rglob("*.cpp")):
        rel = path.relative_to(ROOT)
        if rel.parts[1] in EXCLUDED_DIRS or EXCLUDED_NAME.search(path.name):
            continue
        yield rel


def all_mutants():
    for rel in source_files():
        lines = (ROOT / rel).read_text(encoding="utf-8").splitlines(keepends=True)
        for number, line in enumerate(lines, 1):
            if not is_code(line):
                continue
            for name, operator in OPERATORS.items():
                for mutated in operator(line):
                    if mutated != line:
                        yield Mutant(str(rel), number, name, line, mutated)


def run(cmd, timeout=None, **kw):
    """Runs a command in a session of its own; on a timeout the whole session is killed, so that
    a program a mutant sent into an endless loop does not outlive its test. Output that is not
    UTF-8 (the tests print Latin-1 file names) is decoded with replacements."""
    with subprocess.Popen(cmd, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, errors="replace", start_new_session=True, **kw) as process:
        try:
            output, _ = process.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.communicate()
            raise
        return subprocess.CompletedProcess(cmd, process.returncode, output)


def configure():
    env = dict(os.environ, CCACHE_DISABLE="1")
    run(["cmake", "-S", ".", "-B", str(BUILD), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
         "-DTUNECRATE_BUILD_GUI=OFF", "-DTUNECRATE_BUILD_BENCHMARKS=OFF"], env=env).check_returncode()
    build = run(["cmake", "--build", str(BUILD), "--target", "tunecrate_core_tests", "tunecrate-cli"], env=env)
    if build.returncode != 0:
        sys.exit("the unmutated sources do not build:\n" + build.stdout[-3000:])
    tests = run([str(TEST_BINARY)], timeout=600)
    if tests.returncode != 0:
        sys.exit("the core tests fail before any mutation:\n" + tests.stdout[-3000:])


def judge(mutant, timeout):
    path = ROOT / mutant.path
    text = path.read_text(encoding="utf-8")
    lines = text.splitlines(keepends=True)
    assert lines[mutant.line - 1] == mutant.original, f"{mutant.path} changed since sampling"
    lines[mutant.line - 1] = mutant.mutated
    env = dict(os.environ, CCACHE_DISABLE="1")
    try:
        path.write_text("".join(lines), encoding="utf-8")
        # The CLI binary is part of the suite: its end-to-end tests start it.
        build = run(["cmake", "--build", str(BUILD), "--target", "tunecrate_core_tests", "tunecrate-cli"],
                    env=env, timeout=600)
        if build.returncode != 0:
            return "not compiled"
        try:
            tests = run([str(TEST_BINARY), "--gtest_fail_fast"], timeout=timeout)
        except subprocess.TimeoutExpired:
            return "timed out"
        return "killed" if tests.returncode != 0 else "survived"
    finally:
        path.write_text(text, encoding="utf-8")
        os.utime(path)  # newer than the mutant's object: the next build recompiles it


def replay(path):
    """The mutants of an earlier run, each found again by its line's text (the nearest line with
    that text in the same file, since edits may have moved it). Returns those found and those
    whose line is gone."""
    found, gone = [], []
    for entry in json.loads(Path(path).read_text())["mutants"]:
        mutant = Mutant(entry["path"], entry["line"], entry["operator"], entry["original"],
                        entry["mutated"])
        source = ROOT / mutant.path
        lines = source.read_text(encoding="utf-8").splitlines(keepends=True) if source.exists() else []
        matches = [i + 1 for i, line in enumerate(lines) if line == mutant.original]
        if matches:
            mutant.line = min(matches, key=lambda n: abs(n - mutant.line))
            found.append(mutant)
        else:
            gone.append(mutant)
    return found, gone


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--count", type=int, default=150, help="mutants in the sample (default 150)")
    parser.add_argument("--seed", type=int, default=1, help="seed of the sample (default 1)")
    parser.add_argument("--timeout", type=int, default=60, help="seconds for one test run (default 60)")
    parser.add_argument("--list", action="store_true", help="print the sample and mutate nothing")
    parser.add_argument("--json", help="also write the results to this file")
    parser.add_argument("--replay", metavar="JSON",
                        help="mutate the sample of an earlier run's --json file instead of drawing one")
    args = parser.parse_args()

    if args.replay:
        sample, gone = replay(args.replay)
        print(f"sample of {len(sample)} from {args.replay}; {len(gone)} no longer found:", flush=True)
        for m in gone:
            print("  " + m.describe(), flush=True)
    else:
        mutants = list(all_mutants())
        sample = random.Random(args.seed).sample(mutants, min(args.count, len(mutants)))
        sample.sort(key=lambda m: (m.path, m.line, m.operator, m.mutated))
        print(f"{len(mutants)} possible mutants; sample of {len(sample)} with seed {args.seed}",
              flush=True)
    if args.list:
        for m in sample:
            print(m.describe())
        sys.stdout.flush()
        return 0

    configure()
    results = []
    started = time.time()
    try:
        for i, mutant in enumerate(sample, 1):
            verdict = judge(mutant, args.timeout)
            results.append((mutant, verdict))
            print(f"[{i}/{len(sample)}] {verdict:12} {mutant.describe()}", flush=True)
    finally:
        dirty = run(["git", "status", "--porcelain", "--", "src"]).stdout.strip()
        if dirty:
            print("WARNING: sources differ from git after the run:\n" + dirty, file=sys.stderr)

    counts = {v: sum(1 for _, r in results if r == v)
              for v in ("killed", "timed out", "survived", "not compiled")}
    judged = counts["killed"] + counts["timed out"] + counts["survived"]
    score = 100.0 * (counts["killed"] + counts["timed out"]) / judged if judged else 0.0
    print(f"\n{counts['killed']} killed, {counts['timed out']} timed out, {counts['survived']} survived, "
          f"{counts['not compiled']} not compiled; score {score:.1f}% "
          f"({(time.time() - started) / 60:.1f} min)")
    survivors = [m for m, r in results if r == "survived"]
    if survivors:
        print("Survivors:")
        for m in survivors:
            print("  " + m.describe())
    if args.json:
        Path(args.json).write_text(json.dumps({
            "seed": args.seed, "count": len(sample), "score": score, **counts,
            "mutants": [dict(dataclasses.asdict(m), verdict=r) for m, r in results]}, indent=1))
    return 0


if __name__ == "__main__":
    sys.exit(main())
