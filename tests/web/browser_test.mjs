// The browser build in headless Chromium, against kestrova-sim on this machine.
//   node browser_test.mjs [--web DIR] [--sim FILE]
// DIR: the web build (index.html, kestrova.js, kestrova.wasm), build/web by
// default; FILE: a native kestrova-sim, build/release/kestrova-sim by default.
import { after, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync, spawn } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import readline from "node:readline";
import { fileURLToPath } from "node:url";
import { chromium } from "playwright-core";

const here = path.dirname(fileURLToPath(import.meta.url));
const repo = path.resolve(here, "../..");
const option = (name, fallback) => {
  const at = process.argv.indexOf(name);
  return path.resolve(at > 0 ? process.argv[at + 1] : fallback);
};
const webDir = option("--web", path.join(repo, "build/web"));
const sim = option("--sim", path.join(repo, "build/release/kestrova-sim"));

const kLaunch = {
  executablePath: process.env.KESTROVA_CHROMIUM || "/usr/bin/chromium",
  headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
         "--no-first-run", "--disable-sync"],
};
const kScoreKey = "data/score.dat";
const kScoreMask = 0x5e;  // every number in the score file is stored XOR this
const kPlayerBullet = 128;
const kSuite = { timeout: 240_000 };  // a hung page fails instead of holding the test command

let work;
let server;
let origin;

// A static server on a loopback port (a free one by default); the port from its first line.
function startServer(dir, port = 0) {
  return new Promise((resolve, reject) => {
    const child = spawn("python3", ["-u", "-m", "http.server", String(port), "--bind", "127.0.0.1", "--directory", dir],
                        { stdio: ["ignore", "pipe", "ignore"] });
    child.on("error", reject);
    child.stdout.on("data", (chunk) => {
      const port = /port (\d+)/.exec(chunk.toString());
      if (port) resolve({ child, origin: `http://127.0.0.1:${port[1]}` });
    });
  });
}

// Stops a server from startServer, if it still runs.
function stopServer(child) {
  return new Promise((resolve) => {
    if (child.exitCode !== null || child.signalCode !== null) resolve(); else child.on("exit", resolve).kill();
  });
}

// A copy of the game's data folder with the given score file (or none).
function dataDir(name, scoreText) {
  const dir = path.join(work, name);
  fs.mkdirSync(dir);
  for (const file of fs.readdirSync(path.join(repo, "data"))) {
    if (!file.startsWith("score.dat")) fs.copyFileSync(path.join(repo, "data", file), path.join(dir, file));
  }
  if (scoreText !== undefined) fs.writeFileSync(path.join(dir, "score.dat"), scoreText);
  return dir;
}

// The canvas must show kestrova-sim's title page for that data folder, each
// pixel a square of the canvas's whole multiple. The page decodes
// kestrova-sim's PNG: an opaque PNG without a colour profile keeps its exact
// values on a canvas.
async function expectTitleOf(page, data) {
  const png = path.join(work, `title-${path.basename(data)}.png`);
  execFileSync(sim, ["--frames", "1", "--data", data, "--png", `1:${png}`], { stdio: ["ignore", "ignore", "pipe"] });
  const difference = await page.evaluate(async (url) => {
    const image = new Image();
    image.src = url;
    await image.decode();
    if (image.width !== 640 || image.height !== 480) return { size: [image.width, image.height] };
    const expected = new OffscreenCanvas(640, 480).getContext("2d");
    expected.drawImage(image, 0, 0);
    const want = expected.getImageData(0, 0, 640, 480).data;
    const canvas = document.getElementById("canvas");
    const factor = canvas.width / 640;
    if (!Number.isInteger(factor) || canvas.height !== 480 * factor) return { canvas: [canvas.width, canvas.height] };
    const got = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    const source = (at) => 4 * (Math.floor((at >> 2) / canvas.width / factor) * 640 +
                                Math.floor((at >> 2) % canvas.width / factor)) + (at & 3);
    const at = got.findIndex((v, i) => v !== want[source(i)]);
    if (at < 0) return null;
    const pixel = at >> 2;
    return { x: pixel % canvas.width, y: Math.floor(pixel / canvas.width),
             canvas: [...got.subarray(4 * pixel, 4 * pixel + 4)],
             expected: [...want.subarray(source(4 * pixel), source(4 * pixel) + 4)] };
  }, `data:image/png;base64,${fs.readFileSync(png).toString("base64")}`);
  assert.equal(difference, null, `first difference ${JSON.stringify(difference)}`);
}

