// The page around the game: the canvas and its scale, the settings form,
// audio start, storage and the score keeper, the closed state, offline play
// and the test hook. The program (kestrova.js) calls KestrovaPage; tests call
// window.kestrovaTest. The rules the page follows (the form's template, the
// layout, the sound's voices, the volume keys) are the core's: the page asks
// the program (src/platform/web/core_exports.cpp).
"use strict";

// Resolved once the program has loaded and answers calls.
let coreLoaded;
const coreReady = new Promise((resolve) => { coreLoaded = resolve; });

var Module = {
  print: (text) => console.log(text),
  printErr: (text) => console.error(text),
  onRuntimeInitialized: () => {
    document.getElementById("status").hidden = true;
    coreLoaded();
  },
  onAbort: (what) => { document.getElementById("status").textContent = "Kestrova could not start: " + what; },
};

const KestrovaPage = (() => {
  const kWidth = 640;
  const kHeight = 480;

  const screen = document.getElementById("screen");
  const canvas = document.getElementById("canvas");
  // The game's page as it comes; the canvas shows it enlarged a whole number of times.
  const page = Object.assign(document.createElement("canvas"), { width: kWidth, height: kHeight });
  let pageContext = null;
  let context = null;
  let image = null;

  // Direct calls: the program may be suspended in its message loop or the
  // settings form, where ccall would take any call for an asynchronous one.
  // Numbers go in and out through a few words of the program's memory.
  function callWithWords(words, call) {
    const pointer = Module._malloc(4 * Math.max(words.length, 1));
    try {
      Module.HEAP32.set(words, pointer >> 2);
      const result = call(pointer);
      return { result, words: Array.from(Module.HEAP32.subarray(pointer >> 2, (pointer >> 2) + words.length)) };
    } finally {
      Module._free(pointer);
    }
  }

  // The core's layout for an output in device pixels: the largest whole
  // multiple, or the largest 4:3 picture where that leaves too much unused.
  // How the player sees the page, as the game's menu sets it; full screen is
  // the browser's, which grants it only from a click or a key.
  const view = { integerScale: false };
  // The menu's LANGUAGE choice ("" for the browser's), once the player made one.
  let language;
  // What the player set in the menu and by the volume keys, kept for the next
  // visit as the desktop keeps its settings.ini: whole, or not at all.
  const kSettingsItem = "kestrova-settings";
  function keepSettings() {
    storeItem(kSettingsItem, JSON.stringify({ integerScale: view.integerScale, ...volume,
                                              ...(language === undefined ? {} : { language }) }));
  }
  function restoreSettings() {
    let kept = null;
    try {
      kept = JSON.parse(loadItem(kSettingsItem) || "null");
    } catch (error) {
      console.warn("kestrova: the kept settings are unreadable, the defaults stand: " + error);
    }
    if (!kept) return;
    if (typeof kept.integerScale === "boolean") view.integerScale = kept.integerScale;
    if (Number.isInteger(kept.percent) && kept.percent >= 0 && kept.percent <= 100) volume.percent = kept.percent;
    if (typeof kept.muted === "boolean") volume.muted = kept.muted;
    if (typeof kept.language === "string") language = kept.language;
  }
  const keptLanguage = () => language || "";
  // What the program chooses the page's language by, a line each: "1" and ?lang= ("0" for none), the kept
  // choice, then the browser's languages.
  function languageFacts() {
    const line = (text) => String(text).replace(/[\r\n]/g, " ");
    const address = new URLSearchParams(window.location.search).get("lang");
    return [address === null ? "0" : "1" + line(address), line(keptLanguage()),
            ...(navigator.languages || [navigator.language || ""]).map(line)].join("\n");
  }
  function keepLanguage(chosen) {
    language = chosen;
    keepSettings();
  }
  function getView() {
    return { fullScreen: Boolean(document.fullscreenElement), integerScale: view.integerScale };
  }
  function setView(fullScreen, integerScale) {
    view.integerScale = integerScale;
    keepSettings();
    if (fullScreen && !document.fullscreenElement) requestFullscreen();
    if (!fullScreen && document.fullscreenElement) document.exitFullscreen().catch(() => {});
    fit();
  }

  function layOutPage(width, height) {
    const { words } = callWithWords(new Array(6).fill(0),
                                    (out) => Module._kestrova_lay_out_page(width, height, view.integerScale ? 1 : 0, out));
    const [factor, , , pictureWidth, pictureHeight, whole] = words;
    return { factor, fit: !whole, width: pictureWidth, height: pictureHeight };
  }

  // Nearest to the whole multiple keeps the pixels square; the fitted picture
  // is that, smoothed by the browser to its size, so edges do not shimmer.
  function drawPage() {
    if (context) context.drawImage(page, 0, 0, canvas.width, canvas.height);
  }

  function fit() {
    if (!context) return;  // before the program shows the screen
    const ratio = window.devicePixelRatio || 1;
    const layout = layOutPage(Math.floor(screen.clientWidth * ratio), Math.floor(screen.clientHeight * ratio));
    if (canvas.width !== kWidth * layout.factor) {
      canvas.width = kWidth * layout.factor;  // clears the canvas and its context's settings
      canvas.height = kHeight * layout.factor;
      context.imageSmoothingEnabled = false;
      drawPage();
    }
    canvas.classList.toggle("fitted", layout.fit);
    canvas.style.width = (layout.width / ratio) + "px";
    canvas.style.height = (layout.height / ratio) + "px";
  }
  window.addEventListener("resize", fit);
  document.addEventListener("fullscreenchange", fit);
  // The right button closes the game; the page's own menu must not open as well.
  canvas.addEventListener("contextmenu", (event) => event.preventDefault());
  // F11 is the browser's own; a double click on the picture switches full screen.
  canvas.addEventListener("dblclick", () => {
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    else requestFullscreen();
  });

  function showScreen() {
    context = canvas.getContext("2d", { alpha: false });
    pageContext = page.getContext("2d", { alpha: false });
    if (!context || !pageContext) return false;
    image = pageContext.createImageData(kWidth, kHeight);
    pageContext.fillStyle = "#000";
    pageContext.fillRect(0, 0, kWidth, kHeight);
    screen.hidden = false;
    fit();
    context.imageSmoothingEnabled = false;
    drawPage();
    canvas.focus();
    return true;
  }

  function putPage(rgba) {
    image.data.set(rgba);
    pageContext.putImageData(image, 0, 0);
    drawPage();
  }

  function setIcon(rgba, width, height) {
    const icon = document.createElement("canvas");
    icon.width = width;
    icon.height = height;
    const pixels = new ImageData(new Uint8ClampedArray(rgba.buffer), width, height);
    icon.getContext("2d").putImageData(pixels, 0, 0);
    document.querySelector("link[rel=icon]").href = icon.toDataURL("image/png");
  }

  function requestFullscreen() {
    if (!screen.requestFullscreen) return;
    screen.requestFullscreen().catch((error) => console.warn("kestrova: no full screen: " + error));
  }

  // --- the page's texts in the page's language, from the program's catalogue ----
  let texts = 0;
  function translate(text) {
    if (!texts) return text;
    const size = Module.lengthBytesUTF8(text) + 1;
    const pointer = Module._malloc(size);
    Module.stringToUTF8(text, pointer, size);
    try {
      return Module.UTF8ToString(Module._kestrova_translate(texts, pointer));
    } finally {
      Module._free(pointer);
    }
  }
  // Each text of the form's note and of the closed notice goes by its words
  // alone, the spaces of the page's layout around them kept.
  function attachTexts(pointer, chosen) {
    texts = pointer;
    if (!texts || !chosen) return;
    document.documentElement.lang = chosen;
    for (const root of [document.getElementById("settings-help"), document.getElementById("closed")]) {
      const walker = document.createTreeWalker(root, NodeFilter.SHOW_TEXT);
      for (let node = walker.nextNode(); node; node = walker.nextNode()) {
        const words = node.data.replace(/\s+/g, " ").trim();
        if (words) node.data = node.data.replace(/\S[\s\S]*\S|\S/, () => translate(words));
      }
    }
  }

  // --- the settings form: the core's template ---------------------------------
  // Dialog units to pixels for a 12-pixel face: 6 across, 12 down per four and eight units.
  const kUnitX = 6 / 4;
  const kUnitY = 12 / 8;

  function place(element, box) {
    const [x, y, width, height] = box;
    element.classList.add("control");
    Object.assign(element.style, {
      left: x * kUnitX + "px", top: y * kUnitY + "px", width: width * kUnitX + "px", height: height * kUnitY + "px",
    });
    return element;
  }

  function makeControl(control, groupName, command, members) {
    switch (control.kind) {
      case "default":
      case "button": {
        const button = document.createElement("button");
        button.type = control.kind === "default" ? "submit" : "button";
        button.textContent = control.caption;
        button.dataset.closes = "";
        return button;
      }
      case "group": {
        const group = document.createElement("div");
        group.className = "group";
        group.append(Object.assign(document.createElement("span"), { textContent: control.caption }));
        return group;
      }
      case "radio": {
        const label = document.createElement("label");
        // Tab goes from group to group, the arrows choose within one, as in the desktop's dialog.
        const radio = Object.assign(document.createElement("input"), { type: "radio", name: groupName });
        radio.dataset.id = control.id;
        if (command) radio.addEventListener("click", () => { members[command.member] = command.value; });
        label.append(radio, control.caption);
        return label;
      }
      case "text":
        return Object.assign(document.createElement("span"), { textContent: control.caption });
      case "spin": {
        const spin = document.createElement("div");
        spin.className = "spin";
        for (const arrow of ["▲", "▼"]) {
          const button = Object.assign(document.createElement("button"), { type: "button", textContent: arrow });
          button.tabIndex = -1;
          spin.append(button);
        }
        return spin;
      }
      case "edit":
        return Object.assign(document.createElement("input"), { type: "text", readOnly: true, value: "" });
    }
    return null;
  }

  // Opens with no radio button marked; OK, Cancel, Escape and the close box
  // all go on with the members as the clicks left them.
  function runSettings(fullScreen, keyboard) {
    return new Promise((resolve) => {
      const form = JSON.parse(Module.UTF8ToString(Module._kestrova_settings_template()));
      form.caption = translate(form.caption);
      for (const control of form.controls) control.caption = translate(control.caption);
      const commands = new Map(form.commands.map((command) => [command.id, command]));
      const members = { fullScreen, keyboard };
      const dialog = document.createElement("form");
      dialog.className = "dialog";
      dialog.setAttribute("role", "dialog");
      dialog.setAttribute("aria-label", form.caption);
      // The note beside the form says what its choices mean.
      const settings = document.getElementById("settings");
      dialog.setAttribute("aria-describedby", "settings-help");
      const caption = document.createElement("div");
      caption.className = "caption";
      const close = Object.assign(document.createElement("button"), { type: "button", textContent: "×" });
      close.tabIndex = -1;
      close.setAttribute("aria-label", "close");
      close.dataset.closes = "";
      caption.append(Object.assign(document.createElement("span"), { textContent: form.caption }), close);
      const client = document.createElement("div");
      client.className = "client";
      client.style.width = form.clientSize[0] * kUnitX + "px";
      client.style.height = form.clientSize[1] * kUnitY + "px";
      let group = 0;
      for (const control of form.controls) {
        if (control.startsGroup) ++group;
        client.append(place(makeControl(control, "group" + group, commands.get(control.id), members), control.box));
      }
      dialog.append(caption, client);

      const finish = (event) => {
        if (event) event.preventDefault();
        document.removeEventListener("keydown", onKey, true);
        dialog.remove();
        settings.hidden = true;
        resolve(members);
      };
      // Return is OK and Escape Cancel, each closing the form with what was chosen.
      const onKey = (event) => { if (event.key === "Escape" || event.key === "Enter") finish(event); };
      dialog.addEventListener("submit", finish);
      for (const button of dialog.querySelectorAll("[data-closes]")) {
        if (button.type !== "submit") button.addEventListener("click", finish);
      }
      document.addEventListener("keydown", onKey, true);
      settings.prepend(dialog);
      settings.hidden = false;
      dialog.querySelector("button[type=submit]").focus();
    });
  }

  // --- music and sound effects ---------------------------------------------------
  // Browsers start sound only after the player has done something on the page.
  // Everything plays through one gain: the player's volume.
  const audio = { context: null, buffer: null, source: null, gain: null, effects: [], playing: [], started: [] };
  const volume = { percent: 100, muted: false };
  restoreSettings();
  const kGestures = ["keydown", "mousedown", "pointerdown", "touchstart"];
  function resumeAudio() {
    if (audio.context && audio.context.state === "suspended") audio.context.resume();
  }
  for (const type of kGestures) window.addEventListener(type, resumeAudio, true);

  function setAudio(context, buffer) {
    audio.context = context;
    audio.buffer = buffer;
    audio.gain = context.createGain();
    audio.gain.connect(context.destination);
    applyVolume();
  }

  function startAudio() {
    if (!audio.context || audio.source) return;
    audio.source = audio.context.createBufferSource();
    audio.source.buffer = audio.buffer;
    audio.source.loop = true;
    audio.source.connect(audio.gain);
    audio.source.start();
  }

  // Another track in place of the music, from its start; playing if the music was.
  function switchMusic(buffer) {
    const playing = Boolean(audio.source);
    if (playing) audio.source.stop();
    audio.source = null;
    audio.buffer = buffer;
    if (playing) startAudio();
  }

  function audioContext() {
    return audio.context;
  }

  function setEffect(index, buffer) {
    audio.effects[index] = buffer;
  }

  // The voice to take is the core's choice: a free one, or the one it stops.
  function startEffect(index) {
    const buffer = audio.effects[index];
    if (!audio.context || !buffer) return;
    const { result } = callWithWords(audio.playing.map((voice) => voice.index),
                                     (playing) => Module._kestrova_voice_to_stop(index, playing, audio.playing.length));
    const gone = result >= 0 ? audio.playing[result] : null;
    if (gone) gone.source.stop();
    const voice = { index, source: audio.context.createBufferSource() };
    voice.source.buffer = buffer;
    voice.source.connect(audio.gain);
    voice.source.onended = () => { audio.playing = audio.playing.filter((v) => v !== voice); };
    audio.playing = audio.playing.filter((v) => v !== gone).concat(voice);
    audio.started.push(index);
    voice.source.start();
  }

  // A hidden page runs no frames (the browser holds its animation frames back);
  // its sound waits with it.
  document.addEventListener("visibilitychange", () => {
    if (!audio.context) return;
    if (document.hidden) audio.context.suspend(); else audio.context.resume();
  });

  function applyVolume() {
    if (audio.gain) audio.gain.gain.value = volume.muted ? 0 : volume.percent / 100;
  }

  function setVolume(percent, muted) {
    Object.assign(volume, { percent, muted });
    applyVolume();
    keepSettings();
  }

  // Return and F1 ask for the game's menu, which the program takes at its next frame.
  let menuAsked = false;
  document.addEventListener("keydown", (event) => {
    if ((event.key !== "Enter" || event.altKey) && event.key !== "F1") return;
    if (event.key === "F1") event.preventDefault();  // not the browser's help
    menuAsked = menuAsked || !event.repeat;
  });
  function takeMenu() {
    const asked = menuAsked;
    menuAsked = false;
    return asked;
  }

  // The player's volume keys, not the game's: the core says what a key does,
  // by the character it gives. One pressed while the program loads waits for it.
  document.addEventListener("keydown", (event) => {
    const key = [...event.key].length === 1 ? event.key.codePointAt(0) : 0;
    const { repeat } = event;
    coreReady.then(() => {
      const after = Module._kestrova_volume_after_key(volume.percent, volume.muted, key, repeat);
      Object.assign(volume, { percent: after & 0xff, muted: (after & 0x100) !== 0 });
      applyVolume();
      keepSettings();
    });
  });

  // --- the end -----------------------------------------------------------------
  function showClosed() {
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    if (audio.context) audio.context.close();
    screen.hidden = true;
    document.getElementById("closed").hidden = false;
  }

  // --- storage: whole values, and a page without storage plays on -------------
  function loadItem(key) {
    try {
      return window.localStorage.getItem(key);
    } catch (error) {
      console.warn("kestrova: no storage: " + error);
      return null;
    }
  }

  function storeItem(key, value) {
    try {
      window.localStorage.setItem(key, value);
      return true;
    } catch (error) {
      console.warn("kestrova: no storage: " + error);
      return false;
    }
  }

  // --- the score keeper: a tab hidden or closed mid-play keeps its run ---------
  let keeper = 0;
  function attachScoreKeeper(pointer) {
    keeper = pointer;
  }
  function saveScores() {
    if (keeper) Module._kestrova_save_scores(keeper);
  }
  window.addEventListener("pagehide", saveScores);
  document.addEventListener("visibilitychange", () => {
    if (document.visibilityState === "hidden") saveScores();
  });

  // --- offline play: the worker keeps the game's files ---------------------
  // Registered beside the page, so a copy served from any folder has its own.
  // Where the browser refuses it (a file:// page, storage turned off) the game
  // still plays, only not offline.
  if ("serviceWorker" in navigator) {
    window.addEventListener("load", () => {
      navigator.serviceWorker.register("service-worker.js")
        .catch((error) => console.warn("kestrova: no offline play: " + error));
    });
  }

  // --- a recording to watch: the page's address names it, ?replay=ADDRESS --
  // Null when it names none; else the address (on one line), and the text or
  // why there is none.
  async function fetchReplay() {
    const address = new URLSearchParams(window.location.search).get("replay");
    if (address === null) return null;
    const named = address.replace(/[\r\n]/g, " ");
    try {
      const response = await fetch(address);
      if (!response.ok) return { address: named, error: "HTTP " + response.status + " " + response.statusText };
      return { address: named, text: await response.text() };
    } catch (error) {
      return { address: named, error: String(error) };
    }
  }

  // --- runs sent to an online board: the page's address names it, ?board=URL
  const boardAddress = () => new URLSearchParams(window.location.search).get("board") || "";

  function sendRun(text) {
    const board = boardAddress();
    fetch(board.replace(/\/$/, "") + "/api/runs", { method: "POST", headers: { "Content-Type": "text/plain" }, body: text })
      .then(async (response) => {
        const answer = await response.json().catch(() => ({}));
        if (response.ok) console.info(`kestrova: the board at ${board} took the run: run ${answer.id}, queued to be verified`);
        else console.error(`kestrova: the board at ${board} answered ${response.status}: ${answer.error || response.statusText}`);
      })
      .catch((error) => console.error(`kestrova: cannot send the run to ${board}: ${error}`));
  }

  // --- the test hook -------------------------------------------------------
  const isTestPage = () => new URLSearchParams(window.location.search).has("test");
  let driver = 0;
  let finishRun = null;
  let attached;
  const ready = new Promise((resolve) => { attached = resolve; });

  function attachTestHook(pointer) {
    driver = pointer;
    attached();
  }

  function finishTestRun(output) {
    const done = finishRun;
    finishRun = null;
    if (done) done(output);
  }

  // Direct calls, as callWithWords.
  function callWithText(exported, text, number) {
    const size = Module.lengthBytesUTF8(text) + 1;
    const pointer = Module._malloc(size);
    Module.stringToUTF8(text, pointer, size);
    try {
      return Module.UTF8ToString(exported(driver, pointer, number));
    } finally {
      Module._free(pointer);
    }
  }

  window.kestrovaTest = {
    ready,
    // Runs `calls` idle calls of a kestrova-sim input script, numbered from 1,
    // as fast as they go: kestrova-sim's lines for them.
    run(script, calls) {
      return ready.then(() => new Promise((resolve, reject) => {
        const error = callWithText(Module._kestrova_test_run, script, calls);
        if (error) reject(new Error(error)); else finishRun = resolve;
      }));
    },
    // The whole program state, as kestrova-sim --trace prints it.
    state() {
      return JSON.parse(Module.UTF8ToString(Module._kestrova_test_trace(driver)));
    },
    audio,
    volume,
  };

  return {
    showScreen, putPage, setIcon, requestFullscreen, runSettings, setAudio, startAudio, switchMusic, audioContext, setEffect,
    startEffect,
    showClosed,
    languageFacts, keptLanguage, keepLanguage, attachTexts,
    loadItem, storeItem, isTestPage, attachScoreKeeper, attachTestHook, finishTestRun, fetchReplay, boardAddress, sendRun,
    getView, setView, volume, setVolume, takeMenu,
  };
})();
