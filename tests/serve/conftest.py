"""Shared fixtures: vr8200ctl serve spoken to line by line, and vr8200-sim on a pseudo-terminal."""

import json
import os
import queue
import subprocess
import threading
import time

import pytest

CTL = os.environ["VR8200CTL"]
SIM = os.environ["VR8200_SIM"]
# Generous: no test depends on the machine's speed.
WAIT = 60


class Serve:
    """One vr8200ctl serve process; every line it writes is read on a thread so no read blocks."""

    def __init__(self, config_dir, *options):
        # The journal stays in the test's folder, never the user's.
        self.process = subprocess.Popen([CTL, "--config-dir", str(config_dir), "--journal",
                                         str(config_dir / "journal.sqlite"), *options, "serve"],
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE)
        self.lines = queue.Queue()
        self.stderr = []
        threading.Thread(target=self._pump, args=(self.process.stdout, self.lines.put), daemon=True).start()
        threading.Thread(target=self._pump, args=(self.process.stderr, self.stderr.append),
                         daemon=True).start()

    @staticmethod
    def _pump(stream, put):
        for line in stream:
            put(line.decode("utf-8"))
        put(None)

    def write(self, raw):
        self.process.stdin.write(raw if isinstance(raw, bytes) else raw.encode())
        self.process.stdin.flush()

    def send(self, rid, cmd, *args):
        self.write(json.dumps({"id": rid, "cmd": cmd, "args": list(args)}) + "\n")

    def next(self):
        line = self.lines.get(timeout=WAIT)
        assert line is not None, "serve ended: " + "".join(self.stderr)
        return json.loads(line)

    def answer(self, rid, events=None):
        """The answer to RID; the events before it go into EVENTS."""
        while True:
            message = self.next()
            if "event" in message:
                if events is not None:
                    events.append(message)
                continue
            if message["id"] == rid:
                return message

    def call(self, rid, cmd, *args):
        self.send(rid, cmd, *args)
        return self.answer(rid)

    def tx(self):
        """The lines sent to the camera so far (with --trace)."""
        return [line.split("Tx: ", 1)[1].rstrip("\n") for line in list(self.stderr)
                if line and "Tx: " in line]

    def close(self):
        if self.process.poll() is None:
            try:
                self.process.stdin.close()
            except BrokenPipeError:
                pass
            try:
                self.process.wait(timeout=WAIT)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


@pytest.fixture
def serve(tmp_path):
    started = []

    def start(*options):
        s = Serve(tmp_path / "config", *options)
        started.append(s)
        return s

    yield start
    for s in started:
        s.close()


@pytest.fixture
def sim(tmp_path):
    """Starts vr8200-sim with the given switches; returns the path of its pseudo-terminal."""
    started = []

    def start(*switches):
        link = tmp_path / f"cam{len(started)}"
        process = subprocess.Popen([SIM, "--model", "KA", "--link", str(link), *switches],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        started.append(process)
        deadline = time.monotonic() + WAIT
        while not link.exists():
            assert process.poll() is None and time.monotonic() < deadline, "vr8200-sim did not start"
            time.sleep(0.02)
        return str(link)

    yield start
    for process in started:
        process.terminate()
        process.wait(timeout=WAIT)
