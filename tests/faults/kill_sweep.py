#!/usr/bin/python3
"""kill_sweep.py <transvardelzarp> <sample school folder> [export|restore ...]

Kills an export and a restore at every point where they change a file, and
checks what each kill leaves. The run is traced once (strace) to list its
file-changing system calls; then, for each of them, it runs again on the
same folders and is killed (SIGKILL, by strace's injection) as it enters that
call, before the call is made.

What every kill must leave, table by table (ASIGNOMT ... DIASHORAST):
  * the .DBF byte for byte the old one or the new one;
  * never a .DBF beside the index of the other version: with the old .DBF
    the old .MDX or none, with the new one the new .MDX or none;
  * what is not in place any more (the old .DBF, the old .MDX) whole in a
    copy under COPIAS or, for an index, in a temporary beside it;
and afterwards the next export runs to the end and leaves no temporary.

Prints one line per run kind with the number of kill points and failures,
and exits 1 on any failure; 77 (skipped) where strace cannot trace here.
"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile

TABLES = ["ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "ASIGT", "DIASHORAST"]
CHANGING = ["openat", "write", "fsync", "rename", "renameat", "renameat2", "unlink",
            "unlinkat", "link", "linkat", "mkdir", "mkdirat", "rmdir", "chmod",
            "fchmod", "fchmodat", "chown", "fchown", "fchownat"]


def files(folder):
    """{name: bytes} of the regular files of a folder."""
    out = {}
    for name in os.listdir(folder):
        path = os.path.join(folder, name)
        if os.path.isfile(path) and not os.path.islink(path):
            with open(path, "rb") as f:
                out[name] = f.read()
    return out


def kept_bytes(vtemp):
    """Every file's bytes in the copies and the temporaries beside the tables."""
    found = set()
    for path in glob.glob(os.path.join(vtemp, "COPIAS", "*", "*")) + \
            glob.glob(os.path.join(vtemp, "*.tvz-*.tmp")):
        with open(path, "rb") as f:
            found.add(f.read())
    return found


def run(tool, args, strace=None):
    command = list(strace or []) + [tool] + args
    return subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode


def make_school(samples, folder, teacher):
    shutil.copytree(samples, folder)
    os.remove(os.path.join(folder, "SOLUC.DBF"))
    path = os.path.join(folder, "ZARP_PROF.TXT")
    data = open(path, "rb").read().replace(b"\n1AGM ", b"\n1" + teacher + b" ", 1)
    open(path, "wb").write(data)


def age(vtemp, years):
    """The tables dated `years` earlier: whatever the schools share, the old
    and the new tables differ."""
    for t in TABLES:
        with open(os.path.join(vtemp, t + ".DBF"), "r+b") as f:
            f.seek(1)
            year = f.read(1)[0]
            f.seek(1)
            f.write(bytes([(year - years) % 256]))


def add_indexes(vtemp, label):
    for t in TABLES:
        with open(os.path.join(vtemp, t + ".MDX"), "wb") as f:
            f.write(b"index " + label + b" " + t.encode())


