#!/usr/bin/env python3
"""Planted-fault sampling: does the test suite notice small, realistic faults?

Each entry of tools/mutants.txt names an exact piece of source text and what to
put in its place. For every entry the tool finds the one source file that holds
the text (all .cpp and .h files outside tests/ and build folders are searched,
so the list keeps working when files move between folders), plants the fault,
rebuilds, runs the test suite and puts the file back. A fault the suite notices
is "caught"; one it does not notice "SURVIVED"; one that does not compile
"build-fails" (caught by the compiler). An entry whose text is found in no file,
or more than once, is "not applicable" and skipped.

A failed test counts only if it fails again when run on its own with the fault
still planted; otherwise it failed for load or timing, and the suite is run again
(three runs at most; a fault with nothing but such failures is "unsure"). A test
that hangs to its time limit counts at once. Note that ctest's --timeout is only
a default: tests that set their own TIMEOUT property (300 s here) keep it.
Logs go to DIR/mutants/logs/.

Usage:
    tools/mutants.py --build DIR [--only ID,...] [--list] [--out FILE]

Format of the list: blocks that start with "## id: NAME"; in a block every line
that starts with "- " is a line of the text to find and every line that starts
with "+ " a line of its replacement (several lines are joined with line ends; a
lone "-" or "+" is an empty line; a block without "+" lines deletes the text).
Other lines starting with "#", and blank lines, are comments.
"""

from __future__ import annotations

import argparse
import os
import signal
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

SOURCE_SUFFIXES = (".cpp", ".h")
TEST_TIMEOUT_S = 120
RUNS = 3  # full suite runs per fault at most, when failures turn out to be flaky


@dataclass
class Mutant:
    ident: str
    old: str
    new: str
    line_no: int
    file: Path | None = None
    matches: int = 0
    result: str = ""
    detail: str = ""
    seconds: float = 0.0
    notes: list[str] = field(default_factory=list)


class ListError(Exception):
    pass


def parse_list(path: Path) -> list[Mutant]:
    mutants: list[Mutant] = []
    current: dict | None = None

    def finish():
        if current is None:
            return
        if not current["old"]:
            raise ListError(f"{path}:{current['line']}: mutant {current['id']} has no '- ' line")
        mutants.append(Mutant(current["id"], "\n".join(current["old"]), "\n".join(current["new"]),
                              current["line"]))

    for n, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1):
        if raw.startswith("## id:"):
            finish()
            ident = raw[len("## id:"):].strip()
            if not ident or any(c.isspace() or c == "," for c in ident):
                raise ListError(f"{path}:{n}: bad mutant id {ident!r}")
            current = {"id": ident, "old": [], "new": [], "line": n}
        elif raw.startswith("- ") or raw == "-":
            if current is None:
                raise ListError(f"{path}:{n}: '-' line outside a mutant block")
            if current["new"]:
                raise ListError(f"{path}:{n}: '-' line after '+' lines in {current['id']}")
            current["old"].append(raw[2:])
        elif raw.startswith("+ ") or raw == "+":
            if current is None:
                raise ListError(f"{path}:{n}: '+' line outside a mutant block")
            current["new"].append(raw[2:])
        elif raw.strip() == "" or raw.startswith("#"):
            continue
        else:
            raise ListError(f"{path}:{n}: unexpected line: {raw!r}")
    finish()

    seen = set()
    for m in mutants:
        if m.ident in seen:
            raise ListError(f"{path}:{m.line_no}: mutant id {m.ident} used twice")
        seen.add(m.ident)
    return mutants


def excluded_dir(name: str) -> bool:
    return name == "tests" or name.startswith("build") or name.startswith(".")


def source_files(root: Path, build_dir: Path) -> list[Path]:
    files = []
    build_dir = build_dir.resolve()
    for dirpath, dirnames, filenames in os.walk(root):
        here = Path(dirpath)
        dirnames[:] = sorted(d for d in dirnames
                             if not excluded_dir(d) and (here / d).resolve() != build_dir)
        for f in sorted(filenames):
            if f.endswith(SOURCE_SUFFIXES):
                files.append(here / f)
    return files