// The "fmt " fields and the "data" chunk of a RIFF wave.
function waveDataChunk(file) {
  assert.equal(file.toString("latin1", 0, 4) + file.toString("latin1", 8, 12), "RIFFWAVE");
  const wave = {};
  for (let at = 12; at + 8 <= file.length;) {
    const length = file.readUInt32LE(at + 4);
    const body = file.subarray(at + 8, at + 8 + length);
    const type = file.toString("latin1", at, at + 4);
    if (type === "fmt ") {
      Object.assign(wave, { format: body.readUInt16LE(0), channels: body.readUInt16LE(2), rate: body.readUInt32LE(4),
                            bits: body.readUInt16LE(14) });
    }
    if (type === "data") wave.data = body;
    at += 8 + length + (length & 1);
  }
  assert.ok(wave.data && wave.format !== undefined, "a wave with its fmt and data chunks");
  return wave;
}

// kestrova-sim's lines for `script` up to `extra` idle calls past the first
// stage clear (it plays on until stopped here); at most `limit` calls.
function simThroughClear(script, data, { extra = 10, limit = 40000 } = {}) {
  return new Promise((resolve, reject) => {
    const child = spawn(sim, ["--frames", String(limit), "--input", script, "--data", data],
                        { stdio: ["ignore", "pipe", "inherit"] });
    const lines = [];
    let clearAt = 0;
    readline.createInterface({ input: child.stdout }).on("line", (line) => {
      if (clearAt && lines.length >= clearAt + extra) return;
      lines.push(line);
      if (!clearAt && line.split(" ")[1] === "clear") clearAt = lines.length;
      if (clearAt && lines.length === clearAt + extra) child.kill();
    });
    child.on("error", reject);
    child.on("close", () => {
      if (clearAt) resolve(lines); else reject(new Error(`no stage clear in ${lines.length} idle calls`));
    });
  });
}

async function withBrowser(body, { viewport = { width: 1280, height: 720 } } = {}) {
  const context = await chromium.launchPersistentContext(fs.mkdtempSync(path.join(work, "profile-")),
                                                         { ...kLaunch, viewport });
  const errors = [];
  try {
    const page = context.pages()[0] || await context.newPage();
    page.on("pageerror", (error) => errors.push(error.message));
    await body(page, context);
    assert.deepEqual(errors, [], "no script errors on the page");
  } finally {
    await context.close();
  }
}

// Opens the game and answers the settings form by clicking `labels` and then
// `button`; the page's response.
async function openGame(page, { labels = [], button = "決定", url = `${origin}/index.html` } = {}) {
  const response = await page.goto(url);
  const form = page.getByRole("dialog", { name: "システムメニュー" });
  for (const label of labels) await form.getByText(label, { exact: true }).click();
  await form.getByRole("button", { name: button, exact: true }).click();
  await page.waitForFunction(() => window.kestrovaTest.state().title === 1);
  return response;
}

// Holds `key` until `condition(arg)` holds on the page.
async function holdUntil(page, key, condition, arg) {
  await page.keyboard.down(key);
  try {
    await page.waitForFunction(condition, arg);
  } finally {
    await page.keyboard.up(key);
  }
}

