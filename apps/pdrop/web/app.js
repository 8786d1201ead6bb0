// The pdrop page: a case in a form, and its traverse, flow-pattern map, lift
// curves and table from the server's JSON API. Every check of the input is
// the server's: a value is sent as typed, and a message comes back naming
// its field, which is shown beside that field.
"use strict";

const state = {
  caseJson: null,     // the case as the form edits it
  catalogue: null,    // GET /api/catalogue
  traverse: null,     // the last traverse answer
  compare: null,      // the second correlation's traverse, when asked for
  charts: {},
};

const END_NAMES = ["top", "bottom", "inlet", "outlet", "first", "last"];
const REGIME_COLOURS = {
  0: "#c9d1d9", 1: "#d0e4f7", 2: "#f6d6a8", 3: "#b9e3c6", 4: "#f3b5b5", 5: "#e2c9f2",
  6: "#aed6f1", 7: "#76b7e5", 8: "#f9e79f", 9: "#f5cba7", 10: "#f1948a", 11: "#82e0aa",
  12: "#a9dfbf", 13: "#d7bde2", 666: "#eeeeee",
};

const RATE_NAMES = {
  liquid_STBd: "liquid rate [STB/d]",
  gas_MMscfd: "gas rate [MMscf/d]",
  water_bbld: "water rate [bbl/d]",
};

const $ = (id) => document.getElementById(id);

// ---------------------------------------------------------------- the API

async function api(method, path, body) {
  const options = { method, headers: {} };
  if (body !== undefined) {
    options.headers["Content-Type"] = "application/json";
    options.body = JSON.stringify(body);
  }
  const response = await fetch(path, options);
  const text = await response.text();
  let data = text;
  if ((response.headers.get("Content-Type") || "").startsWith("application/json")) {
    data = JSON.parse(text);
  }
  if (!response.ok) {
    const error = new Error(data && data.error ? data.error : `the server answered ${response.status}`);
    error.field = data && data.field !== undefined ? data.field : "";
    throw error;
  }
  return data;
}

// ---------------------------------------------------------------- the form

// A value as typed: a number when the text is one, else the text itself, so
// that the server names what is wrong with it.
function typed(text) {
  const t = text.trim();
  if (/^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$/.test(t)) return Number(t);
  return text;
}

function getPath(object, path) {
  return path.split(".").reduce((o, k) => (o === undefined || o === null ? undefined : o[k]), object);
}

function setPath(object, path, value) {
  const keys = path.split(".");
  let o = object;
  for (const k of keys.slice(0, -1)) o = o[k];
  o[keys[keys.length - 1]] = value;
}

function correlationOptions(select, selected, withNone) {
  select.innerHTML = "";
  if (withNone) select.append(new Option("no second correlation", ""));
  for (const c of state.catalogue.correlations) {
    select.append(new Option(`${c.name} (${c.code})`, String(c.code)));
  }
  if (selected !== undefined && selected !== null) {
    const code = codeOf(selected);
    select.value = code === null ? "" : String(code);
  }
}

// A correlation given by code or by name, as case files allow.
function codeOf(value) {
  if (typeof value === "number") return value;
  const name = String(value).toLowerCase();
  for (const c of state.catalogue.correlations) {
    if (c.name.toLowerCase() === name || c.title.toLowerCase() === name || String(c.code) === name) {
      return c.code;
    }
  }
  return null;
}

function fieldRow(path, value) {
  const row = document.createElement("div");
  row.className = "field";
  const label = document.createElement("label");
  label.textContent = path;
  const id = "f-" + path.replace(/[^A-Za-z0-9_]/g, "-");
  label.htmlFor = id;
  let input;
  if (path === "correlation") {
    input = document.createElement("select");
    correlationOptions(input, value, false);
    input.addEventListener("change", () => setPath(state.caseJson, path, Number(input.value)));
  } else if ((path === "known_end" || path === "flow_to") && typeof value === "string") {
    input = document.createElement("select");
    for (const name of END_NAMES) input.append(new Option(name, name));
    input.value = value;
    input.addEventListener("change", () => setPath(state.caseJson, path, input.value));
  } else if (typeof value === "boolean") {
    input = document.createElement("select");
    input.append(new Option("true", "true"), new Option("false", "false"));
    input.value = String(value);
    input.addEventListener("change", () => setPath(state.caseJson, path, input.value === "true"));
  } else {
    input = document.createElement("input");
    input.type = "text";
    input.value = value === null ? "" : String(value);
    input.addEventListener("input", () =>
      setPath(state.caseJson, path, typeof value === "string" ? input.value : typed(input.value)));
  }
  input.id = id;
  input.dataset.field = path;
  const error = document.createElement("p");
  error.className = "error";
  error.dataset.errorFor = path;
  row.append(label, input, error);
  return row;
}

