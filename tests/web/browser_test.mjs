// The browser build in headless Chromium, against kestrova-sim on this machine.
//   node browser_test.mjs [--web DIR] [--sim FILE] [--board FILE]
// DIR: the web build (index.html, kestrova.js, kestrova.wasm), build/web by
// default; FILE: a native kestrova-sim, build/release/kestrova-sim by default.
// With --board, a native kestrova-board's page is tested too: run then under
// pg_virtualenv, whose PostgreSQL keeps the board's runs.
import { after, before, test } from "node:test";
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
const option = (name, fallback) => path.resolve(process.argv.includes(name) ?
  process.argv[process.argv.indexOf(name) + 1] : path.join(repo, fallback));
const webDir = option("--web", "build/web");
const sim = option("--sim", "build/release/kestrova-sim");
const boardProgram = process.argv.includes("--board") && option("--board");

// A browser that asks for neither of the game's languages: the page's texts as they stand.
const kLaunch = { executablePath: process.env.KESTROVA_CHROMIUM || "/usr/bin/chromium", headless: true,
                  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking",
                         "--disable-component-update", "--no-first-run", "--disable-sync"], locale: "fr-FR" };
const kScoreKey = "data/score.dat";
const kScoreMask = 0x5e;  // every number in the score file is stored XOR this
const kPlayerBullet = 128;
const kTest = { timeout: 240_000 };  // a hung page fails instead of holding the test command
let work, server, origin;

// A server on a loopback port, which it names on its first line.
const startServer = (program, args, stderr = "ignore") => new Promise((resolve, reject) => {
  const child = spawn(program, args, { stdio: ["ignore", "pipe", stderr] });
  child.on("error", reject);
  child.on("exit", (code) => reject(new Error(`${program} ended (${code})`)));
  readline.createInterface({ input: child.stdout }).once("line", (line) => {
    const port = /127\.0\.0\.1:(\d+)/.exec(line);
    if (port) {
      resolve({ child, origin: `http://127.0.0.1:${port[1]}` });
    } else {
      reject(new Error(`${program}: ${line}`));
    }
  });
});
const serveFolder = (dir, port = 0) =>
  startServer("python3", ["-u", "-m", "http.server", String(port), "--bind", "127.0.0.1", "--directory", dir]);
const stopServer = (child) => child.exitCode === null && child.signalCode === null &&
  new Promise((resolve) => child.on("exit", resolve).kill());

// The game's data with the given score file, or none (a fresh table) whatever the checkout holds.
function dataDir(name, scoreText) {
  const dir = path.join(work, name);
  const filter = (file) => !path.basename(file).startsWith("score.dat");
  fs.cpSync(path.join(repo, "data"), dir, { recursive: true, filter });
  if (scoreText !== undefined) fs.writeFileSync(path.join(dir, "score.dat"), scoreText);
  return dir;
}

// The canvas must show kestrova-sim's title page for that score file, each
// pixel a square of the canvas's whole multiple. An opaque PNG without a
// colour profile keeps its exact values on a canvas.
async function expectTitleOf(page, name, scoreText) {
  const png = path.join(work, `title-${name}.png`);
  execFileSync(sim, ["--frames", "1", "--data", dataDir(name, scoreText), "--png", `1:${png}`],
               { stdio: ["ignore", "ignore", "pipe"] });
  const difference = await page.evaluate(async (url) => {
    const image = Object.assign(new Image(), { src: url });
    await image.decode();
    const expected = new OffscreenCanvas(640, 480).getContext("2d");
    expected.drawImage(image, 0, 0);
    const want = expected.getImageData(0, 0, 640, 480).data;
    const canvas = document.getElementById("canvas");
    const factor = canvas.width / 640;
    if (!Number.isInteger(factor) || canvas.height !== 480 * factor) return { canvas: [canvas.width, canvas.height] };
    const got = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    const source = (at) => Math.floor(at / canvas.width / factor) * 640 + Math.floor(at % canvas.width / factor);
    const at = got.findIndex((v, i) => v !== want[4 * source(i >> 2) + (i & 3)]) >> 2;
    return at < 0 ? null : { x: at % canvas.width, y: Math.floor(at / canvas.width),
                             canvas: [...got.slice(4 * at, 4 * at + 4)],
                             expected: [...want.slice(4 * source(at), 4 * source(at) + 4)] };
  }, `data:image/png;base64,${fs.readFileSync(png).toString("base64")}`);
  assert.equal(difference, null, `first difference ${JSON.stringify(difference)}`);
}

