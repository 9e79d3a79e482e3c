"""End-to-end runs of the Windows executable under Wine.

  e2e.py --setup ...          makes the Wine prefix the runs share
  e2e.py --teardown ...       stops its wineserver
  e2e.py --list               names the cases
  e2e.py --case NAME ...      runs one case
"""

import argparse
import os
import shutil
import subprocess
import sys
import time
from dataclasses import dataclass, field

import winerun

BANNER = "Attempting to install QM27R device drivers\n"
WAIT = "Please wait...\n\n"
SUCCESS = "Driver successfully installed\n"
MANUAL = ", Read the users manual for information on manually installing drivers\n"
KIT_PATH = "E:\\kit\\drivers\\cyusb3.inf"
SYSTEM32_NEWDEV = "c:\\windows\\system32\\newdev.dll"
FINAL_WAIT_S = 4.0
# The pipe is read a few milliseconds after each write at most.
TIMING_SLACK_S = 0.05


def echo(path):
    return f"Drivers at path {path}\n"


@dataclass
class Case:
    args: list
    output: str
    # "ok" or a failure code for the stand-in; None for Wine's own newdev.dll.
    result: str = None
    # What the stand-in must be given, with {cwd} and {parent} for the run's
    # current folder and the one above it; None: no call.
    inf_path: str = None
    extra_env: dict = field(default_factory=dict)
    beside_exe: bool = False  # put a stand-in newdev.dll beside the executable
    shell: bool = False  # run from a batch file, which passes the command line as typed
    cwd: str = ""  # a folder below the case's own to run in


CASES = {
    "wine-service-default-path": Case([], BANNER + WAIT + SUCCESS),
    "wine-service-folder": Case(["E:\\kit\\"], BANNER + echo(KIT_PATH) + WAIT + SUCCESS),
    "success-with-stale-code": Case(["E:\\kit\\"], BANNER + echo(KIT_PATH) + WAIT + SUCCESS, "ok", KIT_PATH),
    "not-found": Case(["E:\\kit\\"], BANNER + echo(KIT_PATH) + WAIT + "Drivers Not Found" + MANUAL, "2", KIT_PATH),
    "access-denied": Case([], BANNER + WAIT + "Access denied, Restart and Run As Administrator\n", "5",
                          "{cwd}\\drivers\\cyusb3.inf"),
    "invalid-flags": Case(["E:\\kit\\"], BANNER + echo(KIT_PATH) + WAIT + "Invalid Flags" + MANUAL, "1004", KIT_PATH),
    "wow64": Case(["E:\\kit\\"], BANNER + echo(KIT_PATH) + WAIT +
                  "Error installing drivers. PC must be 64-bit Operating System  Contact Quellmark for 32-bit drivers\n",
                  "0xE0000235", KIT_PATH),
    "unknown-code": Case(["E:\\kit\\"], BANNER + echo(KIT_PATH) + WAIT, "87", KIT_PATH),
    # The install call gets the fully qualified path of what was formed and
    # shown, resolved against the current folder.
    "empty-argument-resolved": Case([""], BANNER + echo("drivers\\cyusb3.inf") + WAIT + SUCCESS, "ok",
                                    "{cwd}\\drivers\\cyusb3.inf"),
    "relative-folder-resolved": Case(["kit\\"], BANNER + echo("kit\\drivers\\cyusb3.inf") + WAIT + SUCCESS, "ok",
                                     "{cwd}\\kit\\drivers\\cyusb3.inf"),
    "parent-folder-resolved": Case(["..\\kit\\"], BANNER + echo("..\\kit\\drivers\\cyusb3.inf") + WAIT + SUCCESS,
                                   "ok", "{parent}\\kit\\drivers\\cyusb3.inf", cwd="run"),
    "absolute-path-unchanged": Case(["E:\\kit"], BANNER + echo("E:\\kitdrivers\\cyusb3.inf") + WAIT + SUCCESS, "ok",
                                    "E:\\kitdrivers\\cyusb3.inf"),
    # A current folder that the ANSI code page cannot spell would come back
    # with '?' in it: the formed path goes to the call as it stands.
    "current-folder-outside-code-page": Case([], BANNER + WAIT + SUCCESS, "ok", ".\\drivers\\cyusb3.inf",
                                             cwd="\u30ad\u30c3\u30c8"),
    "two-arguments": Case(["C:\\QM27R", "kit\\"], BANNER +
                          "Wrong arguments, give one folder path ending in a backslash, in quotes if it holds spaces\n",
                          "ok", None),
    # cmd.exe hands over "C:\QM27R kit\" as typed; the C runtime splits it
    # into C:\QM27R kit" and the tool must still find the drivers folder.
    "quoted-folder-typed-in-cmd": Case(["\"C:\\QM27R kit\\\""], BANNER + echo("C:\\QM27R kit\\drivers\\cyusb3.inf") +
                                       WAIT + SUCCESS, "ok", "C:\\QM27R kit\\drivers\\cyusb3.inf", shell=True),
    "newdev-beside-exe-not-loaded": Case(["E:\\kit\\"], BANNER + echo(KIT_PATH) + WAIT + "Drivers Not Found" + MANUAL,
                                         "2", KIT_PATH, beside_exe=True),
    "wait-notice-before-call-returns": Case(["E:\\kit\\"], BANNER + echo(KIT_PATH) + WAIT + SUCCESS, "ok", KIT_PATH,
                                            extra_env={"STANDIN_DELAY_MS": "1500"}),
}


