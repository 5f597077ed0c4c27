"""A `vesselsim serve` of a scratch copy of an example, on a free loopback
port, for the live bench's tests."""
import json
import shutil
import socket
import subprocess
import tempfile
import time
import urllib.error
import urllib.request


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class LiveBench:
    def __init__(self, vesselsim, example, scenario, *extra, prepare=None):
        self.folder = tempfile.mkdtemp(prefix="vesselsim-serve-")
        self.root = shutil.copytree(example, self.folder + "/root")
        if prepare:
            prepare(self.root)
        self.port = free_port()
        self.url = f"http://127.0.0.1:{self.port}/"
        self.process = subprocess.Popen(
            [vesselsim, "serve", f"{self.root}/Scenarios/{scenario}", "--root", self.root,
             "--port", str(self.port), *extra],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        deadline = time.time() + 20
        while time.time() < deadline:
            try:
                self.get("api/state")
                return
            except OSError:
                time.sleep(0.1)
        self.stop()
        raise RuntimeError("vesselsim serve did not start")

    def request(self, path, body=None, raw=False):
        data = None if body is None else (body if isinstance(body, bytes) else json.dumps(body).encode())
        request = urllib.request.Request(self.url + path, data=data, method="POST" if data is not None else "GET")
        try:
            with urllib.request.urlopen(request, timeout=10) as response:
                payload = response.read()
                return response.status, payload if raw else json.loads(payload)
        except urllib.error.HTTPError as e:
            payload = e.read()
            return e.code, payload if raw else json.loads(payload or b"{}")

    def get(self, path, raw=False):
        return self.request(path, raw=raw)[1]

    def post(self, path, body):
        return self.request(path, body)

    def wait_for(self, test, seconds=30):
        deadline = time.time() + seconds
        while time.time() < deadline:
            state = self.get("api/state")
            if test(state):
                return state
            time.sleep(0.05)
        raise AssertionError("the state never came: " + json.dumps(self.get("api/state"))[:400])

    def stop(self):
        """Ctrl-C; the exit status and what the server printed."""
        self.process.send_signal(2)
        try:
            output, _ = self.process.communicate(timeout=15)
        finally:
            shutil.rmtree(self.folder, ignore_errors=True)
        return self.process.returncode, output