// The rate and the samples (base64) of an 8-bit mono PCM wave in assets/. The first "fmt " and "data" in
// the file are its chunks: no number in the header before them spells either.
function readWave(name) {
  const file = fs.readFileSync(path.join(repo, "assets", name));
  const [format, data] = [file.indexOf("fmt "), file.indexOf("data")];
  return { rate: file.readUInt32LE(format + 12),
           data: file.subarray(data + 8, data + 8 + file.readUInt32LE(data + 4)).toString("base64") };
}

// kestrova-sim's lines for each idle call of `script`, which must play through the stage clear.
function simLines(script) {
  const calls = [...fs.readFileSync(script, "utf8").matchAll(/^(\d+) /gm)].reduce((sum, [, count]) => sum + +count, 0);
  const lines = execFileSync(sim, ["--frames", String(calls), "--input", script, "--data", dataDir("sim")],
                             { encoding: "utf8", maxBuffer: 1 << 26 }).trimEnd().split("\n");
  assert.ok(lines.some((line) => line.split(" ")[1] === "clear"), `${script}: no stage clear in ${calls} calls`);
  return lines;
}

async function withBrowser(body) {
  const context = await chromium.launchPersistentContext(fs.mkdtempSync(path.join(work, "profile-")), kLaunch);
  const [page, errors] = [context.pages()[0] || await context.newPage(), []];
  page.on("pageerror", (error) => errors.push(error.message));
  page.on("dialog", async (dialog) => {  // the game's alerts
    errors.push(dialog.message());
    await dialog.dismiss();
  });
  try {
    await body(page, context);
    assert.deepEqual(errors, [], "no script errors or alerts on the page");
  } finally {
    await context.close();
  }
}

// Answers the settings form by clicking `labels` and then `button`; the page's response.
async function openGame(page, { labels = [], button = "決定", url = `${origin}/index.html`,
                                caption = "システムメニュー" } = {}) {
  const response = await page.goto(url);
  const form = page.getByRole("dialog", { name: caption });
  for (const label of labels) await form.getByText(label, { exact: true }).click();
  await form.getByRole("button", { name: button, exact: true }).click();
  await page.waitForFunction(() => kestrovaTest.state().title === 1);
  return response;
}

// Until the page has shown `count` more frames; the game runs one at each.
const frames = (page, count) => page.evaluate((n) => new Promise((done) => {
  const next = () => (n-- > 0 ? requestAnimationFrame(next) : done());
  next();
}), count);
// Each key held for a few of the game's frames, so that one of them sees it.
async function tap(page, ...keys) {
  for (const key of keys) {
    await page.keyboard.down(key);
    await frames(page, 3);
    await page.keyboard.up(key);
    await frames(page, 3);
  }
}

// Run on the page.
const scoredShooting = (bullet) => kestrovaTest.state().player.score > 0 &&
                                   kestrovaTest.state().objects.some((o) => o.kind === bullet);
// `key` held until the run has scored, its shots still flying.
async function fireUntilScored(page, key) {
  await page.keyboard.down(key);
  await page.waitForFunction(scoredShooting, kPlayerBullet).finally(() => page.keyboard.up(key));
}
// Once the run's shots are gone its score stays as it is.
async function settledScore(page) {
  await page.waitForFunction((bullet) => !kestrovaTest.state().objects.some((o) => o.kind === bullet), kPlayerBullet);
  return (await page.evaluate(() => kestrovaTest.state())).player.score;
}

// The score file a fresh table is saved as after runs of `scores`: the runs
// sorted to the top of ten entries, each entry four masked numbers.
const scoreFileAfterRuns = (...scores) => [...scores.sort((a, b) => b - a), ...Array(10 - scores.length).fill(0)]
  .map((value) => [value, 1, 2, 3].map((n) => `${n ^ kScoreMask}\n`).join("")).join("");

