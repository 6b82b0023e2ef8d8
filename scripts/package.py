#!/usr/bin/env python3
"""Packs the download of each Windows build: <out>/PosPrinterTester-<version>-<arch>.zip
holding PosPrinterTester.exe, postest.exe and README.txt in one folder.

usage: scripts/package.py OUT_DIR win32=BUILD_DIR [win64=BUILD_DIR]...

The version is the project's, as the build configured it. Same programs give
the same zip bytes: entries in a fixed order, all dated from the last commit
(or SOURCE_DATE_EPOCH), no extra fields, fixed attributes."""
import os
import subprocess
import sys
import time
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))


def source_date():
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        return int(subprocess.run(["git", "-C", HERE, "log", "-1", "--format=%ct"], check=True,
                                  capture_output=True, text=True).stdout.strip())
    except (OSError, subprocess.CalledProcessError, ValueError):
        return 315532800  # 1980-01-01, the first date a zip can hold


def project_version(build_dir):
    """major.minor of the version in the build's CMake cache."""
    with open(os.path.join(build_dir, "CMakeCache.txt"), encoding="utf-8") as f:
        for line in f:
            if line.startswith("CMAKE_PROJECT_VERSION:"):
                return ".".join(line.split("=", 1)[1].strip().split(".")[:2])
    sys.exit(f"{build_dir}: no project version in CMakeCache.txt")


def readme(version):
    with open(os.path.join(HERE, "dist", "README.txt"), encoding="utf-8") as f:
        text = f.read().replace("@VERSION@", version)
    # Notepad on every Windows: a byte order mark and CR LF.
    return "\ufeff".encode() + text.replace("\n", "\r\n").encode()


def pack(out_dir, arch, build_dir, stamp):
    program = os.path.join(build_dir, "win32", "PosPrinterTester.exe")
    version = project_version(build_dir)
    folder = f"PosPrinterTester-{version}-{arch}"
    with open(program, "rb") as f:
        entries = [("PosPrinterTester.exe", f.read())]
    with open(os.path.join(build_dir, "companion", "postest.exe"), "rb") as f:
        entries.append(("postest.exe", f.read()))
    entries.append(("README.txt", readme(version)))
    path = os.path.join(out_dir, folder + ".zip")
    date = time.gmtime(max(stamp, 315532800))[:6]
    with zipfile.ZipFile(path + ".tmp", "w") as z:
        for name, data in entries:
            info = zipfile.ZipInfo(f"{folder}/{name}", date_time=date)
            info.create_system = 0  # MS-DOS attributes
            info.external_attr = 0x20  # archive
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, data, compresslevel=9)
    os.replace(path + ".tmp", path)
    return path


def main(argv):
    if len(argv) < 2 or not all("=" in a for a in argv[1:]):
        sys.exit(__doc__)
    os.makedirs(argv[0], exist_ok=True)
    stamp = source_date()
    for arg in argv[1:]:
        arch, build_dir = arg.split("=", 1)
        print("packed", pack(argv[0], arch, build_dir, stamp))


if __name__ == "__main__":
    main(sys.argv[1:])
