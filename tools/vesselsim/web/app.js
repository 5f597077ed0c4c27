// The live bench's page: the state arrives by server-sent events; the panel
// picture is fetched again only when its version moves on.
"use strict";

const $ = (id) => document.getElementById(id);
let state = null;
let shownPanelVersion = -1;
let chart = null;
let chartRefs = "";

// The bench answers only requests that carry the token of the address it
// printed; links and the event stream carry it in their address.
const token = new URLSearchParams(location.search).get("token") || "";
const withToken = (path) => `${path}${path.includes("?") ? "&" : "?"}token=${encodeURIComponent(token)}`;
const authorised = { Authorization: `token ${token}` };

async function get(path) {
  return fetch(path, { headers: authorised });
}

async function post(path, body) {
  const response = await fetch(path, {
    method: "POST",
    headers: { ...authorised, "Content-Type": "application/json" },
    body: JSON.stringify(body),
  });
  const reply = await response.json();
  if (!response.ok) throw new Error(reply.error);
  return reply;
}

function showFlight(f) {
  if (!f) return "";
  return `${f.name}: alt ${(f.altitude / 1000).toFixed(3)} km, v ${f.speed.toFixed(1)} m/s, ` +
         `m ${f.mass.toFixed(1)} kg, main ${f.main.toFixed(2)} retro ${f.retro.toFixed(2)} hover ${f.hover.toFixed(2)}`;
}

function showPanels(s) {
  const list = $("panels");
  const named = s.panelNames.map((name, id) => (name ? id : -1));
  const ids = new Set([s.panel, ...Object.values(s.neighbours), ...named].filter((id) => id >= 0));
  const wanted = [...ids].sort((a, b) => a - b).map((id) => `${id} ${s.panelNames[id] || ""}`).join(",");
  if (list.dataset.ids !== wanted) {
    list.dataset.ids = wanted;
    list.replaceChildren(...[...ids].sort((a, b) => a - b).map((id) =>
      new Option(s.panelNames[id] ? `${id} ${s.panelNames[id]}` : `panel ${id}`, id)));
  }
  list.value = s.panel;
  if (s.panelVersion !== shownPanelVersion) {
    shownPanelVersion = s.panelVersion;
    $("panel").src = withToken(`api/panel.png?v=${s.panelVersion}`);
  }
}

function showWatches(s) {
  const rows = s.watches.map((w) => {
    const row = document.createElement("tr");
    row.dataset.ref = w.ref;
    row.innerHTML = "<td></td><td class='value'></td><td><input size='8' placeholder='write'></td>" +
      "<td><button class='expect' title='add to the record a promise that it is this value now'>expect</button></td>" +
      "<td><button class='unwatch'>x</button></td>";
    row.cells[0].textContent = w.ref;
    row.cells[1].textContent = w.shown;
    row.querySelector("input").addEventListener("change", (e) =>
      post("api/set", { ref: w.ref, value: e.target.value }).catch((err) => ($("watcherror").textContent = err.message)));
    row.querySelector("button.expect").addEventListener("click", () =>
      post("api/expect", { ref: w.ref }).catch((err) => ($("watcherror").textContent = err.message)));
    row.querySelector("button.unwatch").addEventListener("click", () => post("api/unwatch", { ref: w.ref }));
    return row;
  });
  const body = $("watches").tBodies[0];
  const refs = s.watches.map((w) => w.ref).join("|");
  if (body.dataset.refs !== refs) {
    body.dataset.refs = refs;
    body.replaceChildren(...rows);
  } else {
    s.watches.forEach((w, i) => (body.rows[i].cells[1].textContent = w.shown));
  }
}

// The chart: simulated seconds across; a scale for each kind of variable
// (the reference's last word: PRESS, TEMP, VOLTS...) or, when the author
// asks, for each series. A zoom holds while the clock runs, until a double
// click lets go of it.
let zoomed = false;
const scaleOf = (ref, i) => ($("scaleper").checked ? `s${i}` : ref.split(":").pop());
const compact = (v) => (v === null ? "" : Math.abs(v) >= 1e5 || (v !== 0 && Math.abs(v) < 1e-3)
  ? v.toExponential(2) : String(Number(v.toPrecision(5))));