before(async () => {
  work = fs.mkdtempSync(path.join(os.tmpdir(), "kestrova-web-"));
  assert.ok(fs.existsSync(path.join(webDir, "kestrova.wasm")), `${webDir}: build the web preset first`);
  assert.ok(fs.existsSync(sim), `${sim}: build the release preset first`);
  ({ child: server, origin } = await serveFolder(webDir));
});

after(() => {
  server?.kill();
  fs.rmSync(work, { recursive: true, force: true });
});

test("the settings form; the canvas, a whole multiple or fitted; the music, the effects and the volume keys", kTest,
     () => withBrowser(async (page) => {
  await page.goto(`${origin}/index.html`);
  // Built from the program's template, the C++ table: the caption, each control's caption (none on a spin
  // box), its box in dialog units, and a radio button's id with that of the first in its group.
  const header = fs.readFileSync(path.join(repo, "src/ui/settings_form.hpp"), "utf8");
  const [, caption, ...size] = /kSettingsForm\{"([^"]+)", (\d+), (\d+),/.exec(header);
  let first = 0;
  const want = [...header.matchAll(/\{(\d+), ControlKind::(\w+), "([^"]*)", \{([\d, ]+)\}, (true|false)\}/g)]
    .map(([, id, kind, text, box, starts]) => {
      first = (starts === "true" ? 0 : first) || (kind === "Radio" ? +id : 0);
      return [kind === "Spin" ? null : text, box.split(", ").map(Number), kind === "Radio" ? [+id, first] : null];
    });
  const form = page.getByRole("dialog", { name: "システムメニュー" });
  assert.deepEqual(await form.evaluate((dialog, size) => {
    const client = dialog.querySelector(".client");
    const scale = size.map((units, i) => units / parseFloat(client.style[i ? "height" : "width"]));
    return [dialog.querySelector(".caption span").textContent, ...[...client.children].map((c) => {
      const radio = c.querySelector("input[type=radio]");
      return [c.matches(".spin") ? null : c.textContent,
              ["left", "top", "width", "height"].map((side, i) => Math.round(parseFloat(c.style[side]) * scale[i & 1])),
              radio && [+radio.dataset.id, +client.querySelector(`input[name="${radio.name}"]`).dataset.id]];
    })];
  }, size.map(Number)), [caption, ...want]);
  assert.equal(await form.locator("input[type=radio]:checked").count(), 0, "no radio button marked");
  // Beside it, clear of it, the note that describes it.
  const note = page.locator("#" + await form.getAttribute("aria-describedby"));
  const [formBox, noteBox] = [await form.boundingBox(), await note.boundingBox()];
  assert.ok(noteBox.x >= formBox.x + formBox.width || noteBox.y >= formBox.y + formBox.height, "the note beside");
  // From the keys alone: Tab from OK past Cancel and the first group to the next; the arrows choose the joystick
  // there; a button that sets nothing, then Escape, which closes the form like OK: on into the game, in a window.
  for (const key of ["Tab", "Tab", "Tab"]) await page.keyboard.press(key);
  assert.equal(await page.evaluate(() => document.activeElement.dataset.id), "1002", "one stop a group");
  await page.keyboard.press("ArrowDown");
  assert.equal(await form.locator("input:checked").getAttribute("data-id"), "1003", "the arrows chose the joystick");
  await form.getByText("MIDI", { exact: true }).click();
  await page.keyboard.press("Escape");
  await page.waitForFunction(() => kestrovaTest.state().title === 1);
  assert.deepEqual([await form.count(), await note.isVisible()], [0, false], "the note goes with the form");
  assert.equal(await page.evaluate(() => document.fullscreenElement), null);

  // [CSS width, canvas width, smoothed], centred, as the core lays the page out (the sizes are its own test).
  for (const [width, height, want, title] of [[1800, 1300, [1733, 1280, true], "fresh"],
                                              [1000, 600, [640, 640, false], "again"]]) {
    await page.setViewportSize({ width, height });
    await page.waitForFunction((w) => {
      const canvas = document.getElementById("canvas");
      const box = canvas.getBoundingClientRect();
      const centred = Math.abs(2 * box.left + box.width - innerWidth) <= 1 &&
                      Math.abs(2 * box.top + box.height - innerHeight) <= 1;
      return centred && JSON.stringify([box.width, canvas.width, canvas.classList.contains("fitted")]) === w;
    }, JSON.stringify(want));
    await expectTitleOf(page, title);
  }

  // The music and each effect are their waves in buffers, the music looping from the first key; an effect
  // starts with its cause: a game's start, then a volley.
  const music = readWave("vesk.wav");
  const names = [...fs.readFileSync(path.join(repo, "src/audio/effects.hpp"), "utf8")
    .match(/kEffectNames = \{([^}]*)\}/)[1].matchAll(/"([^"]+)"/g)].map((m) => m[1]);
  await fireUntilScored(page, "Space");
  await page.waitForFunction(() => kestrovaTest.audio.context?.state === "running");
  assert.deepEqual(await page.evaluate(([music, effects]) => {
    // Unsigned 8-bit samples were mapped onto (v - 128) / 128: exact in floats.
    const firstWrong = (samples, base64) => {
      const data = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
      return samples.length !== data.length ? "length" : data.findIndex((v, i) => samples[i] !== (v - 128) / 128);
    };
    const { buffer, source, effects: buffers, started } = kestrovaTest.audio;
    return { rate: buffer.sampleRate, channels: buffer.numberOfChannels, loop: source.loop,
             started: started.slice(0, 2), music: firstWrong(buffer.getChannelData(0), music),
             effects: effects.map((base64, i) => firstWrong(buffers[i]?.getChannelData(0) ?? [], base64)) };
  }, [music.data, names.map((name) => readWave(`sfx/${name}.wav`).data)]),
  { rate: music.rate, channels: 1, loop: true, started: [names.indexOf("start"), names.indexOf("volley")], music: -1,
    effects: names.map(() => -1) });
  // The volume keys: two steps down and a mute, then a step up that unmutes.
  const gain = () => page.evaluate(() => Math.round(kestrovaTest.audio.gain.gain.value * 100));
  for (const key of ["Minus", "Minus", "m"]) await page.keyboard.press(key);
  assert.equal(await gain(), 0);
  await page.keyboard.press("Equal");
  assert.equal(await gain(), 90);
  // Kept for the next visit, as the desktop keeps settings.ini, and read back on it.
  assert.deepEqual(await page.evaluate(() => JSON.parse(localStorage.getItem("kestrova-settings"))),
                   { integerScale: false, percent: 90, muted: false });
  await page.reload();
  await page.waitForFunction(() => window.kestrovaTest?.volume.percent === 90);

  // In the address's language every text of the note is its catalogue's (what each entry says is the
  // catalogue's own test): none of the English is left.
  await page.goto(`${origin}/index.html?lang=ja`);
  await page.getByRole("dialog", { name: "システムメニュー" }).waitFor();
  const help = await page.locator("#settings-help").innerText();
  assert.equal(/[A-Za-z]/.exec(help), null, help);
  assert.equal(await page.evaluate(() => document.documentElement.lang), "ja");

  // Fire to Z on the menu's KEYS page (Return opens the menu, its third row leads there, the fifth is fire),
  // then its LANGUAGE row to English, chosen with Z now that Space is nothing. Both are kept for the next load,
  // whose form has English captions, its buttons too, and whose game fires with Z.
  await openGame(page);
  await tap(page, "Enter", "ArrowDown", "ArrowDown", "Space", ...Array(4).fill("ArrowDown"), "Space", "KeyZ");
  await tap(page, "Enter", ...Array(4).fill("ArrowDown"), "KeyZ", "Enter");
  await openGame(page, { caption: "Settings", button: "OK" });
  await fireUntilScored(page, "KeyZ");
}));

