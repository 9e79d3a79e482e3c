"""End-to-end runs of the Windows executable under Wine.

  e2e.py --setup ...          makes the Wine prefix the runs share
  e2e.py --teardown ...       stops its wineserver
  e2e.py --list               names the cases
  e2e.py --case NAME ...      runs one case
"""

import argparse
import os
import shutil
import sys
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
    inf_path: str = None  # what the stand-in must be given; None: no call
    extra_env: dict = field(default_factory=dict)
    beside_exe: bool = False  # put a stand-in newdev.dll beside the executable
    shell: bool = False  # run from a batch file, which passes the command line as typed


CASES = {
    "wine-service-default-path": Case([], BANNER + WAIT + SUCCESS),
    "wine-service-folder": Case(["E:\\kit\\"], BANNER + echo(KIT_PATH) + WAIT + SUCCESS),
    "success-with-stale-code": Case(["E:\\kit\\"], BANNER + echo(KIT_PATH) + WAIT + SUCCESS, "ok", KIT_PATH),
    "not-found": Case(["E:\\kit\\"], BANNER + echo(KIT_PATH) + WAIT + "Drivers Not Found" + MANUAL, "2", KIT_PATH),
    "access-denied": Case([], BANNER + WAIT + "Access denied, Restart and Run As Administrator\n", "5",
                          ".\\drivers\\cyusb3.inf"),
    "invalid-flags": Case(["E:\\kit\\"], BANNER + echo(KIT_PATH) + WAIT + "Invalid Flags" + MANUAL, "1004", KIT_PATH),
    "wow64": Case(["E:\\kit\\"], BANNER + echo(KIT_PATH) + WAIT +
                  "Error installing drivers. PC must be 64-bit Operating System  Contact Quellmark for 32-bit drivers\n",
                  "0xE0000235", KIT_PATH),
    "unknown-code": Case(["E:\\kit\\"], BANNER + echo(KIT_PATH) + WAIT, "87", KIT_PATH),
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
    workdir = os.path.join(opts.workdir, name)
    shutil.rmtree(workdir, ignore_errors=True)
    os.makedirs(workdir)
    exe = opts.exe
    if case.beside_exe:
        # The tool as a user finds it in a Downloads folder, beside a
        # planted newdev.dll that the loader would prefer if it were asked.
        exe = os.path.join(workdir, os.path.basename(opts.exe))
        shutil.copyfile(opts.exe, exe)
        shutil.copyfile(opts.standin, os.path.join(workdir, "newdev.dll"))
    log_path = os.path.join(workdir, "standin.log")

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
        check_record(record, case.inf_path)
    delay = case.extra_env.get("STANDIN_DELAY_MS")
    if delay is not None:
        gap = run.arrival(crlf(SUCCESS)) - run.arrival(crlf(WAIT))
        check(gap >= int(delay) / 1000 - TIMING_SLACK_S,
              f"the wait notice arrived only {gap:.3f} s before the outcome line")


def run_with_full_stdout(opts):
    """Writes that fail must change nothing: the install call is still made."""
    workdir = os.path.join(opts.workdir, "stdout-full")
    shutil.rmtree(workdir, ignore_errors=True)
    os.makedirs(workdir)
    log_path = os.path.join(workdir, "standin.log")
    env = winerun.standin_environment(opts.prefix, log_path, "5")
    with open("/dev/full", "wb") as full:
        run = winerun.run(opts.wine, opts.exe, ["E:\\kit\\"], env, workdir, stdout=full)
    check(run.returncode == 0, f"exit status {run.returncode}")
    check_record(winerun.read_record(log_path), KIT_PATH)
    check(run.exited_at >= FINAL_WAIT_S, f"exited after {run.exited_at:.3f} s")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--setup", action="store_true")
    parser.add_argument("--teardown", action="store_true")
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--case")
    parser.add_argument("--wine")
    parser.add_argument("--exe")
    parser.add_argument("--standin")
    parser.add_argument("--prefix")
    parser.add_argument("--workdir")
    opts = parser.parse_args()

    if opts.list:
        print(";".join([*CASES, "stdout-full"]), end="")
    elif opts.setup:
        winerun.setup_prefix(opts.wine, opts.prefix, opts.standin)
    elif opts.teardown:
        winerun.stop_prefix(opts.wine, opts.prefix)
    elif opts.case == "stdout-full":
        run_with_full_stdout(opts)
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