def locate(mutants: list[Mutant], files: list[Path], root: Path) -> None:
    texts = {}
    for f in files:
        try:
            texts[f] = f.read_text(encoding="latin-1")
        except OSError:
            continue
    for m in mutants:
        found = []
        for f, text in texts.items():
            c = text.count(m.old)
            if c:
                found.append((f, c))
        m.matches = sum(c for _, c in found)
        if m.matches == 1:
            m.file = found[0][0]
        else:
            m.result = "not applicable"
            names = [str(f.relative_to(root)) for f, _ in found]
            m.detail = ("snippet not found" if m.matches == 0
                        else f"snippet found {m.matches} times in {len(found)} file(s): "
                             + ", ".join(names[:3]) + (", ..." if len(names) > 3 else ""))


# ---- planting and restoring -------------------------------------------------

class Planted:
    """Puts a fault in a file and always takes it out again.

    A copy of the original is kept in a journal file under the build folder while
    the fault is planted, so a run that was killed outright is repaired by the next.
    """

    def __init__(self, mutant: Mutant, journal: Path):
        self.mutant = mutant
        self.journal = journal
        self.original: bytes | None = None

    def __enter__(self):
        path = self.mutant.file
        assert path is not None
        self.original = path.read_bytes()
        text = self.original.decode("latin-1")
        if text.count(self.mutant.old) != 1:
            raise RuntimeError(f"{path}: snippet of {self.mutant.ident} no longer found exactly once")
        self.journal.parent.mkdir(parents=True, exist_ok=True)
        self.journal.write_text(str(path) + "\n", encoding="utf-8")
        self.journal.with_suffix(".orig").write_bytes(self.original)
        path.write_bytes(text.replace(self.mutant.old, self.mutant.new, 1).encode("latin-1"))
        return self

    def __exit__(self, *exc):
        restore(self.mutant.file, self.original, self.journal)
        return False


def restore(path: Path, original: bytes, journal: Path) -> None:
    # Ctrl-C during the restore must not leave the fault behind.
    old = signal.signal(signal.SIGINT, signal.SIG_IGN)
    try:
        path.write_bytes(original)
        for j in (journal, journal.with_suffix(".orig")):
            try:
                j.unlink()
            except FileNotFoundError:
                pass
    finally:
        signal.signal(signal.SIGINT, old)


def repair_from_journal(journal: Path) -> None:
    orig = journal.with_suffix(".orig")
    if not journal.exists() or not orig.exists():
        return
    path = Path(journal.read_text(encoding="utf-8").strip())
    print(f"Restoring {path} left planted by an interrupted run", flush=True)
    restore(path, orig.read_bytes(), journal)


# ---- build and test ----------------------------------------------------------

class Interrupted(Exception):
    pass


def on_sigterm(signum, frame):
    raise Interrupted()