test("the same script gives kestrova-sim's hashes through the stage clear", kTest, () => withBrowser(async (page) => {
  const script = path.join(here, "stage_clear.txt");
  const want = simLines(script);
  await page.goto(`${origin}/index.html?test`);
  await assert.rejects(page.evaluate(() => kestrovaTest.run("1 jump\n", 1)), /script:1: /);
  const got = (await page.evaluate(([text, count]) => kestrovaTest.run(text, count),
                                   [fs.readFileSync(script, "utf8"), want.length])).trimEnd().split("\n");
  const first = want.findIndex((line, i) => line !== got[i]);
  assert.equal(first, -1, `first different idle call: browser "${got[first]}", kestrova-sim "${want[first]}"`);
}));

test("two tabs keep both runs, one ended, one closed mid-play; clicks, keys and a standard gamepad play; the " +
     "next visit reads the runs", kTest, () => withBrowser(async (page, context) => {
  // A left click on the title starts play and Space fires. (Which key or button does what is the input map's
  // own test.)
  const tabs = [page, await context.newPage()];
  const scores = [];
  for (const tab of tabs) {  // a tab in the back is hidden, and runs no frames
    await tab.bringToFront();
    await openGame(tab);
    await tab.locator("#canvas").click();
    await tab.waitForFunction(() => kestrovaTest.state().playing === 1);
    await fireUntilScored(tab, "Space");
    scores.push(await settledScore(tab));
  }
  // The first ends (a right click); the second, which started before that run was kept, closes mid-play.
  await page.bringToFront();
  await page.locator("#canvas").click({ button: "right" });
  await page.locator("#closed").waitFor();
  await tabs[1].close({ runBeforeUnload: true });
  // Storage written by a tab as it closes reaches the others a moment later.
  const want = scoreFileAfterRuns(...scores);
  await page.waitForFunction(([key, text]) => localStorage.getItem(key) === text, [kScoreKey, want],
                             { timeout: 10_000 }).catch(() => {});
  assert.equal(await page.evaluate((key) => localStorage.getItem(key), kScoreKey), want);

  // One pad in the standard layout, whose buttons the test presses. Cancel goes on with the clicks (full screen);
  // the title is kestrova-sim's with the table kept. A double click leaves full screen, another goes back.
  await context.addInitScript(() => {
    const pad = { id: "test pad", index: 0, connected: true, mapping: "standard", axes: [0, 0, 0, 0],
                  buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })) };
    window.testPad = (button, pressed) => Object.assign(pad.buttons[button], { pressed, value: +pressed });
    Object.defineProperty(navigator, "getGamepads", { value: () => [{ ...pad, timestamp: performance.now() }] });
  });
  await openGame(page, { labels: ["フルスクリーン", "ジョイスティック"], button: "取り消し" });
  assert.equal(await page.evaluate(() => document.fullscreenElement?.id), "screen");
  await expectTitleOf(page, "kept", want);
  await page.evaluate(() => testPad(0, true));  // south: from the title into play, firing
  await page.waitForFunction(scoredShooting, kPlayerBullet);
  await page.locator("#canvas").dblclick();
  await page.waitForFunction(() => document.fullscreenElement === null);
  await page.locator("#canvas").dblclick();
  await page.waitForFunction(() => document.fullscreenElement?.id === "screen");
}));

