"""A `vesselsim serve` of a scratch copy of an example, on a free loopback
port, for the live bench's tests."""
import json
import select
import shutil
import socket
import subprocess
import tempfile
import time
import urllib.error
import urllib.request


def watched(state, ref):
    """The value of the watch `ref` ("int=" and the like left off) in a state."""
    return next(w["value"] for w in state["watches"] if w["ref"] == ref.split("=")[-1])


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
        self.process = subprocess.Popen(
            [vesselsim, "serve", f"{self.root}/Scenarios/{scenario}", "--root", self.root,
             "--port", str(self.port), *extra],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        # The first line is the page's address with its token.
        ready = select.select([self.process.stdout], [], [], 20)[0]
        self.first_line = self.process.stdout.readline() if ready else ""
        if "?token=" not in self.first_line:
            self.stop()
            raise RuntimeError("vesselsim serve did not start: " + self.first_line)
        self.page = self.first_line.split()[-1]
        self.token = self.page.split("?token=")[1]
        self.url = f"http://127.0.0.1:{self.port}/"

    def request(self, path, body=None, raw=False, headers=None):
        data = None if body is None else (body if isinstance(body, bytes) else json.dumps(body).encode())
        sent = {"Authorization": "token " + self.token}
        if data is not None:
            sent["Content-Type"] = "application/json"
        sent.update(headers or {})
        request = urllib.request.Request(self.url + path, data=data, method="POST" if data is not None else "GET",
                                         headers={k: v for k, v in sent.items() if v is not None})
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
        return self.process.returncode, getattr(self, "first_line", "") + output