function makeChart(watches, data) {
  const scales = { x: { time: false } };
  const axes = [{ stroke: "#aab", label: "t (s)", values: (u, vals) => vals.map(compact) }];
  const series = [{ label: "t (s)", value: (u, v) => compact(v) }];
  watches.forEach((w, i) => {
    const scale = scaleOf(w.ref, i);
    if (!scales[scale]) {
      scales[scale] = {};
      axes.push({ scale, stroke: `hsl(${i * 67 % 360} 70% 60%)`, side: axes.length % 2 ? 3 : 1, size: 70,
                  label: $("scaleper").checked ? w.ref : scale,
                  values: (u, vals) => vals.map(compact) });
    }
    series.push({ label: w.ref, scale, stroke: `hsl(${i * 67 % 360} 70% 60%)`, value: (u, v) => compact(v) });
  });
  const hooks = { setSelect: [() => (zoomed = true)] };
  const width = Math.max(420, $("chart").clientWidth || 560);
  const made = new uPlot({ width, height: 260, scales, axes, series, hooks }, data, $("chart"));
  made.over.addEventListener("dblclick", () => (zoomed = false));
  return made;
}

async function showChart(s) {
  const refs = s.watches.map((w) => w.ref).join("|") + ($("scaleper").checked ? "|per series" : "");
  if (!s.watches.length) return;
  const csv = await (await get("api/series.csv?points=2000")).text();
  const lines = csv.trim().split("\n").slice(1);
  const columns = s.watches.length + 1;
  const data = Array.from({ length: columns }, () => []);
  for (const line of lines) line.split(",").forEach((v, i) => i < columns && data[i].push(v === "" ? null : Number(v)));
  if (!chart || chartRefs !== refs) {
    if (chart) chart.destroy();
    chartRefs = refs;
    zoomed = false;
    chart = makeChart(s.watches, data);
  } else {
    chart.setData(data, !zoomed);
  }
}

// Each finding as text to select and copy, its place first, with the line
// it points at beneath it.
function findingItems(s) {
  const items = s.findings.map((f, i) => {
    const item = document.createElement("li");
    const match = /^(.*?:\d+): (.*)$/.exec(f);
    const place = Object.assign(document.createElement("code"), { textContent: match ? match[1] : "" });
    item.append(place, match ? ` ${match[2]}` : f);
    if (s.findingLines[i]) item.append(Object.assign(document.createElement("pre"), { textContent: s.findingLines[i] }));
    return item;
  });
  if (s.checkLog) items.unshift(Object.assign(document.createElement("li"), { textContent: s.checkLog }));
  return items;
}

// The findings, and while the files are refused the same over the page, until
// dismissed or the files read again.
let dismissed = "";
function showFindings(s) {
  const said = JSON.stringify([s.findings, s.checkLog]);
  if ($("findings").dataset.said !== said) {
    $("findings").dataset.said = said;
    $("findings").replaceChildren(...findingItems(s));
    $("overlayfindings").replaceChildren(...findingItems(s));
  }
  const refused = s.reload.status.startsWith("the files no longer read");
  $("overlay").hidden = !refused || dismissed === said;
  $("log").textContent = s.log;
}

// The plant's schematic, drawn by the bench: fetched again when its version
// moves on (a separation, a turned socket, a reload), coloured from the
// values every state brings. The median and the worst cost of the last
// hundred colourings are kept on the element, for the browser test.
let shownSchematic = -1;
let schematicLoading = false;
const colouringCosts = [];
async function showSchematic(s) {
  if (s.schematic.version !== shownSchematic && !schematicLoading) {
    schematicLoading = true;
    const wanted = s.schematic.version;
    try {
      const response = await get("api/schematic.svg");
      $("schematic").innerHTML = response.ok ? await response.text() : "";
      for (const element of $("schematic").querySelectorAll("g.object"))
        element.addEventListener("click", () => post("api/schematic/watch", { element: element.id }).catch(() => {}));
      shownSchematic = wanted;
    } finally {
      schematicLoading = false;
    }
  }
  const began = performance.now();
  colourSchematic(s.schematic.values);
  colouringCosts.push(performance.now() - began);
  if (colouringCosts.length > 100) colouringCosts.shift();
  const sorted = [...colouringCosts].sort((a, b) => a - b);
  $("schematic").dataset.median = sorted[sorted.length >> 1].toFixed(3);
  $("schematic").dataset.worst = sorted[sorted.length - 1].toFixed(3);
}

// Hue from the temperature (200 K blue to 400 K red), darker the higher the
// pressure (0 to 1 MPa); a tank shows its pressure in figures too.
function tankColour(kelvin, pascals) {
  const warmth = Math.min(1, Math.max(0, (kelvin - 200) / 200));
  const fullness = Math.min(1, Math.max(0, Math.log10(pascals / 1000 + 1) / 3));
  return `hsl(${(240 - 240 * warmth).toFixed(1)}, 70%, ${(88 - 38 * fullness).toFixed(1)}%)`;
}