// Until the worker for `scope` (the page's own by default) is active with none waiting, or until a new one
// waits. (waitForFunction would take the promise of an async condition for true.)
const workerIs = (page, which, scope) => page.evaluate(async ([w, s]) => {
  for (const end = Date.now() + 30_000; Date.now() < end; await new Promise((wake) => setTimeout(wake, 50))) {
    const registration = await navigator.serviceWorker.getRegistration(s);
    if (w === "waiting" ? registration?.waiting?.state === "installed"
                        : registration?.active?.state === "activated" && !registration.waiting) return;
  }
  throw new Error(`no ${w} worker for ${s ?? location.href} in 30 s`);
}, [which, scope]);

test("installable from a folder of the site; after one visit it starts with no server; a new build replaces " +
     "the cache", kTest, async () => {
  // Only what a web server would serve, in a folder below the site's root.
  const [site, game] = [path.join(work, "site"), path.join(work, "site/games/kestrova")];
  fs.cpSync(webDir, game, { recursive: true, filter: (file) =>
    [webDir, path.join(webDir, "icons")].includes(file) || /\.(html|css|js|wasm|webmanifest|png)$/.test(file) });
  let { child, origin: siteOrigin } = await serveFolder(site);
  const url = `${siteOrigin}/games/kestrova/`;
  try {
    await withBrowser(async (page, context) => {
      // The manifest parses, its icons are of their sizes, and Chrome finds nothing against installing.
      await page.goto(url);
      const cdp = await context.newCDPSession(page);
      const { url: href, errors, data } = await cdp.send("Page.getAppManifest");
      const manifest = JSON.parse(data);
      assert.deepEqual([errors, manifest.name, new URL(manifest.start_url, href).href], [[], "Kestrova", url]);
      for (const icon of manifest.icons) {
        const png = Buffer.from(await (await fetch(new URL(icon.src, href))).arrayBuffer());
        assert.equal(`${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`, icon.sizes, icon.src);
      }
      await workerIs(page, "active");
      assert.deepEqual((await cdp.send("Page.getInstallabilityErrors")).installabilityErrors, []);

      // No server at all: the game starts from the worker's cache.
      await stopServer(child);
      assert.ok((await openGame(page, { url })).fromServiceWorker());

      // A new build: the open tab keeps the old one whole, the next start runs the new one from its own cache.
      fs.appendFileSync(path.join(game, "page.js"), "window.kestrovaNext = true;\n");
      const worker = path.join(game, "service-worker.js");
      fs.writeFileSync(worker, fs.readFileSync(worker, "utf8").replace(/kBuild = "(\w+)"/, 'kBuild = "$1next"'));
      ({ child } = await serveFolder(site, new URL(siteOrigin).port));
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
      assert.deepEqual([names.length, /next$/.test(names[0])], [1, true], `one cache, the new build's: ${names}`);
    });
  } finally {
    await stopServer(child);
  }
});