function renderForm() {
  const c = state.caseJson;
  const fields = $("fields");
  fields.innerHTML = "";
  for (const [key, value] of Object.entries(c)) {
    if (key === "stations") continue;
    if (value !== null && typeof value === "object" && !Array.isArray(value)) {
      for (const [sub, v] of Object.entries(value)) {
        if (v === null || typeof v !== "object") fields.append(fieldRow(`${key}.${sub}`, v));
      }
    } else if (!Array.isArray(value)) {
      fields.append(fieldRow(key, value));
    }
  }
  renderStations();
  $("paste").value = JSON.stringify(c, null, 2);
}

// A header cell with the given text (never read as markup).
function headerCell(row, text) {
  const th = document.createElement("th");
  th.textContent = text;
  row.append(th);
}

function renderStations() {
  const stations = Array.isArray(state.caseJson.stations) ? state.caseJson.stations : [];
  const columns = [];
  for (const s of stations) {
    for (const k of Object.keys(s)) if (!columns.includes(k)) columns.push(k);
  }
  const head = $("stations").tHead;
  head.innerHTML = "";
  const hr = head.insertRow();
  for (const k of columns) headerCell(hr, k);
  headerCell(hr, "");
  const body = $("stations").tBodies[0];
  body.innerHTML = "";
  stations.forEach((s, i) => {
    const tr = body.insertRow();
    for (const k of columns) {
      const input = document.createElement("input");
      input.type = "text";
      input.value = s[k] === undefined || s[k] === null ? "" : String(s[k]);
      input.dataset.field = `stations[${i}].${k}`;
      input.addEventListener("input", () => {
        if (input.value.trim() === "" && s[k] === undefined) return;
        s[k] = typed(input.value);
      });
      tr.insertCell().append(input);
    }
    const remove = document.createElement("button");
    remove.type = "button";
    remove.textContent = "\u2212";
    remove.title = "remove this station";
    remove.addEventListener("click", () => {
      stations.splice(i, 1);
      renderStations();
    });
    tr.insertCell().append(remove);
    const err = tr.insertCell();
    err.className = "error";
    err.dataset.errorFor = `stations[${i}]`;
  });
}

function addStation() {
  const stations = state.caseJson.stations;
  const last = stations.length ? { ...stations[stations.length - 1] } : { md_ft: 0, tvd_ft: 0, id_in: 2.441 };
  if (typeof last.md_ft === "number") last.md_ft += 1000;
  if (typeof last.tvd_ft === "number") last.tvd_ft += 1000;
  stations.push(last);
  renderStations();
}

function useCase(c) {
  state.caseJson = c;
  clearErrors();
  renderForm();
}

// ---------------------------------------------------------------- errors

function clearErrors() {
  for (const e of document.querySelectorAll("[data-error-for]")) e.textContent = "";
  for (const e of document.querySelectorAll(".invalid")) e.classList.remove("invalid");
  setStatus("");
}

// Shows a message beside the field it names: the input of that field, else
// the station's row, else the top of the form.
function showError(error) {
  const field = error.field || "";
  let target = null;
  let input = null;
  if (field) {
    // A message may name a nested field by its own name (max_subdivisions
    // for options.max_subdivisions).
    input =
      document.querySelector(`[data-field="${CSS.escape(field)}"]`) ||
      document.querySelector(`[data-field$=".${CSS.escape(field)}"]`);
    target =
      document.querySelector(`[data-error-for="${CSS.escape(field)}"]`) ||
      document.querySelector(`[data-error-for$=".${CSS.escape(field)}"]`);
    const station = field.match(/^stations\[(\d+)\]/);
    if (!target && station) target = document.querySelector(`[data-error-for="stations[${station[1]}]"]`);
    if (!target && field.startsWith("stations")) target = document.querySelector('[data-error-for="stations"]');
  }
  if (input) input.classList.add("invalid");
  (target || $("case-error")).textContent = error.message;
  clearResults();
  setStatus("The case has an error; see the message beside its field.", true);
}