def crlf(text):
    return text.replace("\n", "\r\n").encode("ascii")


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def check_record(record, inf_path):
    check(record is not None, "the install call never reached the stand-in")
    check(record["inf_path"] == inf_path, f"INF path {record['inf_path']!r}, expected {inf_path!r}")
    check(int(record["parent"], 16) == 0, f"parent window {record['parent']}")
    check(record["flags"] == "0", f"flags {record['flags']}")
    check(int(record["need_reboot"], 16) == 0, f"restart flag pointer {record['need_reboot']}")
    check(record["module"].lower() == SYSTEM32_NEWDEV, f"newdev.dll loaded from {record['module']}")


def run_case(name, opts):
    case = CASES[name]
    casedir = os.path.join(opts.workdir, name)
    shutil.rmtree(casedir, ignore_errors=True)
    workdir = os.path.join(casedir, case.cwd)
    os.makedirs(workdir)
    exe = opts.exe
    if case.beside_exe:
        # The tool as a user finds it in a Downloads folder, beside a
        # planted newdev.dll that the loader would prefer if it were asked.
        exe = os.path.join(workdir, os.path.basename(opts.exe))
        shutil.copyfile(opts.exe, exe)
        shutil.copyfile(opts.standin, os.path.join(workdir, "newdev.dll"))
    log_path = os.path.join(casedir, "standin.log")

    overrides = "newdev=b" if case.result is None else "newdev=n"
    if case.beside_exe:
        overrides = "newdev=n,b"
    if case.result is None:
        env = winerun.wine_environment(opts.prefix, overrides)
    else:
        env = winerun.standin_environment(opts.prefix, log_path, case.result, overrides)
    env.update(case.extra_env)

    if case.shell:
        # A batch file keeps the command line exactly as a user would type it.
        with open(os.path.join(workdir, "run.bat"), "w", newline="\r\n") as batch:
            batch.write("@echo off\n" + " ".join([winerun.windows_path(exe), *case.args]) + "\n")
        run = winerun.run(opts.wine, "cmd", ["/c", "run.bat"], env, workdir)
    else:
        run = winerun.run(opts.wine, exe, case.args, env, workdir)

    check(run.returncode == 0, f"exit status {run.returncode}")
    check(run.output == crlf(case.output), f"output {run.output!r}, expected {crlf(case.output)!r}")
    last_line_at = run.chunks[-1][0]
    check(run.exited_at - last_line_at >= FINAL_WAIT_S - TIMING_SLACK_S,
          f"exited {run.exited_at - last_line_at:.3f} s after its last line")
    record = winerun.read_record(log_path)
    if case.inf_path is None:
        check(record is None, "the install call was made")
    elif case.result is not None:
        check_record(record, case.inf_path.format(cwd=winerun.windows_path(workdir),
                                                  parent=winerun.windows_path(os.path.dirname(workdir))))
    delay = case.extra_env.get("STANDIN_DELAY_MS")
    if delay is not None:
        gap = run.arrival(crlf(SUCCESS)) - run.arrival(crlf(WAIT))
        check(gap >= int(delay) / 1000 - TIMING_SLACK_S,
              f"the wait notice arrived only {gap:.3f} s before the outcome line")


# Standard output that cannot take the tool's text: a full disk, no handle
# at all, and a reader that goes away after the first bytes.
BROKEN_OUTPUTS = ("stdout-full", "stdout-closed", "reader-gone")


def run_with_broken_output(name, opts):
    """Writes that fail must change nothing: the install call is still made,
    the final wait still happens and the exit status is 0."""
    workdir = os.path.join(opts.workdir, name)
    shutil.rmtree(workdir, ignore_errors=True)
    os.makedirs(workdir)
    log_path = os.path.join(workdir, "standin.log")
    env = winerun.standin_environment(opts.prefix, log_path, "5")
    command = [opts.wine, opts.exe, "E:\\kit\\"]
    start = time.monotonic()
    if name == "stdout-full":
        with open("/dev/full", "wb") as full:
            returncode = subprocess.run(command, env=env, cwd=workdir, stdin=subprocess.DEVNULL, stdout=full,
                                        stderr=subprocess.DEVNULL, timeout=60).returncode
    elif name == "stdout-closed":
        returncode = subprocess.run(["sh", "-c", 'exec "$@" >&-', "sh", *command], env=env, cwd=workdir,
                                    stdin=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60).returncode
    else:
        proc = subprocess.Popen(command, env=env, cwd=workdir, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL)
        first = proc.stdout.read(len("Attempting"))
        proc.stdout.close()
        returncode = proc.wait(timeout=60)
        check(first == b"Attempting", f"first bytes {first!r}")
    elapsed = time.monotonic() - start
    check(returncode == 0, f"exit status {returncode}")
    check_record(winerun.read_record(log_path), KIT_PATH)
    check(elapsed >= FINAL_WAIT_S, f"exited after {elapsed:.3f} s")