// A text of the element shown as `text`, its drawn text kept to go back to.
function relabel(text, shown) {
  if (!text) return;
  if (text.dataset.drawn === undefined) text.dataset.drawn = text.textContent;
  text.textContent = shown === null ? text.dataset.drawn : shown;
}

const figure = (value, digits, unit) => (value === null || value === undefined ? "-" : `${value.toFixed(digits)} ${unit}`);

// A pipe is an edge between its ports, or a node while it lacks one of them
// (a separation took its tank).
function colourSchematic(values) {
  for (const [id, v] of Object.entries(values)) {
    const element = document.getElementById(id);
    const shape = element && element.querySelector("polygon, ellipse");
    if (!shape) continue;
    const texts = element.querySelectorAll("text");
    if ("pressure" in v) {
      shape.setAttribute("fill", tankColour(v.temperature, v.pressure));
      relabel(texts[2], figure(v.pressure / 1000, 0, "kPa"));
    }
    if ("in" in v) {
      for (const [text, open] of [[texts[0], v.in], [texts[texts.length - 1], v.out]]) {
        if (!text) continue;
        text.setAttribute("fill", open ? "black" : "#d0021b");
        relabel(text, open ? null : `${text.dataset.drawn || text.textContent} shut`);
      }
    }
    if ("flow" in v) {
      const flow = v.flow || 0;
      const colour = flow > 0 ? "#1f6fb2" : flow < 0 ? "#8e44ad" : "#a0a8b0";
      for (const line of element.querySelectorAll("path, polygon")) line.setAttribute("stroke", colour);
      const path = element.querySelector("path");
      if (path) path.setAttribute("stroke-width", String(1 + Math.min(5, Math.log10(1 + Math.abs(flow) * 100))));
      relabel(texts[texts.length - 1], flow === 0 ? null : `${figure(flow, 3, "g/s")}${flow < 0 ? " back" : ""}`);
    }
    if ("volts" in v) {
      shape.setAttribute("fill", v.volts > 1 ? "#c9ecc9" : "#f4b0b0");
      relabel(texts[1], `${figure(v.volts, 1, "V")} ${figure(v.amps, 1, "A")}`);
    }
    if ("on" in v) shape.setAttribute("fill", v.on ? "#cfe9ff" : "#e4e4e4");
    if ("temperature" in v && !("pressure" in v) && !("volts" in v)) {
      shape.setAttribute("fill", tankColour(v.temperature, 0));
      relabel(texts[1], figure(v.temperature, 0, "K"));
    }
  }
}

let chartDue = 0;
function show(s) {
  state = s;
  $("vessel").textContent = s.flight ? s.flight.name : "vesselsim";
  $("clock").textContent = `t = ${s.time.toFixed(2)} s${s.paused ? " (paused)" : ""}`;
  $("pause").textContent = s.paused ? "Run" : "Pause";
  $("rate").value = String(s.rate);
  $("flight").textContent = showFlight(s.flight);
  $("reload").textContent = s.reload.status === "loaded" ? "" :
    `${s.reload.status}${s.reload.status === "reloaded" ? ` in ${s.reload.seconds.toFixed(2)} s` : ""}`;
  showPanels(s);
  showWatches(s);
  showFindings(s);
  showSchematic(s);
  if (Date.now() > chartDue) {
    chartDue = Date.now() + 250;
    showChart(s);
  }
}

// The clock's real rate, from the simulated time against the wall's over the
// last few seconds.
let rateSamples = [];
function showConnection(s) {
  const now = performance.now() / 1000;
  rateSamples = [...rateSamples.filter((r) => now - r.wall < 3), { wall: now, time: s.time }];
  const first = rateSamples[0];
  const rate = now > first.wall + 0.5 ? (s.time - first.time) / (now - first.wall) : null;
  $("connection").className = "live";
  $("connection").textContent = s.paused ? "live, paused" : rate === null ? "live" : `live, ${rate.toFixed(1)}x real time`;
}

// Why the stream stopped: the bench refused this page (no token, or another
// bench's), or the bench is gone.
async function showLost() {
  rateSamples = [];
  let why = "the bench is gone: start vesselsim serve again";
  try {
    const status = (await get("api/state")).status;
    if (status === 403) why = "the bench refuses this page: open the address vesselsim serve printed";
    else if (status === 503) why = "as many pages are open as the bench serves: close one";
    else why = "reconnecting";
  } catch (_) {}
  $("connection").className = "lost";
  $("connection").textContent = why;
}

