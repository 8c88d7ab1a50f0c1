#!/usr/bin/env python3
"""Configures the project twice into a new build folder and fails when the second configure
rewrote a file the build reads: a file rewritten at every configure makes every start of
scripts/run.sh (and any re-run of CMake) rebuild what depends on it.

Usage: check_reconfigure.py <source folder> <cmake>
"""
import os
import pathlib
import re
import subprocess
import sys
import tempfile
import time

# What CMake keeps for itself and writes anew on every run; no build step reads these.
BOOKKEEPING = {"CMakeCache.txt", "build.ninja", "cmake_install.cmake", "CTestTestfile.cmake",
               "DartConfiguration.tcl", "CPackConfig.cmake", "CPackSourceConfig.cmake",
               "compile_commands.json"}
# CTest's lists of the GoogleTest cases, read by ctest alone.
TEST_LISTS = re.compile(r".*\[\d+\]_include\.cmake$")


def snapshot(build):
    files = {}
    for path in build.rglob("*"):
        relative = path.relative_to(build)
        if "CMakeFiles" in relative.parts or path.name in BOOKKEEPING or TEST_LISTS.match(path.name):
            continue
        if path.is_file() and not path.is_symlink():
            files[str(relative)] = path.stat().st_mtime_ns
    return files


def configure(source, cmake, build):
    result = subprocess.run([cmake, "-S", source, "-B", str(build), "-G", "Ninja",
                             "-DCMAKE_BUILD_TYPE=RelWithDebInfo"],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if result.returncode != 0:
        print(result.stdout)
        sys.exit("configure failed")


def main():
    source, cmake = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory(prefix="korvex-reconfigure-") as folder:
        build = pathlib.Path(folder)
        configure(source, cmake, build)
        first = snapshot(build)
        time.sleep(1.1)  # a rewrite shows as a newer time even on coarse file systems
        configure(source, cmake, build)
        second = snapshot(build)
    rewritten = sorted(name for name, mtime in second.items() if first.get(name) not in (None, mtime))
    appeared = sorted(set(second) - set(first))
    if rewritten or appeared:
        for name in rewritten:
            print("rewritten by the second configure:", name)
        for name in appeared:
            print("appeared at the second configure:", name)
        return 1
    print(f"{len(second)} generated files unchanged by a second configure")
    return 0


if __name__ == "__main__":
    sys.exit(main())
