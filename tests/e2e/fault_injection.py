#!/usr/bin/env python3
"""Injects a failure into each write-side system call that `dvq3tool report`, `dvq3tool dump`,
a client record's save (changed and added, as the station's windows save them) and the station's
start-up make, one call and one error per run, with strace, and checks after every run that
nothing was lost and nothing was claimed that did not happen:

- the client file and the initialisation file hold exactly their old bytes or (where the run
  writes them) the whole new ones; a save whose flush failed leaves the old record unless it
  says that the old record could not be put back;
- the report is the previous one or the whole new one, and "unchanged" is said only when true;
- no temporary, scratch or lock file is left behind on the program folder or the data drive;
- a run that says it succeeded (exit status 0, or the station reaching its main menu) did what
  it should.
Then it starts the station on a disk whose lock another process holds: the station must name
that station and open no main menu. A batch of reports with PDFs meets a full disk at each of its
write-side calls: every client's set is whole or absent, each failure is named, and the run says
which are complete. Last, it runs two report writers at once, a few hundred times: each must
succeed and the report left must be one of the two, whole. A writer killed before its rename
leaves its temporary file, the whole report, behind: the next writer of the report removes it.
Reports are created for their user alone under umask 022.

usage: fault_injection.py PROGRAM_DIR SAVE_RECORD_PROGRAM
"""
import fcntl
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

SYSCALLS = ["openat", "write", "pwrite64", "fsync", "fdatasync", "rename", "renameat2",
            "ftruncate", "close"]
ERRNOS = ["EIO", "ENOSPC", "EROFS"]
LINE = re.compile(r"^(\d+)\s+(\w+)\((.*?)(?:\) += (-?\d+)| <unfinished \.\.\.>)")


def write_side_calls(log, ignored_paths):
    """(syscall, invocation number) of each write-side call of the traced run's first process,
    numbered per syscall as strace counts them."""
    counts, calls, fds, main = {}, [], {}, None
    for raw in open(log, encoding="utf-8", errors="replace"):
        m = LINE.match(raw)
        if not m:
            continue
        pid, name, args, ret = m.group(1), m.group(2), m.group(3), m.group(4)
        main = main or pid
        if pid != main:
            continue
        counts[name] = counts.get(name, 0) + 1
        n = counts[name]
        first = args.split(",")[0].strip()
        if name == "openat":
            path = re.search(r'"([^"]*)"', args)
            path = path.group(1) if path else ""
            writable = "O_WRONLY" in args or "O_RDWR" in args
            if ret and int(ret) >= 0 and writable and not any(p in path for p in ignored_paths):
                fds[ret] = path
            if "O_CREAT" in args and not any(p in path for p in ignored_paths):
                calls.append((name, n))
        elif name in ("fsync", "fdatasync", "rename", "renameat2"):
            calls.append((name, n))
        elif name in ("write", "pwrite64", "close", "ftruncate"):
            if first in fds or (name == "write" and first == "1"):
                calls.append((name, n))
            if name == "close":
                fds.pop(first, None)
    return calls


def strace(prefix, command, env, timeout=60):
    try:
        p = subprocess.run(prefix + command, env=env, capture_output=True, timeout=timeout,
                           pass_fds=(3,) if "DVQ3_E2E_MESSAGES_FD" in env else ())
        return p.returncode, p.stdout, p.stderr
    except subprocess.TimeoutExpired:
        return None, b"", b""


def leftovers(*folders):
    found = []
    for folder in folders:
        for name in os.listdir(folder):
            if (name.endswith(".tmp") or name in ("checkWriteTest", "DATA401.LCK")
                    or name.endswith(".new")):
                found.append(os.path.join(folder, name))
    return found


def whole_ini(content, old, new):
    """The start-up writes the initialisation file more than once, each time whole: any state
    on the way from the old file to the new one holds the old lines and only lines of the new."""
    if content is None or not content.endswith(b"\r\n"):
        return False
    lines = set(content.split(b"\r\n"))
    return set(old.split(b"\r\n")) <= lines <= set(new.split(b"\r\n"))


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return None