// The settings form as the C++ table lists it: its caption and client size,
// each control's caption (none shows on a spin box), box, and radio group.
function settingsTemplate() {
  const header = fs.readFileSync(path.join(repo, "src/ui/settings_form.hpp"), "utf8");
  const [, caption, ...size] = /kSettingsForm\{"([^"]+)", (\d+), (\d+),/.exec(header);
  let group = 0;
  const controls = [...header.matchAll(/\{(\d+), ControlKind::(\w+), "([^"]*)", \{([\d, ]+)\}, (true|false)\}/g)]
    .map(([, id, kind, text, box, starts]) => ({ caption: kind === "Spin" ? null : text, id: kind === "Radio" ? +id : 0,
                                                box: box.split(", ").map(Number), group: group += starts === "true" }));
  return { caption, size: size.map(Number), controls };
}

// What a form shows: the caption, the controls' captions and boxes, and each
// radio button's id with that of the first in its group.
const shownForm = ({ caption, controls }) => [caption, controls.map((c) => [c.caption, c.box]),
  controls.filter((c) => c.id).map((r, _, radios) => [r.id, radios.find((other) => other.group === r.group).id])];

const state = (page) => page.evaluate(() => window.kestrovaTest.state());
const storedScores = (page) => page.evaluate((key) => window.localStorage.getItem(key), kScoreKey);

// The score file a fresh table is saved as after runs of `scores`: the runs
// sorted to the top of ten entries, each entry four masked numbers.
function scoreFileAfterRuns(...scores) {
  const entries = [...scores.sort((a, b) => b - a), ...Array(10 - scores.length).fill(0)];
  return entries.map((value) => [value, 1, 2, 3].map((n) => `${n ^ kScoreMask}\n`).join("")).join("");
}

// Plays until the run scores, then holds fire until its shots are gone: the
// score stays as it is from then on.
async function scoreSomething(page) {
  await holdUntil(page, "Space", () => window.kestrovaTest.state().playing === 1);
  await holdUntil(page, "Space", () => window.kestrovaTest.state().player.score > 0);
  await page.waitForFunction((bullet) => !window.kestrovaTest.state().objects.some((o) => o.kind === bullet),
                             kPlayerBullet);
  return (await state(page)).player.score;
}

before(async () => {
  work = fs.mkdtempSync(path.join(os.tmpdir(), "kestrova-web-"));
  for (const file of ["index.html", "kestrova.js", "kestrova.wasm", "page.js"]) {
    assert.ok(fs.existsSync(path.join(webDir, file)), `${file} in ${webDir}: build the web preset first`);
  }
  assert.ok(fs.existsSync(sim), `${sim}: build the release preset first`);
  ({ child: server, origin } = await startServer(webDir));
});

after(() => {
  server?.kill();
  fs.rmSync(work, { recursive: true, force: true });
});

