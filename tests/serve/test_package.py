"""The Python package: a Camera on the virtual camera inside vr8200ctl and on vr8200-sim over a pty."""

import pytest

from vr8200 import Camera, Cancelled, FileProblem, NoCamera, UsageError


def test_camera_on_the_virtual_camera(tmp_path):
    events = []
    with Camera(simulate="KA", config_dir=tmp_path, on_event=events.append,
                journal=tmp_path / "journal.sqlite") as cam:
        assert cam.online and cam.model == "VR-8200-KA"
        assert cam.get("GA") == 100
        assert cam.onepush("white-balance")["text"] == "Succeeded"
        cam.set(GA=400, UD="line 3")
        assert cam.get("GA", "UD") == {"GA": 400, "UD": "line 3"}
        settings = cam.dump()
        assert settings["GA"] == 400 and list(settings)[0] == "CBDRT"
        path = str(tmp_path / "golden.cam")
        assert cam.save(path)["file"] == path
        cam.set({"GA": 150})
        assert [d["name"] for d in cam.diff(path)] == ["GA"]
        cam.load(path)
        assert cam.diff(path) == []
        progress = []
        gamma = str(tmp_path / "gamma.csv")
        cam.lut("read", gamma, progress=lambda text, percent: progress.append(percent))
        assert progress and max(p for p in progress if p is not None) > 0
        cam.lut("write", gamma)

        with pytest.raises(UsageError) as refused:
            cam.get("NOPE")
        assert refused.value.code == 2 and "NOPE" in refused.value.message
        with pytest.raises(FileProblem) as missing:
            cam.load(str(tmp_path / "missing.cam"))
        assert missing.value.code == 4
        assert cam.get("MD") == "VR-8200-KA", "the session goes on after a failed request"
    assert cam._process.returncode == 0
    assert events[0]["event"] == "online"


def test_camera_over_a_pty_and_cancel_from_a_progress_callback(tmp_path, sim):
    curve = str(tmp_path / "curve.csv")
    with Camera(port=sim("--pace", "--start-rate", "115200"), config_dir=tmp_path, journal=False) as cam:
        assert cam.model == "VR-8200-KA"
        cam.request("lut curve", curve, "--points", "0,256 256,0")

        def stop_early(text, percent):
            if percent:
                cam.cancel()

        with pytest.raises(Cancelled) as cancelled:
            cam.lut("write", curve, progress=stop_early)
        assert cancelled.value.code == 130
        assert cam.get("GA") == 100


def test_no_camera_is_an_exception(tmp_path, sim):
    with pytest.raises(NoCamera) as none:
        Camera(port=sim("--silent"), config_dir=tmp_path, journal=False)
    assert none.value.code == 3 and "no camera answered" in none.value.message
