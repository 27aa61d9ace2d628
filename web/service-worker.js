// Keeps the game's files so that it starts without a network after one visit.
// The build writes kBuild, a hash of those files: a new build is a new worker
// with its own cache. It waits until no tab runs the old build (a page must
// never get one build's script with another's wasm), then deletes the old cache.
"use strict";

const kBuild = "@KESTROVA_WEB_BUILD@";
const kFiles = [@KESTROVA_WEB_FILES@];

// Caches are per origin: a copy served from another folder of the same site
// keeps its own.
const kPrefix = "kestrova " + self.registration.scope + " ";
const kCache = kPrefix + kBuild;
const kIndex = new URL("index.html", self.location).href;
const kRoot = new URL("./", self.location).href;
const kOwn = new Set(kFiles.map((file) => new URL(file, self.location).href));

self.addEventListener("install", (event) => {
  // Past the HTTP cache: it may still hold the previous build's files.
  event.waitUntil(caches.open(kCache).then((cache) => cache.addAll(kFiles.map((file) => new Request(file, { cache: "reload" })))));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(
    names.filter((name) => name.startsWith(kPrefix) && name !== kCache).map((name) => caches.delete(name)))));
});

// The game's own files come from the cache, whatever the query (?test); all
// else goes to the network as if there were no worker.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  const url = new URL(event.request.url);
  url.search = "";
  url.hash = "";
  const file = url.href === kRoot ? kIndex : url.href;
  if (!kOwn.has(file)) return;
  event.respondWith(caches.open(kCache).then((cache) => cache.match(file)).then((hit) => hit || fetch(event.request)));
});