def run_logged(cmd: list[str], log: Path, env=None) -> int:
    log.parent.mkdir(parents=True, exist_ok=True)
    with open(log, "wb") as out:
        out.write(("$ " + " ".join(cmd) + "\n").encode())
        out.flush()
        proc = subprocess.Popen(cmd, stdout=out, stderr=subprocess.STDOUT, env=env,
                                start_new_session=True)
        try:
            return proc.wait()
        except BaseException:
            # Stop the whole process group (build or test run) that this call started.
            try:
                os.killpg(proc.pid, signal.SIGTERM)
                proc.wait(timeout=20)
            except (ProcessLookupError, subprocess.TimeoutExpired):
                try:
                    os.killpg(proc.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                proc.wait()
            raise


def build(build_dir: Path, log: Path) -> bool:
    return run_logged(["cmake", "--build", str(build_dir)], log) == 0


def test_env():
    env = dict(os.environ)
    env["QT_QPA_PLATFORM"] = "offscreen"
    return env


def run_tests(build_dir: Path, log: Path) -> int:
    cmd = ["ctest", "--test-dir", str(build_dir), "-j2", "--timeout", str(TEST_TIMEOUT_S), "--stop-on-failure"]
    return run_logged(cmd, log, env=test_env())


def rerun_failed(build_dir: Path, log: Path) -> int:
    # One at a time, so a test that only fails under load passes here.
    cmd = ["ctest", "--test-dir", str(build_dir), "--rerun-failed", "--timeout", str(TEST_TIMEOUT_S)]
    return run_logged(cmd, log, env=test_env())


def judge(m: Mutant, build_dir: Path, logs: Path) -> None:
    """Runs the suite on the planted fault. A failure counts only when the failed
    test fails again when run on its own: a test that passes then failed for load
    or timing, and the suite is run again (at most RUNS times in all)."""
    flaky: list[str] = []
    for attempt in range(1, RUNS + 1):
        log = logs / f"{m.ident}.test{attempt}.log"
        rc = run_tests(build_dir, log)
        if rc == 0:
            m.result = "SURVIVED"
            m.detail = ("flaky on the way: " + ", ".join(flaky)) if flaky else ""
            return
        listed = failed_tests(log)
        failed = [n for n, _ in listed]
        hung = [n for n, st in listed if st == "Timeout"]
        if hung:
            # A test that runs for seconds and hangs to its time limit with the fault
            # planted is not slowed by load: no second run (it would take as long again).
            m.result = "caught"
            m.detail = "by " + ", ".join(hung[:2]) + " (timeout)"
            if flaky:
                m.detail += "; flaky on the way: " + ", ".join(flaky)
            return
        if not failed:
            # ctest itself went wrong (no test reported as failed): not a verdict on the fault.
            m.result = "error"
            m.detail = f"ctest exit {rc}, no failed test listed; see {log}"
            return
        if rerun_failed(build_dir, logs / f"{m.ident}.rerun{attempt}.log") != 0:
            m.result = "caught"
            m.detail = "by " + ", ".join(failed[:2])
            if flaky:
                m.detail += "; flaky on the way: " + ", ".join(flaky)
            return
        flaky.extend(failed)
    m.result = "unsure"
    m.detail = "only failures that passed when run again: " + ", ".join(flaky)


def failed_tests(log: Path) -> list[tuple[str, str]]:
    """(name, status) of each test that the ctest log lists as failed."""
    found = []
    try:
        lines = log.read_text(encoding="utf-8", errors="replace").splitlines()
    except OSError:
        return found
    in_list = False
    for line in lines:
        if line.startswith("The following tests FAILED:"):
            in_list = True
            continue
        if in_list:
            s = line.strip()
            if not s or " - " not in s:
                if s.startswith("Errors while running CTest"):
                    break
                continue
            name, status = s.split(" - ", 1)[1], ""
            if name.endswith(")") and " (" in name:
                name, status = name[:name.rindex(" (")], name[name.rindex(" (") + 2:-1]
            found.append((name, status))
    return found


# ---- report -----------------------------------------------------------------

def summary(mutants: list[Mutant], root: Path) -> str:
    def rel(p: Path | None) -> str:
        if p is None:
            return "-"
        try:
            return str(p.relative_to(root))
        except ValueError:
            return str(p)

    rows = [("id", "file", "result", "time", "detail")]
    for m in mutants:
        rows.append((m.ident, rel(m.file), m.result or "not run",
                     f"{m.seconds:.0f}s" if m.seconds else "", m.detail))
    widths = [max(len(r[i]) for r in rows) for i in range(4)]
    out = []
    for i, r in enumerate(rows):
        out.append("  ".join(r[k].ljust(widths[k]) for k in range(4)) + ("  " + r[4] if r[4] else ""))
        if i == 0:
            out.append("  ".join("-" * w for w in widths) + "  " + "-" * 6)

    run = [m for m in mutants if m.result in ("caught", "SURVIVED", "build-fails")]
    by_tests = sum(1 for m in run if m.result == "caught")
    by_compiler = sum(1 for m in run if m.result == "build-fails")
    survived = [m for m in run if m.result == "SURVIVED"]
    na = sum(1 for m in mutants if m.result == "not applicable")
    other = [m for m in mutants if m.result in ("unsure", "error", "interrupted", "")]
    out.append("")
    out.append(f"caught {by_tests + by_compiler} of {len(run)} applicable "
               f"(by the tests: {by_tests}, by the compiler: {by_compiler}); "
               f"survived: {len(survived)}; not applicable: {na}")
    if len(run) - by_compiler > 0:
        out.append(f"tests alone: caught {by_tests} of {len(run) - by_compiler} that compile")
    if survived:
        out.append("SURVIVED: " + ", ".join(m.ident for m in survived))
    if other:
        out.append("no verdict (" + ", ".join(sorted({m.result or "not run" for m in other})) + "): "
                   + ", ".join(m.ident for m in other))
    return "\n".join(out) + "\n"


def main() -> int:
    ap = argparse.ArgumentParser(description="Plant small faults in the core code and see whether the tests catch them.")
    ap.add_argument("--build", required=True, help="configured build folder of this source tree")
    ap.add_argument("--only", help="comma-separated mutant ids to run")
    ap.add_argument("--list", action="store_true", help="only show the mutants and where they apply")
    ap.add_argument("--out", help="also write the summary to this file")
    ap.add_argument("--mutants", help="mutant list (default: mutants.txt beside this script)")
    args = ap.parse_args()

    here = Path(__file__).resolve().parent
    root = here.parent
    list_path = Path(args.mutants) if args.mutants else here / "mutants.txt"
    build_dir = Path(args.build).resolve()
    journal = build_dir / "mutants" / "planted"

    try:
        mutants = parse_list(list_path)
    except ListError as e:
        print(f"mutants.py: {e}", file=sys.stderr)
        return 2
    if args.only:
        wanted = [s.strip() for s in args.only.split(",") if s.strip()]
        unknown = [w for w in wanted if w not in {m.ident for m in mutants}]
        if unknown:
            print(f"mutants.py: unknown mutant id(s): {', '.join(unknown)}", file=sys.stderr)
            return 2
        mutants = [m for m in mutants if m.ident in wanted]

    if not args.list and not (build_dir / "CMakeCache.txt").exists():
        print(f"mutants.py: {build_dir} is not a configured build folder", file=sys.stderr)
        return 2

    repair_from_journal(journal)
    locate(mutants, source_files(root, build_dir), root)

    if args.list:
        for m in mutants:
            where = str(m.file.relative_to(root)) if m.file else f"not applicable ({m.detail})"
            print(f"{m.ident:32s} {where}")
        return 0

    # Ctrl-C and SIGTERM end the run cleanly, even when started from a shell that
    # ignores SIGINT in background jobs.
    signal.signal(signal.SIGINT, signal.default_int_handler)
    signal.signal(signal.SIGTERM, on_sigterm)
    logs = build_dir / "mutants" / "logs"
    interrupted = False
    try:
        print("Building the clean tree...", flush=True)
        if not build(build_dir, logs / "clean.build.log"):
            print(f"mutants.py: the clean tree does not build; see {logs / 'clean.build.log'}", file=sys.stderr)
            return 1
        applicable = [m for m in mutants if m.file is not None]
        for i, m in enumerate(applicable, start=1):
            print(f"[{i}/{len(applicable)}] {m.ident} ({m.file.relative_to(root)}) ...", end=" ", flush=True)
            start = time.monotonic()
            m.result = "interrupted"
            with Planted(m, journal):
                if not build(build_dir, logs / f"{m.ident}.build.log"):
                    m.result = "build-fails"
                    m.detail = "caught by the compiler"
                else:
                    judge(m, build_dir, logs)
            m.seconds = time.monotonic() - start
            print(f"{m.result} ({m.seconds:.0f}s)", flush=True)
    except (KeyboardInterrupt, Interrupted):
        interrupted = True
        print("\nInterrupted: the planted fault was taken out.", file=sys.stderr, flush=True)
    finally:
        # The build folder is left matching the clean tree.
        signal.signal(signal.SIGINT, signal.SIG_IGN)
        signal.signal(signal.SIGTERM, signal.SIG_IGN)
        repair_from_journal(journal)
        print("Rebuilding the clean tree...", flush=True)
        if not build(build_dir, logs / "final.build.log"):
            print(f"mutants.py: the final rebuild failed; see {logs / 'final.build.log'}", file=sys.stderr)

    text = summary(mutants, root)
    print()
    print(text, end="")
    if args.out:
        Path(args.out).write_text(text, encoding="utf-8")
    return 130 if interrupted else 0


if __name__ == "__main__":
    sys.exit(main())
