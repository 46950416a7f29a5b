#!/usr/bin/env python3
"""A terminal that stops reading never keeps the explorer from ending.

The explorer runs on a pseudo-terminal whose far end is never read, so its
output soon fills the terminal's buffer. Then SIGTERM, and in a second run
Esc, must still end it at once, with the status each asks for and the
terminal's settings put back.
"""
import fcntl
import os
import pty
import signal
import struct
import subprocess
import sys
import termios
import time

BOUND_SECONDS = 2.0


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def run_stalled(explorer, end, wanted_status):
    master, slave = pty.openpty()
    fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 80, 100, 0, 0))
    before = termios.tcgetattr(slave)
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env["COLORTERM"] = "truecolor"
    process = subprocess.Popen(
        [explorer], stdin=slave, stdout=slave, stderr=subprocess.DEVNULL, env=env,
        start_new_session=True)
    try:
        # Long enough to be running in raw mode with its output stuck.
        deadline = time.monotonic() + 10
        while termios.tcgetattr(slave)[3] & termios.ICANON and time.monotonic() < deadline:
            time.sleep(0.05)
        time.sleep(1.0)
        if process.poll() is not None:
            fail(f"the explorer ended early with status {process.returncode}")
        end(process, master)
        started = time.monotonic()
        try:
            status = process.wait(timeout=BOUND_SECONDS)
        except subprocess.TimeoutExpired:
            fail(f"{end.__name__}: the explorer was still running {BOUND_SECONDS} s later")
        if status != wanted_status:
            fail(f"{end.__name__}: status {status}, wanted {wanted_status}")
        if termios.tcgetattr(slave) != before:
            fail(f"{end.__name__}: the terminal's settings were not put back")
        print(f"{end.__name__}: ended in {time.monotonic() - started:.2f} s")
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
        os.close(master)
        os.close(slave)


def terminate(process, _master):
    process.send_signal(signal.SIGTERM)


def escape(_process, master):
    os.write(master, b"\x1b")


if __name__ == "__main__":
    run_stalled(sys.argv[1], terminate, -signal.SIGTERM)
    run_stalled(sys.argv[1], escape, 0)
    print("stalled terminal test ok")