function listen() {
  const events = new EventSource(withToken("api/stream"));
  events.onmessage = (e) => {
    const s = JSON.parse(e.data);
    show(s);
    showConnection(s);
  };
  events.onerror = () => {
    events.close();
    showLost();
    setTimeout(listen, 1000);
  };
}

// The picture's own size, kept from its last load: while a newer picture
// loads, the image reports none.
let pictureSize = { width: 1, height: 1 };
function panelPoint(e) {
  const box = $("panel").getBoundingClientRect();
  return {
    x: Math.floor((e.clientX - box.left) * pictureSize.width / box.width),
    y: Math.floor((e.clientY - box.top) * pictureSize.height / box.height),
  };
}

// The clickable areas of the shown panel, outlined with their ids under the
// pointer.
function outlineArea(e) {
  const box = $("panel").getBoundingClientRect();
  const point = panelPoint(e);
  const area = (state ? state.areas : []).find((a) =>
    point.x >= a.x && point.x < a.x + a.w && point.y >= a.y && point.y < a.y + a.h);
  const outline = $("areaoutline");
  outline.hidden = !area;
  if (!area) return;
  const scale = box.width / pictureSize.width;
  Object.assign(outline.style, { left: `${area.x * scale}px`, top: `${area.y * scale}px`,
                                 width: `${area.w * scale}px`, height: `${area.h * scale}px` });
  outline.textContent = `area ${area.id}`;
}

function wire() {
  $("dismiss").addEventListener("click", () => ($("overlay").hidden = true, dismissed = $("findings").dataset.said));
  $("panel").addEventListener("mousemove", outlineArea);
  $("panel").addEventListener("mouseleave", () => ($("areaoutline").hidden = true));
  for (const link of [$("csvlink"), $("scnlink"), $("recordlink")]) link.href = withToken(link.getAttribute("href"));
  const image = $("panel");
  image.addEventListener("load", () => (pictureSize = { width: image.naturalWidth, height: image.naturalHeight }));
  image.addEventListener("contextmenu", (e) => e.preventDefault());
  // The release goes after its press has arrived, never before it.
  let pressed = null;
  image.addEventListener("mousedown", (e) => {
    e.preventDefault();
    pressed = post("api/mouse", { ...panelPoint(e), button: e.button === 2 ? "right" : "left", action: "down" });
  });
  window.addEventListener("mouseup", () => {
    if (!pressed) return;
    pressed.finally(() => post("api/mouse", { x: 0, y: 0, action: "up" }));
    pressed = null;
  });
  $("pause").addEventListener("click", () => post("api/clock", { paused: !state.paused }));
  $("step").addEventListener("click", () => post("api/clock", { paused: true, step: 1 }));
  $("rate").addEventListener("change", (e) => post("api/clock", { rate: Number(e.target.value) }));
  $("panels").addEventListener("change", (e) => post("api/panel", { id: Number(e.target.value) }));
  for (const slider of document.querySelectorAll("#groups input"))
    slider.addEventListener("input", (e) => post("api/group", { group: e.target.dataset.group, level: Number(e.target.value) }));
  $("watchref").addEventListener("input", async (e) => {
    const found = await (await get(`api/references?prefix=${encodeURIComponent(e.target.value)}`)).json();
    $("references").replaceChildren(...found.slice(0, 200).map((r) => new Option(r)));
  });
  $("watchform").addEventListener("submit", (e) => {
    e.preventDefault();
    post("api/watch", { ref: $("watchref").value })
      .then(() => ($("watcherror").textContent = ""))
      .catch((err) => ($("watcherror").textContent = err.message));
  });
  $("saveform").addEventListener("submit", (e) => {
    e.preventDefault();
    post("api/save", { name: $("savename").value })
      .then((r) => ($("saved").textContent = `saved ${r.saved}`))
      .catch((err) => ($("saved").textContent = err.message));
  });
  document.addEventListener("keydown", (e) => {
    if (e.target.tagName === "INPUT" || e.target.tagName === "SELECT") return;
    // The browser's own keys (F5, Ctrl+R, Ctrl+W, ...) stay the browser's.
    if (/^F\d+$/.test(e.key) || e.ctrlKey || e.metaKey || e.altKey) return;
    const neighbour = { ArrowLeft: "left", ArrowRight: "right", ArrowUp: "top", ArrowDown: "bottom" }[e.code];
    e.preventDefault();
    if (neighbour && state && state.neighbours[neighbour] >= 0) post("api/panel", { id: state.neighbours[neighbour] });
    else if (!neighbour) post("api/key", { code: e.code }).catch(() => {});
  });
}

wire();
listen();
