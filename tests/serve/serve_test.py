"""The live bench's HTTP interface against a real `vesselsim serve` of the
Kestrel: every endpoint, bad bodies, paths out of the page's folder, and the
vessel rebuilt when its configuration changes or kept when it breaks."""
import http.client
import json
import os
import select
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
from pathlib import Path
import time
import unittest
import urllib.request

from live_bench import LiveBench, watched

VESSELSIM, KESTREL = sys.argv[1], sys.argv[2]


class Serve(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.bench = LiveBench(VESSELSIM, KESTREL, "Kestrel.scn", "--watch", "HYDRAULIC:CABIN:PRESS")

    @classmethod
    def tearDownClass(cls):
        status, output = cls.bench.stop()
        assert status == 0, (status, output)
        assert "serving http://127.0.0.1:" in output, output

    def test_page_its_folder_only_and_pages_that_go(self):
        status, page = self.bench.request("", raw=True)
        self.assertEqual(status, 200)
        self.assertIn(b"uPlot.iife.min.js", page)
        self.assertEqual(self.bench.request("vendor/uplot/uPlot.min.css", raw=True)[0], 200)
        # A page that goes away mid-stream leaves the server serving.
        stream = urllib.request.urlopen(self.bench.url + "api/stream?token=" + self.bench.token, timeout=5)
        self.assertTrue(stream.readline().startswith(b"data: {"))
        stream.close()
        time.sleep(0.2)
        self.assertEqual(self.bench.request("api/state")[0], 200)
        for path in ["../CMakeLists.txt", "..%2f..%2fetc%2fpasswd", "%2e%2e/%2e%2e/etc/passwd", "vendor/../../x"]:
            request = urllib.request.Request(self.bench.url + path)
            with self.assertRaises(urllib.error.HTTPError, msg=path) as refused:
                urllib.request.urlopen(request, timeout=5)
            self.assertIn(refused.exception.code, (400, 404), path)

    def test_clock_panel_mouse_keys_and_watches(self):
        b = self.bench
        state = b.get("api/state")
        self.assertEqual(state["panel"], 0)
        self.assertEqual(state["panelNames"][:2], ["MAIN", "NAV"])
        self.assertEqual(state["neighbours"]["right"], 1)
        self.assertEqual(state["watches"][0]["ref"], "HYDRAULIC:CABIN:PRESS")
        self.assertGreater(state["watches"][0]["value"], 1000)
        self.assertEqual(b.post("api/clock", {"paused": True}), (200, {"ok": True}))
        paused = b.get("api/state")["time"]
        time.sleep(0.2)
        self.assertEqual(b.get("api/state")["time"], paused)
        b.post("api/clock", {"step": 5})
        b.wait_for(lambda s: abs(s["time"] - (paused + 5 * s["dt"])) < 1e-9)
        self.assertEqual(b.post("api/clock", {"rate": 5000})[0], 400)
        png = b.get("api/panel.png", raw=True)
        self.assertTrue(png.startswith(b"\x89PNG"))
        # The drain switch: its bound variable and its picture change.
        self.assertEqual(b.post("api/watch", {"ref": "int=HYDRAULIC:WASTE:OUT:OPEN"}), (200, {"ok": True}))
        shown = b.get("api/state")
        before = shown["watches"][1]["value"]
        self.assertEqual(b.post("api/mouse", {"x": 405, "y": 205, "action": "down"}), (200, {"taken": True}))
        self.assertEqual(b.post("api/mouse", {"x": 0, "y": 0, "action": "up"})[0], 200)
        b.wait_for(lambda s: s["watches"][1]["value"] != before and s["panelVersion"] != shown["panelVersion"])
        self.assertTrue(b.get("api/panel.png", raw=True) != png, "the picture did not change")
        self.assertEqual(b.post("api/mouse", {"x": 1, "y": 1, "action": "click"}), (200, {"taken": False}))
        # Writes, completion, the series, a panel by id and group levels.
        self.assertEqual(b.post("api/set", {"ref": "int=HYDRAULIC:WASTE:OUT:OPEN", "value": 0})[0], 200)
        names = b.get("api/references?prefix=hydraulic:cabin:")
        self.assertIn("HYDRAULIC:CABIN:PRESS", names)
        self.assertIn("HYDRAULIC:CABIN:OUT:OPEN", names)
        b.post("api/clock", {"paused": False, "rate": 1000})
        b.wait_for(lambda s: s["time"] > paused + 20)
        b.post("api/clock", {"paused": True})
        csv = b.get("api/series.csv", raw=True).decode().splitlines()
        self.assertEqual(csv[0], "time,HYDRAULIC:CABIN:PRESS,HYDRAULIC:WASTE:OUT:OPEN")
        self.assertGreater(len(csv), 3)
        self.assertEqual(b.get("api/series.csv?last=2", raw=True).decode().splitlines(), [csv[0]] + csv[-2:])
        self.assertEqual(b.request("api/series.csv?last=-1", raw=True)[0], 400)
        thinned = b.get("api/series.csv?points=3", raw=True).decode().splitlines()
        self.assertEqual((len(thinned), thinned[-1]), (4, csv[-1]))
        # A watch added keeps the record: its own column is empty before it.
        b.post("api/watch", {"ref": "HYDRAULIC:CABIN:TEMP"})
        longer = b.get("api/series.csv", raw=True).decode().splitlines()
        self.assertEqual(longer[len(csv) - 1], csv[-1] + ",")
        b.post("api/unwatch", {"ref": "HYDRAULIC:CABIN:TEMP"})
        self.assertEqual(b.get("api/series.csv", raw=True).decode().splitlines()[:len(csv)], csv)
        self.assertEqual(b.post("api/panel", {"id": 1})[0], 200)
        self.assertEqual(b.get("api/state")["panel"], 1)
        self.assertEqual(b.post("api/panel", {"id": 7})[0], 400)
        b.post("api/panel", {"id": 0})
        self.assertEqual(b.post("api/group", {"group": "THGROUP_MAIN", "level": 0.5})[0], 200)
        b.wait_for(lambda s: abs(s["flight"]["main"] - 0.5) < 1e-9)
        b.post("api/group", {"group": "THGROUP_MAIN", "level": 0})
        # A key that separates a stage: the vessel is lighter.
        mass = b.get("api/state")["flight"]["mass"]
        self.assertEqual(b.post("api/key", {"code": "KeyJ"})[0], 200)
        b.wait_for(lambda s: s["flight"]["mass"] < mass - 100)
        self.assertEqual(b.post("api/unwatch", {"ref": "HYDRAULIC:WASTE:OUT:OPEN"})[0], 200)

    def test_bad_requests_change_nothing(self):
        b = self.bench
        watch_refs = lambda: [w["ref"] for w in b.get("api/state")["watches"]]
        before = watch_refs()
        for path, body in [("api/watch", b"not json"), ("api/watch", b"[1]"), ("api/watch", {"nope": 1}),
                           ("api/watch", {"ref": 5}), ("api/mouse", {"x": "a", "y": 1}),
                           ("api/mouse", {"x": 1, "y": 1, "button": "middle"}), ("api/key", {"code": "NoSuchKey"}),
                           ("api/set", {"ref": "SHIP:ALTITUDE", "value": "high"}),
                           ("api/set", {"ref": "HYDRAULIC:CABIN:VOLUME", "value": "-5"}),
                           ("api/group", {"group": "THGROUP_NONE", "level": 1}), ("api/save", {"name": "../x"}),
                           ("api/save", {"name": "a/b"}), ("api/unwatch", {"ref": "NOT:WATCHED"})]:
            status, reply = b.post(path, body)
            self.assertEqual(status, 400, (path, body))
            self.assertTrue(reply["error"], (path, body))
        status, reply = b.post("api/watch", {"ref": "HYDRAULIC:NOSUCHTANK:PRESS"})
        self.assertEqual(status, 400)
        self.assertIn("HYDRAULIC:NOSUCHTANK:PRESS", reply["error"])
        self.assertEqual(watch_refs(), before)
        b.post("api/watch", {"ref": "HYDRAULIC:CABIN:VOLUME"})
        self.assertEqual(watched(b.get("api/state"), "HYDRAULIC:CABIN:VOLUME"), 10000)
        b.post("api/unwatch", {"ref": "HYDRAULIC:CABIN:VOLUME"})

    def test_only_its_author_drives_it(self):
        b = self.bench
        rate = b.get("api/state")["rate"]
        refused = [
            (403, "api/state", None, {"Authorization": None}),
            (403, "api/state", None, {"Authorization": "token " + "0" * len(b.token)}),
            (403, "api/state", None, {"Host": "rebound.example:%d" % b.port}),
            (415, "api/clock", json.dumps({"rate": 1000}).encode(), {"Content-Type": "text/plain"}),
            (415, "api/clock", json.dumps({"rate": 1000}).encode(), {"Content-Type": "application/jsonx"}),
            (415, "api/clock", json.dumps({"rate": 1000}).encode(), {"Content-Encoding": "gzip"}),
            (400, "api/clock", {"rate": 10, "step": 0}, {}),
            # Numbers out of their field's range, bodies nested past all use,
            # bytes that are not UTF-8: refused, and said why.
            (400, "api/clock", {"step": 4294967297}, {}),
            (400, "api/panel", {"id": 4294967296}, {}),
            (400, "api/panel", {"id": 1e300}, {}),
            (400, "api/mouse", {"x": 1.5, "y": 1}, {}),
            (400, "api/set", b'{"ref": "SHIP:CUSTOMINT1", "value": ' + b"[" * 70000 + b"]" * 70000 + b"}", {}),
            (400, "api/watch", b'{"ref": "SHIP:\xff"}', {}),
            (400, "api/watch", {"ref": "SHIP:\u4e2d"}, {}),
            (400, "index.html%00.png", None, {}),
        ]
        for status, path, body, headers in refused:
            self.assertEqual(b.request(path, body, headers=headers)[0], status, (path, headers))
        self.assertEqual(b.get("api/state")["rate"], rate)
        # A body longer than the bench takes, one that does not say its length
        # ahead, or comes in chunks, is refused before any of it is read.
        for status, headers in [(413, {"Content-Length": str(2 << 20)}), (411, {"Transfer-Encoding": "chunked"}),
                                (411, {})]:
            connection = http.client.HTTPConnection("127.0.0.1", b.port, timeout=10)
            connection.putrequest("POST", "/api/clock", skip_accept_encoding=True)
            for name, value in {"Authorization": "token " + b.token, "Content-Type": "application/json",
                                **headers}.items():
                connection.putheader(name, value)
            connection.endheaders()
            if status == 411:
                connection.send(b"5\r\n{\"a\":\r\n" if headers else b'{"rate": 1000}')
            self.assertEqual(connection.getresponse().status, status, headers)
            connection.close()
        self.assertEqual(b.get("api/state")["rate"], rate)
        # No other page may frame it.
        with urllib.request.urlopen(b.url + "?token=" + b.token, timeout=5) as page:
            self.assertEqual(page.headers["X-Frame-Options"], "DENY")
            self.assertIn("frame-ancestors 'none'", page.headers["Content-Security-Policy"])
        self.assertEqual(b.request("api/state?token=" + b.token, headers={"Authorization": None})[0], 200)
        # A number is a decimal: "010" is ten.
        b.post("api/watch", {"ref": "int=SHIP:CUSTOMINT1"})
        self.assertEqual(b.post("api/set", {"ref": "int=SHIP:CUSTOMINT1", "value": "010"})[0], 200)
        self.assertEqual(watched(b.get("api/state"), "SHIP:CUSTOMINT1"), 10)
        b.post("api/unwatch", {"ref": "SHIP:CUSTOMINT1"})
        # The port is the bench's alone.
        second = subprocess.run([VESSELSIM, "serve", b.root + "/Scenarios/Kestrel.scn", "--root", b.root,
                                 "--port", str(b.port)], capture_output=True, text=True, timeout=30)
        self.assertEqual(second.returncode, 2, second.stdout + second.stderr)

    def test_long_steps_and_many_pages_keep_requests_answered(self):
        b = self.bench
        streams = [urllib.request.urlopen(b.url + "api/stream?token=" + b.token, timeout=5) for _ in range(4)]
        try:
            self.assertEqual(b.request("api/stream")[0], 503)
            # Requests are served between slices of the steps (how quickly
            # is a benchmark's to say, not this test's).
            b.post("api/clock", {"paused": True, "step": 100000})
            self.assertEqual(b.request("api/state")[0], 200)
            self.assertEqual(b.post("api/watch", {"ref": "HYDRAULIC:CABIN:TEMP"})[0], 200)
            # A new rate leaves the steps going; a pause alone stops them.
            b.post("api/clock", {"rate": 10})
            going = b.get("api/state")["time"]
            b.wait_for(lambda s: s["time"] > going + 1)
        finally:
            for stream in streams:
                stream.close()
            b.post("api/unwatch", {"ref": "HYDRAULIC:CABIN:TEMP"})
            b.post("api/clock", {"paused": True, "rate": 1})
            stopped = b.get("api/state")["time"]
            time.sleep(0.2)
            self.assertEqual(b.get("api/state")["time"], stopped)

    def test_a_reload_of_untouched_files_keeps_every_plant_variable(self):
        """Flown for a while, rebuilt from files saved again unchanged: every
        published variable of the plant reads as before, temperatures,
        timers, currents and flows included."""
        b = self.bench
        b.post("api/clock", {"paused": True})
        for ref in ["ELECTRIC:SM_MAINA:RESET", "ELECTRIC:SM_FC1:START"]:
            self.assertEqual(b.post("api/set", {"ref": "int=" + ref, "value": 1})[0], 200)
        t = b.get("api/state")["time"]
        b.post("api/clock", {"step": 500})
        b.wait_for(lambda s: s["time"] >= t + 500 * s["dt"] - 1e-9)
        refs = [r for prefix in ("hydraulic:", "electric:") for r in b.get("api/references?prefix=" + prefix)]
        already = [w["ref"] for w in b.get("api/state")["watches"]]
        watched_refs = [r for r in refs if r not in already and b.post("api/watch", {"ref": r})[0] == 200]
        self.assertGreater(len(watched_refs), 100)
        try:
            before = b.get("api/state")
            config = Path(b.root + "/Config/Kestrel.cfg")
            config.write_text(config.read_text())
            after = b.wait_for(lambda s: s["reload"]["count"] > before["reload"]["count"])
            self.assertTrue(after["reload"]["status"].startswith("reloaded"), after["reload"])
            values = lambda s: {w["ref"]: w["value"] for w in s["watches"]}
            changed = {r: (v, values(after)[r]) for r, v in values(before).items() if values(after)[r] != v}
            self.assertEqual(changed, {})
        finally:
            for ref in watched_refs:
                b.post("api/unwatch", {"ref": ref})

    def test_stalled_connections_hold_nothing_for_long(self):
        """Twenty connections that send a header line every 1.5 s (each read
        well within its own timeout) leave the page answered, and are let go
        once their requests have taken the deadline."""
        b = self.bench
        stalled = [socket.create_connection(("127.0.0.1", b.port), timeout=10) for _ in range(20)]
        try:
            for connection in stalled:
                connection.sendall(b"POST /api/clock HTTP/1.1\r\nHost: 127.0.0.1\r\n")
            started = time.time()
            while time.time() - started < 7:
                time.sleep(1.5)
                for connection in stalled:
                    try:
                        connection.sendall(b"X-Slow: 1\r\n")
                    except OSError:
                        pass
                # Answered at all: were the stalled connections holding the
                # request threads, this would wait for ever.
                self.assertEqual(b.request("api/state")[0], 200)
            # Each was answered, if at all, with a refusal, and closed.
            for connection in stalled:
                connection.settimeout(10)
                received = b""
                try:
                    while chunk := connection.recv(4096):
                        received += chunk
                except ConnectionResetError:
                    pass
                self.assertTrue(received == b"" or received.startswith(b"HTTP/1.1 4"), received[:80])
        finally:
            for connection in stalled:
                connection.close()

    def test_saves_only_when_asked(self):
        b = self.bench
        scenarios = sorted(os.listdir(b.root + "/Scenarios"))
        text = b.get("api/scenario.scn", raw=True).decode()
        self.assertIn("BEGIN_SHIPS", text)
        self.assertEqual(sorted(os.listdir(b.root + "/Scenarios")), scenarios)
        self.assertEqual(b.post("api/save", {"name": "Live save"}), (200, {"saved": "Scenarios/Live save.scn"}))
        self.assertIn("BEGIN_SHIPS", Path(b.root + "/Scenarios/Live save.scn").read_text())

    def test_reload_keeps_state_and_refuses_a_broken_file(self):
        b = self.bench
        b.post("api/clock", {"paused": True})
        b.post("api/panel", {"id": 0})
        co2 = "HYDRAULIC:CABIN:CO2_PPRESS"
        b.post("api/watch", {"ref": co2})
        # What the scenario does not keep: the lights switched on, a selector
        # turned, a custom ship variable.
        self.assertTrue(b.post("api/mouse", {"x": 585, "y": 85})[1]["taken"])
        carried = {"int=MAIN:BUSSEL:SEL": 2, "int=SHIP:CUSTOMINT1": 7}
        for ref, wanted in carried.items():
            self.assertEqual(b.post("api/set", {"ref": ref, "value": wanted})[0], 200)
        carried["int=MAIN:LIGHT"] = 1
        for ref in carried:
            b.post("api/watch", {"ref": ref})
        self.assertIn("MAIN:BUSSEL:SEL", b.get("api/references?prefix=main:"))
        value = lambda s: watched(s, co2)
        before = b.get("api/state")
        b.post("api/clock", {"step": 1})
        kept = b.wait_for(lambda s: s["time"] > before["time"])
        date = lambda: next(l for l in b.get("api/scenario.scn", raw=True).decode().splitlines() if "Date MJD" in l)
        kept_date = date()
        picture = b.get("api/panel.png", raw=True)
        config = b.root + "/Config/Kestrel.cfg"
        text = Path(config).read_text()
        moved = text.replace("<TOGGLE> 395 200 3 0", "<TOGGLE> 445 200 3 0", 1)
        self.assertNotEqual(moved, text)
        Path(config).write_text(moved)
        b.wait_for(lambda s: s["reload"]["status"] == "reloaded" and s["panelVersion"] != kept["panelVersion"])
        self.assertTrue(b.get("api/panel.png", raw=True) != picture, "the picture did not change")
        reloaded = b.get("api/state")
        self.assertEqual(reloaded["time"], kept["time"])
        self.assertNotEqual(reloaded["flight"]["altitude"], 0)
        # Shown before its first frame, a rebuilt tank has its pressures.
        self.assertAlmostEqual(value(reloaded), value(kept), delta=abs(value(kept)) * 1e-3)
        self.assertEqual(date(), kept_date)
        for ref, wanted in carried.items():
            self.assertEqual(watched(reloaded, ref), wanted)
            b.post("api/unwatch", {"ref": ref.split("=")[1]})
        # The first frame after the rebuild is one frame, not the session so far.
        b.post("api/clock", {"step": 1})
        state = b.wait_for(lambda s: s["time"] > kept["time"])
        frame = abs(value(kept) - value(before))
        self.assertLess(abs(value(state) - value(kept)), 3 * frame + 1e-3, (value(before), value(kept), value(state)))
        self.assertAlmostEqual(state["flight"]["altitude"], kept["flight"]["altitude"], delta=100.0)
        self.assertAlmostEqual(state["flight"]["mass"], kept["flight"]["mass"], delta=0.01)
        b.post("api/unwatch", {"ref": co2})
        # A volume the file changes is taken; one the flight changed too is
        # kept, and named.
        volume = "HYDRAULIC:CABIN:VOLUME"
        b.post("api/watch", {"ref": volume})
        for was, file_volume, flown in [(10000, 12000, None), (12000, 13000, 11000)]:
            if flown:
                b.post("api/set", {"ref": volume, "value": flown})
            count = b.get("api/state")["reload"]["count"]
            moved = moved.replace("<TANK> CABIN <0 1 0> %d" % was, "<TANK> CABIN <0 1 0> %d" % file_volume, 1)
            Path(config).write_text(moved)
            state = b.wait_for(lambda s: s["reload"]["count"] > count)
            self.assertEqual(watched(state, volume), flown or file_volume)
        self.assertEqual(state["reload"]["status"],
                         "reloaded; kept from the flight: HYDRAULIC:CABIN:VOLUME 11000 (the files say 13000)")
        b.post("api/unwatch", {"ref": volume})
        # A broken file: the findings show, the vessel flies on, however often
        # the broken file is saved.
        broken = moved.replace("<TANK> CABIN <0 1 0> 13000 1 1 0.001", "<TANK> CABIN <0 1 0> lots", 1)
        for save in range(2):
            count = b.get("api/state")["reload"]["count"]
            Path(config).write_text(broken + "\n" * save)
            state = b.wait_for(lambda s: s["reload"]["status"].startswith("the files no longer read")
                               and any("tank line has 6 of its 8 fields" in f for f in s["findings"]))
            time.sleep(0.3)
            self.assertEqual(b.get("api/state")["reload"]["count"], count)
            self.assertGreater(state["watches"][0]["value"], 1000)
        # Gone for a moment, as an editor that saves by renaming leaves it.
        Path(config).unlink()
        state = b.wait_for(lambda s: s["reload"]["status"].startswith("waiting for "))
        self.assertIn("Kestrel.cfg, which is missing", state["reload"]["status"])
        Path(config).write_text(text)
        b.wait_for(lambda s: s["reload"]["status"].startswith("reloaded") and not s["findings"])


class ServeAddresses(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="vesselsim-addresses-")
        self.root = shutil.copytree(KESTREL, self.folder + "/root")

    def tearDown(self):
        shutil.rmtree(self.folder, ignore_errors=True)

    def serve(self, *arguments):
        return subprocess.Popen([VESSELSIM, "serve", self.root + "/Scenarios/Kestrel.scn", "--root", self.root,
                                 *arguments], stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)

    def first_line(self, process):
        ready = select.select([process.stdout], [], [], 20)[0]
        return process.stdout.readline() if ready else ""

    def stop(self, process):
        process.send_signal(2)
        return process.communicate(timeout=15)

    def test_ports_and_addresses_are_what_they_say(self):
        """A port outside 1-65535 is refused; port 0 prints the port the
        system chose; one bench a port whichever loopback it binds; bound to
        every address, the bench says who can reach it and answers to them."""
        for port in ["70000", "-1"]:
            refused = subprocess.run([VESSELSIM, "serve", self.root + "/Scenarios/Kestrel.scn", "--root", self.root,
                                      "--port", port], capture_output=True, text=True, timeout=30)
            self.assertEqual(refused.returncode, 2, port)
        chosen = self.serve("--port", "0")
        try:
            line = self.first_line(chosen)
            port = int(line.split("127.0.0.1:")[1].split("/")[0])
            self.assertGreater(port, 0, line)
            token = line.split("?token=")[1].strip()
            with urllib.request.urlopen("http://127.0.0.1:%d/api/state?token=%s" % (port, token), timeout=5) as r:
                self.assertEqual(r.status, 200)
            if socket.has_ipv6:
                second = subprocess.run([VESSELSIM, "serve", self.root + "/Scenarios/Kestrel.scn", "--root", self.root,
                                         "--port", str(port), "--bind", "::1"],
                                        capture_output=True, text=True, timeout=30)
                self.assertEqual(second.returncode, 2, second.stdout + second.stderr)
        finally:
            self.stop(chosen)
        everywhere = self.serve("--port", "0", "--bind", "0.0.0.0")
        try:
            line = self.first_line(everywhere)
            port = int(line.split("0.0.0.0:")[1].split("/")[0])
            token = line.split("?token=")[1].strip()
            own = [a for a in socket.gethostbyname_ex(socket.gethostname())[2] if not a.startswith("127.")]
            for address in own[:1]:
                request = urllib.request.Request("http://%s:%d/api/state?token=%s" % (address, port, token))
                with urllib.request.urlopen(request, timeout=5) as r:
                    self.assertEqual(r.status, 200, address)
        finally:
            _, errors = self.stop(everywhere)
        self.assertIn("0.0.0.0 is every address of this machine", errors)
        for address in own[:1]:
            self.assertIn(address, errors)


class ServeHostText(unittest.TestCase):
    def test_eight_bit_text_as_authors_write_it(self):
        """The host's files are Windows-1252 text: a name, a comment on a line
        the strict check flags, the scenario's description, even a byte the
        code page leaves undefined reach the page as UTF-8, on every path,
        with the page open; and a name typed on the page finds the vessel's."""
        def write_eight_bit(root):
            scenario = Path(root + "/Scenarios/Kestrel.scn")
            text = scenario.read_bytes().replace(b"Kestrel-1:", b"Kestr\xe9l-\x81:")
            scenario.write_bytes(text.replace(b"fuel cells not yet started.", b"fuel cells at 20 \xb5A."))
            config = Path(root + "/Config/Kestrel.cfg")
            config.write_bytes(config.read_bytes().replace(b"</HYDRAULIC>", b"NOT A LINE ; 20 \xb0C\n</HYDRAULIC>", 1))
        b = LiveBench(VESSELSIM, KESTREL, "Kestrel.scn", "--watch", "SHIP:ALTITUDE", prepare=write_eight_bit)
        stream = urllib.request.urlopen(b.url + "api/stream?token=" + b.token, timeout=5)
        try:
            event = json.loads(stream.readline().decode("utf-8")[len("data: "):])
            self.assertEqual(event["flight"]["name"], "Kestr\u00e9l-\ufffd")
            state = b.get("api/state")
            self.assertEqual(state["flight"]["name"], "Kestr\u00e9l-\ufffd")
            self.assertTrue(any("NOT A LINE ; 20 \u00b0C" in line for line in state["findingLines"]), state)
            self.assertIn(b"20 \xb5A.", b.get("api/scenario.scn", raw=True))
            self.assertIn(b"Kestr\xe9l-\x81:Kestrel", b.get("api/scenario.scn", raw=True))
            self.assertTrue(b.get("api/schematic.svg", raw=True).decode("utf-8").startswith("<?xml"))
            self.assertEqual(b.post("api/watch", {"ref": "SHIP:ALTITUDE"})[0], 200)
            self.assertEqual(b.post("api/save", {"name": "D\u00e9j\u00e0 vu"})[1], {"saved": "Scenarios/D\u00e9j\u00e0 vu.scn"})
            self.assertTrue(os.path.exists(b.root.encode() + b"/Scenarios/D\xe9j\xe0 vu.scn"))
            self.assertEqual(stream.readline(), b"\n")
        finally:
            stream.close()
            status, output = b.stop()
            self.assertEqual(status, 0, output)


class ServeAMistypedFileForLong(unittest.TestCase):
    def test_a_session_replays_and_reloads_hold_nothing(self):
        """A bench of files with a finding in them: a recorded session replays
        with `run` to the same state, keeping the promises recorded; then twenty rounds of every panel and a
        reload, each with every line moved, all reload (the finding the vessel
        was built with is no new one) and hold no memory (the attitude ball's
        drawing context is made and freed on one thread)."""
        refs = ["HYDRAULIC:CABIN:PRESS", "int=ELECTRIC:BATT:LOAD", "int=HYDRAULIC:WASTE:OUT:OPEN",
                "SHIP:TOTALMASS", "SHIP:ALTITUDE"]
        watches = [a for ref in refs for a in ("--watch", ref)]

        def mistype(root):
            config = Path(root + "/Config/Kestrel.cfg")
            config.write_text(config.read_text().replace("</HYDRAULIC>", "NOT A LINE\n</HYDRAULIC>", 1))
        b = LiveBench(VESSELSIM, KESTREL, "Kestrel.scn", *watches, prepare=mistype)
        try:
            self.assertTrue(any("line not understood" in f for f in b.get("api/state")["findings"]))
            b.post("api/clock", {"paused": True})
            for actions in [[("api/set", {"ref": "int=ELECTRIC:BATT:LOAD", "value": 1}),
                             ("api/mouse", {"x": 405, "y": 205})],  # the drain switch, up
                            [("api/key", {"code": "KeyJ"}), ("api/group", {"group": "THGROUP_MAIN", "level": 0.5})]]:
                for path, body in actions:
                    self.assertEqual(b.post(path, body)[0], 200)
                t = b.get("api/state")["time"]
                b.post("api/clock", {"step": 30})
                state = b.wait_for(lambda s: s["time"] >= t + 30 * s["dt"] - 1e-9)
            # Promises of the values as they are now, for the replay to keep.
            for ref in ["HYDRAULIC:CABIN:PRESS", "ELECTRIC:BATT:LOAD", "SHIP:TOTALMASS"]:
                self.assertEqual(b.post("api/expect", {"ref": ref})[0], 200)
            self.assertEqual(b.post("api/expect", {"ref": "SHIP:AVEL"})[0], 400)  # not watched
            events = Path(b.folder, "session.events")
            events.write_bytes(b.get("api/session.events", raw=True))
            run = subprocess.run([VESSELSIM, "run", b.root + "/Scenarios/Kestrel.scn", "--root", b.root, "--events",
                                  str(events), "--duration", repr(state["time"]), *watches],
                                 capture_output=True, text=True, timeout=60)
            self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
            self.assertIn("3 expectations, 3 held, 0 broken", run.stdout)
            replayed = dict(l.split(" = ") for l in run.stdout.splitlines() if " = " in l)
            for ref in refs:
                self.assertAlmostEqual(float(replayed[ref.split("=")[-1]]), watched(state, ref),
                                       delta=abs(watched(state, ref)) * 1e-5 + 1e-9, msg=(ref, events.read_text()))

            rss = lambda: int(next(l for l in open(f"/proc/{b.process.pid}/status")
                                   if l.startswith("VmRSS")).split()[1]) / 1024
            config = Path(b.root + "/Config/Kestrel.cfg")
            text = config.read_text()
            # A page that asks for the state without a pause reads nothing a
            # reload freed (the thread sanitizer's build would say so).
            asking = threading.Event()
            asking.set()
            def ask():
                while asking.is_set():
                    b.get("api/state")
            asker = threading.Thread(target=ask)
            asker.start()
            for round in range(20):
                for panel in (1, 2, 0):
                    b.post("api/panel", {"id": panel})
                count = b.get("api/state")["reload"]["count"]
                config.write_text("#\n" * (round + 1) + text)
                b.wait_for(lambda s: s["reload"]["count"] > count)
                if round == 1:
                    settled = rss()
            asking.clear()
            asker.join()
            # A sanitizer's build holds freed memory back on purpose.
            if not os.environ.get("SERVE_UNDER_SANITIZER"):
                self.assertLess(rss() - settled, 20, "MB held over 18 rounds")
        finally:
            status, output = b.stop()
            self.assertEqual(status, 0, output[-3000:])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
