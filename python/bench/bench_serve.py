"""Response times of pdrop serve's endpoints on the example cases, over
loopback from a client on the same machine (median of repeated requests).

Usage: python3 python/bench/bench_serve.py [PDROP_BINARY] [EXAMPLES_DIR]
"""
import http.client
import json
import re
import statistics
import subprocess
import sys
import time

PDROP = sys.argv[1] if len(sys.argv) > 1 else "build/apps/pdrop/pdrop"
EXAMPLES = sys.argv[2] if len(sys.argv) > 2 else "examples"


def main():
    server = subprocess.Popen([PDROP, "serve", "--port", "0"], stdout=subprocess.PIPE, text=True)
    try:
        port = int(re.search(r":(\d+)/", server.stdout.readline()).group(1))
        conn = http.client.HTTPConnection("127.0.0.1", port)

        def timed(method, path, body=None, repeat=20):
            times = []
            for _ in range(repeat):
                start = time.perf_counter()
                conn.request(
                    method,
                    path,
                    body=json.dumps(body) if body is not None else None,
                    headers={"Content-Type": "application/json"} if body is not None else {},
                )
                response = conn.getresponse()
                response.read()
                times.append(time.perf_counter() - start)
                assert response.status == 200, (path, response.status)
            return 1000.0 * statistics.median(times)

        print(f"{'endpoint':32} {'case':18} {'median [ms]':>12}")
        print(f"{'GET /api/catalogue':32} {'':18} {timed('GET', '/api/catalogue'):12.2f}")
        for name in ("oil_well", "gas_pipeline", "gas_well_annulus", "water_injector"):
            with open(f"{EXAMPLES}/{name}.json") as f:
                case = json.load(f)
            print(
                f"{'POST /api/traverse':32} {name:18} {timed('POST', '/api/traverse', case):12.2f}"
            )
            print(f"{'POST /api/map':32} {name:18} {timed('POST', '/api/map', case, 5):12.2f}")
        with open(f"{EXAMPLES}/oil_well.json") as f:
            oil = json.load(f)
        lift = {"case": oil, "sensitivities": {"wellhead_pressure_psia": [125, 250, 375]}}
        print(
            f"{'POST /api/lift-curves (3 x 20)':32} {'oil_well':18} "
            f"{timed('POST', '/api/lift-curves', lift, 5):12.2f}"
        )
    finally:
        server.kill()
        server.wait()


if __name__ == "__main__":
    main()