describe("the page", kSuite, () => {
  test("the settings form: the dialog's controls, none marked; Escape and Cancel go on with the clicks", () =>
    withBrowser(async (page) => {
      await page.goto(`${origin}/index.html`);
      const form = page.getByRole("dialog", { name: "システムメニュー" });
      // Built from the program's template, which is the C++ table; boxes in dialog units.
      const want = settingsTemplate();
      const built = await form.evaluate((dialog, size) => {
        const client = dialog.querySelector(".client");
        const scale = size.map((units, i) => units / parseFloat(client.style[i ? "height" : "width"]));
        const controls = [...client.children].map((c) => ({
          caption: c.matches(".spin") ? null : c.textContent, id: +(c.querySelector("input")?.dataset.id ?? 0),
          box: ["left", "top", "width", "height"].map((side, i) => Math.round(parseFloat(c.style[side]) * scale[i & 1])),
          group: c.querySelector("input")?.name }));
        return { caption: dialog.querySelector(".caption span").textContent, controls };
      }, want.size);
      assert.deepEqual(shownForm(built), shownForm(want));
      assert.equal(await form.locator("input[type=radio]:checked").count(), 0, "no radio button marked");
      // Beside it, clear of it, the note in English that describes it.
      const note = page.locator("#" + await form.getAttribute("aria-describedby"));
      const [formBox, noteBox] = [await form.boundingBox(), await note.boundingBox()];
      assert.ok(noteBox.x >= formBox.x + formBox.width || noteBox.y >= formBox.y + formBox.height, "the note beside");
      assert.match(await note.innerText(), /gamepad[^.]*ジョイスティック/, "a gamepad needs the joystick choice");
      // A button that sets nothing, then Escape, which closes the form like OK: on
      // into the game, in a window.
      await form.getByText("MIDI", { exact: true }).click();
      await page.keyboard.press("Escape");
      await page.waitForFunction(() => window.kestrovaTest.state().title === 1);
      assert.equal(await form.count(), 0);
      assert.equal(await note.isVisible(), false, "the note goes with the form");
      assert.equal(await page.evaluate(() => document.fullscreenElement), null);

      await openGame(page, { labels: ["フルスクリーン"], button: "取り消し" });
      assert.equal(await page.evaluate(() => document.fullscreenElement?.id), "screen");
    }));

  test("the canvas shows kestrova-sim's title page, a whole multiple or fitted to the window", () =>
    withBrowser(async (page) => {
      await openGame(page);
      // [CSS width, canvas width, smoothed], centred: a whole multiple is shown as
      // it is; one that leaves over a quarter of the height unused is enlarged to
      // fit. Each is also the core's answer for the window, through the export.
      const shows = (want) => page.waitForFunction((w) => {
        const canvas = document.getElementById("canvas");
        const box = canvas.getBoundingClientRect();
        const [ratio, out] = [window.devicePixelRatio, Module._malloc(24)];
        Module._kestrova_lay_out_page(Math.floor(innerWidth * ratio), Math.floor(innerHeight * ratio), out);
        const [factor, , , width, , whole] = Module.HEAP32.subarray(out >> 2, (out >> 2) + 6);
        Module._free(out);
        const answers = [[box.width, canvas.width, canvas.classList.contains("fitted")],
                         [width / ratio, 640 * factor, !whole]];
        return Math.abs(2 * box.left + box.width - innerWidth) <= 1 &&
               Math.abs(2 * box.top + box.height - innerHeight) <= 1 &&
               answers.every((answer) => JSON.stringify(answer) === JSON.stringify(w));
      }, want);
      await shows([1733, 1280, true]);  // 1800 x 1300 holds twice 640 x 480, then fits the height
      await expectTitleOf(page, dataDir("fresh"));
      await page.setViewportSize({ width: 1800, height: 1000 });
      await shows([1280, 1280, false]);
      await page.setViewportSize({ width: 1000, height: 600 });
      await shows([640, 640, false]);
      await page.setViewportSize({ width: 1366, height: 768 });
      await shows([1024, 640, true]);
      await expectTitleOf(page, dataDir("again"));
    }, { viewport: { width: 1800, height: 1300 } }));

  test("the music and each sound effect are their waves in buffers, the music looping from the first key, " +
       "an effect started with its cause; the volume keys", () => withBrowser(async (page) => {
    const wave = waveDataChunk(fs.readFileSync(path.join(repo, "assets/vesk.wav")));
    assert.deepEqual([wave.format, wave.channels, wave.bits], [1, 1, 8], "the game's wave: 8-bit mono PCM");
    const header = fs.readFileSync(path.join(repo, "src/audio/effects.hpp"), "utf8");
    const names = [...header.match(/kEffectNames = \{([^}]*)\}/)[1].matchAll(/"([^"]+)"/g)].map((m) => m[1]);
    const waves = names.map((name) => waveDataChunk(fs.readFileSync(path.join(repo, `assets/sfx/${name}.wav`))));
    await openGame(page);
    await page.keyboard.press("Shift");
    await page.waitForFunction(() => window.kestrovaTest.audio.context?.state === "running");
    const audio = await page.evaluate(([music, effects]) => {
      // Unsigned 8-bit samples were mapped onto (v - 128) / 128: exact in floats.
      const firstWrong = (samples, base64) => {
        const data = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
        return samples.length !== data.length ? "length" : data.findIndex((v, i) => samples[i] !== (v - 128) / 128);
      };
      const { buffer, source, effects: buffers } = window.kestrovaTest.audio;
      return { rate: buffer.sampleRate, channels: buffer.numberOfChannels, loop: source.loop,
               firstWrong: firstWrong(buffer.getChannelData(0), music),
               effects: effects.map((base64, i) => firstWrong(buffers[i]?.getChannelData(0) ?? [], base64)) };
    }, [wave.data.toString("base64"), waves.map((w) => w.data.toString("base64"))]);
    assert.deepEqual(audio, { rate: wave.rate, channels: 1, loop: true, firstWrong: -1, effects: names.map(() => -1) });
    assert.deepEqual(await page.evaluate(() => window.kestrovaTest.audio.started), []);
    await holdUntil(page, "Space", (bullet) => window.kestrovaTest.state().objects.some((o) => o.kind === bullet),
                    kPlayerBullet);
    const started = await page.evaluate(() => window.kestrovaTest.audio.started);
    assert.deepEqual(started.slice(0, 2), [names.indexOf("start"), names.indexOf("volley")]);

    // The volume keys: two steps down and a mute, then a step up that unmutes.
    const gain = () => page.evaluate(() => Math.round(window.kestrovaTest.audio.gain.gain.value * 100));
    for (const key of ["Minus", "Minus", "m"]) await page.keyboard.press(key);
    assert.equal(await gain(), 0);
    await page.keyboard.press("Equal");
    assert.equal(await gain(), 90);
  }));
});