class Scene:
    """A working folder before the run (`start`), and each table's old and new
    .DBF and .MDX (None: no index)."""

    def __init__(self, kind, tool, samples, scratch):
        self.kind, self.tool = kind, tool
        self.zarp_a = os.path.join(scratch, "zarp_a")
        self.zarp_b = os.path.join(scratch, "zarp_b")
        make_school(samples, self.zarp_a, b"AGA")
        make_school(samples, self.zarp_b, b"AGB")
        self.start = os.path.join(scratch, "start")
        os.mkdir(self.start)
        if run(tool, ["exportar", self.zarp_a, "--vtemp", self.start]) != 0:
            raise SystemExit("first export failed")
        age(self.start, 1)
        add_indexes(self.start, b"A")
        a = files(self.start)
        if kind == "export":
            self.args = ["exportar", self.zarp_b, "--vtemp"]
        else:
            # The restore puts back the copy of A (with its indexes) over B,
            # which has indexes of its own.
            if run(tool, ["exportar", self.zarp_b, "--vtemp", self.start]) != 0:
                raise SystemExit("second export failed")
            age(self.start, 2)
            add_indexes(self.start, b"B")
            copy = sorted(os.listdir(os.path.join(self.start, "COPIAS")))[0]
            self.args = ["restaurar", copy, "--vtemp"]
        before = files(self.start)
        done = os.path.join(scratch, "done")
        shutil.copytree(self.start, done)
        if run(tool, self.args + [done]) != 0:
            raise SystemExit(kind + " failed without a kill")
        after = files(done)
        self.old = {t: (before[t + ".DBF"], before.get(t + ".MDX")) for t in TABLES}
        self.new = {t: (after[t + ".DBF"], after.get(t + ".MDX")) for t in TABLES}
        assert all(self.old[t][0] != self.new[t][0] for t in TABLES)
        if kind == "restore":
            assert all(self.new[t] == (a[t + ".DBF"], a[t + ".MDX"]) for t in TABLES)

    def check(self, vtemp):
        """The problems a killed run left in `vtemp`."""
        problems = []
        now, kept = files(vtemp), kept_bytes(vtemp)
        for t in TABLES:
            dbf, mdx = now.get(t + ".DBF"), now.get(t + ".MDX")
            old_dbf, old_mdx = self.old[t]
            new_dbf, new_mdx = self.new[t]
            if dbf == old_dbf:
                if mdx not in (old_mdx, None):
                    problems.append(t + ": the old .DBF beside another index")
            elif dbf == new_dbf:
                if mdx not in (new_mdx, None):
                    problems.append(t + ": the new .DBF beside the old index")
                if old_dbf not in kept:
                    problems.append(t + ": the old .DBF is nowhere")
            else:
                problems.append(t + ": a .DBF neither old nor new")
            if old_mdx is not None and mdx != old_mdx and old_mdx not in kept:
                problems.append(t + ": the old .MDX is nowhere")
        return problems


def sweep(kind, tool, samples):
    scratch = tempfile.mkdtemp(prefix="tvz-kill-")
    try:
        scene = Scene(kind, tool, samples, scratch)
        log = os.path.join(scratch, "trace")
        traced = os.path.join(scratch, "traced")
        shutil.copytree(scene.start, traced)
        run(tool, scene.args + [traced],
            ["strace", "-f", "-qq", "-o", log, "-e", "trace=" + ",".join(CHANGING)])
        calls = []
        for line in open(log):
            name = line.split(None, 1)[1].split("(", 1)[0] if " " in line else ""
            if name in CHANGING:
                calls.append(name)
        failures, seen = 0, {}
        for point, name in enumerate(calls, 1):
            seen[name] = seen.get(name, 0) + 1
            vtemp = os.path.join(scratch, "v%d" % point)
            shutil.copytree(scene.start, vtemp)
            inject = "inject=%s:signal=KILL:when=%d" % (name, seen[name])
            run(tool, scene.args + [vtemp], ["strace", "-f", "-qq", "-o", "/dev/null",
                                             "-e", "trace=" + name, "-e", inject])
            problems = scene.check(vtemp)
            # The next run goes through and clears what the killed one left.
            if run(tool, ["exportar", scene.zarp_b, "--vtemp", vtemp]) != 0:
                problems.append("the next export failed")
            if glob.glob(os.path.join(vtemp, "*.tvz-*.tmp")):
                problems.append("a temporary is left after the next export")
            for p in problems:
                print("FAIL: %s, killed at %s #%d (point %d): %s" % (kind, name, seen[name], point, p))
            failures += bool(problems)
            shutil.rmtree(vtemp)
        print("%s: %d kill points, %d failed" % (kind, len(calls), failures))
        return len(calls), failures
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


def main():
    tool, samples = os.path.abspath(sys.argv[1]), sys.argv[2]
    kinds = sys.argv[3:] or ["export", "restore"]
    if shutil.which("strace") is None or \
            subprocess.run(["strace", "-qq", "-o", "/dev/null", "true"]).returncode != 0:
        print("skipped: strace cannot trace here")
        return 77
    total = failed = 0
    for kind in kinds:
        points, failures = sweep(kind, tool, samples)
        total, failed = total + points, failed + failures
    print("%d passed, %d failed" % (total - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
