"""Exceptions carrying vr8200ctl's exit status as their code, and its message."""


class CameraError(Exception):
    """A request failed. ``code`` is the exit status vr8200ctl would have ended with, ``message``
    what it said; ``result`` is what the command gave before it failed (the differences of a
    diff, the values a dump read), or None."""

    code = None

    def __init__(self, code, message, result=None):
        super().__init__(f"{message} (code {code})")
        self.code = code
        self.message = message
        self.result = result


class CameraRefused(CameraError):
    """1: the camera refused a command or did not answer."""


class UsageError(CameraError):
    """2: a request vr8200ctl does not take (or a question answered No)."""


class NoCamera(CameraError):
    """3: the link could not be opened or no camera answered the start-up."""


class FileProblem(CameraError):
    """4: a file could not be read, parsed or written."""


class Cancelled(CameraError):
    """130: the request was cancelled, or the session ended before it finished."""


_BY_CODE = {1: CameraRefused, 2: UsageError, 3: NoCamera, 4: FileProblem, 130: Cancelled}


def error_for(code, message, result=None):
    return _BY_CODE.get(code, CameraError)(code, message, result)
