"""Fails when the executable imports a function that is not on the list of
those known to be in 64-bit Windows Vista SP2: Windows refuses to start a
program with a missing import, before it can print a line.

  imports_on_vista.py --objdump OBJDUMP --exe EXE --known LIST
"""

import argparse
import re
import subprocess
import sys


# "\t<address>  [<ordinal>]  <hint>  <name>": binutils 2.40 and 2.44 differ
# in the columns before the name.
MEMBER = re.compile(r"^\t[0-9a-f]+\s.*\s([A-Za-z_]\w*)$")


def imports(objdump, exe):
    """The import table as "dll!function" texts, the DLL in lower case."""
    dump = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
    found, dll = [], None
    for line in dump.splitlines():
        if "DLL Name:" in line:
            dll = line.split(":", 1)[1].strip().lower()
        elif not line.strip():
            dll = None
        elif dll is not None and MEMBER.match(line):
            found.append(f"{dll}!{MEMBER.match(line).group(1)}")
    return found


def known(list_path):
    with open(list_path) as listing:
        lines = (line.strip() for line in listing)
        return {line.split("!", 1)[0].lower() + "!" + line.split("!", 1)[1]
                for line in lines if line and not line.startswith("#")}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--known", required=True)
    opts = parser.parse_args()
    found = imports(opts.objdump, opts.exe)
    if not found:
        print(f"FAILED: no imports read from {opts.exe}")
        return 1
    listed = known(opts.known)
    unknown = [name for name in found if name not in listed]
    if unknown:
        print("FAILED: imports not known to be in Windows Vista SP2 (check each there before listing it in "
              f"{opts.known}, or take it at run time with GetProcAddress): {' '.join(unknown)}")
        return 1
    print(f"{len(found)} imports, all in Windows Vista SP2")
    return 0


if __name__ == "__main__":
    sys.exit(main())