// No results on screen but those of the case last run as it stands.
function clearResults() {
  for (const name of Object.keys(state.charts)) {
    state.charts[name].destroy();
    delete state.charts[name];
  }
  for (const id of ["traverse-note", "map-note", "lift-note"]) $(id).textContent = "";
  $("regime-legend").replaceChildren();
  $("rows").tHead.replaceChildren();
  $("rows").tBodies[0].replaceChildren();
  $("download-rows").disabled = true;
  state.traverse = state.compare = state.ranCase = null;
}

function setStatus(text, bad = false) {
  $("status").textContent = text;
  $("status").className = bad ? "stopped" : "";
}

// ---------------------------------------------------------------- charts

// A well is described from the top or bottom, or by true vertical depths;
// a pipeline from its inlet or outlet, by elevations.
function isWell(c) {
  const end = String(c.known_end).toLowerCase();
  if (end === "top" || end === "bottom") return true;
  if (end === "inlet" || end === "outlet") return false;
  return (c.stations || []).some((s) => s.tvd_ft !== undefined);
}

// Coloured bands behind the traverse charts: the flow pattern of each
// segment over its span of depth or distance.
const regimeBands = {
  id: "regimeBands",
  beforeDatasetsDraw(chart, args, options) {
    const rows = options.rows;
    if (!rows || rows.length < 2) return;
    const { ctx, chartArea } = chart;
    const along = options.well ? chart.scales.y : chart.scales.x;
    ctx.save();
    ctx.globalAlpha = 0.45;
    for (let i = 1; i < rows.length; i++) {
      const a = along.getPixelForValue(rows[i - 1].md_ft);
      const b = along.getPixelForValue(rows[i].md_ft);
      ctx.fillStyle = REGIME_COLOURS[rows[i].regime_code] || "#eeeeee";
      if (options.well) ctx.fillRect(chartArea.left, Math.min(a, b), chartArea.width, Math.abs(b - a));
      else ctx.fillRect(Math.min(a, b), chartArea.top, Math.abs(b - a), chartArea.height);
    }
    if (options.loading !== null && options.loading !== undefined) {
      const p = along.getPixelForValue(options.loading);
      ctx.globalAlpha = 1;
      ctx.strokeStyle = "#b42318";
      ctx.setLineDash([6, 4]);
      ctx.beginPath();
      if (options.well) {
        ctx.moveTo(chartArea.left, p);
        ctx.lineTo(chartArea.right, p);
      } else {
        ctx.moveTo(p, chartArea.top);
        ctx.lineTo(p, chartArea.bottom);
      }
      ctx.stroke();
    }
    ctx.restore();
  },
};

// Draws (or draws again) the scatter chart on canvas `name`.
function scatterChart(name, datasets, scales, plugins, extraPlugins = []) {
  if (state.charts[name]) state.charts[name].destroy();
  state.charts[name] = new Chart($(name), {
    type: "scatter",
    data: { datasets },
    options: { animation: false, maintainAspectRatio: false, scales, plugins },
    plugins: extraPlugins,
  });
}

function traverseChart(name, title, unit, value, results, well, range = {}) {
  const main = results[0].answer;
  const datasets = results.map(({ answer, label }, k) => ({
    label,
    data: answer.rows.map((r) => (well ? { x: value(r), y: r.md_ft } : { x: r.md_ft, y: value(r) })),
    showLine: true,
    borderColor: k === 0 ? "#1f6feb" : "#d1242f",
    borderDash: k === 0 ? [] : [6, 4],
    pointRadius: 0,
    borderWidth: 2,
  }));
  const along = { title: { display: true, text: well ? "measured depth [ft]" : "distance [ft]" } };
  const across = { ...range, title: { display: true, text: `${title} [${unit}]` } };
  scatterChart(
    name,
    datasets,
    well ? { x: across, y: { ...along, reverse: true } } : { x: along, y: across },
    {
      legend: { display: results.length > 1 },
      title: { display: true, text: title },
      regimeBands: { rows: main.rows, well, loading: main.summary.loading_md_ft },
    },
    [regimeBands],
  );
}

