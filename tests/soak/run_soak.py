#!/usr/bin/env python3
"""Kills the history soak driver with SIGKILL at random moments, at least 100
times within about 55 seconds, and after every kill checks what was left: a
history file that decodes and names only images that exist, and after the next
start no temporary file and no unnamed image."""
import os
import random
import subprocess
import sys
import tempfile
import time

MIN_KILLS = 100
BUDGET_SECONDS = 55


def main(driver):
    data = tempfile.mkdtemp(prefix="pellimore-soak-")
    env = dict(os.environ, XDG_DATA_HOME=data)
    rng = random.Random(os.getpid())
    kills = 0
    start = time.monotonic()
    while time.monotonic() - start < BUDGET_SECONDS:
        runner = subprocess.Popen([driver, "run"], env=env)
        time.sleep(rng.uniform(0.02, 0.4))
        runner.kill()
        runner.wait()
        kills += 1
        check = subprocess.run([driver, "check"], env=env, capture_output=True, text=True)
        if check.returncode != 0:
            print(f"after kill {kills}: {check.stderr.strip()}")
            print("soak: 0 passed, 1 failed")
            return 1
    if kills < MIN_KILLS:
        print(f"soak: only {kills} kills in {BUDGET_SECONDS} s")
        return 1
    print(f"soak: {kills} kills, every check clean")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