// The committed arcade run sent to the board: once verified, its score; the test's timeout ends a longer wait.
async function sendRun(board) {
  const replay = fs.readFileSync(path.join(repo, "tests/scripts/arcade_initials.krp"));
  const sent = await fetch(`${board}/api/runs`, { method: "POST", body: replay });
  assert.equal(sent.status, 202);
  const { id } = await sent.json();
  let run;
  do {
    await new Promise((wake) => setTimeout(wake, 50));
    run = await (await fetch(`${board}/api/runs/${id}`)).json();
  } while (run.status === "queued");
  assert.equal(run.status, "verified", run.reason);
  return run.score;
}

test("an entry on the board's page is watched in the browser build, fetched from the board", {
  ...kTest, skip: !boardProgram && "needs --board" }, async () => {
  // "": the database pg_virtualenv names in the PG* environment.
  const { child, origin: board } = await startServer(boardProgram, ["--db", "", "--listen", "127.0.0.1:0",
    "--workers", "1", "--data", path.join(repo, "data"), "--web", webDir], "inherit");
  try {
    const score = await sendRun(board);
    await withBrowser(async (page) => {
      await page.goto(`${board}/`);
      const entry = page.locator("#expert + table tr", { hasText: "BCA" });
      assert.equal(await entry.locator("td").nth(2).textContent(), String(score));
      // A replay the page cannot fetch is an alert, which fails the test.
      await entry.getByRole("link", { name: "watch" }).click();
      // The run plays under its own rules to its game over, eight times as fast (Up three times).
      await page.waitForFunction(() => document.title === "Kestrova App (replay)" && kestrovaTest.state().run);
      await tap(page, "ArrowUp", "ArrowUp", "ArrowUp");
      await page.waitForFunction(() => kestrovaTest.state().run.game_over === 1, null, { timeout: kTest.timeout });
      const { run } = await page.evaluate(() => kestrovaTest.state());
      assert.deepEqual([run.rules, run.difficulty, run.score], ["arcade", "expert", score]);
    });
  } finally {
    await stopServer(child);
  }
});
