#!/usr/bin/env python3
"""Shrinks the command list of a failed randomised session test.

Usage: tools/shrink-session.py BUILD/tests/app/potelan_session_fuzz_tests FAILURE.txt

FAILURE.txt is the test's report (or just the lines between "---- commands"
and "---- end"). Commands are dropped, in chunks and then one by one, as long
as the replay still breaks the same invariant; the shortest list is printed.
"""
import os
import re
import subprocess
import sys
import tempfile


def commands_of(text):
    if "---- commands" in text:
        text = text.split("---- commands", 1)[1].split("---- end", 1)[0]
    return [line for line in text.splitlines() if line.strip()]


def invariant_of(output):
    match = re.search(r"Session invariant broken: (.*)", output)
    if not match:
        return None
    # Numbers in the message (cells, pixels) may differ between replays.
    return re.sub(r"[-\d.]+", "#", match.group(1))


def replay(binary, commands):
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
        f.write("\n".join(commands) + "\n")
        path = f.name
    env = dict(os.environ, POTELAN_FUZZ_REPLAY=path, QT_QPA_PLATFORM="offscreen")
    try:
        run = subprocess.run([binary, "--gtest_filter=SessionFuzzTest.RandomSessions*"],
                             env=env, capture_output=True, text=True, timeout=600)
        return invariant_of(run.stdout + run.stderr)
    finally:
        os.unlink(path)


def main():
    binary, report = sys.argv[1], sys.argv[2]
    with open(report, encoding="utf-8") as f:
        commands = commands_of(f.read())
    target = replay(binary, commands)
    if target is None:
        sys.exit("the list does not fail when replayed")
    print("shrinking for:", target, file=sys.stderr)
    chunk = max(len(commands) // 2, 1)
    while chunk >= 1:
        i = 0
        while i < len(commands):
            trial = commands[:i] + commands[i + chunk:]
            if trial and replay(binary, trial) == target:
                commands = trial
            else:
                i += chunk
        chunk //= 2
    print("\n".join(commands))


if __name__ == "__main__":
    main()
