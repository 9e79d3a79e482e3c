"""Writes a zip whose bytes depend only on the files it is given:
  deterministic-zip.py ZIP EPOCH FILE...
Each file goes in at the top under its own name, in the order given, with
the time EPOCH (seconds since 1970, UTC), permissions rw-r--r-- and the same
compression every time."""

import sys
import time
import zipfile
from pathlib import Path


def main():
    zip_path, epoch, files = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    # A zip holds times from 1980 on, in two-second steps.
    stamp = time.gmtime(max(epoch, 315532800))[:6]
    with zipfile.ZipFile(zip_path, "w") as archive:
        for name in files:
            entry = zipfile.ZipInfo(Path(name).name, date_time=stamp)
            entry.create_system = 3  # Unix, so that the permissions below count
            entry.external_attr = 0o100644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, Path(name).read_bytes(), compresslevel=9)
    return 0


if __name__ == "__main__":
    sys.exit(main())
