// The board's page in headless Chromium: an entry opens the browser build on
// its run, fetched from the board, and the run plays there as it was verified.
//   pg_virtualenv node board_test.mjs --web DIR --board FILE --sim FILE
// DIR: the web build; FILE: a native kestrova-board and kestrova-sim. The
// board keeps its runs in the PostgreSQL that pg_virtualenv made.
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
const option = (name, fallback) => {
  const at = process.argv.indexOf(name);
  return path.resolve(at > 0 ? process.argv[at + 1] : fallback);
};
const webDir = option("--web", path.join(repo, "build/web"));
const boardProgram = option("--board", path.join(repo, "build/release/kestrova-board"));
const sim = option("--sim", path.join(repo, "build/release/kestrova-sim"));
const kLaunch = {
  executablePath: process.env.KESTROVA_CHROMIUM || "/usr/bin/chromium",
  headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
         "--no-first-run", "--disable-sync"],
};
const kTimeout = 120_000;
const env = process.env;

let work;
let board;
let origin;

// The board on a free loopback port, serving the web build; its address from its first line.
function startBoard() {
  const db = `host=${env.PGHOST} port=${env.PGPORT} user=${env.PGUSER} password=${env.PGPASSWORD} dbname=${env.PGDATABASE}`;
  const child = spawn(boardProgram, ["--db", db, "--listen", "127.0.0.1:0", "--workers", "1", "--data",
                                     path.join(repo, "data"), "--web", webDir], { stdio: ["ignore", "pipe", "inherit"] });
  return new Promise((resolve, reject) => {
    child.on("error", reject);
    child.on("exit", (code) => reject(new Error(`kestrova-board ended (${code})`)));
    readline.createInterface({ input: child.stdout }).once("line", (line) => {
      const port = /listening on 127\.0\.0\.1:(\d+)$/.exec(line);
      if (port) resolve({ child, origin: `http://127.0.0.1:${port[1]}` }); else reject(new Error(line));
    });
  });
}

// The committed arcade run recorded anew by kestrova-sim, sent, and once verified its id.
async function sendRun() {
  const replay = path.join(work, "run.krp");
  execFileSync(sim, ["--data", path.join(repo, "data"), "--input", path.join(repo, "tests/scripts/arcade_initials.krp"),
                     "--frames", "6541", "--rules", "arcade", "--difficulty", "expert", "--record", replay, "--last"],
               { stdio: "ignore" });
  const sent = await fetch(`${origin}/api/runs`, { method: "POST", body: fs.readFileSync(replay) });
  assert.equal(sent.status, 202);
  const { id } = await sent.json();
  for (const deadline = Date.now() + kTimeout; Date.now() < deadline;) {
    const run = await (await fetch(`${origin}/api/runs/${id}`)).json();
    if (run.status !== "queued") {
      assert.equal(run.status, "verified", run.reason);
      return id;
    }
    await new Promise((r) => setTimeout(r, 50));
  }
  throw new Error(`run ${id} was not decided`);
}

before(async () => {
  work = fs.mkdtempSync(path.join(os.tmpdir(), "kestrova-board-web-"));
  ({ child: board, origin } = await startBoard());
});

after(() => {
  board.removeAllListeners("exit");
  board.kill();
  fs.rmSync(work, { recursive: true, force: true });
});

test("an entry on the board page is watched in the browser build", { timeout: kTimeout }, async () => {
  const id = await sendRun();
  const context = await chromium.launchPersistentContext(fs.mkdtempSync(path.join(work, "profile-")), kLaunch);
  try {
    const page = context.pages()[0] || await context.newPage();
    const problems = [];
    page.on("pageerror", (error) => problems.push(error.message));
    page.on("dialog", (dialog) => { problems.push(dialog.message()); dialog.dismiss(); });
    await page.goto(`${origin}/`);
    const entry = page.locator("#expert + table tr", { hasText: "BCA" });
    assert.equal(await entry.locator("td").nth(2).textContent(), "5290");
    const watch = entry.getByRole("link", { name: "watch" });
    assert.equal(await watch.getAttribute("href"), `/play/index.html?replay=/api/runs/${id}/replay`);
    const fetched = page.waitForResponse((r) => r.url() === `${origin}/api/runs/${id}/replay`);
    await watch.click();
    assert.equal((await fetched).status(), 200);
    await page.waitForFunction(() => document.title === "Kestrova App (replay)");
    // The run plays under its own rules to its game over, eight times as fast (Up three times).
    await page.waitForFunction(() => window.kestrovaTest && window.kestrovaTest.state().run);
    for (let i = 0; i < 3; ++i) {
      await page.keyboard.down("ArrowUp");
      await page.waitForTimeout(100);
      await page.keyboard.up("ArrowUp");
      await page.waitForTimeout(100);
    }
    await page.waitForFunction(() => window.kestrovaTest.state().run.game_over === 1, null, { timeout: kTimeout });
    const { run } = await page.evaluate(() => window.kestrovaTest.state());
    assert.equal(run.rules, "arcade");
    assert.equal(run.difficulty, "expert");
    assert.equal(run.score, 5290);
    assert.deepEqual(problems, []);
  } finally {
    await context.close();
  }
});