describe("playing", kSuite, () => {
  test("the same script gives kestrova-sim's hashes through the stage clear", () => withBrowser(async (page) => {
    const script = path.join(here, "stage_clear.txt");
    const want = await simThroughClear(script, dataDir("sim"));
    await page.goto(`${origin}/index.html?test`);
    await assert.rejects(page.evaluate(() => window.kestrovaTest.run("1 jump\n", 1)), /script:1: /);
    const output = await page.evaluate(([text, count]) => window.kestrovaTest.run(text, count),
                                       [fs.readFileSync(script, "utf8"), want.length]);
    const got = output.trimEnd().split("\n");
    assert.equal(got.length, want.length);
    const first = want.findIndex((line, i) => line !== got[i]);
    assert.equal(first, -1, `first different idle call: browser "${got[first]}", kestrova-sim "${want[first]}"`);
  }));

  test("keys start play, move and fire; Escape, Right, Space exit and the scores are kept", () =>
    withBrowser(async (page) => {
      await openGame(page);
      await holdUntil(page, "Space", () => window.kestrovaTest.state().playing === 1);
      const start = await state(page);
      await holdUntil(page, "ArrowLeft", (x) => window.kestrovaTest.state().player.x < x - 40, start.player.x);
      await holdUntil(page, "Space", (bullet) => {
        const now = window.kestrovaTest.state();
        return now.player.score > 0 && now.objects.some((o) => o.kind === bullet);
      }, kPlayerBullet);
      await holdUntil(page, "Escape", () => window.kestrovaTest.state().exit_query === 1);
      await holdUntil(page, "ArrowRight", () => window.kestrovaTest.state().exit_cursor_x === 320);
      const { score } = (await state(page)).player;
      await holdUntil(page, "Space", () => !document.getElementById("closed").hidden);
      const stored = await storedScores(page);
      assert.equal(stored, scoreFileAfterRuns(score));

      // The next visit reads the table back: its title is kestrova-sim's with that file.
      await openGame(page);
      await expectTitleOf(page, dataDir("kept", stored));
    }));

  test("a standard gamepad starts play, moves and fires", () => withBrowser(async (page, context) => {
    // One pad in the standard layout, whose buttons the test presses.
    await context.addInitScript(() => {
      const pad = { id: "test pad", index: 0, connected: true, mapping: "standard", axes: [0, 0, 0, 0],
                    buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })) };
      window.testPad = (button, pressed) => Object.assign(pad.buttons[button], { pressed, value: +pressed });
      Object.defineProperty(navigator, "getGamepads", { value: () => [{ ...pad, timestamp: performance.now() }] });
    });
    const [kSouth, kLeft] = [0, 14];
    await openGame(page, { labels: ["ジョイスティック"] });
    await page.evaluate((button) => window.testPad(button, true), kSouth);
    await page.waitForFunction(() => window.kestrovaTest.state().playing === 1);
    await page.waitForFunction((bullet) => window.kestrovaTest.state().objects.some((o) => o.kind === bullet),
                               kPlayerBullet);
    const start = await state(page);
    await page.evaluate((button) => window.testPad(button, true), kLeft);
    await page.waitForFunction((x) => window.kestrovaTest.state().player.x < x - 40, start.player.x);
    assert.equal((await state(page)).joystick_available, 1);
  }));

  test("two tabs each keep their run whichever ends first, and a tab closed mid-play keeps its run", () =>
    withBrowser(async (first, context) => {
      const tabs = [first, await context.newPage(), await context.newPage()];
      const scores = [];
      // A tab in the back is hidden, and runs no frames.
      for (const tab of tabs) {
        await tab.bringToFront();
        await openGame(tab);
        scores.push(await scoreSomething(tab));
      }
      // The runs end in the opposite order to their starts; the last tab closes mid-play.
      for (const tab of [tabs[1], tabs[0]]) {
        await tab.bringToFront();
        await tab.locator("#canvas").click({ button: "right" });
        await tab.locator("#closed").waitFor();
      }
      await tabs[2].close({ runBeforeUnload: true });
      // Storage written by a tab as it closes reaches the others a moment later.
      const want = scoreFileAfterRuns(...scores);
      await first.waitForFunction(([key, text]) => window.localStorage.getItem(key) === text, [kScoreKey, want],
                                  { timeout: 10_000 }).catch(() => {});
      assert.equal(await storedScores(first), want);
    }));

  test("a left click on the title starts play, a double click switches full screen and back, a right click " +
       "closes the game and saves", () => withBrowser(async (page) => {
    await openGame(page);
    await page.locator("#canvas").click({ button: "left" });
    await page.waitForFunction(() => window.kestrovaTest.state().playing === 1);
    await page.locator("#canvas").dblclick();
    await page.waitForFunction(() => document.fullscreenElement === document.getElementById("screen"));
    await page.locator("#canvas").dblclick();
    await page.waitForFunction(() => document.fullscreenElement === null);
    await page.locator("#canvas").click({ button: "right" });
    await page.locator("#closed").waitFor();
    assert.equal(await storedScores(page), scoreFileAfterRuns(0));
  }));
});

