"""The page in a real browser: headless Chromium driven by Selenium opens
the page pdrop serve gives, loads the oil-well example, changes the oil
rate, runs it, and checks the table against the command, that every chart
has drawn data (read from Chart.js's objects) and that a bad value shows the
command's message beside its field. Saves a screenshot of each view.

Usage: browser_test.py PDROP_BINARY EXAMPLES_DIR SCREENSHOT_DIR CHROMEDRIVER
"""
import json
import os
import re
import subprocess
import sys
import tempfile
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

PDROP, EXAMPLES, SHOTS, DRIVER = sys.argv[1:5]


def load(path):
    with open(path) as f:
        return json.load(f)


def run_command(oil_STBd):
    """The command on the oil-well example at another oil rate: (exit code,
    stdout, stderr, JSON output)."""
    case_json = dict(load(os.path.join(EXAMPLES, "oil_well.json")), oil_STBd=oil_STBd)
    with tempfile.TemporaryDirectory() as d:
        path, out = os.path.join(d, "case.json"), os.path.join(d, "out.json")
        with open(path, "w") as f:
            json.dump(case_json, f)
        r = subprocess.run([PDROP, "traverse", path, "--json", out], capture_output=True, text=True)
        result = load(out) if os.path.exists(out) else None
        return r.returncode, r.stdout, r.stderr.replace(path + ": ", ""), result


class BrowserTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # At the end the browser quits, then the server is stopped, its output
        # closed and the process waited for (class cleanups run last first).
        command = [PDROP, "serve", "--port", "0"]
        server = cls.enterClassContext(subprocess.Popen(command, stdout=subprocess.PIPE, text=True))
        cls.addClassCleanup(server.kill)
        port = re.search(r"127\.0\.0\.1:(\d+)/", server.stdout.readline()).group(1)
        options = Options()
        for a in "--headless=new --no-sandbox --disable-gpu --window-size=1600,1000".split():
            options.add_argument(a)
        cls.browser = webdriver.Chrome(service=Service(DRIVER), options=options)
        cls.addClassCleanup(cls.browser.quit)
        cls.browser.get(f"http://127.0.0.1:{port}/")
        cls.wait = WebDriverWait(cls.browser, 60)
        os.makedirs(SHOTS, exist_ok=True)

    def field(self, name):
        return self.browser.find_element(By.CSS_SELECTOR, f'[data-field="{name}"]')

    def type_into(self, name, text):
        box = self.field(name)
        box.clear()
        box.send_keys(text)

    def run_page(self):
        self.browser.execute_script("document.getElementById('status').textContent = ''")
        self.browser.find_element(By.ID, "run").click()
        self.wait.until(lambda b: b.find_element(By.ID, "status").text not in ("", "Running\u2026"))

    def view(self, name):
        self.browser.find_element(By.CSS_SELECTOR, f'.tabs button[data-view="{name}"]').click()
        self.browser.save_screenshot(os.path.join(SHOTS, f"page-{name}.png"))

    def test_1_changed_rate_runs_as_the_command_and_every_chart_draws(self):
        self.wait.until(lambda b: b.find_elements(By.CSS_SELECTOR, '[data-field="oil_STBd"]'))
        self.type_into("oil_STBd", "900")
        _, _, _, expected = run_command(900)
        self.run_page()
        # The lift curves and the map come after the traverse.
        self.wait.until(
            lambda b: b.execute_script(
                "return !!Chart.getChart('chart-lift') && !!Chart.getChart('chart-map')"
            )
        )
        # The table is read as it stands, whichever view shows.
        header, last = self.browser.execute_script(
            "const t = document.getElementById('rows');"
            "const text = (row) => [...row.cells].map((c) => c.textContent);"
            "return [text(t.tHead.rows[0]), text([...t.tBodies[0].rows].pop())]"
        )
        cell = last[header.index("pressure_psia")]
        self.assertEqual(cell, f"{expected['summary']['computed_end_pressure_psia']:.2f}")
        points = self.browser.execute_script(
            "return Object.fromEntries(['pressure', 'temperature', 'holdup', 'map', 'lift'].map("
            "(c) => [c, Chart.getChart('chart-' + c).data.datasets.map((d) => d.data.length)]))"
        )
        self.assertTrue(all(p and p[0] > 0 for p in points.values()), points)
        self.assertEqual(points["pressure"][0], len(expected["rows"]))
        # Everything the page loaded came from the server itself.
        origin, loaded = self.browser.execute_script(
            "return [location.origin, performance.getEntriesByType('resource').map(e => e.name)]"
        )
        self.assertTrue(loaded and all(u.startswith(origin + "/") for u in loaded), loaded)
        for name in ("traverse", "map", "lift", "table"):
            self.view(name)
        self.view("traverse")

    def test_2_bad_value_shows_the_commands_message_beside_its_field(self):
        self.type_into("oil_STBd", "-5")
        code, _, stderr, _ = run_command(-5)
        self.assertEqual(code, 2)
        self.run_page()
        message = self.browser.find_element(By.CSS_SELECTOR, '[data-error-for="oil_STBd"]').text
        self.assertEqual("pdrop: error: " + message, stderr.strip())
        self.assertIn("invalid", self.field("oil_STBd").get_attribute("class"))
        self.browser.save_screenshot(os.path.join(SHOTS, "page-bad-value.png"))
        # A case's names are shown as text, never run as markup.
        case = load(os.path.join(EXAMPLES, "oil_well.json"))
        case["stations"][1]["<img src=x onerror=\"document.title='run'\">"] = 1
        self.browser.execute_script(
            "document.getElementById('paste').value = arguments[0];"
            "document.getElementById('use-paste').click()",
            json.dumps(case),
        )
        self.assertNotEqual(self.browser.title, "run")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=1)