function drawTraverse() {
  const results = [{ answer: state.traverse, label: correlationName(state.traverse.correlation) }];
  if (state.compare) results.push({ answer: state.compare, label: correlationName(state.compare.correlation) });
  const rows = state.traverse.rows;
  if (rows.length === 0) return;
  const well = isWell(state.ranCase);
  traverseChart("chart-pressure", "pressure", "psia", (r) => r.pressure_psia, results, well);
  traverseChart("chart-temperature", "temperature", "degF", (r) => r.temperature_F, results, well);
  traverseChart("chart-holdup", "liquid holdup", "-", (r) => r.holdup, results, well, { min: 0, max: 1 });
  const seen = new Map();
  for (const r of rows.slice(1)) seen.set(r.regime_code, r.regime);
  const legend = $("regime-legend");
  legend.replaceChildren();
  for (const [code, name] of seen) {
    const item = document.createElement("span");
    item.style.setProperty("--swatch", REGIME_COLOURS[code] || "#eee");
    item.textContent = code === 666 ? "no pattern (the correlation names none)" : name;
    legend.append(item);
  }
}

function correlationName(code) {
  const c = state.catalogue.correlations.find((x) => x.code === code);
  return c ? c.name : `correlation ${code}`;
}

// The flow-pattern map as filled regions: every grid point of the map
// colours its cell (cell edges halfway between neighbours, in log space).
const filledCells = {
  id: "filledCells",
  beforeDatasetsDraw(chart, args, options) {
    const { ctx } = chart;
    const xs = options.xs;
    const ys = options.ys;
    if (!xs || !ys) return;
    const edge = (values, v, side) => {
      const i = values.indexOf(v);
      const next = values[i + side];
      return next === undefined ? v * Math.pow(v / values[i - side], 0.5) : Math.sqrt(v * next);
    };
    ctx.save();
    chart.data.datasets.forEach((set, k) => {
      if (!set.cells) return;
      ctx.fillStyle = set.backgroundColor;
      for (const p of set.data) {
        const x0 = chart.scales.x.getPixelForValue(edge(xs, p.x, -1));
        const x1 = chart.scales.x.getPixelForValue(edge(xs, p.x, 1));
        const y0 = chart.scales.y.getPixelForValue(edge(ys, p.y, -1));
        const y1 = chart.scales.y.getPixelForValue(edge(ys, p.y, 1));
        ctx.fillRect(Math.min(x0, x1), Math.min(y0, y1), Math.abs(x1 - x0) + 0.5, Math.abs(y1 - y0) + 0.5);
      }
    });
    ctx.restore();
  },
  afterDatasetsDraw(chart) {
    // Each region's name at the middle of its cells.
    const { ctx } = chart;
    ctx.save();
    ctx.fillStyle = "#1d2733";
    ctx.font = "12px system-ui, sans-serif";
    ctx.textAlign = "center";
    for (const set of chart.data.datasets) {
      if (!set.cells || set.data.length < 8) continue;
      const lx = set.data.reduce((s, p) => s + Math.log(p.x), 0) / set.data.length;
      const ly = set.data.reduce((s, p) => s + Math.log(p.y), 0) / set.data.length;
      ctx.fillText(set.label, chart.scales.x.getPixelForValue(Math.exp(lx)), chart.scales.y.getPixelForValue(Math.exp(ly)));
    }
    ctx.restore();
  },
};

function drawMap(map) {
  const xs = new Set();
  const ys = new Set();
  const datasets = map.entries.map((e) => {
    const data = e.vsg_ftps.map((x, i) => ({ x, y: e.vsl_ftps[i] }));
    data.forEach((p) => {
      xs.add(p.x);
      ys.add(p.y);
    });
    const colour = REGIME_COLOURS[e.code] || "#ddd";
    return { label: e.name, data, cells: true, backgroundColor: colour, borderColor: colour, pointRadius: 0, pointStyle: "rect" };
  });
  datasets.push({
    label: `operating point (${map.regime})`,
    data: [{ x: map.vsg_ftps, y: map.vsl_ftps }],
    pointStyle: "crossRot",
    pointRadius: 10,
    borderWidth: 3,
    borderColor: "#000",
    backgroundColor: "#000",
  });
  const sorted = (s) => [...s].sort((a, b) => a - b);
  scatterChart(
    "chart-map",
    datasets,
    {
      x: {
        type: "logarithmic",
        min: Math.min(...xs),
        max: Math.max(...xs),
        title: { display: true, text: "superficial gas velocity vsg [ft/s]" },
      },
      y: {
        type: "logarithmic",
        min: Math.min(...ys),
        max: Math.max(...ys),
        title: { display: true, text: "superficial liquid velocity vsl [ft/s]" },
      },
    },
    {
      legend: { position: "right", labels: { usePointStyle: true } },
      title: { display: true, text: "Petalas & Aziz flow-pattern map of the segment next to the known end" },
      filledCells: { xs: sorted(xs), ys: sorted(ys) },
    },
    [filledCells],
  );
}

