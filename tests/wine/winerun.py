"""Runs Windows programs under Wine in a prefix of the project's own, and
records when each piece of their standard output arrived."""

import os
import pty
import re
import select
import selectors
import shutil
import subprocess
import time
from dataclasses import dataclass, field


def wine_environment(prefix, overrides=""):
    env = dict(os.environ)
    env["WINEPREFIX"] = prefix
    env["WINEDEBUG"] = "-all"
    env["WINEDLLOVERRIDES"] = overrides
    for name in ("STANDIN_LOG", "STANDIN_RESULT", "STANDIN_DELAY_MS"):
        env.pop(name, None)
    return env


def standin_environment(prefix, log_path, result, overrides="newdev=n"):
    """The environment for a run whose install call the stand-in newdev.dll
    answers with `result` ("ok" or a failure code), recording it at `log_path`."""
    env = wine_environment(prefix, overrides)
    env["STANDIN_LOG"] = windows_path(log_path)
    env["STANDIN_RESULT"] = result
    return env


def windows_path(unix_path):
    """The path under Wine's Z: drive, which maps the Linux root."""
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


def system32(prefix):
    return os.path.join(prefix, "drive_c", "windows", "system32")


def setup_prefix(wine, prefix, standin):
    """Makes the prefix once and puts the stand-in in as system32\\newdev.dll.
    Mono and Gecko are left out: nothing here needs them."""
    if not os.path.isfile(os.path.join(prefix, "system.reg")):
        os.makedirs(prefix, exist_ok=True)
        subprocess.run([wine, "wineboot", "-i"], env=wine_environment(prefix, "mscoree,mshtml="),
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       check=True, timeout=300)
    shutil.copyfile(standin, os.path.join(system32(prefix), "newdev.dll"))


def wineserver(wine, prefix, *args):
    server = os.path.join(os.path.dirname(wine), "wineserver")
    subprocess.run([server if os.path.exists(server) else "wineserver", *args],
                   env=wine_environment(prefix), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def keep_prefix_running(wine, prefix):
    """Keeps the wineserver up between runs, so that no run pays for
    starting it and Wine's services again."""
    wineserver(wine, prefix, "-p")


def stop_prefix(wine, prefix):
    wineserver(wine, prefix, "-k")


@dataclass
class Run:
    returncode: int
    output: bytes
    chunks: list = field(default_factory=list)  # (seconds since start, bytes)
    exited_at: float = 0.0

    def arrival(self, text):
        """Seconds from start until `text` had fully arrived on the pipe."""
        seen = b""
        for at, data in self.chunks:
            seen += data
            if text in seen:
                return at
        raise AssertionError(f"{text!r} never arrived in {self.output!r}")


def run(wine, exe, args, env, cwd, timeout=60):
    """Runs `exe` under Wine, reading its output from a pipe as it arrives."""
    start = time.monotonic()
    proc = subprocess.Popen([wine, exe, *args], env=env, cwd=cwd, stdin=subprocess.DEVNULL,
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    fd = proc.stdout.fileno()
    os.set_blocking(fd, False)
    chunks = []
    with selectors.DefaultSelector() as selector:
        selector.register(fd, selectors.EVENT_READ)
        # Stops at the process's exit rather than at end of file, since a
        # wineserver started by this run may keep the pipe open after it.
        while True:
            exited = proc.poll() is not None
            now = time.monotonic() - start
            if not exited and now > timeout:
                proc.kill()
                raise AssertionError(f"{exe} still running after {timeout} s")
            selector.select(0.01)
            while True:
                try:
                    data = os.read(fd, 65536)
                except BlockingIOError:
                    break
                if not data:
                    break
                chunks.append((time.monotonic() - start, data))
            if exited:
                break
    exited_at = now
    proc.stdout.close()
    return Run(proc.returncode, b"".join(d for _, d in chunks), chunks, exited_at)


def run_on_terminal(wine, exe, args, env, cwd, timeout=60):
    """Runs `exe` under Wine with a pseudo-terminal as its console and
    returns its exit status and the text the terminal would show: Wine's
    cursor moves to the right become the blanks they stand for, other
    control sequences and carriage returns are dropped."""
    master, slave = pty.openpty()
    proc = subprocess.Popen([wine, exe, *args], env=env, cwd=cwd, stdin=slave, stdout=slave,
                            stderr=subprocess.DEVNULL)
    os.close(slave)
    shown = b""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        ready, _, _ = select.select([master], [], [], 0.05)
        if ready:
            try:
                data = os.read(master, 65536)
            except OSError:  # the terminal's other side has closed
                data = b""
            if not data:
                break
            shown += data
        elif proc.poll() is not None:
            break
    else:
        proc.kill()
    os.close(master)
    returncode = proc.wait()
    text = shown.decode("utf-8", errors="replace")
    text = re.sub(r"\x1b\[(\d*)C", lambda move: " " * int(move.group(1) or 1), text)
    text = re.sub(r"\x1b\[[0-9;?]*[A-Za-z]", "", text).replace("\r", "")
    return returncode, text


def read_record(log_path):
    """The stand-in's record of the call it received, or None without a call."""
    if not os.path.exists(log_path):
        return None
    with open(log_path, "rb") as log:
        lines = log.read().decode("latin-1").splitlines()
    return dict(line.split("=", 1) for line in lines if "=" in line)