// The width and height in a PNG's header.
function pngSize(file) {
  assert.equal(file.toString("latin1", 1, 4) + file.toString("latin1", 12, 16), "PNGIHDR", "a PNG");
  return `${file.readUInt32BE(16)}x${file.readUInt32BE(20)}`;
}

// Until the worker for `scope` (the page's own by default) is active with
// none waiting, or until a new one waits. (waitForFunction would take the
// promise of an async condition for true.)
const workerIs = (page, which, scope) => page.evaluate(async ([w, s]) => {
  for (const end = Date.now() + 30_000; Date.now() < end; await new Promise((wake) => setTimeout(wake, 50))) {
    const registration = await navigator.serviceWorker.getRegistration(s);
    if (w === "waiting" ? registration?.waiting?.state === "installed"
                        : registration?.active?.state === "activated" && !registration.waiting) return;
  }
  throw new Error(`no ${w} worker for ${s ?? location.href} in 30 s`);
}, [which, scope]);

describe("the installed app", kSuite, () => {
  test("the manifest parses, its icons are PNGs of their sizes, and Chrome finds nothing against installing", () =>
    withBrowser(async (page, context) => {
      await page.goto(`${origin}/index.html`);
      const href = await page.evaluate(() => document.querySelector("link[rel=manifest]")?.href);
      const manifest = await (await fetch(href)).json();
      assert.equal(manifest.name, "Kestrova");
      assert.equal(new URL(manifest.start_url, href).href, `${origin}/`);
      const sizes = [];
      for (const icon of manifest.icons) {
        const response = await fetch(new URL(icon.src, href));
        assert.equal(response.headers.get("content-type"), icon.type);
        assert.equal(pngSize(Buffer.from(await response.arrayBuffer())), icon.sizes, icon.src);
        sizes.push(icon.sizes);
      }
      assert.deepEqual(sizes.sort(), ["192x192", "512x512"]);
      await workerIs(page, "active");
      const cdp = await context.newCDPSession(page);
      assert.deepEqual((await cdp.send("Page.getAppManifest")).errors, []);
      assert.deepEqual((await cdp.send("Page.getInstallabilityErrors")).installabilityErrors, []);
    }));

  test("after one visit it starts with no server, from a folder of the site; a new build replaces the cache", async () => {
    // Only what a web server would serve, in a folder below the site's root.
    const site = path.join(work, "site");
    const game = path.join(site, "games/kestrova");
    fs.cpSync(webDir, game, { recursive: true, filter: (file) =>
      [webDir, path.join(webDir, "icons")].includes(file) || /\.(html|css|js|wasm|webmanifest|png)$/.test(file) });
    let { child, origin: siteOrigin } = await startServer(site);
    const url = `${siteOrigin}/games/kestrova/`;
    try {
      await withBrowser(async (page, context) => {
        await page.goto(url);
        await workerIs(page, "active");
        await page.reload();
        assert.equal(await page.evaluate(() => navigator.serviceWorker.controller?.scriptURL), `${url}service-worker.js`);

        // No server at all: the title, with the table this browser keeps, as kestrova-sim draws it.
        const scores = scoreFileAfterRuns(4321);
        await page.evaluate(([key, text]) => window.localStorage.setItem(key, text), [kScoreKey, scores]);
        await stopServer(child);
        assert.ok((await openGame(page, { url })).fromServiceWorker());
        await expectTitleOf(page, dataDir("offline", scores));

        // A new build: the open tab keeps the old one whole, the next start runs the new one from its own cache.
        fs.appendFileSync(path.join(game, "page.js"), "window.kestrovaNext = true;\n");
        const worker = path.join(game, "service-worker.js");
        fs.writeFileSync(worker, fs.readFileSync(worker, "utf8").replace(/kBuild = "(\w+)"/, 'kBuild = "$1next"'));
        const port = new URL(siteOrigin).port;
        ({ child } = await startServer(site, port));
        await openGame(page, { url });
        await workerIs(page, "waiting");
        assert.equal(await page.evaluate(() => window.kestrovaNext), undefined, "the open tab keeps its build");
        // Closed, the tab lets it take over; the site's root is outside the game's folder.
        await page.close();
        const next = await context.newPage();
        await next.goto(`${siteOrigin}/`);
        await workerIs(next, "active", url);
        await next.goto(url);
        assert.equal(await next.evaluate(() => window.kestrovaNext), true, "the next start runs the new build");
        const names = await next.evaluate(() => caches.keys());
        assert.equal(names.length, 1, `one cache: ${names}`);
        assert.match(names[0], /next$/);
      });
    } finally {
      await stopServer(child);
    }
  });
});
