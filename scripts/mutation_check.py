#!/usr/bin/env python3
"""Applies hand-made mutations one at a time and reports which the tests catch.

Usage: scripts/mutation_check.py [--build DIR] [--list FILE] [--only N,...]

Each line of the list (scripts/mutations.txt) names a source file, a line number, a text
on that line and its replacement, separated by tabs. For every mutation the script
rebuilds the test programs that use the mutated file (TEST_PROGRAMS below; they stand
for the whole suite, since no other program calls the mutated code) and runs them; a
mutation is caught when one of them fails. Every mutated file is restored afterwards.
"""
import argparse
import os
import pathlib
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent

# The test programs that use each folder's code; glossmark-tra is run by the tools tests.
TEST_PROGRAMS = {
    "checks/": ["glossmark_checks_tests", "glossmark_checks_gui_tests", "glossmark_tools_tests",
                "resources_tests", "app_tests"],
    "model/": ["glossmark_model_tests", "glossmark_tools_tests", "editor_tests"],
    "view/": ["view_find_tests", "view_inplace_tests", "view_tree_tests", "app_tests"],
}
HELPERS = ["glossmark-tra", "editor_language_files"]  # what the tools tests run or read


def read_mutations(path):
    mutations = []
    for line in path.read_text(encoding="utf-8").splitlines():
        if not line.strip() or line.startswith("#"):
            continue
        file, number, text, replacement = line.split("\t", 3)
        mutations.append((file, int(number), text, replacement))
    return mutations


def programs_for(file):
    for prefix, programs in TEST_PROGRAMS.items():
        if file.startswith(prefix):
            return programs
    raise SystemExit(f"no test programs known for {file}")


def run(command, cwd, log, timeout=None):
    with open(log, "a") as out:
        try:
            return subprocess.run(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT,
                                  timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            return -1


def caught_by(build, programs, log):
    """Builds and runs the programs one after the other; the first that fails, or None.

    A program is built only when the ones before it passed, which keeps a caught
    mutation cheap."""
    for program in programs:
        helpers = HELPERS if program == "glossmark_tools_tests" else []
        if run(["cmake", "--build", str(build), "-j2", "--target", program, *helpers], ROOT, log) != 0:
            return "does not compile"
        found = [p for p in build.glob(f"tests/**/{program}") if p.is_file()]
        if not found:
            raise SystemExit(f"{program} not built")
        if run([str(found[0]), "--gtest_brief=1"], found[0].parent, log, timeout=600) != 0:
            return program
    return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=str(ROOT / "build"))
    parser.add_argument("--list", default=str(ROOT / "scripts" / "mutations.txt"))
    parser.add_argument("--only", default="")
    args = parser.parse_args()
    build = pathlib.Path(args.build).resolve()
    only = {int(n) for n in args.only.split(",") if n}
    os.environ["QT_QPA_PLATFORM"] = "offscreen"
    totals = {}
    for index, (file, number, text, replacement) in enumerate(read_mutations(pathlib.Path(args.list)), 1):
        if only and index not in only:
            continue
        programs = programs_for(file)
        source = ROOT / file
        original = source.read_text(encoding="utf-8")
        lines = original.split("\n")
        if text not in lines[number - 1]:
            print(f"{index:2} {file}:{number}: text not found", flush=True)
            continue
        lines[number - 1] = lines[number - 1].replace(text, replacement, 1)
        started = time.time()
        log = build / f"mutation-{index}.log"
        log.unlink(missing_ok=True)
        try:
            source.write_text("\n".join(lines), encoding="utf-8")
            result = caught_by(build, programs, log)
            verdict = ("SURVIVED" if result is None else result if result == "does not compile"
                       else f"caught by {result}")
        finally:
            source.write_text(original, encoding="utf-8")
        hits, total = totals.get(file, (0, 0))
        totals[file] = (hits + verdict.startswith("caught"), total + 1)
        print(f"{index:2} {file}:{number}: {text!r} -> {replacement!r}: {verdict}"
              f" ({time.time() - started:.0f} s)", flush=True)
    for file, (hits, total) in totals.items():
        print(f"{file}: {hits}/{total} caught")
    # Leave no mutated program behind.
    run(["cmake", "--build", str(build), "-j2"], ROOT, build / "mutation-restore.log")
    return 0


if __name__ == "__main__":
    sys.exit(main())