def batch_faults(tool, env, out_dir, work):
    """`report all --out DIR --pdf` with ENOSPC at each write-side call, one per run."""
    failures, runs = [], 0
    command = tool + ["report", "all", "--out", out_dir, "--pdf"]
    names = ["report%02d" % n for n in range(1, 5)]

    def clear():
        for name in os.listdir(out_dir):
            os.remove(os.path.join(out_dir, name))

    clear()
    log = os.path.join(work, "batch.log")
    strace(["strace", "-f", "-qq", "-o", log, "-e", "trace=" + ",".join(SYSCALLS)], command, env)
    calls = write_side_calls(log, ["/.cache/", "fontconfig"])
    print("batch: %s" % " ".join("%s#%d" % c for c in calls))
    for name in names:
        for ext in (".prn", ".pdf"):
            mode = os.stat(os.path.join(out_dir, name + ext)).st_mode & 0o777
            if mode != 0o600:
                failures.append("batch: %s%s is %o, not 600" % (name, ext, mode))
    for call, n in calls:
        clear()
        status, out, errout = strace(
            ["strace", "-f", "-qq", "-o", "/dev/null", "-e", "trace=" + call,
             "-e", "inject=%s:error=ENOSPC:when=%d" % (call, n)], command, env, timeout=60)
        runs += 1
        what = "batch with ENOSPC at %s #%d" % (call, n)
        said = errout.decode(errors="replace")
        listed = out.decode(errors="replace").split()
        present = set(os.listdir(out_dir))
        for client, name in enumerate(names, 1):
            whole = {name + ".prn", name + ".pdf"} <= present
            if not whole and (name + ".prn" in present or name + ".pdf" in present):
                failures.append(what + ": half a set left for " + name)
            if os.path.join(out_dir, name + ".prn") in listed and not whole:
                failures.append(what + ": listed %s without its whole set" % name)
            if status != 0 and not whole and ("Client %d: " % client) not in said:
                failures.append(what + ": client %d not written and not named" % client)
        if status == 0 and len(present) != 2 * len(names):
            failures.append(what + ": exit 0 without every report")
        if status not in (0, None) and "Complete: " not in said:
            failures.append(what + ": failed without saying which reports are complete")
        if status is None:
            failures.append(what + ": did not finish")
        if leftovers(out_dir):
            failures.append(what + ": left " + ", ".join(leftovers(out_dir)))
    if not calls:
        failures.append("batch: no write-side system call was found to fail")
    return failures, runs