def run_dll_search(way, opts):
    """The tool's DLL search, both the way of current Windows and the fallback
    of Vista and Windows 7 as shipped, must take newdev.dll from System32
    even with one planted beside the program and one in its current folder,
    and with Wine told to prefer such a file over its own."""
    workdir = os.path.join(opts.workdir, "dll-search-" + way)
    shutil.rmtree(workdir, ignore_errors=True)
    exe_dir, cwd = os.path.join(workdir, "downloads"), os.path.join(workdir, "kit")
    for folder in (exe_dir, cwd):
        os.makedirs(folder)
        shutil.copyfile(opts.standin, os.path.join(folder, "newdev.dll"))
    probe = os.path.join(exe_dir, os.path.basename(opts.probe))
    shutil.copyfile(opts.probe, probe)
    run = winerun.run(opts.wine, probe, ["legacy"] if way == "legacy" else [],
                      winerun.wine_environment(opts.prefix, "newdev=n,b"), cwd)
    lines = dict(line.split("=", 1) for line in run.output.decode("latin-1").splitlines() if "=" in line)
    check(run.returncode == 0, f"exit status {run.returncode}")
    check(lines.get("search") == way, f"searched the {lines.get('search')} way")
    check(lines.get("newdev", "").lower() == SYSTEM32_NEWDEV, f"newdev.dll loaded from {lines.get('newdev')}")


DLL_SEARCHES = {"dll-search-system32": "system32", "dll-search-legacy": "legacy"}


# A user name as Western European PCs have them.
UMLAUT_FOLDER = "C:\\J\u00fcrgen\\Stra\u00dfe\\"


def run_on_console(opts):
    """On a console whose code page is the OEM one (850), not the ANSI one in
    which the tool holds its text, the echo must still show the folder's
    letters. Wine shows the console on a terminal as UTF-8."""
    workdir = os.path.join(opts.workdir, "console-code-page")
    shutil.rmtree(workdir, ignore_errors=True)
    os.makedirs(workdir)
    log_path = os.path.join(workdir, "standin.log")
    env = winerun.standin_environment(opts.prefix, log_path, "ok")
    # The folder comes through the environment, so the batch file stays ASCII.
    env.update({"LC_ALL": "C.UTF-8", "QM27R_EXE": winerun.windows_path(opts.exe), "QM27R_KIT": UMLAUT_FOLDER})
    with open(os.path.join(workdir, "run.bat"), "w", newline="\r\n") as batch:
        batch.write('@echo off\nchcp 850 >nul\n"%QM27R_EXE%" "%QM27R_KIT%"\n')
    returncode, screen = winerun.run_on_terminal(opts.wine, "cmd", ["/c", "run.bat"], env, workdir)
    inf_path = UMLAUT_FOLDER + "drivers\\cyusb3.inf"
    check(returncode == 0, f"exit status {returncode}")
    check(echo(inf_path) in screen, f"the terminal showed {screen!r}")
    check_record(winerun.read_record(log_path), inf_path)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--setup", action="store_true")
    parser.add_argument("--teardown", action="store_true")
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--case")
    parser.add_argument("--wine")
    parser.add_argument("--exe")
    parser.add_argument("--standin")
    parser.add_argument("--probe")
    parser.add_argument("--prefix")
    parser.add_argument("--workdir")
    opts = parser.parse_args()

    if opts.list:
        print(";".join([*CASES, *BROKEN_OUTPUTS, "console-code-page", *DLL_SEARCHES]), end="")
    elif opts.setup:
        winerun.setup_prefix(opts.wine, opts.prefix, opts.standin)
    elif opts.teardown:
        winerun.stop_prefix(opts.wine, opts.prefix)
    elif opts.case in DLL_SEARCHES:
        run_dll_search(DLL_SEARCHES[opts.case], opts)
    elif opts.case == "console-code-page":
        run_on_console(opts)
    elif opts.case in BROKEN_OUTPUTS:
        run_with_broken_output(opts.case, opts)
    elif opts.case in CASES:
        run_case(opts.case, opts)
    else:
        parser.error(f"no case {opts.case!r}")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except AssertionError as failure:
        print(f"FAILED: {failure}")
        sys.exit(1)
