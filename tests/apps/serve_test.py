"""pdrop serve over loopback: every endpoint answers what the command's JSON
output holds, bad input is refused naming its field, requests from elsewhere
are refused, parallel requests answer as serial ones, and Ctrl-C stops it.

Usage: serve_test.py PDROP_BINARY EXAMPLES_DIR
"""
import concurrent.futures
import functools
import http.client
import json
import os
import re
import signal
import subprocess
import sys
import tempfile
import unittest

PDROP, EXAMPLES = sys.argv[1], sys.argv[2]
CASES = ["oil_well", "gas_pipeline", "gas_well_annulus", "water_injector"]


def example(name):
    return os.path.join(EXAMPLES, name + ".json")


def case(name):
    with open(example(name)) as f:
        return json.load(f)


def command(*args):
    """Runs the command with its output written to a file; returns the file."""
    output = ".csv" if "--csv" in args else ".json"
    with tempfile.TemporaryDirectory() as d:
        out = os.path.join(d, "out" + output)
        subprocess.run([PDROP, *args, out], check=False, stdout=subprocess.DEVNULL)
        with open(out) as f:
            return json.load(f) if output == ".json" else f.read()


class Server:
    def __enter__(self):
        self.proc = subprocess.Popen(
            [PDROP, "serve", "--port", "0", "--threads", "4"], stdout=subprocess.PIPE, text=True
        )
        line = self.proc.stdout.readline()
        self.port = int(re.search(r"127\.0\.0\.1:(\d+)/", line).group(1))
        return self

    def __exit__(self, *exc):
        self.proc.kill()  # nothing to do when it has stopped
        self.proc.__exit__(*exc)  # closes its output and waits for it

    def request(self, method, path, body=None, headers=None):
        conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=120)
        data = body if isinstance(body, (bytes, str)) or body is None else json.dumps(body)
        h = {"Content-Type": "application/json"} if data is not None else {}
        conn.request(method, path, body=data, headers={**h, **(headers or {})})
        r = conn.getresponse()
        text = r.read().decode()
        conn.close()
        json_answer = r.getheader("Content-Type", "").startswith("application/json")
        return r.status, json.loads(text) if json_answer else text, r


class ServeTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = cls.enterClassContext(Server())

    def test_endpoints_answer_as_the_command(self):
        s = self.server
        catalogue = json.loads(subprocess.check_output([PDROP, "list", "--json"]))
        self.assertEqual(s.request("GET", "/api/catalogue")[1], catalogue)
        self.assertEqual(s.request("GET", "/api/examples")[1], sorted(CASES))
        lift = {"rates": [200, 1500], "wellhead_pressure_psia": [125, 250]}
        vlp = ["--rates", "200,1500", "--wellhead-pressure-psia", "125,250", "--json"]
        rows = [("/api/lift-curves", "oil_well", "vlp", vlp)]  # (path, example, command, options)
        rows += [("/api/map", name, "map", ["--json"]) for name in ("oil_well", "gas_pipeline")]
        for name in CASES:
            self.assertEqual(s.request("GET", "/api/examples/" + name)[1], case(name))
            rows.append(("/api/traverse", name, "traverse", ["--json"]))
            rows.append(("/api/traverse.csv", name, "traverse", ["--csv"]))
        for path, name, verb, options in rows:
            body = {"case": case(name), "sensitivities": lift} if verb == "vlp" else case(name)
            expected = command(verb, example(name), *options)
            self.assertEqual(s.request("POST", path, body)[1], expected, (path, name))

    def test_bad_input_is_refused_naming_the_field(self):
        oil = case("oil_well")
        many = dict(oil, max_segment_ft=1)  # 8000 segments
        stations = [oil["stations"][0], dict(oil["stations"][1], id_in=-2)]
        thp = {"wellhead_pressure_psia": [-5]}
        # fmt: off
        rows = [  # (path, body, status, field, words of the message)
            ("/api/traverse", "{not json", 400, "", "not valid JSON"),
            ("/api/traverse", dict(oil, known_endx="top"), 400, "known_endx", "unknown field"),
            ("/api/traverse", dict(oil, known_pressure_psia=1e6), 400, "known_pressure_psia", "30000"),
            ("/api/traverse", dict(oil, oil_STBd="abc"), 400, "oil_STBd", "expected a number"),
            ("/api/traverse", dict(oil, stations=stations), 400, "stations[1].id_in", "id_in"),
            ("/api/traverse", many, 400, "stations", "at most 5000"),
            ("/api/map", dict(oil, gas_MMscfd=-1e300), 400, "gas_MMscfd", "gas_MMscfd"),
            ("/api/lift-curves", {"case": oil, "extra": 1}, 400, "extra", "unknown field"),
            ("/api/lift-curves", {"case": oil, "sensitivities": thp}, 400,
             "sensitivities.wellhead_pressure_psia[0]", "wellhead_pressure_psia"),
            ("/api/traverse", " " * (1 << 20) + "{}", 413, "", "over 1 MB"),
            ("/api/traverse", dict(oil, temperature=dict(oil["temperature"], foo=1)), 400,
             "temperature.foo", "unknown field"),
        ]
        # fmt: on
        for path, body, status, field, words in rows:
            code, answer, _ = self.server.request("POST", path, body)
            self.assertEqual((code, answer["field"]), (status, field), (path, answer))
            self.assertIn(words, answer["error"])
            self.assertNotIn("32600", answer["error"])

    def test_requests_from_elsewhere_and_files_are_refused(self):
        s = self.server
        # fmt: off
        rows = [  # (method, path, headers, status)
            ("GET", "/api/catalogue", {"Origin": "http://example.com"}, 403),
            ("GET", "/api/catalogue", {"Host": "attacker.example:%d" % s.port}, 403),
            ("GET", "/../../etc/passwd", {}, 404),
            ("GET", "/api/examples/..%2F..%2Fetc%2Fpasswd", {}, 404),
            ("GET", "/api/examples/oil_well_vfp", {}, 404),
            ("POST", "/api/traverse", {"Content-Type": "text/plain"}, 415),
            ("POST", "/api/traverse", {"Transfer-Encoding": "chunked"}, 411),
            ("GET", "/api/traverse", {}, 405),
            ("GET", "/api/catalogue", {"Origin": "http://127.0.0.1:%d" % s.port}, 200),
        ]
        # fmt: on
        for method, path, headers, status in rows:
            code, _, response = s.request(method, path, "{}" if method == "POST" else None, headers)
            self.assertEqual(code, status, (path, headers))
            self.assertIsNone(response.getheader("Access-Control-Allow-Origin"))

    def test_parallel_requests_answer_as_serial_ones(self):
        bodies = [case(CASES[i % len(CASES)]) for i in range(8)]
        for i, b in enumerate(bodies):
            b["gas_MMscfd"] = b["gas_MMscfd"] * (1 + 0.05 * i)
        post = functools.partial(self.server.request, "POST", "/api/traverse")
        serial = [post(b)[1] for b in bodies]
        with concurrent.futures.ThreadPoolExecutor(8) as pool:
            self.assertEqual([r[1] for r in pool.map(post, bodies)], serial)

    def test_ctrl_c_stops_the_server(self):
        with Server() as s:  # a server of its own
            self.assertEqual(s.request("GET", "/api/examples")[0], 200)
            s.proc.send_signal(signal.SIGINT)
            self.assertEqual(s.proc.wait(timeout=10), 0)
            self.assertIn("stopped", s.proc.stdout.read())


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