def main():
    os.umask(0o022)
    program = os.path.abspath(sys.argv[1])
    save_record = os.path.abspath(sys.argv[2])
    work = tempfile.mkdtemp(prefix="dvq3-faults-")
    failures, runs, pairs, started = [], 0, 0, time.time()
    try:
        prog = os.path.join(work, "program")
        os.makedirs(prog)
        for name in os.listdir(program):
            if name.endswith(".TXT") or name == "DVQ3.MDB":
                shutil.copy(os.path.join(program, name), prog)
        disk = os.path.join(work, "disk")
        shutil.copytree(os.path.join(program, "SampleDisk"), disk)
        runtime = os.path.join(work, "runtime")
        os.makedirs(runtime, mode=0o700)
        ini = os.path.join(prog, "dvq3test.ini")
        base_ini = ("[Path]\r\nFilePath=%s\r\n" % disk).encode()
        client_file = os.path.join(disk, "DATA401.DVQ")
        clients = read(client_file)
        report = os.path.join(prog, "report.prn")
        env = dict(os.environ, DVQ3_PROGRAM_FOLDER=prog, XDG_RUNTIME_DIR=runtime,
                   XDG_CONFIG_HOME=os.path.join(work, "config"),
                   XDG_DATA_HOME=os.path.join(work, "data"),
                   QT_QPA_PLATFORM="offscreen", LANG="C.UTF-8")
        tool = [os.path.join(program, "dvq3tool")]
        station = [os.path.join(program, "dvq3test"), "/NOWAIT"]
        state = os.path.join(work, "state.txt")
        messages = os.path.join(work, "messages.txt")

        def reset():
            with open(ini, "wb") as f:
                f.write(base_ini)
            with open(client_file, "wb") as f:
                f.write(clients)
            for p in (state, messages):
                if os.path.exists(p):
                    os.remove(p)

        # Clean runs give what each program should produce.
        reset()
        with open(report, "wb") as f:
            f.write(b"previous report\r\n")
        old_report = read(report)
        subprocess.run(tool + ["report", "2", "--drive", disk], env=env, check=True,
                       capture_output=True)
        new_report = read(report)
        if os.stat(report).st_mode & 0o777 != 0o600:
            failures.append("the report is readable by others")

        # A writer killed before its rename leaves the whole report in its temporary file.
        strace(["strace", "-f", "-qq", "-o", "/dev/null", "-e", "trace=rename",
                "-e", "inject=rename:signal=KILL:when=1"],
               tool + ["report", "1", "--drive", disk], env)
        killed = [n for n in os.listdir(prog) if n.startswith(".report.prn.")]
        if not killed:
            failures.append("the killed writer left no temporary file to clean up")
        subprocess.run(tool + ["report", "2", "--drive", disk], env=env, check=True,
                       capture_output=True)
        if leftovers(prog) or read(report) != new_report:
            failures.append("the next writer left the killed one's temporary file: %s"
                            % leftovers(prog))
        dump_out = subprocess.run(tool + ["dump", disk], env=env, check=True,
                                  capture_output=True).stdout
        station_env = dict(env, DVQ3_E2E_STATE=state, DVQ3_E2E_QUIT="1",
                           DVQ3_E2E_MESSAGES_FD="3")
        with open(messages, "wb") as m:
            os.dup2(m.fileno(), 3)
            subprocess.run(station, env=station_env, check=True, pass_fds=(3,), timeout=60)
        new_ini = read(ini)
        if new_ini == base_ini:
            failures.append("the station's start-up did not write the initialisation file")
        # A save changes client 2's name, an addition appends a client: the whole new files.
        saves = {"save": [save_record, disk, "2", "Saved Under Faults"],
                 "append": [save_record, disk, "new", "Added Under Faults"]}
        saved = {}
        for label, command in saves.items():
            reset()
            subprocess.run(command, env=env, check=True)
            saved[label] = read(client_file)
        reset()

        scenarios = [
            ("report", tool + ["report", "2", "--drive", disk], env, []),
            ("dump", tool + ["dump", disk], env, []),
            ("save", saves["save"], env, []),
            ("append", saves["append"], env, []),
            ("start-up", station, station_env, [state, messages, runtime, "/.cache/", "fontconfig"]),
        ]

        def check_client_file(label, status, said, what):
            now = read(client_file)
            if label not in saved:
                if now != clients:
                    failures.append(what + ": the client file changed")
            elif status == 0 and now != saved[label]:
                failures.append(what + ": exit 0 without the new record")
            elif status != 0 and now != clients and "could not be" not in said:
                failures.append(what + ": a failed save changed the client file")
            elif now not in (clients, saved[label]):
                failures.append(what + ": the client file is neither the old nor the new one")

        for label, command, run_env, ignored in scenarios:
            reset()
            with open(report, "wb") as f:
                f.write(old_report)
            log = os.path.join(work, "trace.log")
            with open(messages, "wb") as m:
                os.dup2(m.fileno(), 3)
                strace(["strace", "-f", "-qq", "-o", log, "-e", "trace=" + ",".join(SYSCALLS)],
                       command, run_env)
            calls = write_side_calls(log, ignored)
            print("%s: %s" % (label, " ".join("%s#%d" % c for c in calls)))
            for name, n in calls:
                for err in ERRNOS:
                    reset()
                    with open(report, "wb") as f:
                        f.write(old_report)
                    with open(messages, "wb") as m:
                        os.dup2(m.fileno(), 3)
                        status, out, errout = strace(
                            ["strace", "-f", "-qq", "-o", "/dev/null", "-e", "trace=" + name,
                             "-e", "inject=%s:error=%s:when=%d" % (name, err, n)],
                            command, run_env, timeout=30)
                    runs += 1
                    what = "%s with %s at %s #%d" % (label, err, name, n)
                    said = errout.decode(errors="replace") + (read(messages) or b"").decode(
                        errors="replace")
                    check_client_file(label, status, said, what)
                    if not whole_ini(read(ini), base_ini, new_ini):
                        failures.append(what + ": the initialisation file is not whole")
                    rep = read(report)
                    if rep not in (old_report, new_report):
                        failures.append(what + ": the report is neither the old nor the new one")
                    if "unchanged" in said and rep != old_report:
                        failures.append(what + ": said the report was unchanged, but it changed")
                    left = leftovers(prog, disk)
                    if left:
                        failures.append(what + ": left " + ", ".join(left))
                        for p in left:
                            os.remove(p)
                    if label == "report" and status == 0 and rep != new_report:
                        failures.append(what + ": exit 0 without the new report")
                    if label == "dump" and status == 0 and out != dump_out:
                        failures.append(what + ": exit 0 with the records cut short")
                    if status not in (0, None) and not errout.strip():
                        failures.append(what + ": failed without saying why")
                    if label == "start-up":
                        reached = os.path.exists(state)
                        if read(ini) == base_ini and reached and not said.strip():
                            failures.append(what + ": the initialisation file was not written "
                                            "and nobody was told")
            if not calls:
                failures.append(label + ": no write-side system call was found to fail")

        # A flush that fails every time, and an added record that cannot be cut off again: the
        # old record stays or the run says it may not have, never a claimed save.
        for label, injected in (("save", ["fsync:error=EIO"]),
                                ("append", ["fsync:error=EIO"]),
                                ("append", ["fsync:error=EIO", "ftruncate:error=EIO"])):
            reset()
            options = []
            for spec in injected:
                options += ["-e", "inject=" + spec]
            status, out, errout = strace(["strace", "-f", "-qq", "-o", "/dev/null"] + options,
                                         saves[label], env)
            runs += 1
            said = errout.decode(errors="replace")
            what = "%s with %s" % (label, " and ".join(injected))
            check_client_file(label, status, said, what)
            if status == 0 or "could not be" not in said:
                failures.append(what + ": not told that the old state could not be restored")

        # A second station: another process holds the disk's lock.
        def start():
            reset()
            with open(messages, "wb") as m:
                os.dup2(m.fileno(), 3)
                subprocess.run(station, env=station_env, pass_fds=(3,), timeout=60)
            return (read(messages) or b"").decode(errors="replace"), os.path.exists(state)

        lock_file = os.path.join(disk, "DATA401.LCK")
        # Another station's lock, on a descriptor clear of the messages' (closing any descriptor
        # of a file drops this process's locks on it).
        opened = os.open(lock_file, os.O_RDWR | os.O_CREAT | os.O_TRUNC, 0o644)
        held = fcntl.fcntl(opened, fcntl.F_DUPFD, 10)
        os.close(opened)
        os.write(held, b"Host=desk-2\r\nUser=ann\r\nProcess=4711\r\n")
        fcntl.lockf(held, fcntl.LOCK_EX | fcntl.LOCK_NB)
        said, reached = start()
        os.close(held)
        if reached or "in use by another station (user ann on host desk-2, process 4711)" not in said:
            failures.append("a disk another station holds: %r, main menu %s" % (said, reached))
        if os.path.exists(lock_file):
            os.remove(lock_file)
        said, reached = start()
        if not reached or leftovers(disk):
            failures.append("the disk once free: main menu %s, left %s" % (reached, leftovers(disk)))

        out_dir = os.path.join(work, "batch")
        os.makedirs(out_dir)
        batch_failures, batch_runs = batch_faults(tool, env, out_dir, work)
        failures += batch_failures
        runs += batch_runs

        # Two writers at once: both land whole, the later one last.
        reports = {}
        for client in ("1", "2"):
            subprocess.run(tool + ["report", client, "--drive", disk], env=env, check=True,
                           capture_output=True)
            reports[client] = read(report)
        for _ in range(200):
            pair = [subprocess.Popen(tool + ["report", c, "--drive", disk], env=env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
                    for c in ("1", "2")]
            statuses = [(p.wait(), p.stderr.read()) for p in pair]
            pairs += 1
            if any(code != 0 for code, _ in statuses):
                failures.append("two writers: a run failed: %r" % (statuses,))
            if read(report) not in reports.values():
                failures.append("two writers: the report is a mix or cut short")
            if leftovers(prog, disk):
                failures.append("two writers: left " + ", ".join(leftovers(prog, disk)))
                break
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("%d runs with one injected fault each, %d pairs of writers at once, %.0f s"
          % (runs, pairs, time.time() - started))
    for f in failures:
        print("FAIL: " + f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