function drawLift(lift) {
  const curves = new Map();
  for (const p of lift.points) {
    if (!curves.has(p.curve)) curves.set(p.curve, []);
    curves.get(p.curve).push(p);
  }
  const rateKey = lift.rate;
  const colours = ["#1f6feb", "#d1242f", "#1a7f37", "#8250df", "#bf8700"];
  const datasets = [...curves].map(([curve, points], k) => ({
    label: `wellhead ${points[0].wellhead_pressure_psia} psia`,
    data: points.filter((p) => p.bhp_psia !== null).map((p) => ({ x: p[rateKey], y: p.bhp_psia, minimum: p.minimum })),
    showLine: true,
    borderColor: colours[k % colours.length],
    backgroundColor: colours[k % colours.length],
    pointRadius: points.filter((p) => p.bhp_psia !== null).map((p) => (p.minimum ? 8 : 2)),
    pointStyle: points.filter((p) => p.bhp_psia !== null).map((p) => (p.minimum ? "triangle" : "circle")),
  }));
  scatterChart(
    "chart-lift",
    datasets,
    {
      x: { title: { display: true, text: RATE_NAMES[rateKey] || rateKey } },
      y: { title: { display: true, text: "bottomhole pressure [psia]" } },
    },
    { title: { display: true, text: `${lift.name}: lift curves (triangles: minimum of each curve)` } },
  );
}

// A table cell: a column's numbers with one count of decimals, as the
// command's table shows them; no result is an empty cell.
function cellText(column, v) {
  if (v === null || v === undefined) return "";
  if (typeof v !== "number" || column === "regime_code") return String(v);
  const decimals = column === "holdup" ? 4 : /_(ft|F)$/.test(column) ? 1 : /_psia$/.test(column) ? 2 : 3;
  return v.toFixed(decimals);
}

function drawTable(answer) {
  const rows = answer.rows;
  const table = $("rows");
  table.tHead.innerHTML = "";
  table.tBodies[0].innerHTML = "";
  if (rows.length === 0) return;
  const columns = Object.keys(rows[0]);
  const hr = table.tHead.insertRow();
  for (const k of columns) headerCell(hr, k);
  for (const r of rows) {
    const tr = table.tBodies[0].insertRow();
    for (const k of columns) {
      tr.insertCell().textContent = cellText(k, r[k]);
    }
  }
}

// ---------------------------------------------------------------- running

function wellheadSensitivities(c) {
  const p = Number(c.known_pressure_psia);
  const values = [0.5 * p, p, 1.5 * p].map((v) => Math.round(Math.min(Math.max(v, 5), 30000)));
  return { wellhead_pressure_psia: [...new Set(values)] };
}

// The status line of a traverse: its computed pressure and the changes
// along the march (from the known end: negative where the pressure falls).
function summaryText(answer) {
  const s = answer.summary;
  const name = correlationName(answer.correlation);
  if (!s.complete) return `${name}: the traverse stopped at md ${s.stopped_at_md_ft} ft: ${s.reason}.`;
  const change = (v) => `${v >= 0 ? "+" : "\u2212"}${Math.abs(v).toFixed(1)} psi`;
  return (
    `${name}: computed end pressure ${s.computed_end_pressure_psia.toFixed(2)} psia; ` +
    `changes from the known end: friction ${change(s.total_friction_dp_psi)}, ` +
    `elevation ${change(s.total_elevation_dp_psi)}.`
  );
}

async function run() {
  clearErrors();
  clearResults();
  const c = JSON.parse(JSON.stringify(state.caseJson));
  setStatus("Running\u2026");
  $("run").disabled = true;
  try {
    state.traverse = await api("POST", "/api/traverse", c);
    const compare = $("compare").value;
    state.compare = compare === "" ? null : await api("POST", "/api/traverse", { ...c, correlation: Number(compare) });
    state.ranCase = c;
    $("download-rows").disabled = false;
    drawTraverse();
    drawTable(state.traverse);
    const s = state.traverse.summary;
    let text = summaryText(state.traverse);
    if (s.loading_md_ft !== null) text += ` Liquid loading from md ${s.loading_md_ft} ft (dashed line).`;
    if (state.compare) text += "\n" + summaryText(state.compare) + " The bands are the first correlation's.";
    setStatus(text, !s.complete);
    $("traverse-note").textContent =
      state.traverse.rows.length > 1
        ? s.warnings.join("\n")
        : `Nothing to draw: the first segment has no result (${s.reason}).`;
    await Promise.all([runMap(c), runLift(c)]);
  } catch (error) {
    showError(error);
  } finally {
    $("run").disabled = false;
  }
}

