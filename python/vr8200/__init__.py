"""Drive VR-8200 cameras from Python through a ``vr8200ctl serve`` session.

    from vr8200 import Camera
    with Camera(simulate="KA") as cam:
        cam.set(GA=400)
        print(cam.get("GA"))
"""

from .camera import Camera
from .errors import (
    CameraError,
    CameraRefused,
    Cancelled,
    FileProblem,
    NoCamera,
    UsageError,
)

__all__ = [
    "Camera",
    "CameraError",
    "CameraRefused",
    "Cancelled",
    "FileProblem",
    "NoCamera",
    "UsageError",
]
