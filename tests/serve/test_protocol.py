"""vr8200ctl serve spoken to line by line: every request, lines that are no request, requests that
come while one runs, a camera that hangs up, and input that ends in the middle of an operation."""

import json
import time

from conftest import WAIT


def test_every_request_is_answered_under_its_id(serve, tmp_path):
    s = serve("--simulate", "KA")
    assert s.next()["event"] == "online"
    cam, gamma, curve, shading = (str(tmp_path / n) for n in ("a.cam", "g.csv", "c.csv", "s.csv"))
    # (command, arguments, what the answer holds: a result to compare, a check of it, or an error code)
    requests = [
        ("get", ["GA", "MD", "GA"], {"GA": 100, "MD": "VR-8200-KA"}),
        ("onepush", ["white-balance"], lambda r: r["title"] == "White Balance Once" and r["text"] == "Succeeded"),
        ("set", ["GA=400", "SDM=1"], None),
        ("dump", [], lambda r: r["GA"] == 400 and len(r) > 100),
        ("info", [], lambda r: r["model"] == "VR-8200-KA" and r["camera_id"] == "2400012345"),
        ("area", [], lambda r: set(r) == {"area"}),
        ("save", [cam], lambda r: r["file"] == cam and r["lines"] > 100),
        ("save", [cam, "--yes"], lambda r: r["file"] == cam),
        ("save", [cam], 2),  # the file exists: replaced only with --yes, which the request before gave
        ("set", ["GA=123"], None),
        # What this session did is in its journal at once.
        ("history", [], lambda r: r[-1]["kind"] == "set" and (r[-1]["name"], r[-1]["new"]) == ("GA", "123")),
        ("diff", [cam], lambda e: e["code"] == 1 and e["result"]["differences"][0]["camera"] == 123),
        ("load", [cam], None),
        ("diff", [cam], {"file": cam, "differences": []}),
        ("store-area", ["1"], None),
        ("load-area", ["1"], lambda r: r["GA"] == 400),
        ("xml-version", [], lambda r: isinstance(r["XMLVR"], int)),
        ("lut curve", [curve, "--points", "0,256 256,0"], None),
        ("lut write", [curve], None),
        ("lut read", [gamma], None),
        ("shading read", [shading], None),
        ("shading write", [shading], None),
        ("send", ["GA?"], ["GA=400"]),
        ("reconnect", [], lambda r: r["model"] == "VR-8200-KA" and r["rate"] == 115200),
        ("load", [str(tmp_path / "missing.cam")], 4),
        ("set", ["GA=1\r\nGA=2"], 2),
    ]
    for rid, (cmd, args, expected) in enumerate(requests, 1):
        answer = s.call(rid, cmd, *args)
        assert answer["id"] == rid
        if isinstance(expected, int):
            assert answer["error"]["code"] == expected and answer["error"]["message"], (cmd, answer)
        elif callable(expected):
            assert expected(answer["result"] if answer["ok"] else answer["error"]), (cmd, answer)
        else:
            assert answer == {"id": rid, "ok": True, "result": expected}, (cmd, answer)
    assert open(gamma).read() == open(curve).read()
    assert s.call("end", "close") == {"id": "end", "ok": True, "result": None}
    assert s.process.wait(timeout=WAIT) == 0


def test_a_line_that_is_no_request_is_answered_and_sends_nothing(serve):
    s = serve("--simulate", "KA", "--trace")
    assert s.next()["event"] == "online"
    lines = [
        (b"garbage", None),
        (b"[1, 2]", None),
        (b'{"id": 3}', 3),
        (b'{"id": 4, "cmd": 7}', 4),
        (b'{"id": 5, "cmd": "get", "args": "GA"}', 5),
        (b'{"id": 6, "cmd": "get", "args": ["GA\\u0000"]}', 6),
        (b'{"id": [7], "cmd": "get"}', None),
        (b'{"id": 8, "cmd": "get", "args": [[[["GA"]]]]}', None),
        (b'{"id": 9, "cmd": "set", "args": ["GA=150", "--port", "/dev/null"]}', 9),
        (b'{"id": 10, "cmd": "--json"}', 10),
        (b'{"id": 11, "cmd": "serve"}', 11),
        (b'{"id": 12, "cmd": "get", "args": ["NOPE"]}', 12),
        (b'{"id": 13, "cmd": "get", "args": ["\xff"]}', None),
        (b'{"id": 14, "cmd": "cancel", "args": ["99"]}', 14),
        (b'{"id": 15, "cmd": "set", "args": ["UD=a\\rb"]}', 15),
        (b'{"id": 16, "cmd": "get", "args": ["' + b"A" * (2 << 20) + b'"]}', None),
    ]
    sent = len(s.tx())
    for raw, rid in lines:
        s.write(raw + b"\n")
        answer = s.next()
        assert answer["id"] == rid and answer["ok"] is False, (raw[:60], answer)
        assert answer["error"]["code"] == 2 and answer["error"]["message"], (raw[:60], answer)
    assert s.call(17, "get", "GA")["result"] == {"GA": 100}
    assert s.tx()[sent:] == ["GA?"], "only the last request reached the camera"


def test_requests_that_come_together_run_in_turn_and_a_waiting_one_can_be_cancelled(serve):
    s = serve("--simulate", "KA")
    assert s.next()["event"] == "online"
    s.write("".join(json.dumps(r) + "\n" for r in [
        {"id": 1, "cmd": "dump"},
        {"id": 2, "cmd": "get", "args": ["GA"]},
        {"id": 3, "cmd": "get", "args": ["MD"]},
        {"id": 4, "cmd": "cancel", "args": ["3"]},
        {"id": 5, "cmd": "close"},
    ]))
    answers = []
    while len(answers) < 5:
        message = s.next()
        if "id" in message:
            answers.append(message)
    assert [a["id"] for a in answers if a["id"] != 4] == [1, 2, 3, 5]
    by_id = {a["id"]: a for a in answers}
    assert by_id[1]["ok"] and by_id[2]["result"] == {"GA": 100}
    assert by_id[3]["error"]["code"] == 130
    assert by_id[4]["result"] == {"cancelled": 3}
    assert s.process.wait(timeout=WAIT) == 0


def test_a_camera_that_hangs_up_is_an_event_then_an_error(serve, sim):
    s = serve("--port", sim("--hangup-after", "30"))
    assert s.next()["event"] == "online"
    started = time.monotonic()
    events = []
    s.send(1, "dump")
    answer = s.answer(1, events)
    assert answer["error"]["code"] == 1, answer
    assert [e["event"] for e in events if e["event"] in ("online", "offline")] == ["offline"]
    # The device is gone: the next request tries the start-up again and says so.
    assert s.call(2, "get", "GA")["error"]["code"] == 3
    assert time.monotonic() - started < WAIT
    assert s.call(3, "close")["ok"]


def test_input_that_ends_mid_operation_stops_it_between_commands(serve, sim, tmp_path):
    curve = str(tmp_path / "c.csv")
    s = serve("--port", sim("--pace", "--start-rate", "115200"))
    assert s.next()["event"] == "online"
    assert s.call(1, "lut curve", curve, "--points", "0,256 256,0")["ok"]
    s.send(2, "lut write", curve)
    s.send(3, "get", "GA")
    while True:  # the write is under way
        message = s.next()
        if message.get("event") == "progress" and (message.get("percent") or 0) > 0:
            break
    s.process.stdin.close()
    assert s.answer(2)["error"]["code"] == 130
    assert s.answer(3)["error"] == {"code": 130, "message": "not run: the input ended before its turn"}
    assert s.process.wait(timeout=WAIT) == 0