async function runMap(c) {
  try {
    const map = await api("POST", "/api/map", c);
    if (!map.ok) {
      $("map-note").textContent = `No map: ${map.reason}.`;
      if (state.charts["chart-map"]) state.charts["chart-map"].destroy();
      delete state.charts["chart-map"];
      return;
    }
    $("map-note").textContent = `The segment next to the known end is ${map.regime} at vsg ${map.vsg_ftps.toFixed(3)} ft/s, vsl ${map.vsl_ftps.toFixed(3)} ft/s.`;
    drawMap(map);
  } catch (error) {
    $("map-note").textContent = `No map: ${error.message}`;
  }
}

// Lift curves are drawn for a well whose wellhead pressure is known.
function wellheadKnown(c) {
  return ["top", "first"].includes(String(c.known_end).toLowerCase()) && isWell(c);
}

async function runLift(c) {
  if (!wellheadKnown(c)) {
    $("lift-note").textContent = isWell(c)
      ? "Lift curves start from the wellhead pressure: they need known_end top."
      : "Lift curves are for wells; this case is a pipeline.";
    if (state.charts["chart-lift"]) state.charts["chart-lift"].destroy();
    delete state.charts["chart-lift"];
    return;
  }
  try {
    const lift = await api("POST", "/api/lift-curves", { case: c, sensitivities: wellheadSensitivities(c) });
    $("lift-note").textContent = lift.warnings.join("\n");
    drawLift(lift);
  } catch (error) {
    $("lift-note").textContent = `No lift curves: ${error.message}`;
    if (state.charts["chart-lift"]) state.charts["chart-lift"].destroy();
    delete state.charts["chart-lift"];
  }
}

// ---------------------------------------------------------------- downloads

function download(name, text, type) {
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([text], { type }));
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

function fileName(extension) {
  const base = String(state.caseJson.name || "case").replace(/[^A-Za-z0-9_-]+/g, "_").slice(0, 60);
  return `${base}.${extension}`;
}

// ---------------------------------------------------------------- start

async function loadExample() {
  const name = $("example").value;
  useCase(await api("GET", `/api/examples/${encodeURIComponent(name)}`));
}

async function start() {
  state.catalogue = await api("GET", "/api/catalogue");
  correlationOptions($("compare"), null, true);
  const examples = await api("GET", "/api/examples");
  for (const name of examples) $("example").append(new Option(name.replace(/_/g, " "), name));
  if (examples.includes("oil_well")) $("example").value = "oil_well";
  $("load-example").addEventListener("click", () => loadExample().catch(showError));
  $("file").addEventListener("change", async () => {
    const file = $("file").files[0];
    if (!file) return;
    try {
      useCase(JSON.parse(await file.text()));
    } catch (e) {
      showError({ message: `${file.name}: ${e.message}`, field: "" });
    }
  });
  $("use-paste").addEventListener("click", () => {
    try {
      useCase(JSON.parse($("paste").value));
    } catch (e) {
      showError({ message: `the pasted case: ${e.message}`, field: "" });
    }
  });
  $("add-station").addEventListener("click", addStation);
  $("run").addEventListener("click", run);
  $("download-case").addEventListener("click", () =>
    download(fileName("json"), JSON.stringify(state.caseJson, null, 2) + "\n", "application/json"));
  $("download-rows").addEventListener("click", async () => {
    try {
      // The rows on screen: those of the case as it was run.
      download(fileName("csv"), await api("POST", "/api/traverse.csv", state.ranCase), "text/csv");
    } catch (error) {
      showError(error);
    }
  });
  for (const tab of document.querySelectorAll(".tabs button")) {
    tab.addEventListener("click", () => {
      for (const t of document.querySelectorAll(".tabs button")) t.classList.toggle("active", t === tab);
      for (const v of document.querySelectorAll(".view")) v.classList.toggle("active", v.id === `view-${tab.dataset.view}`);
      for (const chart of Object.values(state.charts)) chart.resize();
    });
  }
  await loadExample();
}

start().catch((error) => setStatus(`The page cannot start: ${error.message}`, true));
