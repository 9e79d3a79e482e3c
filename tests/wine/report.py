"""Prints the executable's size beside the smallest program of the same
toolchain and flags, the DLLs it imports, and its start-up cost under Wine
beside that of the least program that reaches the install call. Exits 1
when a ratio is over its target."""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time

import winerun

# Catches a runtime pulled in by accident; the Windows layer's own calls fit.
SIZE_TARGET = 1.40
STARTUP_TARGET = 1.10


def stripped_size(strip, exe, workdir):
    copy = os.path.join(workdir, "stripped-" + os.path.basename(exe))
    subprocess.run([strip, "-o", copy, exe], check=True)
    return os.path.getsize(copy)


def imported_dlls(objdump, exe):
    dump = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
    return [line.split(":", 1)[1].strip() for line in dump.splitlines() if "DLL Name:" in line]


def startup_ms(opts, exe, workdir):
    """Milliseconds from process creation to the install call, as the
    stand-in newdev.dll measured them. The run is ended once the call has
    been recorded: what follows it does not count."""
    log_path = os.path.join(workdir, "standin.log")
    if os.path.exists(log_path):
        os.remove(log_path)
    env = winerun.standin_environment(opts.prefix, log_path, "ok")
    proc = subprocess.Popen([opts.wine, exe], env=env, cwd=workdir, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 30
    record = None
    while time.monotonic() < deadline:
        record = winerun.read_record(log_path)
        if (record is not None and "startup_ms" in record) or proc.poll() is not None:
            break
        time.sleep(0.01)
    proc.kill()
    proc.wait()
    # Lets Wine finish with the ended process before the next one starts.
    time.sleep(0.2)
    record = winerun.read_record(log_path)
    if record is None or "startup_ms" not in record:
        sys.exit(f"{exe} never reached the install call")
    return float(record["startup_ms"])


def verdict(ratio, target):
    return "within target" if ratio <= target else "OVER TARGET"


def main():
    parser = argparse.ArgumentParser()
    for name in ("wine", "exe", "minimal", "caller", "standin", "prefix", "workdir", "strip", "objdump"):
        parser.add_argument("--" + name, required=True)
    parser.add_argument("--runs", type=int, default=21)
    opts = parser.parse_args()
    shutil.rmtree(opts.workdir, ignore_errors=True)
    os.makedirs(opts.workdir)

    size = stripped_size(opts.strip, opts.exe, opts.workdir)
    minimal_size = stripped_size(opts.strip, opts.minimal, opts.workdir)
    size_ratio = size / minimal_size

    winerun.setup_prefix(opts.wine, opts.prefix, opts.standin)
    winerun.keep_prefix_running(opts.wine, opts.prefix)
    # One run each first, so that neither pays for a cold Wine.
    startup_ms(opts, opts.exe, opts.workdir)
    startup_ms(opts, opts.caller, opts.workdir)
    tool_runs, caller_runs = [], []
    for _ in range(opts.runs):
        tool_runs.append(startup_ms(opts, opts.exe, opts.workdir))
        caller_runs.append(startup_ms(opts, opts.caller, opts.workdir))
    winerun.stop_prefix(opts.wine, opts.prefix)
    tool_ms, caller_ms = statistics.median(tool_runs), statistics.median(caller_runs)
    startup_ratio = tool_ms / caller_ms

    print(f"size      stripped {os.path.basename(opts.exe)} {size} bytes, minimal program {minimal_size} bytes:"
          f" ratio {size_ratio:.3f} (target {SIZE_TARGET}, {verdict(size_ratio, SIZE_TARGET)})")
    print(f"imports   {' '.join(imported_dlls(opts.objdump, opts.exe))}")
    print(f"start-up  {tool_ms:.2f} ms to the install call, minimal caller {caller_ms:.2f} ms,"
          f" median of {opts.runs} runs under Wine: ratio {startup_ratio:.3f}"
          f" (target {STARTUP_TARGET}, {verdict(startup_ratio, STARTUP_TARGET)})")
    return 0 if size_ratio <= SIZE_TARGET and startup_ratio <= STARTUP_TARGET else 1


if __name__ == "__main__":
    sys.exit(main())
