#!/usr/bin/env python3
"""The host's exit while the office window connects to a server that takes no connection.

A listener on the loopback whose queue of connections not yet taken is full stands for the
server: the kernel drops the connection requests, as a firewall that drops packets would. The
built host opens the office window with that server as its database server and is told to quit
(the menu's exit, or "Отменить" then the exit) while the connection is being made. Reports, for
each run, the seconds from the exit's click to the process's end and the processor seconds the
process used meanwhile, then the median and the worst. --busy keeps every core busy meanwhile.

    bench/exit_while_connecting.py [--host build/bin/tarvel-host] [--runs 10] [--busy] [--cancel]
"""
import argparse
import multiprocessing
import os
import selectors
import socket
import statistics
import subprocess
import sys
import tempfile
import time

OFFICE_WINDOW = "Связь/Настройки/Автоматическая отправка запроса"
EXIT = "Файл/Выход"


def full_listener():
    """A listening socket with a backlog of none, filled until the kernel drops a request."""
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(0)
    fillers = []
    for _ in range(16):
        filler = socket.socket()
        filler.setblocking(False)
        filler.connect_ex(listener.getsockname())
        fillers.append(filler)
        selector = selectors.DefaultSelector()
        selector.register(filler, selectors.EVENT_WRITE)
        if not selector.select(0.5):
            break
    return listener, fillers


def processor_seconds(pid):
    """User and system time of a running process, from /proc."""
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def one_run(host, root, port, cancel, cap):
    steps = ["--type", f"databaseConnection=127.0.0.1/{port}:C:\\FSYS\\DB\\MAIN.FDB",
             "--open", OFFICE_WINDOW]
    steps += (["--click", "BitBtn2"] if cancel else []) + ["--open", EXIT]
    process = subprocess.Popen([host, "--mode", "office", "--root", root] + steps,
                               stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    with process.stdout, selectors.DefaultSelector() as reading:
        reading.register(process.stdout, selectors.EVENT_READ)
        return watch(process, reading, cap)


def watch(process, reading, cap):
    """Reads the host's lines until it ends, or until the cap after the exit's click."""
    quit_at = None
    processor_at_quit = 0.0
    unload_after = None
    pending = b""
    start = time.monotonic()
    while True:
        # Up to the cap after the exit's click (a busy machine may take long to come to it).
        deadline = (quit_at or start + 120) + cap
        if time.monotonic() >= deadline:
            break
        pid, status, usage = os.wait4(process.pid, os.WNOHANG)
        if pid:
            if quit_at is None:
                return None, 0.0, None, os.waitstatus_to_exitcode(status)
            used = usage.ru_utime + usage.ru_stime - processor_at_quit
            ended = time.monotonic() - quit_at
            return ended, used, unload_after, os.waitstatus_to_exitcode(status)
        if reading.select(0.02):
            chunk = os.read(process.stdout.fileno(), 65536)
            if not chunk:
                reading.unregister(process.stdout)
            pending += chunk
            *lines, pending = pending.split(b"\n")
            for line in lines:
                text = line.decode("utf-8", "replace")
                if quit_at is None and ("Opening: " + EXIT) in text:
                    quit_at = time.monotonic()
                    processor_at_quit = processor_seconds(process.pid)
                if quit_at is not None and "UnLoad returned" in text:
                    unload_after = time.monotonic() - quit_at
        elif not reading.get_map():
            time.sleep(0.02)
    used = processor_seconds(process.pid) - processor_at_quit
    process.kill()
    process.wait()
    return None, used, unload_after, None


def spin():
    while True:
        pass


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--host", default="build/bin/tarvel-host")
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--cap", type=float, default=60.0,
                        help="seconds after the exit's click before a run is ended by force")
    parser.add_argument("--busy", action="store_true", help="a busy loop on every core meanwhile")
    parser.add_argument("--cancel", action="store_true", help='"Отменить" before the exit')
    arguments = parser.parse_args()

    busy = []
    if arguments.busy:
        for _ in range(os.cpu_count() or 1):
            loop = multiprocessing.Process(target=spin, daemon=True)
            loop.start()
            busy.append(loop)
    listener, fillers = full_listener()
    port = listener.getsockname()[1]
    results = []
    try:
        for run in range(arguments.runs):
            with tempfile.TemporaryDirectory() as root:
                ended, used, unload_after, code = one_run(arguments.host, root, port,
                                                          arguments.cancel, arguments.cap)
            results.append(ended)
            shown = (f"{ended:6.2f} s" if ended is not None
                     else f"still running at {arguments.cap:.0f} s")
            unload = f"{unload_after:5.2f} s" if unload_after is not None else "  never"
            print(f"run {run + 1:2}: ended {shown}, UnLoad returned after {unload}, "
                  f"processor {used:6.2f} s, exit code {code}", flush=True)
    finally:
        for loop in busy:
            loop.kill()
        for filler in fillers:
            filler.close()
        listener.close()
    ended = [seconds for seconds in results if seconds is not None]
    if ended:
        print(f"ended {len(ended)} of {len(results)}: median {statistics.median(ended):.2f} s, "
              f"worst {max(ended):.2f} s")
    else:
        print(f"ended 0 of {len(results)}")


if __name__ == "__main__":
    sys.exit(main())
