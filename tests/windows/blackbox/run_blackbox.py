"""Runs the black-box tests of the Windows program, or exits 77 (ctest:
skipped) when this machine cannot run them at all."""

import os
import shutil
import subprocess
import sys

import pytest

HERE = os.path.dirname(os.path.abspath(__file__))


def missing():
    loader = os.environ.get("OSTRIVEL_WINE_LOADER", "")
    for tool in ("Xvfb", "xdotool"):
        if shutil.which(tool) is None:
            return f"{tool} is missing; scripts/install-deps.sh installs it"
    if not os.access(loader, os.X_OK):
        return f"{loader} is missing; scripts/install-deps.sh installs Wine"
    try:
        subprocess.run([loader, "--version"], check=True, timeout=30,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    except (OSError, subprocess.SubprocessError):
        return f"{loader} cannot start here (no 32-bit support in the kernel?)"
    return None


if __name__ == "__main__":
    reason = missing()
    if reason:
        print("SKIP:", reason)
        sys.exit(77)
    sys.exit(pytest.main(["-v", "-p", "no:cacheprovider", "-o", "faulthandler_timeout=120",
                          HERE, *sys.argv[1:]]))
