"""The Camera class: one ``vr8200ctl serve`` process, one camera, many requests."""

import json
import os
import shutil
import subprocess
import threading

from .errors import CameraError, error_for

_PROGRAM_ENV = "VR8200CTL"


def _program(program):
    if program:
        return program
    if os.environ.get(_PROGRAM_ENV):
        return os.environ[_PROGRAM_ENV]
    found = shutil.which("vr8200ctl")
    if not found:
        raise FileNotFoundError("vr8200ctl is not on PATH; install the vr8200-control package or set "
                                + _PROGRAM_ENV)
    return found


def _set_argument(name, value):
    if isinstance(value, bool):
        value = int(value)
    return f"{name}={value}"


class Camera:
    """A camera reached through ``vr8200ctl serve``.

    Give one of ``port`` (a serial device, or ``rfc2217://HOST:PORT`` / ``tcp://HOST:PORT``),
    ``address`` (a port server's ``HOST:PORT``, spoken to over RFC 2217) or ``simulate`` ("KA" or
    "KB", the built-in virtual camera); with none, the link the desktop tool stored is used.
    ``factory`` is factory control mode, ``config_dir`` the folder of the settings store, ``yes``
    answers Yes to every question (replacing files, short tables). ``journal`` is the change
    journal's file for this session (False: keep none; None: the stored or default one).
    ``on_event`` is called with every event the session sends (a dict: "online", "offline",
    "message", "progress").

    The constructor runs the start-up and raises NoCamera when no camera answered it.
    """

    def __init__(self, port=None, *, address=None, simulate=None, factory=False, config_dir=None,
                 yes=False, on_event=None, program=None, trace=False, journal=None):
        if sum(x is not None for x in (port, address, simulate)) > 1:
            raise ValueError("give one of port, address and simulate")
        args = [_program(program)]
        if address is not None:
            port = address if "://" in address else "rfc2217://" + address
        if port is not None:
            args += ["--port", str(port)]
        if simulate is not None:
            args += ["--simulate", simulate]
        if factory:
            args.append("--factory")
        if config_dir is not None:
            args += ["--config-dir", str(config_dir)]
        if yes:
            args.append("--yes")
        if journal is False:
            args.append("--no-journal")
        elif journal is not None:
            args += ["--journal", str(journal)]
        if trace:
            args.append("--trace")
        args.append("serve")
        self._on_event = on_event
        self._next_id = 0
        self._write_lock = threading.Lock()
        self._running = None
        self.online = False
        self.model = None
        self.messages = []
        self._process = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                         text=True, encoding="utf-8", bufsize=1)
        first = self._read()
        if first is None:
            self._process.wait()
            raise CameraError(self._process.returncode, "vr8200ctl serve ended before its start-up")
        self._event(first)
        if first.get("event") == "offline":
            self.close()
            raise error_for(first.get("code", 3), first.get("message", "no camera"))

    # ---- the session ---------------------------------------------------------------------------

    def _read(self):
        line = self._process.stdout.readline()
        return json.loads(line) if line else None

    def _write(self, message):
        with self._write_lock:
            self._process.stdin.write(json.dumps(message) + "\n")
            self._process.stdin.flush()

    def _event(self, event):
        kind = event.get("event")
        if kind == "online":
            self.online = True
            self.model = event.get("model")
        elif kind == "offline":
            self.online = False
        elif kind == "message":
            self.messages.append(event.get("text", ""))
        if self._on_event:
            self._on_event(event)

    def request(self, cmd, *args, progress=None):
        """Runs one vr8200ctl subcommand (``cmd`` as on the command line, "lut read") with its
        arguments; returns its result (what ``--json`` prints) or raises a CameraError.
        ``progress`` is called with (text, percent) while a long operation runs; percent is None
        while the operation cannot say how far it got."""
        if self._process.poll() is not None:
            raise CameraError(self._process.returncode, "the vr8200ctl serve session has ended")
        self._next_id += 1
        rid = self._next_id
        self._running = rid
        try:
            self._write({"id": rid, "cmd": cmd, "args": [str(a) for a in args]})
            while True:
                message = self._read()
                if message is None:
                    raise CameraError(self._process.wait(), "vr8200ctl serve ended during the request")
                if "event" in message:
                    if message["event"] == "progress" and progress and message.get("request") == rid:
                        progress(message.get("text", ""), message.get("percent"))
                    self._event(message)
                    continue
                if message.get("id") != rid:
                    continue  # the answer to a cancel
                if message.get("ok"):
                    return message.get("result")
                error = message.get("error", {})
                raise error_for(error.get("code"), error.get("message", ""), error.get("result"))
        finally:
            self._running = None

    def cancel(self):
        """Stops the request under way at its next step (from a progress callback or another
        thread); it then raises Cancelled."""
        rid = self._running
        if rid is not None and self._process.poll() is None:
            self._write({"cmd": "cancel", "args": [str(rid)]})

    def close(self):
        """Ends the session: a "close" request, then the process's end."""
        if self._process.poll() is None:
            try:
                self._write({"cmd": "close"})
                self._process.stdin.close()
            except (BrokenPipeError, ValueError):
                pass
            try:
                self._process.wait(timeout=30)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait()
        self._process.stdout.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    # ---- the operations ------------------------------------------------------------------------

    def get(self, *names):
        """The camera's value of one command, or a dict of several: get("GA"), get("GA", "MD")."""
        values = self.request("get", *names)
        return values[names[0]] if len(names) == 1 else values

    def set(self, values=None, **more):
        """Sends sets in order, stopping at the first refusal: set(GA=400), set({"UD": "line 3"})."""
        pairs = dict(values or {}, **more)
        self.request("set", *(_set_argument(k, v) for k, v in pairs.items()))

    def dump(self, progress=None):
        """Every setting of the model as a dict, in the parameter table's order."""
        return self.request("dump", progress=progress)

    def info(self):
        return self.request("info")

    def area(self):
        return self.request("area")["area"]

    def load(self, path, progress=None):
        """Sends every setting of a settings file (.cam)."""
        self.request("load", path, progress=progress)

    def save(self, path, shipping=False, replace=False, progress=None):
        """Reads every setting and writes the settings file; returns {"file": ..., "lines": ...}."""
        args = [path] + (["--shipping"] if shipping else []) + (["--yes"] if replace else [])
        return self.request("save", *args, progress=progress)

    def diff(self, path):
        """The differences between the camera and a settings file, as a list of dicts."""
        try:
            return self.request("diff", path)["differences"]
        except CameraError as e:
            if e.code == 1 and isinstance(e.result, dict):
                return e.result["differences"]
            raise

    def onepush(self, function, progress=None):
        """Runs a one-push function ("white-balance", "shading", ...); returns its title, text and
        the re-read values."""
        return self.request("onepush", function, progress=progress)

    def lut(self, action, path, progress=None, yes=False):
        """"read" the three LUT tables into a gamma file, or "write" one to the camera."""
        return self.request("lut " + action, path, *(["--yes"] if yes else []), progress=progress)

    def shading(self, action, path=None, progress=None, yes=False):
        """"read", "write" the shading file, or "store" the shading data in the camera's flash."""
        args = ([path] if path is not None else []) + (["--yes"] if yes else [])
        return self.request("shading " + action, *args, progress=progress)

    def reconnect(self):
        """Runs the start-up again (an adapter unplugged and plugged back in)."""
        return self.request("reconnect")
